// The "Variation" page: hue, brightness and opacity variation as sliders with number
// boxes, the two mirroring check boxes and the blend mode as radio buttons. Like the other
// pages it writes every change at once through one write path (all five variation fields
// together, into the block's extension) and then asks for a preview.
#pragma once

#include <windows.h>

#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "OrvLib/controls/win32/OrvCustomStatic.h"
#include "product/dialog/VariationPage.h"
#include "product/dialog/win32/PSVarnPage.h"

class PSVarnVariationChild : public PSVarnPage {
public:
    explicit PSVarnVariationChild(PSVarnPageOwner& owner);

    // A relief has no colour: the colour variations are off while the block says texture,
    // which the Options page may have changed since the page was last shown.
    void Shown() override { UpdateEnabling(); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void WriteControls() override;

private:
    VariationPageState ReadControls() const;
    void UpdateEnabling();
    void OnChoice();

    OrvCustomStatic hueLabel, brightnessLabel, opacityLabel;
    OrvCustomSliderCtrl hue, brightness, opacity;
    OrvCustomButton flipHorizontally, flipVertically, blendGroup;
    OrvCustomButton blend[6];

    DECLARE_MESSAGE_MAP()
};
