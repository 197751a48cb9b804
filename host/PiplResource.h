// Windows: the plug-in property list of a loaded module, found as hosts find it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "OrvLib/plugin/HostInterface.h"

namespace VarnHost {

// The bytes of resource 16000 of type PIPL (any spelling: resource types are not case
// sensitive); empty when the module has none. `module` is an HMODULE, also one loaded
// as a data file.
std::vector<uint8_t> PiplResourceBytes(void* module);

// The entry point a host would call: the PIPL must describe a filter for an interface
// it accepts and name an entry for this architecture. Empty with `error` set otherwise.
std::string PiplEntryName(void* module, std::string& error);

// PiplEntryName looked up in a module loaded for running; null when missing.
PluginEntryProc PiplEntry(void* module);

}  // namespace VarnHost
