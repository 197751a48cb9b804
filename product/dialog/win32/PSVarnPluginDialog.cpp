#include "product/dialog/win32/PSVarnPluginDialog.h"

#include <commctrl.h>

#include <vector>

#include "OrvLib/framework/DataExchange.h"
#include "OrvLib/framework/Module.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/ToolTips.h"
#include "product/dialog/win32/PSVarnImageChild.h"
#include "product/dialog/win32/PSVarnOptionsChild.h"
#include "product/dialog/win32/PSVarnSettingsChild.h"
#include "product/dialog/win32/PSVarnVariationChild.h"
#include "product/dialog/win32/PSVarnGuidesChild.h"
#include "product/resources/ResourceIds.h"

namespace {

const char* const kTopicFile = "::/Text/VarnelDialog.txt";

// Control id to help context id, each its own; ended by a zero pair.
const uint32_t kHelpIds[] = {IDC_BEFORE_PREVIEW,
                             IDC_BEFORE_PREVIEW,
                             IDC_RESULT_PREVIEW,
                             IDC_RESULT_PREVIEW,
                             IDC_ZOOM_IN,
                             IDC_ZOOM_IN,
                             IDC_LOCATOR,
                             IDC_LOCATOR,
                             IDC_ZOOM_OUT,
                             IDC_ZOOM_OUT,
                             IDC_ZOOM_RATIO,
                             IDC_ZOOM_RATIO,
                             IDC_TABS,
                             IDC_TABS,
                             IDOK,
                             IDOK,
                             IDCANCEL,
                             IDCANCEL,
                             IDC_HELP_BUTTON,
                             IDC_HELP_BUTTON,
                             0,
                             0};

}  // namespace

BEGIN_MESSAGE_MAP(PSVarnPluginDialog, OrvPSPluginDialog)
ON_BN_CLICKED(IDC_HELP_BUTTON, &PSVarnPluginDialog::OnHelp)
ON_BN_CLICKED(IDC_ZOOM_IN, &PSVarnPluginDialog::OnZoomIn)
ON_BN_CLICKED(IDC_ZOOM_OUT, &PSVarnPluginDialog::OnZoomOut)
ON_BN_CLICKED(IDC_LOCATOR, &PSVarnPluginDialog::OnLocator)
ON_NOTIFY(OrvTabCode::kSelected, IDC_TABS, &PSVarnPluginDialog::OnTabChanged)
ON_NOTIFY(OrvPSPreviewControl::kViewMoved, IDC_BEFORE_PREVIEW, &PSVarnPluginDialog::OnPreviewMoved)
ON_NOTIFY(OrvPSPreviewControl::kViewMoved, IDC_RESULT_PREVIEW, &PSVarnPluginDialog::OnPreviewMoved)
ON_WM_CONTEXTMENU(&PSVarnPluginDialog::OnContextMenu)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, ~UINT_PTR(0), &PSVarnPluginDialog::OnToolTipText)
ON_WM_HELPINFO(&PSVarnPluginDialog::OnHelpInfo)
END_MESSAGE_MAP()

PSVarnPluginDialog::PSVarnPluginDialog(PSVarnPlugin* initialPlugin)
    : OrvPSPluginDialog(IDD_VARNEL_DIALOG),
      plugin(initialPlugin),
      beforePreview(initialPlugin, OrvPSPreviewControl::kBefore),
      resultPreview(initialPlugin, OrvPSPreviewControl::kResult),
      locator(initialPlugin),
      zoomRatio(initialPlugin, false) {
    for (OrvControlBase* control :
         {static_cast<OrvControlBase*>(&beforePreview), static_cast<OrvControlBase*>(&resultPreview),
          static_cast<OrvControlBase*>(&tabStrip)})
        control->SetColourScheme(&scheme);
    zoomStrip.SetColourScheme(&scheme);
    for (OrvCustomButton* button :
         {static_cast<OrvCustomButton*>(&zoomIn), static_cast<OrvCustomButton*>(&zoomOut),
          static_cast<OrvCustomButton*>(&locator), &okButton, &cancelButton, &helpButton})
        button->SetColourScheme(&scheme);
    zoomRatio.SetColourScheme(&scheme);
    zoomRatio.SetPrefix("");
    imagePage = std::make_unique<PSVarnImageChild>(*this);
    settingsPage = std::make_unique<PSVarnSettingsChild>(*this);
    optionsPage = std::make_unique<PSVarnOptionsChild>(*this);
    variationPage = std::make_unique<PSVarnVariationChild>(*this);
    guidesPage = std::make_unique<PSVarnGuidesChild>(*this);
}

EffectParameters& PSVarnPluginDialog::PageParameters() { return *plugin->Parameters(); }

uint8_t* PSVarnPluginDialog::PageBlock() { return plugin->Block(); }

