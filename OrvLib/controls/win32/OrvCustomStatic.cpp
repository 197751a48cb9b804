#include "OrvLib/controls/win32/OrvCustomStatic.h"

#include "OrvLib/controls/win32/ControlSupport.h"

using namespace ControlSupport;

OrvCustomStatic::OrvCustomStatic() : scheme_(&DefaultColourScheme()) {}

void OrvCustomStatic::SetColourScheme(const ColourScheme* scheme) {
    scheme_ = scheme != nullptr ? scheme : &DefaultColourScheme();
    if (m_hWnd != nullptr) Invalidate(false);
}

LRESULT OrvCustomStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            CPaintDC paint(m_hWnd);
            buffer_.Paint(m_hWnd, paint, [&](HDC dc) {
                RECT client = GetClientRect();
                FillSolid(dc, client, (*scheme_)[SchemeColour::Face]);
                DrawSchemeText(dc, TextOf(m_hWnd), client, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX,
                               *scheme_);
            });
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCPAINT:
            PaintNonClientFrame(m_hWnd, *scheme_);
            return 0;
        case WM_SETTEXT: {
            LRESULT r = Quietly(m_hWnd, [&] { return DefWindowProc(message, wParam, lParam); });
            RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return r;
        }
        default:
            return CStatic::WindowProc(message, wParam, lParam);
    }
}

OrvBitmapStatic::OrvBitmapStatic() : scheme_(&DefaultColourScheme()) {}

void OrvBitmapStatic::SetColourScheme(const ColourScheme* scheme) {
    scheme_ = scheme != nullptr ? scheme : &DefaultColourScheme();
    prepared_ = false;
    if (m_hWnd != nullptr) Invalidate(false);
}

void OrvBitmapStatic::Prepare() {
    prepared_ = true;
    ButtonBitmap::Pixels source = PixelsOf(GetBitmap());
    width_ = source.width;
    height_ = source.height;
    const ColourScheme& s = *scheme_;
    coloured_.Reset(source.width > 0 ? BitmapOf(ButtonBitmap::SchemeColoured(
                                           source, s[SchemeColour::Highlight], s[SchemeColour::Face],
                                           s[SchemeColour::Shadow]))
                                     : nullptr);
}

LRESULT OrvBitmapStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            CPaintDC paint(m_hWnd);
            if (!prepared_) Prepare();
            buffer_.Paint(m_hWnd, paint, [&](HDC dc) {
                RECT client = GetClientRect();
                // The scheme's face around the picture, so the label matches its dialog.
                FillSolid(dc, client, (*scheme_)[SchemeColour::Face]);
                if (coloured_) {
                    OrvMemoryDC source(dc);
                    OrvSelection selected(source, coloured_);
                    BitBlt(dc, (client.right - width_) / 2, (client.bottom - height_) / 2, width_, height_,
                           source, 0, 0, SRCCOPY);
                }
            });
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SYSCOLORCHANGE:
            prepared_ = false;
            Invalidate(false);
            break;
        case STM_SETIMAGE: {
            LRESULT r = Quietly(m_hWnd, [&] { return DefWindowProc(message, wParam, lParam); });
            prepared_ = false;
            Invalidate(false);
            return r;
        }
        default:
            break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
