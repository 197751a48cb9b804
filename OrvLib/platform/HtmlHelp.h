// The system's HTML Help viewer, found at the first request and cached. Where there is
// none (no viewer installed, or a platform without one) every call does nothing and
// returns 0, and the viewer is not looked for again.
#pragma once

#include <cstdint>
#include <string>

namespace OrvPlatform {

enum HtmlHelpCommand : uint32_t {
    kHelpDisplayTopic = 0,
    kHelpContextMenu = 16,
    kHelpWmHelp = 17,
};

intptr_t HtmlHelp(intptr_t owner, const std::string& file, uint32_t command, uintptr_t data);

// Whether a viewer was found (looking for it the first time).
bool HtmlHelpAvailable();

// The "What's This?" menu over the dialog's controls: the first control of idTable
// (control id, help id pairs ended by 0, 0) that exists, is visible and contains the
// screen point. Returns false when there is none; otherwise shows the menu and sets
// chosen to that control's window when the item was picked (else 0).
bool TrackWhatsThisMenu(intptr_t dialog, const uint32_t* idTable, int32_t x, int32_t y, intptr_t& chosen);

}  // namespace OrvPlatform
