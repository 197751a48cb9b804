// Thin wrappers of the list box, the tab control and tool tips, in the manner of
// StandardControls.h: no state of their own, everything through the window.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "OrvLib/framework/CWnd.h"

// Registers the common control classes our templates and wrappers use (once per process
// is enough; repeating it is harmless).
void OrvInitCommonControls();

class CListBox : public CWnd {
public:
    int AddString(const std::string& text) {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    int InsertString(int index, const std::string& text) {
        return static_cast<int>(
            SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
    }
    int DeleteString(int index) {
        return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index)));
    }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    LRESULT GetItemData(int index) const { return SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
    int SetItemData(int index, LRESULT data) {
        return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), data));
    }
    std::string GetText(int index) const;
    RECT GetItemRect(int index) const {
        RECT rect{};
        SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    int SetItemHeight(int index, int height) {
        return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) {
        return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
    }
    void SetColumnWidth(int width) { SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width)); }
    // The item at a client point, or -1 outside every item.
    int ItemFromPoint(POINT point) const;
};

class CTabCtrl : public CWnd {
public:
    int InsertItem(int index, const std::string& text);
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index)));
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    bool DeleteAllItems() { return SendMessage(TCM_DELETEALLITEMS) != 0; }
    RECT GetItemRect(int index) const {
        RECT rect{};
        SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    // larger false: the display area of a window rectangle; true: the reverse.
    void AdjustRect(bool larger, RECT* rect) const {
        SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect));
    }
};

// Tools are identified by window (TTF_IDISHWND) or by id within a window and rectangle.
// Text is a string or LPSTR_TEXTCALLBACK (the owner answers TTN_NEEDTEXTA). With subclass
// the tip watches the tool's mouse messages itself; without, relay them (RelayEvent).
class CToolTipCtrl : public CWnd {
public:
    bool Create(CWnd* owner, DWORD style = TTS_ALWAYSTIP);
    bool AddTool(HWND tool, const char* text, bool subclass = true);
    bool AddTool(HWND window, const char* text, const RECT& rect, UINT_PTR id, bool subclass = true);
    // Every direct child of parent as a tool by window whose text the owner supplies
    // (TTN_NEEDTEXTA with the child's window as the id); the number added.
    int AddChildTools(HWND parent);
    void DelTool(HWND window, UINT_PTR id);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void RelayEvent(MSG* message) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message)); }
    void Activate(bool active) { SendMessage(TTM_ACTIVATE, active); }
    void SetMaxTipWidth(int width) { SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    void UpdateTipText(const char* text, HWND window, UINT_PTR id);

private:
    static TTTOOLINFOA ToolInfo(HWND window, UINT_PTR id);
    HWND owner = nullptr;
};
