// Resources bound into a module, for the pictures the plug-in carries with it.
#pragma once

#include <cstdint>
#include <vector>

namespace OrvPlatform {

// A copy of the resource with a numeric id and a type name, from the given module (null:
// the module that holds this code, so a plug-in finds its own resources whatever the
// host's module is). Empty when the module has no such resource or it is empty; the
// headless platform has none.
std::vector<uint8_t> ModuleResource(const void* module, int id, const char* typeName);

}  // namespace OrvPlatform
