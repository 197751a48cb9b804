#include "product/dialog/win32/PSVarnPluginDialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <vector>

#include "OrvLib/controls/DisplayScale.h"
#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
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

// The controls with a pop-up of their own, the pages' too; each control id is its help
// context id.
constexpr uint32_t kHelpControls[] = {
    IDC_BEFORE_PREVIEW, IDC_RESULT_PREVIEW, IDC_ZOOM_IN, IDC_LOCATOR, IDC_ZOOM_OUT, IDC_ZOOM_RATIO, IDC_TABS,
    IDOK, IDCANCEL, IDC_HELP_BUTTON,
    // Image
    IDC_CATEGORY_LIST, IDC_THUMBNAIL_LIST, IDC_FILE_NAME, IDC_BROWSE, IDC_MULTIPLE_IMAGES, IDC_CUSTOM_PREVIEW,
    // Settings
    IDC_DENSITY, IDC_OPACITY, IDC_ROTATE_IMAGES, IDC_ROTATION_ANGLE, IDC_RANDOMISE_ROTATION,
    IDC_RANDOM_ROTATION, IDC_SCALE_IMAGES, IDC_SCALE, IDC_RANDOMISE_SCALING, IDC_RANDOM_SCALE,
    IDC_ORDER_BY_DEPTH, IDC_FADE_WITH_DEPTH, IDC_DESATURATE_WITH_DEPTH,
    // Options
    IDC_WHOLE_OBJECTS, IDC_NO_OVERLAP, IDC_APPLY_AS_TEXTURE, IDC_TEXTURE_AMOUNT, IDC_SEED, IDC_RANDOMISE_SEED,
    // Variation
    IDC_HUE_JITTER, IDC_BRIGHTNESS_JITTER, IDC_OPACITY_JITTER, IDC_FLIP_HORIZONTAL, IDC_FLIP_VERTICAL,
    IDC_BLEND_NORMAL, IDC_BLEND_MULTIPLY, IDC_BLEND_SCREEN, IDC_BLEND_OVERLAY, IDC_BLEND_DARKEN,
    IDC_BLEND_LIGHTEN,
    // Guides
    IDC_DENSITY_MAP_NONE, IDC_DENSITY_MAP_LUMINANCE, IDC_DENSITY_MAP_INVERSE, IDC_DENSITY_MAP_FILE,
    IDC_DENSITY_STRENGTH, IDC_KEEP_COUNT, IDC_SIZE_MAP_NONE, IDC_SIZE_MAP_LUMINANCE, IDC_SIZE_MAP_INVERSE,
    IDC_SIZE_MAP_FILE, IDC_SIZE_MIN, IDC_SIZE_MAX, IDC_SPACING_RANDOM, IDC_SPACING_EVEN, IDC_FOLLOW_EDGES,
    IDC_MAP_FILE, IDC_MAP_BROWSE};

// The viewer's table: control id and help context id in pairs, ended by a zero pair.
struct HelpTable {
    uint32_t pairs[2 * std::size(kHelpControls) + 2] = {};
    constexpr HelpTable() {
        for (size_t i = 0; i < std::size(kHelpControls); ++i)
            pairs[2 * i] = pairs[2 * i + 1] = kHelpControls[i];
    }
};
constexpr HelpTable kHelpTable;
constexpr const uint32_t* kHelpIds = kHelpTable.pairs;

// A number box has no string of its own: it shows its slider's or dial's tip, and the box
// lies just after its owner among the siblings.
HWND NumberBoxOwner(HWND window) {
    const int id = ::GetDlgCtrlID(window);
    if (id != int(OrvCustomSliderCtrl::kBoxId) && id != int(OrvAngleControl2::kBoxId)) return window;
    HWND owner = ::GetWindow(window, GW_HWNDPREV);
    return owner != nullptr ? owner : window;
}

// A control that shows no caption of its own (a slider, a list) is named by the first line
// of its string, so that its window name is its label; boxes keep their text.
void NameFromString(HWND control) {
    if (::GetWindowTextLengthA(control) > 0 || ControlSupport::IsEditBox(control)) return;
    const std::string resource = OrvLoadString(static_cast<UINT>(::GetDlgCtrlID(control)));
    const std::string name = resource.substr(0, resource.find('\n'));
    if (!name.empty()) ::SetWindowTextA(control, name.c_str());
}

