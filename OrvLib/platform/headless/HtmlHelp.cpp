#include "OrvLib/platform/HtmlHelp.h"

// There is no help viewer without a window system.
namespace OrvPlatform {

intptr_t HtmlHelp(intptr_t, const std::string&, uint32_t, uintptr_t) { return 0; }
bool HtmlHelpAvailable() { return false; }
bool TrackWhatsThisMenu(intptr_t, const uint32_t*, int32_t, int32_t, intptr_t& chosen) {
    chosen = 0;
    return false;
}

}  // namespace OrvPlatform
