// The "Settings" page: density, rotation, opacity, scaling and depth. Every change is
// written at once into the live block through the page's one write path, then the owner
// refreshes the preview as the page's pacer says (quick only while input goes on).
#pragma once

#include <windows.h>

#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "OrvLib/controls/win32/OrvCustomStatic.h"
#include "product/dialog/SettingsPage.h"
#include "product/dialog/win32/PSVarnPage.h"

class PSVarnSettingsChild : public PSVarnPage {
public:
    explicit PSVarnSettingsChild(PSVarnPageOwner& owner);

protected:
    void WriteControls() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    SettingsPageState ReadControls() const;
    void UpdateEnabling();

    void OnGroupCheck();
    void OnDepthCheck();
    void OnAngleChanged();
    void OnAnglePressed(NMHDR* header, LRESULT* result);
    void OnAngleReleased(NMHDR* header, LRESULT* result);

    bool needleHeld = false;

    OrvCustomStatic scalePanel, rotationPanel, opacityLabel, densityLabel;
    OrvBitmapStatic opacityFull, opacityEmpty;
    OrvCustomSliderCtrl opacity, randomRotation, scale, randomScale, density;
    OrvAngleControl2 angle;
    OrvCustomButton fadeWithDepth, randomiseRotation, randomiseScaling, rotateImages, scaleImages,
        orderByDepth, desaturateWithDepth;

    DECLARE_MESSAGE_MAP()
};
