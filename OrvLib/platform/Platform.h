// Narrow platform services used by portable code. Implemented once on Win32 and once
// as a headless stand-in; portable modules never include a Windows header.
#pragma once

#include <cstdint>
#include <string>

namespace OrvPlatform {

// Full file name of the plug-in module itself. Empty when the name cannot be had whole
// (the system truncated it), so that callers never build paths from a cut name.
std::string ModuleFileName();

// Millisecond clock for time budgets (wraps after about 49 days; compare differences).
uint32_t Milliseconds();

// A failure inside the modal dialog may leave the host's window disabled: enable it
// again. Does nothing when the calling thread has no such window.
void EnableHostWindow();

}  // namespace OrvPlatform
