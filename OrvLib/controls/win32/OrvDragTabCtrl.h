// The tab strip of the main dialog: a row of tabs over a body frame, in the scheme's
// colours, with the layout of TabStripModel. Selecting a tab notifies the parent (100);
// renaming a tab in place and dragging it to another place happen only when the parent
// agrees (101 and 104, then 105 for each drop place).
//
// Notifications to the parent: 100 selection changed; 101 may the selected tab be
// renamed; 102 renamed; 103 rename cancelled; 104 may a drag start; 105 may the tab move
// (OrvTabMove); 106 moved; 107 move refused. A non-zero answer allows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "OrvLib/controls/TabStripModel.h"
#include "OrvLib/controls/win32/OrvControlBase.h"
#include "OrvLib/controls/win32/OrvCustomEditBox.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/Accessible.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/StandardControls.h"

struct OrvTabMove {
    NMHDR header;
    int from;
    int to;
};

namespace OrvTabCode {
constexpr UINT kSelected = 100, kMayRename = 101, kRenamed = 102, kRenameCancelled = 103, kMayDrag = 104,
               kMayMove = 105, kMoved = 106, kMoveRefused = 107;
}

// The box over a tab's text while it is renamed, in the strip's colours. Enter keeps the
// text, Escape drops it; either way, and on any loss of the focus, it tells the strip (100
// kept, 101 dropped).
class OrvInPlaceEditBox : public OrvCustomEditBox {
public:
    static constexpr UINT kId = 10, kKept = 100, kDropped = 101;
    bool Create(OrvControlBase& strip, POINT at, const std::string& text);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Fit();
    bool cancelled = false;
    bool done = false;
};

class OrvDragTabCtrl : public OrvControlBase, public OrvAccessible {
public:
    // The pages' tabs for screen readers.
    long AccessibleRole() const override { return ROLE_SYSTEM_PAGETABLIST; }
    long AccessibleItemCount() const override { return model.Count(); }
    std::string AccessibleItemName(long item) const override;
    bool AccessibleItemSelected(long item) const override { return item - 1 == model.Selection(); }
    long AccessibleItemRole() const override { return ROLE_SYSTEM_PAGETAB; }

    OrvDragTabCtrl();
    ~OrvDragTabCtrl() override;

    bool Create(CWnd* parent, const RECT& rect, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    void SetStyle(uint32_t style);
    void SetTabRowHeight(int pixels);
    int InsertItem(int index, const std::string& text);
    int SetCurSel(int index);
    int GetCurSel() const { return model.Selection(); }
    int GetItemCount() const { return model.Count(); }
    std::string GetItemText(int index) const { return model.Item(index).text; }
    // Where the dialog places its pages.
    RECT BodyRect() const { return ToRECT(model.Body()); }
    const TabStripModel& Model() const { return model; }
    OrvInPlaceEditBox* RenameBox() const { return rename.get(); }
    bool DragActive() const { return dragActive; }

protected:
    void Draw(HDC dc) override;
    void OnLButtonDown(POINT point) override;
    void OnLButtonUp(POINT point) override;
    void OnLButtonDblClk(POINT point) override;
    void OnKeyDown(UINT key, bool wasDown, bool systemKey) override;
    void OnLDragBegin(POINT press) override;
    void OnLDragMove(POINT point) override;
    void OnLDragEnd(POINT point) override;
    void OnLDragCancel() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Relayout();
    void StartRename();
    LRESULT AskMove(UINT code, int from, int to);
    void DrawTab(HDC dc, int index);
    void DrawBody(HDC dc);

    static constexpr UINT kDropRename = WM_APP + 1;
    TabStripModel model;
    OrvFont vertical;
    std::unique_ptr<OrvInPlaceEditBox> rename;
    bool justSelected = false;
    bool dragActive = false;
    int drop = -1;
};
