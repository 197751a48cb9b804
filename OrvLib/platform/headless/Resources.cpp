#include "OrvLib/platform/Resources.h"

namespace OrvPlatform {

// Native builds bind no resources into the library.
std::vector<uint8_t> ModuleResource(const void*, int, const char*) { return {}; }

}  // namespace OrvPlatform