size_t PSVarnPluginDialog::PageBlockSize() const { return kSettingsBlockSize; }

const std::vector<PresetCategory>& PSVarnPluginDialog::PagePresets() const { return plugin->Presets(); }

std::string PSVarnPluginDialog::PageNotice() const { return plugin->MapProblem(); }

PSVarnPluginDialog::~PSVarnPluginDialog() = default;

bool PSVarnPluginDialog::LoadBackgroundImage(OrvImage2& image) {
    return LoadImageResource(OrvModuleHandle(), IDR_SKIN_BACKGROUND, "IMAGE", ".png", image);
}

bool PSVarnPluginDialog::LoadOverlayImage(OrvImage2& image) {
    return LoadImageResource(OrvModuleHandle(), IDR_SKIN_OVERLAY, "IMAGE", ".png", image);
}

void PSVarnPluginDialog::DoDataExchange(CDataExchange* dx) {
    OrvPSPluginDialog::DoDataExchange(dx);
    DDX_Control(dx, IDOK, okButton);
    DDX_Control(dx, IDCANCEL, cancelButton);
    DDX_Control(dx, IDC_HELP_BUTTON, helpButton);
    DDX_Control(dx, IDC_TABS, templateTabs);
    DDX_Control(dx, IDC_BEFORE_PREVIEW, beforePreview);
    DDX_Control(dx, IDC_RESULT_PREVIEW, resultPreview);
    DDX_Control(dx, IDC_ZOOM_IN, zoomIn);
    DDX_Control(dx, IDC_ZOOM_OUT, zoomOut);
    DDX_Control(dx, IDC_LOCATOR, locator);
    DDX_Control(dx, IDC_ZOOM_RATIO, zoomRatio);
    DDX_Control(dx, IDC_PAGE_PLACE, pagePlace);
}

BOOL PSVarnPluginDialog::OnInitDialog() {
    OrvPSPluginDialog::OnInitDialog();
    zoomIn.SetBitmap(IDB_ZOOM_IN);
    zoomOut.SetBitmap(IDB_ZOOM_OUT);
    locator.SetBitmap(IDB_LOCATOR);
    ArrangePreviewArea();

    const RECT preview = resultPreview.GetClientRect();
    const OrvSize size{preview.right, preview.bottom};
    plugin->CreateLocatorImage(size);
    plugin->SetPreviewSize(size);

    const RECT tabs = templateTabs.GetRectInParent();
    templateTabs.ShowWindow(SW_HIDE);
    CreateTabStrip(tabs);
    CreatePages(pagePlace.GetRectInParent());
    if (tabStrip.hWnd != nullptr) tabStrip.SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    ShowSelectedPage();
    UpdateZoomButtons();
    EnableToolTips();
    return TRUE;
}

