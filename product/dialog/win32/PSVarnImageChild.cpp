#include "product/dialog/win32/PSVarnImageChild.h"

#include "OrvLib/framework/DataExchange.h"
#include "product/dialog/win32/OrvPSImageFileDialog.h"
#include "product/resources/ResourceIds.h"

namespace {

// The lists show the window colour of the second scheme: the face colour.
ColourScheme ListScheme(const ColourScheme& scheme) {
    ColourScheme lists = scheme;
    lists[SchemeColour::Window] = RGB(201, 206, 207);
    return lists;
}

// The grid reports a selection change as a command with this code.
constexpr UINT kGridSelectionChanged = 1;

}  // namespace

BEGIN_MESSAGE_MAP(PSVarnImageChild, PSVarnPage)
ON_CONTROL(kGridSelectionChanged, IDC_CATEGORY_LIST, &PSVarnImageChild::OnCategory)
ON_EN_KILLFOCUS(IDC_FILE_NAME, &PSVarnImageChild::OnNameCommitted)
ON_BN_CLICKED(IDC_BROWSE, &PSVarnImageChild::OnBrowse)
ON_BN_CLICKED(IDC_MULTIPLE_IMAGES, &PSVarnImageChild::OnMultipleImages)
ON_LBN_SELCHANGE(IDC_THUMBNAIL_LIST, &PSVarnImageChild::OnThumbnail)
END_MESSAGE_MAP()

PSVarnImageChild::PSVarnImageChild(PSVarnPageOwner& initialOwner) : PSVarnPage(IDD_IMAGE_PAGE, initialOwner) {
    listScheme = ListScheme(*initialOwner.PageScheme());
    categories.SetColourScheme(&listScheme);
    thumbnails.SetColourScheme(&listScheme);
    const ColourScheme* scheme = initialOwner.PageScheme();
    fileLabel.SetColourScheme(scheme);
    fileName.SetColourScheme(scheme);
    browse.SetColourScheme(scheme);
    multipleImages.SetColourScheme(scheme);
    customPreview.SetColourScheme(scheme);
}

void PSVarnImageChild::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_BROWSE, browse);
    DDX_Control(dx, IDC_MULTIPLE_IMAGES, multipleImages);
    DDX_Control(dx, IDC_FILE_LABEL, fileLabel);
    DDX_Control(dx, IDC_CUSTOM_PREVIEW, customPreview);
    DDX_Control(dx, IDC_FILE_NAME, fileName);
}

BOOL PSVarnImageChild::OnInitDialog() {
    CDialog::OnInitDialog();
    const std::vector<PresetCategory>& library = owner.PagePresets();
    RECT place;
    ::GetWindowRect(GetDlgItem(IDC_THUMBNAIL_PLACE), &place);
    ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&place), 2);
    thumbnails.SetRows(3);
    thumbnails.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                          LBS_NOINTEGRALHEIGHT,
                      place, this, IDC_THUMBNAIL_LIST);

    categories.CreateInPlaceOf(this, IDC_CATEGORY_LIST, true);
    for (const CategoryRow& row : CategoryRows(library))
        categories.SetDatum(categories.Append(row.name), row.category);

    EffectParameters& p = owner.PageParameters();
    const ImagePageOpening opening = OpenImagePage(p, library);
    thumbnails.SetCategory(library, opening.category);
    if (opening.customRow) {
        SelectCategoryRow(kCustomCategory);
        ShowCustom(BlockPath(p), p.multipleImages != 0);
    } else {
        SelectCategoryRow(opening.category);
        thumbnails.SetCurSel(opening.entry);
    }
    UpdateVisibility();
    if (opening.applied) owner.UpdatePreview(false);
    return TRUE;
}

bool PSVarnImageChild::CustomRowSelected() const {
    const int row = categories.GetSelection();
    return row >= 0 && categories.GetDatum(row) == kCustomCategory;
}

void PSVarnImageChild::SelectCategoryRow(int category) {
    for (int row = 0; row < categories.GetCount(); ++row)
        if (categories.GetDatum(row) == category) categories.SetSelection(row);
}

void PSVarnImageChild::ShowCustom(const std::string& path, bool multiple) {
    fileName.SetPath(path);
    SetChecked(multipleImages, multiple);
    customPreview.SetFile(path);
}

void PSVarnImageChild::UpdateVisibility() {
    const ImagePageVisibility v = ImagePageVisibilityFor(CustomRowSelected(), Checked(multipleImages));
    static const int custom[] = {IDC_FILE_LABEL,     IDC_FILE_NAME,       IDC_BROWSE,
                                 IDC_CUSTOM_PREVIEW, IDC_MULTIPLE_IMAGES, 0};
    static const int list[] = {IDC_THUMBNAIL_LIST, 0};
    ShowControls(custom, v.customControls);
    ShowControls(list, v.thumbnailList);
    fileLabel.SetWindowText(v.label);
}

void PSVarnImageChild::ApplyThumbnail() {
    const int category = thumbnails.Category(), entry = thumbnails.GetCurSel();
    const std::vector<PresetCategory>& library = owner.PagePresets();
    if (category < 0 || size_t(category) >= library.size() || entry < 0 ||
        size_t(entry) >= library[size_t(category)].entries.size())
        return;
    ApplyPresetEntry(library[size_t(category)].entries[size_t(entry)], owner.PageParameters());
    owner.UpdatePreview(false);
}

void PSVarnImageChild::OnCategory() {
    const int row = categories.GetSelection();
    if (row < 0) return;  // a click below the last row
    const int category = categories.GetDatum(row);
    const std::vector<PresetCategory>& library = owner.PagePresets();
    thumbnails.SetCategory(library, category);
    const CategoryChoice choice = ChooseCategory(category, library, fileName.GetPath(),
                                                 Checked(multipleImages), owner.PageParameters());
    if (choice.entry >= 0) thumbnails.SetCurSel(choice.entry);
    if (choice.refresh) owner.UpdatePreview(false);
    UpdateVisibility();
}

void PSVarnImageChild::OnNameCommitted() {
    StoreBlockPath(owner.PageParameters(), fileName.GetPath());
    customPreview.SetFile(fileName.GetPath());
    owner.UpdatePreview(false);
}

void PSVarnImageChild::OnBrowse() {
    EffectParameters& p = owner.PageParameters();
    if (Checked(multipleImages)) {
        OrvPSDirectoryBrowser browser(fileName.GetPath(), this);
        if (browser.Browse() != IDOK) return;
        fileName.SetPath(browser.GetFolder());
        customPreview.SetFile("");
        StoreBlockPath(p, browser.GetFolder());
    } else {
        OrvPSImageFileDialog dialog(fileName.GetPath(), this);
        if (dialog.DoModal() != IDOK) return;
        fileName.SetPath(dialog.GetPathName());
        customPreview.SetFile(dialog.GetPathName());
        StoreBlockPath(p, dialog.GetPathName());
    }
    owner.UpdatePreview(false);
}

void PSVarnImageChild::OnMultipleImages() {
    UpdateVisibility();
    const bool multiple = Checked(multipleImages);
    owner.PageParameters().multipleImages = multiple ? 1 : 0;
    owner.UpdatePreview(false);
    customPreview.SetFile(multiple ? std::string() : fileName.GetPath());
}

void PSVarnImageChild::OnThumbnail() { ApplyThumbnail(); }
