#include "OrvLib/plugin/win32/OrvPSPreviewLocator.h"

#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/Module.h"
#include "OrvLib/plugin/OrvPSFilter.h"
#include "OrvLib/plugin/ViewModel.h"

namespace {

constexpr const char* kPopupKind = "OrvPreviewLocator";

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

bool OrvPSPreviewLocatorPopup::Open(POINT screenPoint) {
    if (hWnd != nullptr || filter == nullptr) return false;
    const OrvImage2* image = filter->GetLocatorImage();
    const OrvSize size =
        image != nullptr && !image->IsEmpty() ? OrvSize{image->Width(), image->AbsHeight()} : OrvSize{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& w = monitor.rcWork;
    const OrvRect r =
        ViewModel::LocatorPopupRect(OrvPoint{screenPoint.x, screenPoint.y}, size,
                                    OrvSize{GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME)},
                                    OrvRect{w.left, w.top, w.right, w.bottom});
    // No class style: the pop-up lives only while the button is held.
    if (OrvWindowClass(kPopupKind, 0) == nullptr) return false;
    if (!Create(kPopupKind, "Preview Locator", WS_POPUP, RECT{r.left, r.top, r.right, r.bottom},
                static_cast<HWND>(nullptr), 0, WS_EX_DLGMODALFRAME))
        return false;
    finishing = false;
    frame = filter->GetViewRect();
    frameClient = ViewModel::ImageToClient(frame, filter->GetFilterRect(), Client());
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    SetCapture();
    POINT centre{(frameClient.left + frameClient.right) / 2, (frameClient.top + frameClient.bottom) / 2};
    ClientToScreen(&centre);
    SetCursorPos(centre.x, centre.y);
    return true;
}

OrvRect OrvPSPreviewLocatorPopup::Client() const {
    const RECT c = GetClientRect();
    return OrvRect{c.left, c.top, c.right, c.bottom};
}

void OrvPSPreviewLocatorPopup::Track(POINT point) {
    const OrvRect client = Client();
    frame = ViewModel::TrackLocator(filter->GetViewRect(), OrvPoint{point.x, point.y},
                                    filter->GetFilterRect(), client);
    frameClient = ViewModel::ImageToClient(frame, filter->GetFilterRect(), client);
    Invalidate(false);
}

void OrvPSPreviewLocatorPopup::Finish(POINT point) {
    Track(point);
    finishing = true;
    if (::GetCapture() == hWnd) ::ReleaseCapture();
    HWND sender = hWnd;
    DestroyWindow();
    filter->SetViewRect(frame);
    HWND parent = button->GetParent();
    if (parent != nullptr) {
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(button->GetDlgCtrlID(), 0),
                       reinterpret_cast<LPARAM>(sender));
    }
}

void OrvPSPreviewLocatorPopup::Paint(HDC target) {
    const RECT client = GetClientRect();
    HDC dc = buffer.Fit(target, client.right, client.bottom);
    // An empty pop-up has nothing to show and nothing to map.
    if (dc == nullptr) return;
    OrvImage2* image = filter->GetLocatorImage();
    if (image == nullptr || image->IsEmpty()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    } else {
        image->Draw(reinterpret_cast<OrvSurface::DC>(dc), Client(),
                    OrvRect{0, 0, image->Width(), image->AbsHeight()}, kOrvNoColour, kOrvNoColour, 0);
        OrvSelection brush(dc, GetStockObject(HOLLOW_BRUSH));
        OrvSelection pen(dc, GetStockObject(BLACK_PEN));
        const int mode = SetROP2(dc, R2_NOT);
        Rectangle(dc, frameClient.left, frameClient.top, frameClient.right, frameClient.bottom);
        SetROP2(dc, mode);
    }
    buffer.CopyTo(target);
}

LRESULT OrvPSPreviewLocatorPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (::GetCapture() == hWnd) Track(PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            if (!finishing) Finish(PointOf(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            // Taken away before the release: close and leave the view alone.
            if (!finishing && reinterpret_cast<HWND>(lParam) != hWnd) {
                finishing = true;
                ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_CLOSE:
            DestroyWindow();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            CPaintDC dc(hWnd);
            Paint(dc);
            return 0;
        }
        case WM_NCDESTROY:
            buffer.Release();
            break;
        default:
            break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT OrvPSPreviewLocatorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        POINT screen = PointOf(lParam);
        ClientToScreen(&screen);
        popup.Open(screen);
        return 0;
    }
    return OrvBitmapButton2::WindowProc(message, wParam, lParam);
}
