// The library of ready-made object sets beside the plug-in: categories (its sub-folders)
// holding presets (image files, or folders of images used together).
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "OrvLib/platform/Platform.h"

struct PresetEntry {
    std::string name;       // file name without extension, or the folder's name
    bool isFolder = false;  // a set of several images
    std::string path;       // the file, or the folder without a trailing separator
    std::string thumbnail;  // the picture shown for it
};

struct PresetCategory {
    std::string name;
    std::vector<PresetEntry> entries;  // never empty
};

// Whether a file is a loadable picture.
using PresetImageTest = std::function<bool(const std::string& file)>;

// Remembers whether each file loads by its size and last write time, so that scanning
// an unchanged library again decodes nothing. A file that cannot be examined is asked
// every time.
class LoadableFiles {
public:
    explicit LoadableFiles(PresetImageTest initialLoads) : loads(std::move(initialLoads)) {}
    bool Loads(const std::string& file);

private:
    struct Known {
        OrvPlatform::FileStamp stamp;
        bool loads;
    };
    PresetImageTest loads;
    std::unordered_map<std::string, Known> known;
};

// The library folder beside a module file ("Varnel" and a separator); empty without a
// module name.
std::string PresetLibraryFolder(const std::string& moduleFileName);

// The categories of a library folder (ending in a separator), in the system's order.
// Anything that is not a loadable picture is skipped silently.
std::vector<PresetCategory> ScanPresetLibrary(const std::string& library, const PresetImageTest& loads);
