#include "OrvLib/plugin/win32/OrvPSPluginDialog.h"

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/plugin/DialogSkin.h"

namespace {

void FillScheme(ColourScheme& scheme, COLORREF window) {
    // In high contrast every colour is the system's, in the pairs the user chose.
    if (ControlSupport::HighContrast()) {
        RefreshDefaultColourScheme();
        scheme = DefaultColourScheme();
        return;
    }
    const COLORREF colours[ColourScheme::kCount] = {
        RGB(201, 206, 207), RGB(240, 245, 246), RGB(217, 230, 231), RGB(146, 163, 165), RGB(114, 128, 132),
        RGB(0, 0, 0),       RGB(128, 128, 128), RGB(0, 0, 0),       RGB(168, 176, 178), window};
    for (int i = 0; i < ColourScheme::kCount; ++i) scheme.colours[i] = colours[i];
}

}  // namespace

BEGIN_MESSAGE_MAP(OrvPSPluginDialog, CDialog)
ON_WM_ERASEBKGND(&OrvPSPluginDialog::OnEraseBkgnd)
ON_WM_SYSCOLORCHANGE(&OrvPSPluginDialog::OnSysColorChange)
END_MESSAGE_MAP()

OrvPSPluginDialog::OrvPSPluginDialog(UINT initialTemplateId) : CDialog(initialTemplateId) {
    FillScheme(scheme, RGB(255, 255, 255));
    FillScheme(listScheme, RGB(201, 206, 207));
}

OrvPSPluginDialog::~OrvPSPluginDialog() = default;

BOOL OrvPSPluginDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    dpi = ControlSupport::WindowDpi(hWnd);
    BuildSkin();
    return TRUE;
}

void OrvPSPluginDialog::OnSysColorChange() {
    DefWindowProc(WM_SYSCOLORCHANGE, 0, 0);
    BuildSkin();
    Invalidate();
}

void OrvPSPluginDialog::BuildSkin() {
    FillScheme(scheme, RGB(255, 255, 255));
    FillScheme(listScheme, RGB(201, 206, 207));
    skin.Release();
    if (ControlSupport::HighContrast()) return;
    const int factor = DialogSkin::ArtFactor(dpi);
    OrvImage2 background;
    if (!LoadBackgroundImage(background, factor)) return;
    OrvImage2 overlay;
    const bool withOverlay = LoadOverlayImage(overlay, factor);
    const DialogSkin::GradientStops stops = {scheme[SchemeColour::DarkShadow], scheme[SchemeColour::Shadow],
                                             scheme[SchemeColour::Face], scheme[SchemeColour::Highlight]};
    if (!DialogSkin::Build(background, withOverlay ? &overlay : nullptr, stops, skin) || factor == 1) return;
    // The header, the previews' well and the body follow the client area, which the
    // template's font has scaled with the display.
    const RECT client = GetClientRect();
    OrvImage2 drawn;
    drawn.TakeFrom(skin);
    if (!DialogSkin::Resample(drawn, OrvSize{client.right, client.bottom}, skin)) skin.TakeFrom(drawn);
}

bool OrvPSPluginDialog::DrawBackground(HDC dc, const RECT& area, POINT origin) {
    if (skin.IsEmpty()) return false;
    const OrvSize size{skin.Width(), skin.AbsHeight()};
    DialogSkin::ForEachTile(OrvRect{area.left, area.top, area.right, area.bottom},
                            OrvPoint{origin.x, origin.y}, size,
                            [&](const OrvRect& destination, const OrvRect& source) {
                                skin.Draw(reinterpret_cast<OrvSurface::DC>(dc), destination, source,
                                          kOrvNoColour, kOrvNoColour, 0);
                            });
    return true;
}

BOOL OrvPSPluginDialog::OnEraseBkgnd(HDC dc) {
    const RECT client = GetClientRect();
    if (DrawBackground(dc, client, POINT{0, 0})) return TRUE;
    return static_cast<BOOL>(DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
}
