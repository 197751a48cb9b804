#include "OrvLib/controls/win32/OrvCustomStatic.h"

#include "OrvLib/controls/win32/ControlSupport.h"

using namespace ControlSupport;

void OrvCustomStatic::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    if (hWnd != nullptr) Invalidate(false);
}

LRESULT OrvCustomStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const ColourScheme& s = surface.Scheme();
    LRESULT painted = 0;
    if (surface.Paint(hWnd, message, painted, [&](HDC dc) {
            RECT client = GetClientRect();
            FillSolid(dc, client, s[SchemeColour::Face]);
            // A label whose controls are off reads as off too, as a disabled button's text does.
            const auto draw = IsWindowEnabled() ? &DrawSchemeText : &DrawEmbossedText;
            // An ampersand marks the access key, as in the system's labels.
            const UINT prefix = (GetStyle() & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
            draw(dc, TextOf(hWnd), client, DT_LEFT | DT_TOP | DT_SINGLELINE | prefix, s, GuiFont(hWnd));
        }))
        return painted;
    switch (message) {
        case WM_NCPAINT:
            PaintNonClientFrame(hWnd, s);
            return 0;
        case WM_ENABLE:
            Invalidate(false);
            return 0;
        case WM_SETTEXT: {
            LRESULT r = Quietly(hWnd, [&] { return DefWindowProc(message, wParam, lParam); });
            RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return r;
        }
        default:
            return CStatic::WindowProc(message, wParam, lParam);
    }
}

void OrvBitmapStatic::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    prepared = false;
    if (hWnd != nullptr) Invalidate(false);
}

void OrvBitmapStatic::Prepare() {
    prepared = true;
    ButtonBitmap::Pixels source = PixelsOf(GetBitmap());
    width = source.width;
    height = source.height;
    const ColourScheme& s = surface.Scheme();
    coloured.Reset(source.width > 0 ? BitmapOf(ButtonBitmap::SchemeColoured(
                                          source, s[SchemeColour::Highlight], s[SchemeColour::Face],
                                          s[SchemeColour::Shadow]))
                                    : nullptr);
}

LRESULT OrvBitmapStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (surface.Paint(hWnd, message, painted, [&](HDC dc) {
            if (!prepared) Prepare();
            RECT client = GetClientRect();
            // The scheme's face around the picture, so the label matches its dialog.
            FillSolid(dc, client, surface.Scheme()[SchemeColour::Face]);
            if (coloured) {
                OrvMemoryDC source(dc);
                OrvSelection selected(source, coloured);
                BitBlt(dc, (client.right - width) / 2, (client.bottom - height) / 2, width, height, source, 0,
                       0, SRCCOPY);
            }
        }))
        return painted;
    switch (message) {
        case WM_SYSCOLORCHANGE:
            prepared = false;
            Invalidate(false);
            break;
        case STM_SETIMAGE: {
            LRESULT r = Quietly(hWnd, [&] { return DefWindowProc(message, wParam, lParam); });
            prepared = false;
            Invalidate(false);
            return r;
        }
        default:
            break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
