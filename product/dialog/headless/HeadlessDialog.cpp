#include "product/dialog/headless/HeadlessDialog.h"

#include "product/EffectDialog.h"
#include "product/PSVarnPlugin.h"

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
    plugin.SetPreviewSize(OrvSize{HeadlessDialog::kPreviewWidth, HeadlessDialog::kPreviewHeight});
    plugin.CreateLocatorImage(plugin.GetPreviewSize());
    return answer;
}