// What the dialog's key filter hands on: Control+Tab and Control with the wheel arrive at
// whichever control has the focus, and the system's dialog loop would take the first as Tab.
constexpr UINT kDialogKey = WM_APP + 0x56;
const char* const kKeyedDialog = "VarnelKeyedDialog";

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
ON_MESSAGE(WM_DPICHANGED, &PSVarnPluginDialog::OnDpiChanged)
ON_NOTIFY(OrvPSPreviewControl::kZoomInAsked, IDC_BEFORE_PREVIEW, &PSVarnPluginDialog::OnZoomAsked)
ON_NOTIFY(OrvPSPreviewControl::kZoomOutAsked, IDC_BEFORE_PREVIEW, &PSVarnPluginDialog::OnZoomAsked)
ON_NOTIFY(OrvPSPreviewControl::kZoomInAsked, IDC_RESULT_PREVIEW, &PSVarnPluginDialog::OnZoomAsked)
ON_NOTIFY(OrvPSPreviewControl::kZoomOutAsked, IDC_RESULT_PREVIEW, &PSVarnPluginDialog::OnZoomAsked)
ON_MESSAGE(kDialogKey, &PSVarnPluginDialog::OnDialogKey)
ON_WM_DESTROY(&PSVarnPluginDialog::OnDestroy)
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

bool PSVarnPluginDialog::LoadBackgroundImage(OrvImage2& image, int factor) {
    return LoadImageResource(OrvModuleHandle(), factor == 2 ? IDR_SKIN_BACKGROUND_2X : IDR_SKIN_BACKGROUND,
                             "IMAGE", ".png", image);
}

bool PSVarnPluginDialog::LoadOverlayImage(OrvImage2& image, int factor) {
    return LoadImageResource(OrvModuleHandle(), factor == 2 ? IDR_SKIN_OVERLAY_2X : IDR_SKIN_OVERLAY, "IMAGE",
                             ".png", image);
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
    tabArea = templateTabs.GetRectInParent();
    previewBox = resultPreview.GetRectInParent();
    templateTabs.ShowWindow(SW_HIDE);
    zoomStrip.CreateControl("STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, tabArea, hWnd, 0,
                            WS_EX_CLIENTEDGE);
    zoomStrip.SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreateTabStrip(tabArea);
    ArrangePreviewArea();

    const RECT preview = resultPreview.GetClientRect();
    const OrvSize size{preview.right, preview.bottom};
    plugin->CreateLocatorImage(size);
    plugin->SetPreviewSize(size);

    CreatePages(pagePlace.GetRectInParent());
    if (tabStrip.hWnd != nullptr) tabStrip.SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    ShowSelectedPage();
    UpdateZoomButtons();
    EnableToolTips();
    // Only this dialog's loop in this thread: the filter asks the window it finds whether
    // it is this dialog before handing anything on.
    ::SetPropA(hWnd, kKeyedDialog, hWnd);
    keyFilter = ::SetWindowsHookExA(WH_MSGFILTER, &DialogKeyFilter, nullptr, ::GetCurrentThreadId());
    return TRUE;
}

void PSVarnPluginDialog::OnDestroy() {
    if (keyFilter != nullptr) ::UnhookWindowsHookEx(keyFilter);
    keyFilter = nullptr;
    ::RemovePropA(hWnd, kKeyedDialog);
    ControlSupport::SetLayoutDpi(hWnd, 0);
}

