// The base of a filter's skinned dialog: two colour schemes for its controls and a
// background picture, built from the product's background and overlay pictures
// (DialogSkin.h) at initialisation, after every system colour change and display scale
// change, and tiled over the client area whenever the background is erased. At 96 pixels
// an inch the skin is the picture as drawn; at larger scales the picture drawn at twice
// the size, resampled to the client area. In high contrast the schemes take the system's
// colours and there is no skin, so every text keeps the contrast the user chose.
#pragma once

#include <windows.h>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/framework/CDialog.h"
#include "OrvLib/image/OrvImage2.h"

class OrvPSPluginDialog : public CDialog {
public:
    explicit OrvPSPluginDialog(UINT templateId);
    ~OrvPSPluginDialog() override;

    // Paints the skin tiled over area, shifted by origin, for callers that paint only a
    // part of the picture (pages pass minus their place in the dialog); false without skin.
    virtual bool DrawBackground(HDC dc, const RECT& area, POINT origin);
    // The pictures the skin is made of, drawn at factor (1 or 2) times the 96-dpi size; the
    // base has none.
    virtual bool LoadBackgroundImage(OrvImage2&, int /*factor*/) { return false; }
    virtual bool LoadOverlayImage(OrvImage2&, int /*factor*/) { return false; }
    // The display scale the dialog is laid out for, in pixels an inch.
    int Dpi() const { return dpi; }

    const ColourScheme& Scheme() const { return scheme; }
    // The same colours with the face colour as window colour, for list controls.
    const ColourScheme& ListScheme() const { return listScheme; }
    const OrvImage2& Skin() const { return skin; }

protected:
    BOOL OnInitDialog() override;
    void OnSysColorChange();
    BOOL OnEraseBkgnd(HDC dc);
    // The schemes and the skin for the current dpi, high contrast and client size.
    void BuildSkin();

    int dpi = 96;
    OrvImage2 skin;
    ColourScheme scheme;
    ColourScheme listScheme;

    DECLARE_MESSAGE_MAP()
};
