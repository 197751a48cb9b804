#include "product/dialog/win32/PSVarnOptionsChild.h"

#include <cstdlib>

#include "OrvLib/framework/DataExchange.h"
#include "product/dialog/SliderUnits.h"
#include "product/resources/ResourceIds.h"

BEGIN_MESSAGE_MAP(PSVarnOptionsChild, PSVarnPage)
ON_BN_CLICKED(IDC_RANDOMISE_SEED, &PSVarnOptionsChild::OnRandomise)
ON_EN_KILLFOCUS(IDC_SEED, &PSVarnOptionsChild::OnSeedCommitted)
ON_BN_CLICKED(IDC_APPLY_AS_TEXTURE, &PSVarnOptionsChild::OnTexture)
ON_BN_CLICKED(IDC_WHOLE_OBJECTS, &PSVarnOptionsChild::OnOption)
ON_BN_CLICKED(IDC_NO_OVERLAP, &PSVarnOptionsChild::OnOption)
END_MESSAGE_MAP()

PSVarnOptionsChild::PSVarnOptionsChild(PSVarnPageOwner& initialOwner)
    : PSVarnPage(IDD_OPTIONS_PAGE, initialOwner),
      textureAmount(SliderOption::kNumberBox | SliderOption::kBoxRight) {
    textureAmount.SetValueText(&SliderUnitText(SliderUnit::Percent));
    const ColourScheme* scheme = initialOwner.PageScheme();
    seedLabel.SetColourScheme(scheme);
    textureAmount.SetColourScheme(scheme);
    seed.SetColourScheme(scheme);
    for (OrvCustomButton* button : {&randomise, &applyAsTexture, &wholeObjectsOnly, &noOverlap})
        button->SetColourScheme(scheme);
}

void PSVarnOptionsChild::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_SEED_LABEL, seedLabel);
    DDX_Control(dx, IDC_RANDOMISE_SEED, randomise);
    DDX_Control(dx, IDC_TEXTURE_AMOUNT, textureAmount);
    DDX_Control(dx, IDC_SEED, seed);
    DDX_Control(dx, IDC_APPLY_AS_TEXTURE, applyAsTexture);
    DDX_Control(dx, IDC_WHOLE_OBJECTS, wholeObjectsOnly);
    DDX_Control(dx, IDC_NO_OVERLAP, noOverlap);
}

BOOL PSVarnOptionsChild::OnInitDialog() {
    CDialog::OnInitDialog();
    // The range gives the box its arrows; releasing them commits like a focus loss.
    seed.SetRange(kSmallestSeed, kLargestSeed, false);
    seed.SetCommitFlag(true);
    textureAmount.SetRange(kTextureSliderRange.minimum, kTextureSliderRange.maximum);

    const OptionsPageState page = LoadOptionsPage(owner.PageParameters());
    seed.SetValue(page.seed);
    SetChecked(applyAsTexture, page.applyAsTexture);
    textureAmount.SetPos(page.textureAmount);
    SetChecked(wholeObjectsOnly, page.wholeObjectsOnly);
    SetChecked(noOverlap, page.noOverlap);
    UpdateEnabling();
    return TRUE;
}

OptionsPageState PSVarnOptionsChild::ReadControls() const {
    OptionsPageState page;
    page.seed = ClampSeed(seed.GetValue());
    page.textureAmount = textureAmount.GetPos();
    page.applyAsTexture = Checked(applyAsTexture);
    page.wholeObjectsOnly = Checked(wholeObjectsOnly);
    page.noOverlap = Checked(noOverlap);
    return page;
}

void PSVarnOptionsChild::WriteControls() { ApplyOptionsPage(ReadControls(), owner.PageParameters()); }

void PSVarnOptionsChild::UpdateEnabling() {
    static const int texture[] = {IDC_TEXTURE_AMOUNT, 0};
    EnableControls(texture, TextureSliderEnabled(ReadControls()));
}

// The runtime's own generator, shared with anything else in the module that uses it.
void PSVarnOptionsChild::OnRandomise() {
    seed.SetValue(RandomisedSeed(std::rand()));
    Apply(PreviewInput::Settle);
}

// The box has clamped its text into the range before the page hears of the focus loss.
void PSVarnOptionsChild::OnSeedCommitted() { Apply(PreviewInput::Settle); }

void PSVarnOptionsChild::OnTexture() {
    Apply(PreviewInput::Settle);
    UpdateEnabling();
}

void PSVarnOptionsChild::OnOption() { Apply(PreviewInput::Settle); }
