#include "OrvLib/controls/win32/OrvControlBase.h"

#include "OrvLib/controls/win32/ControlSupport.h"

#include <algorithm>

#include "OrvLib/controls/FrameGeometry.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/GdiHolders.h"

namespace {

OrvPoint PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
POINT ToPOINT(OrvPoint p) { return POINT{p.x, p.y}; }

}  // namespace

OrvControlBase::OrvControlBase()
    : route(*this, MouseRoute::kAllButtons), nextIdentifier(kFirstControlIdentifier) {}

OrvControlBase::~OrvControlBase() {
    // The window goes with the object; its timer must not outlive the manager.
    if (hWnd != nullptr) AutoScrollStop();
}

bool OrvControlBase::Create(const char* kind, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                            DWORD exStyle) {
    if (!CWnd::Create(kind, "", style, rect, parent, id, exStyle)) return false;
    surface.Buffer().SetWindow(hWnd);
    return true;
}

void OrvControlBase::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    if (hWnd != nullptr) Invalidate(false);
}

void OrvControlBase::NotifyCommand() { ControlSupport::SendCommand(hWnd, 0); }

LRESULT OrvControlBase::NotifyCode(UINT code) { return ControlSupport::SendNotify(hWnd, code); }

int OrvControlBase::NextIdentifier() { return NextControlIdentifier(nextIdentifier); }

bool OrvControlBase::OnMouseWheel(int, POINT, UINT) { return false; }

void OrvControlBase::OnKeyDown(UINT key, bool, bool) {
    if (key == VK_ESCAPE) route.Tracker().Escape();
}

void OrvControlBase::Draw(HDC dc) {
    const RECT client = GetClientRect();
    FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
    const COLORREF old = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const int mode = SetBkMode(dc, TRANSPARENT);
    RECT text = client;
    DrawTextA(dc, "Override OrvControlBase::Draw()", -1, &text, DT_LEFT | DT_TOP | DT_WORDBREAK);
    SetBkMode(dc, mode);
    SetTextColor(dc, old);
}

void OrvControlBase::Paint(HDC target) {
    surface.Buffer().Paint(hWnd, target, [&](HDC dc) { Draw(dc); });
}

void OrvControlBase::FanOut(UINT message, WPARAM wParam, LPARAM lParam) {
    const int repeats = std::max(1, static_cast<int>(lParam & 0xFFFF));
    bool wasDown = (lParam & (1L << 30)) != 0;
    const bool system = message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR;
    const UINT key = static_cast<UINT>(wParam);
    for (int i = 0; i < repeats; ++i) {
        if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
            OnKeyDown(key, wasDown, system);
        else if (message == WM_KEYUP || message == WM_SYSKEYUP)
            OnKeyUp(key, wasDown, system);
        else
            OnChar(key, wasDown, system);
        wasDown = false;
    }
}

LRESULT OrvControlBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Keys go through OnKeyDown, whose default cancels a drag on Escape.
    if (message != WM_KEYDOWN && message != WM_MOUSEMOVE && message != WM_RBUTTONUP &&
        route.Handle(hWnd, message, wParam, lParam))
        return 0;
    switch (message) {
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(ToPOINT(PointOf(lParam)));
            return 0;
        case WM_MBUTTONDBLCLK:
            OnMButtonDblClk(ToPOINT(PointOf(lParam)));
            return 0;
        case WM_RBUTTONDBLCLK:
            OnRButtonDblClk(ToPOINT(PointOf(lParam)));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(ToPOINT(PointOf(lParam)), static_cast<UINT>(wParam));
            route.Handle(hWnd, message, wParam, lParam);
            return 0;
        case WM_RBUTTONUP:
            route.Handle(hWnd, message, wParam, lParam);
            break;  // the default turns it into the context menu request
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            FanOut(message, wParam, lParam);
            return 0;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            // System keys still reach the default (Alt+F4, the window menu).
            FanOut(message, wParam, lParam);
            break;
        case WM_MOUSEWHEEL: {
            const POINT point = ToPOINT(PointOf(lParam));
            if (OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam), point, GET_KEYSTATE_WPARAM(wParam))) return 0;
            break;
        }
        case WM_TIMER:
            if (wParam == kTimerId && AutoScrollActive()) {
                AutoScrollTick();
                return 0;
            }
            break;
        case WM_PAINT:
        case WM_ERASEBKGND: {
            LRESULT painted = 0;
            surface.Paint(hWnd, message, painted, [&](HDC dc) { Draw(dc); });
            return painted;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_NCPAINT:
            if (ownBorder) {
                PaintNonClientFrame(hWnd, Scheme());
                return 0;
            }
            break;
        case WM_GETDLGCODE:
            // During a drag Escape belongs to the control, not to the dialog's Cancel.
            return route.DialogCode(dialogCode);
        case WM_DESTROY:
            AutoScrollStop();
            break;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void OrvControlBase::ButtonDown(MouseButton button, OrvPoint point) {
    const POINT p = ToPOINT(point);
    if (button == MouseButton::Left) OnLButtonDown(p);
    if (button == MouseButton::Middle) OnMButtonDown(p);
    if (button == MouseButton::Right) OnRButtonDown(p);
}

void OrvControlBase::Click(MouseButton button, OrvPoint point) {
    const POINT p = ToPOINT(point);
    if (button == MouseButton::Left) OnLButtonUp(p);
    if (button == MouseButton::Middle) OnMButtonUp(p);
    if (button == MouseButton::Right) OnRButtonUp(p);
}

void OrvControlBase::DragBegin(MouseButton button, OrvPoint press) {
    const POINT p = ToPOINT(press);
    if (button == MouseButton::Left) OnLDragBegin(p);
    if (button == MouseButton::Middle) OnMDragBegin(p);
    if (button == MouseButton::Right) OnRDragBegin(p);
}

void OrvControlBase::DragMove(MouseButton button, OrvPoint point) {
    const POINT p = ToPOINT(point);
    if (button == MouseButton::Left) OnLDragMove(p);
    if (button == MouseButton::Middle) OnMDragMove(p);
    if (button == MouseButton::Right) OnRDragMove(p);
}

void OrvControlBase::DragEnd(MouseButton button, OrvPoint point) {
    const POINT p = ToPOINT(point);
    if (button == MouseButton::Left) OnLDragEnd(p);
    if (button == MouseButton::Middle) OnMDragEnd(p);
    if (button == MouseButton::Right) OnRDragEnd(p);
}

void OrvControlBase::DragCancel(MouseButton button) {
    if (button == MouseButton::Left) OnLDragCancel();
    if (button == MouseButton::Middle) OnMDragCancel();
    if (button == MouseButton::Right) OnRDragCancel();
}

void OrvControlBase::StartAutoScroll() { AutoScrollStart(); }

void OrvControlBase::StopAutoScroll() { AutoScrollStop(); }
