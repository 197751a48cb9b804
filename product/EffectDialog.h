// Runs the effect dialog modally for one Start; true when the user pressed OK.
#pragma once

class PSVarnPlugin;

bool RunEffectDialog(PSVarnPlugin& plugin);

// The stand-in used where no window can be shown: it prepares the previews as the
// dialog does before OK, then answers as told (OK unless a test says otherwise).
namespace HeadlessDialog {
void SetAnswer(bool ok);
int Runs();
}  // namespace HeadlessDialog
