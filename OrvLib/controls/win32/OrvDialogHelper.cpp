#include "OrvLib/controls/win32/OrvDialogHelper.h"

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/FrameGeometry.h"
#include "OrvLib/framework/CWnd.h"

HWND OrvDialogHelper::DialogWindow() {
    CWnd* dialog = dynamic_cast<CWnd*>(this);
    return dialog != nullptr ? dialog->hWnd : nullptr;
}

void OrvDialogHelper::EnableControls(const int* ids, bool enable) {
    for (; ids != nullptr && *ids != 0; ++ids)
        if (HWND control = GetDlgItem(DialogWindow(), *ids)) EnableWindow(control, enable);
}

void OrvDialogHelper::ShowControls(const int* ids, bool show) {
    for (; ids != nullptr && *ids != 0; ++ids)
        if (HWND control = GetDlgItem(DialogWindow(), *ids)) ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void OrvDialogHelper::ArrangeControls(int width, int height, int dx, int dy, double fx, double fy,
                                      CWnd* const* windows) {
    if (windows == nullptr || windows[0] == nullptr) return;
    const RECT first = windows[0]->GetRectInParent();
    OrvPoint at{first.left, first.top};
    for (; *windows != nullptr; ++windows) {
        CWnd& window = **windows;
        const RECT own = window.GetWindowRect();
        const int w = width == -1 ? own.right - own.left : width;
        const int h = width == -1 ? own.bottom - own.top : height;
        window.MoveWindow(at.x, at.y, w, h);
        at = ArrangeAdvance(at, w, h, dx, dy, fx, fy);
    }
}
