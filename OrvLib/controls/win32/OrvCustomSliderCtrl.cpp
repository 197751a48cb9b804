#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"

using namespace ControlSupport;

OrvCustomSliderCtrl::OrvCustomSliderCtrl(uint32_t, uint32_t) : scheme_(&DefaultColourScheme()) {}

void OrvCustomSliderCtrl::SetColourScheme(const ColourScheme* scheme) {
    scheme_ = scheme != nullptr ? scheme : &DefaultColourScheme();
    if (m_hWnd != nullptr) Invalidate(false);
}

void OrvCustomSliderCtrl::Send(const SliderModel::Codes& codes) {
    for (SliderCode code : codes) {
        WORD offset = static_cast<WORD>(model_.Offset());
        ::SendMessageA(GetParent(), WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), offset),
                       reinterpret_cast<LPARAM>(m_hWnd));
        if (m_hWnd == nullptr) return;
    }
}

void OrvCustomSliderCtrl::AfterInput(const SliderModel::Codes& codes, bool now) {
    if (model_.PageRepeating() != timer_) {
        timer_ = model_.PageRepeating();
        if (timer_) {
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
            CPaintDC paint(m_hWnd);
            model_.Layout(ToOrvRect(GetClientRect()));
            buffer_.Paint(m_hWnd, paint, [&](HDC dc) { Draw(dc); });
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCPAINT:
            PaintNonClientFrame(m_hWnd, *scheme_);
            return 0;
        case WM_SIZE:
            model_.Layout(ToOrvRect(GetClientRect()));
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
            model_.Layout(ToOrvRect(GetClientRect()));
            SliderModel::Codes codes = model_.Press(PointOf(lParam));
            if (model_.WantsCapture()) SetCapture();
            AfterInput(codes, false);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (model_.ThumbPressed()) {
                SliderModel::Codes codes =
                    model_.Move(PointOf(lParam), GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
                if (!codes.empty()) AfterInput(codes, true);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED: {
            // A capture taken away ends the press like a release.
            if (!model_.ThumbPressed() && !model_.PageRepeating() && message == WM_CAPTURECHANGED) return 0;
            SliderModel::Codes codes = model_.Release();
            if (message == WM_LBUTTONUP && GetCapture() == m_hWnd) ReleaseCapture();
            AfterInput(codes, false);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kPageTimer) {
                AfterInput(model_.PageTick(), false);
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            ControlKey key = KeyOf(wParam);
            SliderModel::Codes codes = message == WM_KEYDOWN ? model_.KeyDown(key) : model_.KeyUp(key);
            if (codes.empty()) break;
            AfterInput(codes, false);
            return 0;
        }
        case WM_MOUSEWHEEL:
            AfterInput(
                model_.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0),
                false);
            return 0;
        // The trackbar's own messages, answered from the model.
        case TBM_GETPOS:
            return model_.Position();
        case TBM_SETPOS:
            model_.SetPosition(static_cast<int>(lParam));
            if (wParam) Invalidate(false);
            return 0;
        case TBM_GETRANGEMIN:
            return model_.Minimum();
        case TBM_GETRANGEMAX:
            return model_.Maximum();
        case TBM_SETRANGE:
            model_.SetRange(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            if (wParam) Invalidate(false);
            return 0;
        case TBM_SETRANGEMIN:
            model_.SetRange(static_cast<int>(lParam), model_.Maximum());
            if (wParam) Invalidate(false);
            return 0;
        case TBM_SETRANGEMAX:
            model_.SetRange(model_.Minimum(), static_cast<int>(lParam));
            if (wParam) Invalidate(false);
            return 0;
        case TBM_SETPAGESIZE: {
            LRESULT old = static_cast<LRESULT>(model_.PageStep());
            model_.SetPageSize(static_cast<int>(lParam));
            return old;
        }
        case TBM_GETPAGESIZE:
            return static_cast<LRESULT>(model_.PageStep());
        default:
            break;
    }
    return CSliderCtrl::WindowProc(message, wParam, lParam);
}

void OrvCustomSliderCtrl::Draw(HDC dc) {
    const ColourScheme& s = *scheme_;
    const SliderGeometry& g = model_.Geometry();
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
    if (model_.ThumbPressed() || !IsWindowEnabled()) {
        FillHalftone(dc, inside, s[SchemeColour::Light], s[SchemeColour::Highlight]);
    } else {
        FillSolid(dc, inside, s[SchemeColour::Face]);
    }
    PaintFrame(dc, FrameStyle::Raised, thumb, s);

    if (GetFocus() == m_hWnd) {
        SetTextColor(dc, s[SchemeColour::Text]);
        SetBkColor(dc, s[SchemeColour::Face]);
        DrawFocusRect(dc, &whole);
    }
}
