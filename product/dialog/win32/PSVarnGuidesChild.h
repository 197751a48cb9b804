// The "Guides" page: the density map and the size map as radio buttons with their sliders
// and number boxes, the spacing, following the edges and the map file's path. Like the
// other pages it writes every change at once through one write path (all guide fields
// together, into the block's extension) and then asks for a preview.
#pragma once

#include <windows.h>

#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "OrvLib/controls/win32/OrvCustomEditBox.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "OrvLib/controls/win32/OrvCustomStatic.h"
#include "product/dialog/GuidesPage.h"
#include "product/dialog/win32/OrvPSFileEdit.h"
#include "product/dialog/win32/PSVarnPage.h"

class PSVarnGuidesChild : public PSVarnPage {
public:
    explicit PSVarnGuidesChild(PSVarnPageOwner& owner);

    // The map file may have been read (or failed to be) since the page was last shown.
    void Shown() override { ShowNotice(); }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void WriteControls() override;

private:
    GuidesPageState ReadControls() const;
    void UpdateEnabling();
    void ShowNotice();
    void OnChoice();
    void OnBrowse();

    OrvCustomStatic strengthLabel, sizeMinimumLabel, sizeMaximumLabel, mapFileLabel, notice;
    OrvCustomSliderCtrl strength, sizeMinimum, sizeMaximum;
    OrvCustomButton densityGroup, sizeGroup, keepCount, followEdges, spacingRandom, spacingEven, browse;
    OrvCustomButton densityMap[4], sizeMap[4];
    OrvPSFileEdit mapFile;  // a long path shortened in its middle, so the name shows

    DECLARE_MESSAGE_MAP()
};