LRESULT CALLBACK PSVarnPluginDialog::DialogKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message != nullptr && message->hwnd != nullptr) {
        const bool controlDown = ::GetKeyState(VK_CONTROL) < 0;
        const bool pageKey = message->message == WM_KEYDOWN && message->wParam == VK_TAB && controlDown;
        const bool zoomWheel =
            message->message == WM_MOUSEWHEEL && (GET_KEYSTATE_WPARAM(message->wParam) & MK_CONTROL);
        HWND root = ::GetAncestor(message->hwnd, GA_ROOT);
        if ((pageKey || zoomWheel) && root != nullptr && ::GetPropA(root, kKeyedDialog) == root &&
            ::SendMessageA(root, kDialogKey, 0, lParam) != 0)
            return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT PSVarnPluginDialog::OnDialogKey(WPARAM, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (message.message == WM_KEYDOWN) {
        StepPage(::GetKeyState(VK_SHIFT) < 0);
        return 1;
    }
    // Control with the wheel zooms over either preview, wherever the focus is.
    const POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    const HWND under = ::WindowFromPoint(at);
    if (under != beforePreview.hWnd && under != resultPreview.hWnd) return 0;
    ZoomStep(GET_WHEEL_DELTA_WPARAM(message.wParam) > 0);
    return 1;
}

void PSVarnPluginDialog::ZoomStep(bool in) {
    if (in) {
        if (plugin->CanZoomIn()) OnZoomIn();
    } else if (plugin->CanZoomOut()) {
        OnZoomOut();
    }
}

void PSVarnPluginDialog::StepPage(bool back) {
    if (tabStrip.hWnd == nullptr) return;
    const int count = tabStrip.GetItemCount();
    tabStrip.SetCurSel((SelectedPage() + (back ? count - 1 : 1)) % count);
    const HWND focus = ::GetFocus();
    ShowSelectedPage();
    // The focus cannot stay on a page that is hidden now: the tab strip takes it.
    if (focus != nullptr && !::IsWindowVisible(focus)) tabStrip.SetFocus();
}

void PSVarnPluginDialog::OnZoomAsked(NMHDR* header, LRESULT* result) {
    ZoomStep(header->code == OrvPSPreviewControl::kZoomInAsked);
    *result = 0;
}

void PSVarnPluginDialog::ArrangePreviewArea() {
    // The label's widest everyday text, two digits of level: "1:14" and "7:1" fit.
    const SIZE label = ControlSupport::TextExtent(ControlSupport::GuiFont(hWnd), "1:00");
    const DisplayScale::PreviewStrip s = DisplayScale::ArrangePreviewStrip(
        ToOrvRect(tabArea), ToOrvRect(previewBox), OrvSize{label.cx, label.cy}, Dpi());
    const std::pair<CWnd*, OrvRect> places[] = {
        {&zoomStrip, s.strip}, {&beforePreview, s.before}, {&resultPreview, s.result}, {&zoomIn, s.zoomIn},
        {&zoomOut, s.zoomOut}, {&zoomRatio, s.ratio},      {&locator, s.locator}};
    for (const auto& [window, r] : places) window->MoveWindow(r.left, r.top, r.Width(), r.Height());
    if (tabStrip.hWnd != nullptr) {
        tabStrip.MoveWindow(tabArea.left, tabArea.top, tabArea.right - tabArea.left,
                            tabArea.bottom - tabArea.top);
        tabStrip.SetTabRowHeight(DisplayScale::Scale(20, Dpi()));
    }
}

void PSVarnPluginDialog::ScaleTemplateLayout(int from, int to) {
    // What the template's font placed grows with the scale; the font itself is made anew
    // at the new size, as the system made the first from the template.
    const auto scale = [from, to](RECT r) {
        return RECT{MulDiv(r.left, to, from), MulDiv(r.top, to, from), MulDiv(r.right, to, from),
                    MulDiv(r.bottom, to, from)};
    };
    LOGFONTA font{};
    OrvFont next;
    const HFONT templateFont = scaledFont ? scaledFont.Get() : GetFont();
    if (GetObjectA(templateFont, sizeof font, &font) != 0) {
        font.lfHeight = MulDiv(font.lfHeight, to, from);
        next.Reset(CreateFontIndirectA(&font));
    }
    std::vector<HWND> parents = {hWnd};
    for (int page = 0; page < kPages; ++page) {
        if (HWND window = PageWindow(page)) parents.push_back(window);
    }
    // Every rectangle is read before any moves: a control carries its number box along.
    std::vector<std::pair<HWND, RECT>> places;
    for (HWND parent : parents) {
        for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT r;
            ::GetWindowRect(child, &r);
            ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
            places.emplace_back(child, scale(r));
        }
    }
    for (const auto& [child, r] : places) {
        ::SetWindowPos(child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        // Boxes that chose the GUI font keep it, at the new scale.
        const bool fromTemplate = HFONT(::SendMessageA(child, WM_GETFONT, 0, 0)) == templateFont;
        const HFONT font = fromTemplate ? next.Get() : ControlSupport::GuiFont(child);
        if (font != nullptr) ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // The old font goes only once no control holds it any more.
    if (next) scaledFont = std::move(next);
    tabArea = scale(tabArea);
    previewBox = scale(previewBox);
}

LRESULT PSVarnPluginDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
    const int to = LOWORD(wParam), from = Dpi();
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (to <= 0 || to == from) return 0;
    ControlSupport::SetLayoutDpi(hWnd, to);
    ScaleTemplateLayout(from, to);
    dpi = to;
    if (suggested != nullptr)
        SetWindowPos(nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ArrangePreviewArea();
    const RECT preview = resultPreview.GetClientRect();
    plugin->SetPreviewSize(OrvSize{preview.right, preview.bottom});
    BuildSkin();
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}

void PSVarnPluginDialog::CreateTabStrip(const RECT& place) {
    // A tab stop, so that the pages can be reached from the keyboard too.
    if (!tabStrip.Create(this, place, IDC_TABS, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP)) return;
    tabStrip.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    tabStrip.SetStyle(2);
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
            NameFromString(child);
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
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(NumberBoxOwner(reinterpret_cast<HWND>(id))));
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

// Over the shown page the menu looks among the page's controls.
void PSVarnPluginDialog::OnContextMenu(HWND, POINT point) {
    HWND where = hWnd;
    const HWND page = PageWindow(SelectedPage());
    RECT area{};
    if (page != nullptr && ::GetWindowRect(page, &area) && ::PtInRect(&area, point)) where = page;
    plugin->ShowWhatsThisMenu(reinterpret_cast<intptr_t>(where), kTopicFile, kHelpIds,
                              OrvPoint{point.x, point.y});
}

BOOL PSVarnPluginDialog::OnHelpInfo(HELPINFO* info) {
    if (info != nullptr && info->iContextType == HELPINFO_WINDOW) {
        const HWND control = NumberBoxOwner(reinterpret_cast<HWND>(info->hItemHandle));
        plugin->ShowControlHelp(reinterpret_cast<intptr_t>(control), kTopicFile, kHelpIds);
    }
    return TRUE;
}
