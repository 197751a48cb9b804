// The effect dialog, shown modally for one Start: the window dialog on Windows, a
// headless stand-in elsewhere. True when the user pressed OK.
#pragma once

class PSVarnPlugin;

bool RunEffectDialog(PSVarnPlugin& plugin);
