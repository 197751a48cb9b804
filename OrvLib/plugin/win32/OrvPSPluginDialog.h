// The base of a filter's skinned dialog: two colour schemes for its controls and a
// background picture, built from the product's background and overlay pictures
// (DialogSkin.h) at initialisation and after every system colour change, and tiled over
// the client area whenever the background is erased.
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
    // The pictures the skin is made of; the base has none.
    virtual bool LoadBackgroundImage(OrvImage2&) { return false; }
    virtual bool LoadOverlayImage(OrvImage2&) { return false; }

    const ColourScheme& Scheme() const { return scheme; }
    // The same colours with the face colour as window colour, for list controls.
    const ColourScheme& ListScheme() const { return listScheme; }
    const OrvImage2& Skin() const { return skin; }

protected:
    BOOL OnInitDialog() override;
    void OnSysColorChange();
    BOOL OnEraseBkgnd(HDC dc);
    void BuildSkin();

    OrvImage2 skin;
    ColourScheme scheme;
    ColourScheme listScheme;

    DECLARE_MESSAGE_MAP()
};
