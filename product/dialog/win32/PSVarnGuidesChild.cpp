#include "product/dialog/win32/PSVarnGuidesChild.h"

#include "OrvLib/framework/DataExchange.h"
#include "product/dialog/win32/OrvPSImageFileDialog.h"
#include "product/resources/ResourceIds.h"

namespace {

// Each slider carries its number box to its right.
constexpr uint32_t kSliderOptions = SliderOption::kNumberBox | SliderOption::kBoxRight;

}  // namespace

BEGIN_MESSAGE_MAP(PSVarnGuidesChild, PSVarnPage)
ON_BN_CLICKED(IDC_DENSITY_MAP_NONE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_DENSITY_MAP_LUMINANCE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_DENSITY_MAP_INVERSE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_DENSITY_MAP_FILE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_SIZE_MAP_NONE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_SIZE_MAP_LUMINANCE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_SIZE_MAP_INVERSE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_SIZE_MAP_FILE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_KEEP_COUNT, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_SPACING_RANDOM, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_SPACING_EVEN, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_FOLLOW_EDGES, &PSVarnGuidesChild::OnChoice)
// A path is read when it is complete, not at every keystroke.
ON_EN_KILLFOCUS(IDC_MAP_FILE, &PSVarnGuidesChild::OnChoice)
ON_BN_CLICKED(IDC_MAP_BROWSE, &PSVarnGuidesChild::OnBrowse)
END_MESSAGE_MAP()

PSVarnGuidesChild::PSVarnGuidesChild(PSVarnPageOwner& initialOwner)
    : PSVarnPage(IDD_GUIDES_PAGE, initialOwner),
      strength(kSliderOptions),
      sizeMinimum(kSliderOptions),
      sizeMaximum(kSliderOptions) {
    const ColourScheme* scheme = initialOwner.PageScheme();
    for (OrvCustomStatic* label :
         {&strengthLabel, &sizeMinimumLabel, &sizeMaximumLabel, &mapFileLabel, &notice})
        label->SetColourScheme(scheme);
    for (OrvCustomSliderCtrl* slider : {&strength, &sizeMinimum, &sizeMaximum})
        slider->SetColourScheme(scheme);
    for (OrvCustomButton* button :
         {&densityGroup, &sizeGroup, &keepCount, &followEdges, &spacingRandom, &spacingEven, &browse})
        button->SetColourScheme(scheme);
    for (int i = 0; i < 4; ++i) {
        densityMap[i].SetColourScheme(scheme);
        sizeMap[i].SetColourScheme(scheme);
    }
    mapFile.SetColourScheme(scheme);
}

void PSVarnGuidesChild::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_STRENGTH_LABEL, strengthLabel);
    DDX_Control(dx, IDC_SIZE_MIN_LABEL, sizeMinimumLabel);
    DDX_Control(dx, IDC_SIZE_MAX_LABEL, sizeMaximumLabel);
    DDX_Control(dx, IDC_MAP_FILE_LABEL, mapFileLabel);
    DDX_Control(dx, IDC_MAP_NOTICE, notice);
    DDX_Control(dx, IDC_DENSITY_STRENGTH, strength);
    DDX_Control(dx, IDC_SIZE_MIN, sizeMinimum);
    DDX_Control(dx, IDC_SIZE_MAX, sizeMaximum);
    DDX_Control(dx, IDC_DENSITY_MAP_GROUP, densityGroup);
    DDX_Control(dx, IDC_SIZE_MAP_GROUP, sizeGroup);
    DDX_Control(dx, IDC_KEEP_COUNT, keepCount);
    DDX_Control(dx, IDC_FOLLOW_EDGES, followEdges);
    DDX_Control(dx, IDC_SPACING_RANDOM, spacingRandom);
    DDX_Control(dx, IDC_SPACING_EVEN, spacingEven);
    for (int i = 0; i < 4; ++i) {
        DDX_Control(dx, IDC_DENSITY_MAP_NONE + i, densityMap[i]);
        DDX_Control(dx, IDC_SIZE_MAP_NONE + i, sizeMap[i]);
    }
    DDX_Control(dx, IDC_MAP_FILE, mapFile);
    DDX_Control(dx, IDC_MAP_BROWSE, browse);
}

BOOL PSVarnGuidesChild::OnInitDialog() {
    CDialog::OnInitDialog();
    SetRange(strength, GuidesSliderRange(GuidesSlider::Strength));
    SetRange(sizeMinimum, GuidesSliderRange(GuidesSlider::SizeMinimum));
    SetRange(sizeMaximum, GuidesSliderRange(GuidesSlider::SizeMaximum));

    // Loading shows the block; it asks for no preview.
    const GuidesPageState page = LoadGuidesPage(owner.PageBlock(), owner.PageBlockSize());
    strength.SetPos(page.strength);
    sizeMinimum.SetPos(page.sizeMinimum);
    sizeMaximum.SetPos(page.sizeMaximum);
    for (int i = 0; i < 4; ++i) {
        SetChecked(densityMap[i], i == int(page.densityMap));
        SetChecked(sizeMap[i], i == int(page.sizeMap));
    }
    SetChecked(keepCount, page.keepCount);
    SetChecked(spacingRandom, !page.even);
    SetChecked(spacingEven, page.even);
    SetChecked(followEdges, page.followEdges);
    mapFile.SetPath(page.mapFile);
    UpdateEnabling();
    return TRUE;
}

GuidesPageState PSVarnGuidesChild::ReadControls() const {
    GuidesPageState page;
    page.strength = strength.GetPos();
    page.sizeMinimum = sizeMinimum.GetPos();
    page.sizeMaximum = sizeMaximum.GetPos();
    for (int i = 0; i < 4; ++i) {
        if (Checked(densityMap[i])) page.densityMap = MapSource(i);
        if (Checked(sizeMap[i])) page.sizeMap = MapSource(i);
    }
    page.keepCount = Checked(keepCount);
    page.even = Checked(spacingEven);
    page.followEdges = Checked(followEdges);
    page.mapFile = mapFile.GetPath();
    return page;
}

void PSVarnGuidesChild::WriteControls() {
    ApplyGuidesPage(ReadControls(), owner.PageBlock(), owner.PageBlockSize());
}

void PSVarnGuidesChild::UpdateEnabling() {
    const GuidesEnabling on = GuidesControlsEnabled(ReadControls());
    static const int density[] = {IDC_STRENGTH_LABEL, IDC_DENSITY_STRENGTH, IDC_KEEP_COUNT, 0};
    static const int size[] = {IDC_SIZE_MIN_LABEL, IDC_SIZE_MIN, IDC_SIZE_MAX_LABEL, IDC_SIZE_MAX, 0};
    static const int file[] = {IDC_MAP_FILE_LABEL, IDC_MAP_FILE, IDC_MAP_BROWSE, 0};
    EnableControls(density, on.density);
    EnableControls(size, on.size);
    EnableControls(file, on.mapFile);
}

void PSVarnGuidesChild::ShowNotice() { notice.SetWindowText(owner.PageNotice()); }

void PSVarnGuidesChild::OnChoice() {
    UpdateEnabling();
    Apply(PreviewInput::Settle);
    ShowNotice();
}

void PSVarnGuidesChild::OnBrowse() {
    OrvPSImageFileDialog chooser(mapFile.GetPath(), this);
    chooser.ofn.lpstrTitle = "Choose a map file";
    if (chooser.DoModal() != IDOK) return;
    mapFile.SetPath(chooser.GetPathName());
    OnChoice();
}
