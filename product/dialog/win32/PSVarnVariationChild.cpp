#include "product/dialog/win32/PSVarnVariationChild.h"

#include "OrvLib/framework/DataExchange.h"
#include "product/resources/ResourceIds.h"

namespace {

// Each slider carries its number box to its right.
constexpr uint32_t kSliderOptions = SliderOption::kNumberBox | SliderOption::kBoxRight;

}  // namespace

BEGIN_MESSAGE_MAP(PSVarnVariationChild, PSVarnPage)
ON_BN_CLICKED(IDC_FLIP_HORIZONTAL, &PSVarnVariationChild::OnChoice)
ON_BN_CLICKED(IDC_FLIP_VERTICAL, &PSVarnVariationChild::OnChoice)
ON_BN_CLICKED(IDC_BLEND_NORMAL, &PSVarnVariationChild::OnChoice)
ON_BN_CLICKED(IDC_BLEND_MULTIPLY, &PSVarnVariationChild::OnChoice)
ON_BN_CLICKED(IDC_BLEND_SCREEN, &PSVarnVariationChild::OnChoice)
ON_BN_CLICKED(IDC_BLEND_OVERLAY, &PSVarnVariationChild::OnChoice)
ON_BN_CLICKED(IDC_BLEND_DARKEN, &PSVarnVariationChild::OnChoice)
ON_BN_CLICKED(IDC_BLEND_LIGHTEN, &PSVarnVariationChild::OnChoice)
END_MESSAGE_MAP()

PSVarnVariationChild::PSVarnVariationChild(PSVarnPageOwner& initialOwner)
    : PSVarnPage(IDD_VARIATION_PAGE, initialOwner),
      hue(kSliderOptions),
      brightness(kSliderOptions),
      opacity(kSliderOptions) {
    const ColourScheme* scheme = initialOwner.PageScheme();
    for (OrvCustomStatic* label : {&hueLabel, &brightnessLabel, &opacityLabel})
        label->SetColourScheme(scheme);
    for (OrvCustomSliderCtrl* slider : {&hue, &brightness, &opacity}) slider->SetColourScheme(scheme);
    for (OrvCustomButton* button : {&flipHorizontally, &flipVertically, &blendGroup})
        button->SetColourScheme(scheme);
    for (OrvCustomButton& button : blend) button.SetColourScheme(scheme);
}

void PSVarnVariationChild::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_HUE_LABEL, hueLabel);
    DDX_Control(dx, IDC_BRIGHTNESS_LABEL, brightnessLabel);
    DDX_Control(dx, IDC_OPACITY_JITTER_LABEL, opacityLabel);
    DDX_Control(dx, IDC_HUE_JITTER, hue);
    DDX_Control(dx, IDC_BRIGHTNESS_JITTER, brightness);
    DDX_Control(dx, IDC_OPACITY_JITTER, opacity);
    DDX_Control(dx, IDC_FLIP_HORIZONTAL, flipHorizontally);
    DDX_Control(dx, IDC_FLIP_VERTICAL, flipVertically);
    DDX_Control(dx, IDC_BLEND_GROUP, blendGroup);
    for (int i = 0; i < 6; ++i) DDX_Control(dx, IDC_BLEND_NORMAL + i, blend[i]);
}

BOOL PSVarnVariationChild::OnInitDialog() {
    CDialog::OnInitDialog();
    SetRange(hue, VariationSliderRange(VariationSlider::Hue));
    SetRange(brightness, VariationSliderRange(VariationSlider::Brightness));
    SetRange(opacity, VariationSliderRange(VariationSlider::Opacity));

    // Loading shows the block; it asks for no preview.
    const VariationPageState page = LoadVariationPage(owner.PageBlock(), owner.PageBlockSize());
    hue.SetPos(page.hue);
    brightness.SetPos(page.brightness);
    opacity.SetPos(page.opacity);
    SetChecked(flipHorizontally, page.flipHorizontally);
    SetChecked(flipVertically, page.flipVertically);
    for (int i = 0; i < 6; ++i) SetChecked(blend[i], i == int(page.blend));
    UpdateEnabling();
    return TRUE;
}

VariationPageState PSVarnVariationChild::ReadControls() const {
    VariationPageState page;
    page.hue = hue.GetPos();
    page.brightness = brightness.GetPos();
    page.opacity = opacity.GetPos();
    page.flipHorizontally = Checked(flipHorizontally);
    page.flipVertically = Checked(flipVertically);
    for (int i = 0; i < 6; ++i) {
        if (Checked(blend[i])) page.blend = BlendMode(i);
    }
    return page;
}

void PSVarnVariationChild::WriteControls() {
    ApplyVariationPage(ReadControls(), owner.PageBlock(), owner.PageBlockSize());
}

void PSVarnVariationChild::UpdateEnabling() {
    static const int colour[] = {IDC_HUE_LABEL,         IDC_HUE_JITTER,    IDC_BRIGHTNESS_LABEL,
                                 IDC_BRIGHTNESS_JITTER, IDC_BLEND_GROUP,   IDC_BLEND_NORMAL,
                                 IDC_BLEND_MULTIPLY,    IDC_BLEND_SCREEN,  IDC_BLEND_OVERLAY,
                                 IDC_BLEND_DARKEN,      IDC_BLEND_LIGHTEN, 0};
    EnableControls(colour, ColourVariationEnabled(owner.PageParameters().applyAsTexture != 0));
}

void PSVarnVariationChild::OnChoice() { Apply(PreviewInput::Settle); }
