#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"

using namespace ControlSupport;

OrvCustomSliderCtrl::OrvCustomSliderCtrl(uint32_t, uint32_t) : scheme(&DefaultColourScheme()) {}

void OrvCustomSliderCtrl::SetColourScheme(const ColourScheme* newScheme) {
    scheme = newScheme != nullptr ? newScheme : &DefaultColourScheme();
    if (hWnd != nullptr) Invalidate(false);
}

void OrvCustomSliderCtrl::Send(const SliderModel::Codes& codes) {
    for (SliderCode code : codes) {
        WORD offset = static_cast<WORD>(model.Offset());
        ::SendMessageA(GetParent(), WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), offset),
                       reinterpret_cast<LPARAM>(hWnd));
        if (hWnd == nullptr) return;
    }
}

void OrvCustomSliderCtrl::AfterInput(const SliderModel::Codes& codes, bool now) {
    if (model.PageRepeating() != timer) {
        timer = model.PageRepeating();
        if (timer) {
            SetTimer(kPageTimer, SliderModel::kPageRepeatMs);
        } else {
            KillTimer(kPageTimer);
        }
    }
    Invalidate(false);
    if (now) UpdateWindow();
    Send(codes);
}

LRESULT OrvCustomSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            CPaintDC paint(hWnd);
            model.Layout(ToOrvRect(GetClientRect()));
            buffer.Paint(hWnd, paint, [&](HDC dc) { Draw(dc); });
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCPAINT:
            PaintNonClientFrame(hWnd, *scheme);
            return 0;
        case WM_SIZE:
            model.Layout(ToOrvRect(GetClientRect()));
            Invalidate(false);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            Invalidate(false);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus();
            model.Layout(ToOrvRect(GetClientRect()));
            SliderModel::Codes codes = model.Press(PointOf(lParam));
            if (model.WantsCapture()) SetCapture();
            AfterInput(codes, false);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (model.ThumbPressed()) {
                SliderModel::Codes codes =
                    model.Move(PointOf(lParam), GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
                if (!codes.empty()) AfterInput(codes, true);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: {
            // A capture taken away ends the press like a release.
            if (!model.ThumbPressed() && !model.PageRepeating() && message == WM_CAPTURECHANGED) return 0;
            SliderModel::Codes codes = model.Release();
            if (message == WM_LBUTTONUP && GetCapture() == hWnd) ReleaseCapture();
            AfterInput(codes, false);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kPageTimer) {
                AfterInput(model.PageTick(), false);
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            ControlKey key = KeyOf(wParam);
            SliderModel::Codes codes = message == WM_KEYDOWN ? model.KeyDown(key) : model.KeyUp(key);
            if (codes.empty()) break;
            AfterInput(codes, false);
            return 0;
        }
        case WM_MOUSEWHEEL:
            AfterInput(
                model.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0),
                false);
            return 0;
        // The trackbar's own messages, answered from the model.
        case TBM_GETPOS:
            return model.Position();
        case TBM_SETPOS:
            model.SetPosition(static_cast<int>(lParam));
            if (wParam) Invalidate(false);
            return 0;
        case TBM_GETRANGEMIN:
            return model.Minimum();
        case TBM_GETRANGEMAX:
            return model.Maximum();
        case TBM_SETRANGE:
            model.SetRange(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            if (wParam) Invalidate(false);
            return 0;
        case TBM_SETRANGEMIN:
            model.SetRange(static_cast<int>(lParam), model.Maximum());
            if (wParam) Invalidate(false);
            return 0;
        case TBM_SETRANGEMAX:
            model.SetRange(model.Minimum(), static_cast<int>(lParam));
            if (wParam) Invalidate(false);
            return 0;
        case TBM_SETPAGESIZE: {
            LRESULT old = static_cast<LRESULT>(model.PageStep());
            model.SetPageSize(static_cast<int>(lParam));
            return old;
        }
        case TBM_GETPAGESIZE:
            return static_cast<LRESULT>(model.PageStep());
        default:
            break;
    }
    return CSliderCtrl::WindowProc(message, wParam, lParam);
}

void OrvCustomSliderCtrl::Draw(HDC dc) {
    const ColourScheme& s = *scheme;
    const SliderGeometry& g = model.Geometry();
    RECT whole = ToRECT(g.whole);
    FillSolid(dc, whole, s[SchemeColour::Face]);
    OrvSavedDC saved(dc);
    IntersectClipRect(dc, whole.left, whole.top, whole.right, whole.bottom);

    // The groove: a sunken slot four pixels high along the channel.
    int m = (g.channel.top + g.channel.bottom) / 2, l = g.channel.left, r = g.channel.right;
    FillSolid(dc, RECT{l - 1, m - 2, r + 1, m - 1}, s[SchemeColour::Shadow]);
    FillSolid(dc, RECT{l - 1, m - 2, l, m + 2}, s[SchemeColour::Shadow]);
    FillSolid(dc, RECT{l, m - 1, r, m}, s[SchemeColour::DarkShadow]);
    FillSolid(dc, RECT{l - 1, m + 1, r + 1, m + 2}, s[SchemeColour::Highlight]);
    FillSolid(dc, RECT{r, m - 2, r + 1, m + 2}, s[SchemeColour::Highlight]);

    RECT thumb = ToRECT(g.thumb);
    RECT inside = thumb;
    InflateRect(&inside, -2, -2);
    if (model.ThumbPressed() || !IsWindowEnabled()) {
        FillHalftone(dc, inside, s[SchemeColour::Light], s[SchemeColour::Highlight]);
    } else {
        FillSolid(dc, inside, s[SchemeColour::Face]);
    }
    PaintFrame(dc, FrameStyle::Raised, thumb, s);

    if (GetFocus() == hWnd) {
        SetTextColor(dc, s[SchemeColour::Text]);
        SetBkColor(dc, s[SchemeColour::Face]);
        DrawFocusRect(dc, &whole);
    }
}
