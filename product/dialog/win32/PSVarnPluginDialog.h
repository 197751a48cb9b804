// The effect dialog: the previews before and after the effect with the zoom strip (zoom in,
// zoom out, the ratio and the locator), the tab strip with the four pages, and OK, Cancel
// and Help, on the skin of the product's background and overlay pictures. The pages write
// the settings into the plug-in's live block and ask for UpdatePreview; the dialog itself
// writes no setting.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "OrvLib/controls/win32/OrvCustomStatic.h"
#include "OrvLib/controls/win32/OrvDialogHelper.h"
#include "OrvLib/controls/win32/OrvDragTabCtrl.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/StandardControls.h"
#include "OrvLib/plugin/win32/OrvPSPluginDialog.h"
#include "OrvLib/plugin/win32/OrvPSPreviewControl.h"
#include "OrvLib/plugin/win32/OrvPSPreviewLocator.h"
#include "OrvLib/plugin/win32/OrvPSZoomRatioStatic.h"
#include "product/dialog/win32/PSVarnPageOwner.h"

class PSVarnPlugin;

class PSVarnPage;

class PSVarnPluginDialog : public OrvPSPluginDialog, public OrvDialogHelper, public PSVarnPageOwner {
public:
    explicit PSVarnPluginDialog(PSVarnPlugin* plugin);
    ~PSVarnPluginDialog() override;

    // Renders the result preview again (quick: the plug-in's time-bounded mode) and shows it.
    void UpdatePreview(bool quick) override;
    EffectParameters& PageParameters() override;
    uint8_t* PageBlock() override;
    size_t PageBlockSize() const override;
    const ColourScheme* PageScheme() const override { return &scheme; }
    const std::vector<PresetCategory>& PagePresets() const override;
    std::string PageNotice() const override;
    PSVarnPlugin* Plugin() const { return plugin; }

    static constexpr int kPages = 5;
    // Selects the next page (or the one before), as Control+Tab (with Shift) does.
    void StepPage(bool back);
    // One zoom level in or out, where there is one.
    void ZoomStep(bool in);
    // The window of page 0 (Image), 1 (Settings), 2 (Options), 3 (Variation) or 4 (Guides);
    // null before it exists.
    HWND PageWindow(int page) const;
    int SelectedPage() const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    bool LoadBackgroundImage(OrvImage2& image, int factor) override;
    bool LoadOverlayImage(OrvImage2& image, int factor) override;

    // WM_DPICHANGED: the new scale in the low word of wParam, the suggested window
    // rectangle at lParam.
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

private:
    // Places the previews, the zoom strip and the tab strip inside the template's tab area
    // (tabArea) at the current dpi.
    void ArrangePreviewArea();
    void ScaleTemplateLayout(int from, int to);
    void CreateTabStrip(const RECT& place);
    void CreatePages(const RECT& place);
    void ShowSelectedPage();
    void UpdateZoomButtons();
    void EnableToolTips();
    void InvalidateZoomViews();

    void OnHelp();
    void OnZoomIn();
    void OnZoomOut();
    void OnLocator();
    void OnTabChanged(NMHDR* header, LRESULT* result);
    void OnPreviewMoved(NMHDR* header, LRESULT* result);
    void OnContextMenu(HWND window, POINT point);
    void OnZoomAsked(NMHDR* header, LRESULT* result);
    void OnDestroy();
    LRESULT OnDialogKey(WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogKeyFilter(int code, WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT id, NMHDR* header, LRESULT* result);
    BOOL OnHelpInfo(HELPINFO* info);

    PSVarnPlugin* plugin;
    std::unique_ptr<PSVarnPage> imagePage;
    std::unique_ptr<PSVarnPage> settingsPage;
    std::unique_ptr<PSVarnPage> optionsPage;
    std::unique_ptr<PSVarnPage> variationPage;
    std::unique_ptr<PSVarnPage> guidesPage;
    OrvDragTabCtrl tabStrip;
    OrvCustomStatic zoomStrip;
    OrvCustomButton okButton, cancelButton, helpButton;
    CWnd templateTabs;
    OrvPSPreviewControl beforePreview;
    OrvPSPreviewControl resultPreview;
    OrvBitmapButton2 zoomIn;
    OrvBitmapButton2 zoomOut;
    OrvPSPreviewLocatorButton locator;
    OrvPSZoomRatioStatic zoomRatio;
    CStatic pagePlace;

    HWND toolTips = nullptr;
    // The template's page area and result preview, in pixels at the current dpi.
    RECT tabArea{}, previewBox{};
    OrvFont scaledFont;
    HHOOK keyFilter = nullptr;

    DECLARE_MESSAGE_MAP()
};
