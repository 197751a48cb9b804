// A window object bound to its HWND. Windows of our own classes (Create) find their object
// through the creation parameter and then the window's user slot; standard controls taken
// over from a template or created at run time (SubclassWindow, SubclassDlgItem,
// CreateControl) through a window property of this module. No process-wide map: the host
// process may hold windows of other plug-ins.
//
// Every message goes through one static procedure: the object's WindowProc, which offers
// child notifications to the child's own object first (reflection), then the message maps,
// then default processing (the class's procedure, or the one that was replaced). Nothing
// thrown by a handler leaves the procedure: it is recorded and ends the innermost modal
// loop (see WindowFailure.h).
//
// A window created by the object is destroyed with it; a subclassed one is handed back.
#pragma once

#include <windows.h>

#include <string>

#include "OrvLib/framework/MessageMap.h"

// The text of any window (empty for null).
std::string OrvWindowText(HWND window);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND hWnd = nullptr;
    HWND GetSafeHwnd() const { return hWnd; }
    operator HWND() const { return hWnd; }

    // The object bound to window, or nullptr for a window that is not ours.
    static CWnd* FromHandlePermanent(HWND window);

    // A window of our own class kind (see OrvWindowClass); parent may be null.
    bool Create(const char* kind, const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                DWORD exStyle = 0);
    bool Create(const char* kind, const char* text, DWORD style, const RECT& rect, HWND parent, UINT id,
                DWORD exStyle = 0);
    // A window of a system class ("BUTTON", "msctls_trackbar32", ...), subclassed at once.
    bool CreateControl(const char* systemClass, const char* text, DWORD style, const RECT& rect, HWND parent,
                       UINT id, DWORD exStyle = 0);
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    bool DestroyWindow();

    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Wrappers of the window functions, on hWnd.
    HWND GetParent() const { return ::GetParent(hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(hWnd); }
    void SetWindowText(const std::string& text) { ::SetWindowTextA(hWnd, text.c_str()); }
    std::string GetWindowText() const;
    void SetDlgItemText(int id, const std::string& text) { ::SetDlgItemTextA(hWnd, id, text.c_str()); }
    std::string GetDlgItemText(int id) const;
    void CheckDlgButton(int id, UINT state) { ::CheckDlgButton(hWnd, id, state); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(hWnd, id); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    // The window's rectangle in its parent's client coordinates.
    RECT GetRectInParent() const;
    void ScreenToClient(POINT* point) const { ::ScreenToClient(hWnd, point); }
    void ClientToScreen(POINT* point) const { ::ClientToScreen(hWnd, point); }
    void MoveWindow(int x, int y, int width, int height, bool repaint = true);
    void MoveWindow(const RECT& rect, bool repaint = true);
    bool SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags);
    bool ShowWindow(int command) { return ::ShowWindow(hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(hWnd) != FALSE; }
    bool EnableWindow(bool enable = true) { return ::EnableWindow(hWnd, enable) != FALSE; }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(hWnd) != FALSE; }
    void Invalidate(bool erase = true) { ::InvalidateRect(hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, bool erase = true) { ::InvalidateRect(hWnd, rect, erase); }
    void UpdateWindow() { ::UpdateWindow(hWnd); }
    HWND SetFocus() { return ::SetFocus(hWnd); }
    HWND SetCapture() { return ::SetCapture(hWnd); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(hWnd, message, wParam, lParam);
    }
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(hWnd, message, wParam, lParam) != FALSE;
    }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) { return ::SetTimer(hWnd, id, milliseconds, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(hWnd, id) != FALSE; }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_EXSTYLE)); }
    // flags other than 0 are passed to SetWindowPos (e.g. SWP_FRAMECHANGED).
    bool ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    bool ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void SetFont(HFONT font, bool redraw = true) { SendMessage(WM_SETFONT, WPARAM(font), redraw); }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window would do without us.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Reflection, then command, notify and message maps; false leaves the default.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification this window sent to its parent, handed back; default: the _REFLECT
    // entries of the message map.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void PreSubclassWindow() {}
    // The window is gone (WM_NCDESTROY processed); hWnd is already null.
    virtual void PostNcDestroy() {}

    static const OrvMessageMap* GetThisMessageMap();
    virtual const OrvMessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    bool FindAndCall(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

private:
    void ReleaseDestroyedWindow();

    WNDPROC superProc = nullptr;  // set while a foreign window is subclassed
    bool ownsWindow = false;
};
