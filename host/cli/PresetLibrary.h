// The preset library beside the plug-in, listed the way the plug-in lists it: categories
// are the library's sub-folders, presets are the image files and image folders in them,
// all in the order Windows enumerates folders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varncli {

struct Preset {
    std::string name;  // file name without extension, or the folder's name up to its last dot
    bool isFolder = false;
    std::string path;  // what goes into the block
};

struct PresetCategory {
    std::string name;
    std::vector<Preset> presets;  // never empty
};

// The library folder of a plug-in file: its folder + "Varnel".
std::string LibraryFolderOf(const std::string& pluginFile);

// Names compared in upper case, ties by the original bytes: the order Windows returns, so
// category indices agree with the plug-in's on every system.
bool SystemNameLess(const std::string& a, const std::string& b);

// Categories without presets are left out; a missing folder gives none.
std::vector<PresetCategory> ScanPresetLibrary(const std::string& folder);

// Finds CATEGORY/NAME (exact names first, then ignoring case, as the Windows file system
// would). `category` is the index in the list, which the plug-in stores in the block.
bool FindPreset(const std::vector<PresetCategory>& library, const std::string& spec, int32_t& category,
                Preset& preset);

// A file the plug-in would take as an object image: the plug-in library's own loader
// reads it.
bool IsObjectImage(const std::string& path);

}  // namespace varncli
