#include "host/DialogResponder.h"

namespace VarnHost {

// The plug-in built for this system has no window dialog: its stand-in answers OK itself.
struct DialogResponder::Watch {};
bool DialogResponder::DialogsShown() { return false; }
DialogResponder::DialogResponder(DialogAnswer) {}
DialogResponder::~DialogResponder() = default;

}  // namespace VarnHost
