// The "Options" page: whole objects only, no overlap, the texture with its amount, and the
// random seed. Like the settings page it writes every change at once through one write
// path (all five option fields together) and then asks for a preview.
#pragma once

#include <windows.h>

#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "OrvLib/controls/win32/OrvCustomEditBox.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "OrvLib/controls/win32/OrvCustomStatic.h"
#include "product/dialog/OptionsPage.h"
#include "product/dialog/win32/PSVarnPage.h"

class PSVarnOptionsChild : public PSVarnPage {
public:
    explicit PSVarnOptionsChild(PSVarnPageOwner& owner);

protected:
    void WriteControls() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    OptionsPageState ReadControls() const;
    void UpdateEnabling();

    void OnRandomise();
    void OnSeedCommitted();
    void OnTexture();
    void OnOption();

    OrvCustomStatic seedLabel;
    OrvCustomButton randomise;
    OrvCustomSliderCtrl textureAmount;
    OrvCustomIntegerEditBox seed;
    OrvCustomButton applyAsTexture, wholeObjectsOnly, noOverlap;

    DECLARE_MESSAGE_MAP()
};
