#include "OrvLib/framework/CommonControls.h"

#include <vector>

namespace {

// The size every comctl32 version accepts; the larger structure of newer headers is
// refused by the older library.
const UINT kToolInfoSize = TTTOOLINFOA_V2_SIZE;

}  // namespace

void OrvInitCommonControls() {
    INITCOMMONCONTROLSEX init{sizeof init,
                              ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
}

std::string CListBox::GetText(int index) const {
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

int CListBox::ItemFromPoint(POINT point) const {
    const LRESULT answer = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    return HIWORD(answer) != 0 ? -1 : static_cast<int>(LOWORD(answer));
}

int CTabCtrl::InsertItem(int index, const std::string& text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(
        SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

bool CToolTipCtrl::Create(CWnd* ownerWindow, DWORD style) {
    OrvInitCommonControls();
    owner = ownerWindow != nullptr ? ownerWindow->hWnd : nullptr;
    if (!CreateControl(TOOLTIPS_CLASSA, "", WS_POPUP | style, RECT{0, 0, 0, 0}, owner, 0)) return false;
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool CToolTipCtrl::AddTool(HWND tool, const char* text, bool subclass) {
    TTTOOLINFOA info =
        ToolInfo(owner != nullptr ? owner : ::GetParent(tool), reinterpret_cast<UINT_PTR>(tool));
    info.uFlags = TTF_IDISHWND | (subclass ? TTF_SUBCLASS : 0);
    info.lpszText = const_cast<char*>(text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

bool CToolTipCtrl::AddTool(HWND window, const char* text, const RECT& rect, UINT_PTR id, bool subclass) {
    TTTOOLINFOA info = ToolInfo(window, id);
    info.uFlags = subclass ? TTF_SUBCLASS : 0;
    info.rect = rect;
    info.lpszText = const_cast<char*>(text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

int CToolTipCtrl::AddChildTools(HWND parent) {
    int added = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (child != hWnd && AddTool(child, LPSTR_TEXTCALLBACK)) ++added;
    return added;
}

void CToolTipCtrl::DelTool(HWND window, UINT_PTR id) {
    TTTOOLINFOA info = ToolInfo(window, id);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(const char* text, HWND window, UINT_PTR id) {
    TTTOOLINFOA info = ToolInfo(window, id);
    info.lpszText = const_cast<char*>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

TTTOOLINFOA CToolTipCtrl::ToolInfo(HWND window, UINT_PTR id) {
    TTTOOLINFOA info{};
    info.cbSize = kToolInfoSize;
    info.hwnd = window;
    info.uId = id;
    return info;
}
