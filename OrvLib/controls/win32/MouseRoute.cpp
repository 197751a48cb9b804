#include "OrvLib/controls/win32/MouseRoute.h"

namespace {

OrvPoint PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

MouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return MouseButton::Left;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return MouseButton::Middle;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return MouseButton::Right;
        default:
            return MouseButton::None;
    }
}

}  // namespace

MouseRoute::MouseRoute(MouseTrackerEvents& events, unsigned routeOptions)
    : client(events), options(routeOptions), tracker(*this) {}

bool MouseRoute::Tracks(MouseButton button) const {
    return button == MouseButton::Left || (button != MouseButton::None && (options & kAllButtons) != 0);
}

bool MouseRoute::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    hWnd = window;
    const MouseButton button = ButtonOf(message);
    switch (message) {
        case WM_LBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            if ((options & kDoubleClickPresses) == 0 || !Tracks(button)) return false;
            tracker.ButtonDown(button, PointOf(lParam));
            return true;
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (!Tracks(button)) return false;
            tracker.ButtonDown(button, PointOf(lParam));
            return true;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
        case WM_RBUTTONUP:
            if (!Tracks(button)) return false;
            tracker.ButtonUp(button, PointOf(lParam));
            return true;
        case WM_MOUSEMOVE:
            tracker.Move(PointOf(lParam), GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
            return true;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hWnd) tracker.CaptureLost();
            return true;
        case WM_KEYDOWN:
            if (wParam != VK_ESCAPE || !tracker.Dragging()) return false;
            tracker.Escape();
            return true;
        default:
            return false;
    }
}

void MouseRoute::DragBegin(MouseButton button, OrvPoint press) {
    // Escape cancels the drag only if it reaches this window: in a dialog the focused
    // control would otherwise pass it on as the dialog's Cancel.
    if (::GetFocus() != hWnd) ::SetFocus(hWnd);
    client.DragBegin(button, press);
}

void MouseRoute::TakeCapture() { ::SetCapture(hWnd); }

void MouseRoute::LetGoCapture() {
    if (::GetCapture() == hWnd) ::ReleaseCapture();
}
