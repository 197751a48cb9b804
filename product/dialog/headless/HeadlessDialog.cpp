#include "product/dialog/headless/HeadlessDialog.h"

#include "product/EffectDialog.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/ImagePage.h"

namespace {
bool answer = true;
int runs = 0;
}  // namespace

namespace HeadlessDialog {
void SetAnswer(bool ok) { answer = ok; }
int Runs() { return runs; }
}  // namespace HeadlessDialog

bool RunEffectDialog(PSVarnPlugin& plugin) {
    ++runs;
    // Opening the Image page may write to the block; without a window it must write the same.
    if (EffectParameters* parameters = plugin.Parameters()) OpenImagePage(*parameters, plugin.Presets());
    plugin.SetPreviewSize(OrvSize{HeadlessDialog::kPreviewWidth, HeadlessDialog::kPreviewHeight});
    plugin.CreateLocatorImage(plugin.GetPreviewSize());
    return answer;
}