void PSVarnPluginDialog::ArrangePreviewArea() {
    const RECT t = templateTabs.GetRectInParent();
    const RECT p = resultPreview.GetRectInParent();
    const int w = p.right - p.left, h = p.bottom - p.top;
    beforePreview.MoveWindow(t.left + 26, p.top, w, h);
    resultPreview.MoveWindow(t.right - w, p.top, w, h);
    zoomStrip.CreateControl("STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                            RECT{t.left, p.top, t.left + 26, p.bottom}, hWnd, 0, WS_EX_CLIENTEDGE);
    zoomStrip.SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    zoomIn.MoveWindow(t.left + 2, p.top + 2, 22, 22);
    CWnd* const stack[] = {&zoomIn, &zoomOut, &zoomRatio, &locator, nullptr};
    ArrangeControls(22, 22, 0, 0, 0.0, 1.0, stack);
}

void PSVarnPluginDialog::CreateTabStrip(const RECT& place) {
    // A tab stop, so that the pages can be reached from the keyboard too.
    if (!tabStrip.Create(this, place, IDC_TABS, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP)) return;
    tabStrip.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    tabStrip.SetStyle(2);
    tabStrip.SetTabRowHeight(20);
    tabStrip.InsertItem(0, "Image");
    tabStrip.InsertItem(1, "Settings");
    tabStrip.InsertItem(2, "Options");
    tabStrip.InsertItem(3, "Variation");
    tabStrip.InsertItem(4, "Guides");
    tabStrip.SetCurSel(0);
}

void PSVarnPluginDialog::CreatePages(const RECT& place) {
    // A page that cannot be made is left out; the dialog carries on without it.
    for (PSVarnPage* page :
         {imagePage.get(), settingsPage.get(), optionsPage.get(), variationPage.get(), guidesPage.get()})
        page->Create(hWnd, place);
}

HWND PSVarnPluginDialog::PageWindow(int page) const {
    const CDialog* pages[kPages] = {imagePage.get(), settingsPage.get(), optionsPage.get(),
                                    variationPage.get(), guidesPage.get()};
    return page >= 0 && page < kPages && pages[page] != nullptr ? pages[page]->hWnd : nullptr;
}

int PSVarnPluginDialog::SelectedPage() const { return tabStrip.hWnd != nullptr ? tabStrip.GetCurSel() : 0; }

void PSVarnPluginDialog::ShowSelectedPage() {
    const int selected = SelectedPage();
    PSVarnPage* const pages[kPages] = {imagePage.get(), settingsPage.get(), optionsPage.get(),
                                       variationPage.get(), guidesPage.get()};
    for (int i = 0; i < kPages; ++i) {
        HWND page = PageWindow(i);
        if (page == nullptr) continue;
        if (i == selected) pages[i]->Shown();
        ::ShowWindow(page, i == selected ? SW_SHOW : SW_HIDE);
    }
}

void PSVarnPluginDialog::UpdateZoomButtons() {
    zoomIn.EnableWindow(plugin->CanZoomIn());
    zoomOut.EnableWindow(plugin->CanZoomOut());
    // Also where the largest zoom level is capped and still shows only a part.
    locator.EnableWindow(!(plugin->GetViewRect() == plugin->GetFilterRect()));
}

void PSVarnPluginDialog::EnableToolTips() {
    toolTips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hWnd, nullptr,
                               OrvModuleHandle(), nullptr);
    if (toolTips == nullptr) return;
    // Every control is a tool, the pages' too; its text is asked for when shown.
    std::vector<HWND> parents = {hWnd};
    for (int page = 0; page < kPages; ++page) {
        if (HWND window = PageWindow(page)) parents.push_back(window);
    }
    for (HWND parent : parents) {
        for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            TOOLINFOA tool{};
            tool.cbSize = TTTOOLINFOA_V1_SIZE;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = hWnd;
            tool.uId = reinterpret_cast<UINT_PTR>(child);
            tool.lpszText = LPSTR_TEXTCALLBACKA;
            ::SendMessageA(toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
}

BOOL PSVarnPluginDialog::OnToolTipText(UINT, NMHDR* header, LRESULT* result) {
    auto* request = reinterpret_cast<NMTTDISPINFOA*>(header);
    UINT_PTR id = header->idFrom;
    if ((request->uFlags & TTF_IDISHWND) != 0)
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    *result = 0;
    if (const int fixed = ToolTips::FixedStringFor(static_cast<int>(id))) {
        request->lpszText = MAKEINTRESOURCEA(fixed);
        request->hinst = OrvModuleHandle();
        return TRUE;
    }
    std::string tip;
    if (id == 0 || !ToolTips::TipFromString(OrvLoadString(static_cast<UINT>(id)), tip)) return FALSE;
    ToolTips::CopyTipText(tip, request->szText);
    request->lpszText = request->szText;
    return TRUE;
}

void PSVarnPluginDialog::UpdatePreview(bool quick) {
    if (quick) plugin->SetQuickPreview(true);
    plugin->RenderPreviewImage();
    if (quick) plugin->SetQuickPreview(false);
    resultPreview.Invalidate(false);
    resultPreview.UpdateWindow();
}

void PSVarnPluginDialog::InvalidateZoomViews() {
    beforePreview.Invalidate(false);
    resultPreview.Invalidate(false);
    zoomRatio.Invalidate();
}

void PSVarnPluginDialog::OnHelp() { plugin->ShowHelp("::/Welcome.htm"); }

void PSVarnPluginDialog::OnZoomIn() {
    plugin->ZoomIn();
    InvalidateZoomViews();
    UpdateZoomButtons();
}

void PSVarnPluginDialog::OnZoomOut() {
    plugin->ZoomOut();
    InvalidateZoomViews();
    UpdateZoomButtons();
}

void PSVarnPluginDialog::OnLocator() {
    // The locator's pop-up has already moved the view.
    beforePreview.Invalidate(false);
    resultPreview.Invalidate(false);
    UpdateZoomButtons();
}

void PSVarnPluginDialog::OnTabChanged(NMHDR*, LRESULT* result) {
    ShowSelectedPage();
    *result = 0;
}

void PSVarnPluginDialog::OnPreviewMoved(NMHDR*, LRESULT*) {
    beforePreview.Invalidate(false);
    resultPreview.Invalidate(false);
}

void PSVarnPluginDialog::OnContextMenu(HWND, POINT point) {
    plugin->ShowWhatsThisMenu(reinterpret_cast<intptr_t>(hWnd), kTopicFile, kHelpIds,
                              OrvPoint{point.x, point.y});
}

BOOL PSVarnPluginDialog::OnHelpInfo(HELPINFO* info) {
    if (info != nullptr && info->iContextType == HELPINFO_WINDOW) {
        plugin->ShowControlHelp(reinterpret_cast<intptr_t>(info->hItemHandle), kTopicFile, kHelpIds);
    }
    return TRUE;
}
