// The stand-in for the effect dialog where no window can be shown: it does to the plug-in
// and its block what the dialog does before OK (the Image page's opening writes, sizing
// the previews, building the proxies, rendering one preview), then answers as told: OK
// unless a test says otherwise.
#pragma once

#include <cstdint>
#include <functional>

class PSVarnPlugin;

namespace HeadlessDialog {

// The client size of the dialog's previews.
constexpr int32_t kPreviewWidth = 264;
constexpr int32_t kPreviewHeight = 210;

void SetAnswer(bool ok);
// What the user does while the dialog is open, after its first preview and before the
// answer (nothing unless a test says so).
void SetUserActions(std::function<void(PSVarnPlugin&)> actions);
// How many times the dialog was shown since the module was loaded.
int Runs();

}  // namespace HeadlessDialog
