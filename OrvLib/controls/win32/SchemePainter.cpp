#include "OrvLib/controls/win32/SchemePainter.h"

#include "OrvLib/framework/GdiHolders.h"

namespace {

ColourScheme FromSystem() {
    static const int kSystem[ColourScheme::kCount] = {
        COLOR_BTNFACE,    COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT,       COLOR_BTNSHADOW, COLOR_3DDKSHADOW,
        COLOR_WINDOWTEXT, COLOR_GRAYTEXT,     COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT, COLOR_WINDOW};
    ColourScheme scheme;
    for (int i = 0; i < ColourScheme::kCount; ++i) scheme.colours[i] = GetSysColor(kSystem[i]);
    return scheme;
}

ColourScheme& DefaultScheme() {
    static ColourScheme scheme = FromSystem();
    return scheme;
}

HGDIOBJ FontOrStock(HFONT font) { return font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT); }

void TextWithFont(HDC dc, const std::string& text, RECT rect, UINT format, COLORREF colour, HFONT chosen) {
    OrvSelection font(dc, FontOrStock(chosen));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace

const ColourScheme& DefaultColourScheme() { return DefaultScheme(); }

void RefreshDefaultColourScheme() { DefaultScheme() = FromSystem(); }

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    // ExtTextOut with an opaque rectangle fills without a brush to create.
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void PaintFrame(HDC dc, FrameStyle style, const RECT& rect, const ColourScheme& scheme) {
    for (const FrameLine& line : FrameLines(style, ToOrvRect(rect)))
        FillSolid(dc, ToRECT(line.rect), scheme[line.colour]);
}

bool PaintNonClientFrame(HWND window, const ColourScheme& scheme) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    const bool edged = (exStyle & WS_EX_CLIENTEDGE) != 0 || (style & WS_BORDER) != 0;
    const int border = NonClientBorderWidth(outer.bottom - outer.top, client.bottom - client.top);
    const FrameStyle frame = NonClientFrameStyle(border, edged, GetParent(window) != nullptr);
    if (frame == FrameStyle::None) return false;
    CClientDC dc(window, true);
    PaintFrame(dc, frame, RECT{0, 0, outer.right - outer.left, outer.bottom - outer.top}, scheme);
    return true;
}

void FillBands(HDC dc, const RECT& outer, const RECT& inner, COLORREF colour) {
    for (const OrvRect& band : Bands(ToOrvRect(outer), ToOrvRect(inner))) FillSolid(dc, ToRECT(band), colour);
}

void DrawSchemeText(HDC dc, const std::string& text, RECT rect, UINT format, const ColourScheme& scheme,
                    HFONT font) {
    TextWithFont(dc, text, rect, format, scheme[SchemeColour::Text], font);
}

void DrawEmbossedText(HDC dc, const std::string& text, RECT rect, UINT format, const ColourScheme& scheme,
                      HFONT chosen) {
    RECT offset{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    {
        OrvSelection font(dc, FontOrStock(chosen));
        const int oldMode = SetBkMode(dc, OPAQUE);
        const COLORREF oldBack = SetBkColor(dc, scheme[SchemeColour::Face]);
        const COLORREF oldColour = SetTextColor(dc, scheme[SchemeColour::Highlight]);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &offset, format);
        SetTextColor(dc, oldColour);
        SetBkColor(dc, oldBack);
        SetBkMode(dc, oldMode);
    }
    TextWithFont(dc, text, rect, format, scheme[SchemeColour::Shadow], chosen);
}
