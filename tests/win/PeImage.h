// What a loaded module exports and imports, read from its PE headers in memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::vector<std::string> ExportedNames(HMODULE module);
std::vector<std::string> ImportedLibraries(HMODULE module);
