#include "product/dialog/headless/HeadlessDialog.h"

#include <utility>

#include "product/EffectDialog.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/ImagePage.h"

namespace {
bool answer = true;
int runs = 0;
std::function<void(PSVarnPlugin&)> userActions;
}  // namespace

namespace HeadlessDialog {
void SetAnswer(bool ok) { answer = ok; }
void SetUserActions(std::function<void(PSVarnPlugin&)> actions) { userActions = std::move(actions); }
int Runs() { return runs; }
}  // namespace HeadlessDialog

bool RunEffectDialog(PSVarnPlugin& plugin) {
    ++runs;
    // Opening the Image page may write to the block; without a window it must write the same.
    if (EffectParameters* parameters = plugin.Parameters()) OpenImagePage(*parameters, plugin.Presets());
    plugin.SetPreviewSize(OrvSize{HeadlessDialog::kPreviewWidth, HeadlessDialog::kPreviewHeight});
    plugin.CreateLocatorImage(plugin.GetPreviewSize());
    if (userActions) userActions(plugin);
    return answer;
}
