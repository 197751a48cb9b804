#include "product/dialog/win32/PSVarnSettingsChild.h"

#include "OrvLib/framework/DataExchange.h"
#include "product/dialog/SliderUnits.h"
#include "product/resources/ResourceIds.h"

BEGIN_MESSAGE_MAP(PSVarnSettingsChild, PSVarnPage)
ON_BN_CLICKED(IDC_ROTATE_IMAGES, &PSVarnSettingsChild::OnGroupCheck)
ON_BN_CLICKED(IDC_RANDOMISE_ROTATION, &PSVarnSettingsChild::OnGroupCheck)
ON_BN_CLICKED(IDC_SCALE_IMAGES, &PSVarnSettingsChild::OnGroupCheck)
ON_BN_CLICKED(IDC_RANDOMISE_SCALING, &PSVarnSettingsChild::OnGroupCheck)
ON_BN_CLICKED(IDC_FADE_WITH_DEPTH, &PSVarnSettingsChild::OnDepthCheck)
ON_BN_CLICKED(IDC_ROTATION_ANGLE, &PSVarnSettingsChild::OnAngleChanged)
ON_BN_CLICKED(IDC_ORDER_BY_DEPTH, &PSVarnSettingsChild::OnGroupCheck)
ON_BN_CLICKED(IDC_DESATURATE_WITH_DEPTH, &PSVarnSettingsChild::OnDepthCheck)
ON_NOTIFY(OrvAngleControl2::kPressed, IDC_ROTATION_ANGLE, &PSVarnSettingsChild::OnAnglePressed)
ON_NOTIFY(OrvAngleControl2::kReleased, IDC_ROTATION_ANGLE, &PSVarnSettingsChild::OnAngleReleased)
END_MESSAGE_MAP()

namespace {

constexpr uint32_t kSliderOptions = SliderOption::kNumberBox | SliderOption::kBoxRight;

}  // namespace

// The dial shows its number box to its right and reports every change as a command; each
// slider shows its value in the user's units in a box to its right.
PSVarnSettingsChild::PSVarnSettingsChild(PSVarnPageOwner& initialOwner)
    : PSVarnPage(IDD_SETTINGS_PAGE, initialOwner),
      opacity(kSliderOptions),
      randomRotation(kSliderOptions),
      scale(kSliderOptions),
      randomScale(kSliderOptions),
      density(kSliderOptions),
      angle(7, 0, 0, 359) {
    density.SetValueText(&SliderUnitText(SliderUnit::Whole));
    randomRotation.SetValueText(&SliderUnitText(SliderUnit::Whole));
    scale.SetValueText(&SliderUnitText(SliderUnit::Factor));
    randomScale.SetValueText(&SliderUnitText(SliderUnit::Factor));
    opacity.SetValueText(&SliderUnitText(SliderUnit::Opacity));
    // The full glass stands between the opacity slider and its box.
    opacity.SetBoxGap(17);
    const ColourScheme* scheme = initialOwner.PageScheme();
    for (OrvCustomStatic* label : {&scalePanel, &rotationPanel, &opacityLabel, &densityLabel})
        label->SetColourScheme(scheme);
    opacityFull.SetColourScheme(scheme);
    opacityEmpty.SetColourScheme(scheme);
    for (OrvCustomSliderCtrl* slider : {&opacity, &randomRotation, &scale, &randomScale, &density})
        slider->SetColourScheme(scheme);
    angle.SetColourScheme(scheme);
    for (OrvCustomButton* box : {&fadeWithDepth, &randomiseRotation, &randomiseScaling, &rotateImages,
                                 &scaleImages, &orderByDepth, &desaturateWithDepth})
        box->SetColourScheme(scheme);
}

void PSVarnSettingsChild::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_SCALE_PANEL, scalePanel);
    DDX_Control(dx, IDC_ROTATION_PANEL, rotationPanel);
    DDX_Control(dx, IDC_OPACITY_LABEL, opacityLabel);
    DDX_Control(dx, IDC_DENSITY_LABEL, densityLabel);
    DDX_Control(dx, IDC_OPACITY_FULL, opacityFull);
    DDX_Control(dx, IDC_OPACITY_EMPTY, opacityEmpty);
    DDX_Control(dx, IDC_OPACITY, opacity);
    DDX_Control(dx, IDC_RANDOM_ROTATION, randomRotation);
    DDX_Control(dx, IDC_SCALE, scale);
    DDX_Control(dx, IDC_RANDOM_SCALE, randomScale);
    DDX_Control(dx, IDC_DENSITY, density);
    DDX_Control(dx, IDC_ROTATION_ANGLE, angle);
    DDX_Control(dx, IDC_FADE_WITH_DEPTH, fadeWithDepth);
    DDX_Control(dx, IDC_RANDOMISE_ROTATION, randomiseRotation);
    DDX_Control(dx, IDC_RANDOMISE_SCALING, randomiseScaling);
    DDX_Control(dx, IDC_ROTATE_IMAGES, rotateImages);
    DDX_Control(dx, IDC_SCALE_IMAGES, scaleImages);
    DDX_Control(dx, IDC_ORDER_BY_DEPTH, orderByDepth);
    DDX_Control(dx, IDC_DESATURATE_WITH_DEPTH, desaturateWithDepth);
}

