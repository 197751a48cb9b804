// The preset library beside the plug-in, as the plug-in itself scans it (the product's
// scan, with the plug-in library's own loader deciding what is an object image), and
// CATEGORY/NAME look-up in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "product/PresetLibrary.h"

namespace VarnCli {

// The library folder of a plug-in file, made absolute: its folder + "Varnel" + separator.
std::string LibraryFolderOf(const std::string& pluginFile);

// The categories of a library folder in the plug-in's order; a missing folder gives none.
std::vector<PresetCategory> ListPresets(const std::string& folder);

// Finds CATEGORY/NAME (exact names first, then ignoring case, as the Windows file system
// would). `category` is the index in the list, which the plug-in stores in the block.
bool FindPreset(const std::vector<PresetCategory>& library, const std::string& categoryAndName,
                int32_t& category, PresetEntry& preset);

// A file the plug-in would take as an object image: the plug-in library's own loader
// reads it.
bool IsObjectImage(const std::string& path);

}  // namespace VarnCli
