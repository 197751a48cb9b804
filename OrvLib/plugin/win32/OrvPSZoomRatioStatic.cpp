#include "OrvLib/plugin/win32/OrvPSZoomRatioStatic.h"

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/plugin/OrvPSFilter.h"
#include "OrvLib/plugin/ViewModel.h"

OrvPSZoomRatioStatic::OrvPSZoomRatioStatic(OrvPSFilter* initialFilter, bool initialShowFraction)
    : filter(initialFilter), showFraction(initialShowFraction), scheme(&DefaultColourScheme()) {}

void OrvPSZoomRatioStatic::SetColourScheme(const ColourScheme* newScheme) {
    scheme = newScheme != nullptr ? newScheme : &DefaultColourScheme();
    if (hWnd != nullptr) Invalidate();
}

std::string OrvPSZoomRatioStatic::Text() const {
    if (filter == nullptr) return prefix;
    return ViewModel::ZoomRatioText(filter->GetZoomLevel(), filter->CanZoomOut(), showFraction,
                                    filter->GetViewRect(), filter->GetPreviewSize(), prefix);
}

void OrvPSZoomRatioStatic::Paint(HDC dc) {
    const RECT client = GetClientRect();
    const std::string text = Text();
    OrvSelection font(dc, ControlSupport::GuiFont(hWnd));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SetTextColor(dc, (*scheme)[SchemeColour::Text]);
    SetBkColor(dc, (*scheme)[SchemeColour::Face]);
    // Opaque and clipped: the background is filled in the same stroke.
    ExtTextOutA(dc, client.right / 2 - extent.cx / 2, client.bottom / 2 - extent.cy / 2,
                ETO_OPAQUE | ETO_CLIPPED, &client, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

LRESULT OrvPSZoomRatioStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        CPaintDC dc(hWnd);
        Paint(dc);
        return 0;
    }
    if (message == WM_PRINTCLIENT) {
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