BOOL PSVarnSettingsChild::OnInitDialog() {
    CDialog::OnInitDialog();
    // The panels lie behind their groups and never paint over them; the dial clips its
    // siblings, so it must be above them.
    for (CWnd* panel : {&rotationPanel, &scalePanel}) {
        panel->ModifyStyle(0, WS_CLIPSIBLINGS);
        ::SetWindowPos(panel->hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetRange(density, SettingsSliderRange(SettingsSlider::Density));
    SetRange(randomRotation, SettingsSliderRange(SettingsSlider::RandomRotation));
    SetRange(scale, SettingsSliderRange(SettingsSlider::Scale));
    SetRange(randomScale, SettingsSliderRange(SettingsSlider::RandomScale));
    SetRange(opacity, SettingsSliderRange(SettingsSlider::Opacity));

    // Loading shows the block; it asks for no preview.
    const SettingsPageState page = LoadSettingsPage(owner.PageParameters());
    density.SetPos(page.density);
    SetChecked(scaleImages, page.scaleImages);
    scale.SetPos(page.scale);
    SetChecked(randomiseScaling, page.randomiseScaling);
    randomScale.SetPos(page.randomScale);
    SetChecked(rotateImages, page.rotateImages);
    angle.SetAngle(page.angle, true);
    SetChecked(randomiseRotation, page.randomiseRotation);
    randomRotation.SetPos(page.randomRotation);
    SetChecked(orderByDepth, page.orderByDepth);
    SetChecked(fadeWithDepth, page.fadeWithDepth);
    SetChecked(desaturateWithDepth, page.desaturateWithDepth);
    opacity.SetPos(page.opacity);
    UpdateEnabling();
    return TRUE;
}

SettingsPageState PSVarnSettingsChild::ReadControls() const {
    SettingsPageState page;
    page.density = density.GetPos();
    page.angle = angle.GetAngle();
    page.randomRotation = randomRotation.GetPos();
    page.scale = scale.GetPos();
    page.randomScale = randomScale.GetPos();
    page.opacity = opacity.GetPos();
    page.rotateImages = Checked(rotateImages);
    page.randomiseRotation = Checked(randomiseRotation);
    page.scaleImages = Checked(scaleImages);
    page.randomiseScaling = Checked(randomiseScaling);
    page.orderByDepth = Checked(orderByDepth);
    page.fadeWithDepth = Checked(fadeWithDepth);
    page.desaturateWithDepth = Checked(desaturateWithDepth);
    return page;
}

void PSVarnSettingsChild::WriteControls() { ApplySettingsPage(ReadControls(), owner.PageParameters()); }

void PSVarnSettingsChild::UpdateEnabling() {
    const SettingsEnabling e = SettingsPageEnabling(ReadControls());
    static const int rotation[] = {IDC_ROTATION_ANGLE, IDC_RANDOMISE_ROTATION, 0};
    static const int randomRotationIds[] = {IDC_RANDOM_ROTATION, 0};
    static const int scaling[] = {IDC_SCALE, IDC_RANDOMISE_SCALING, 0};
    static const int randomScaling[] = {IDC_RANDOM_SCALE, IDC_ORDER_BY_DEPTH, 0};
    static const int depth[] = {IDC_FADE_WITH_DEPTH, IDC_DESATURATE_WITH_DEPTH, 0};
    EnableControls(rotation, e.angle);
    EnableControls(randomRotationIds, e.randomRotation);
    EnableControls(scaling, e.scale);
    EnableControls(randomScaling, e.randomScale);
    EnableControls(depth, e.depthEffects);
}

void PSVarnSettingsChild::OnGroupCheck() {
    Apply(PreviewInput::Settle);
    UpdateEnabling();
}

void PSVarnSettingsChild::OnDepthCheck() { Apply(PreviewInput::Settle); }

// Wheel, keys, typed values and the box's arrows are steps; only the needle held is quick.
void PSVarnSettingsChild::OnAngleChanged() { Apply(needleHeld ? PreviewInput::Held : PreviewInput::Step); }

void PSVarnSettingsChild::OnAnglePressed(NMHDR*, LRESULT*) { needleHeld = true; }

void PSVarnSettingsChild::OnAngleReleased(NMHDR*, LRESULT*) {
    needleHeld = false;
    Apply(PreviewInput::Settle);
}
