#include "host/cli/PresetLibrary.h"

#include <filesystem>
#include <system_error>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "OrvLib/platform/PathNames.h"

namespace VarnCli {

std::string LibraryFolderOf(const std::string& pluginFile) {
    std::error_code ignored;
    return PresetLibraryFolder(std::filesystem::absolute(pluginFile, ignored).string());
}

std::vector<PresetCategory> ListPresets(const std::string& folder) {
    return ScanPresetLibrary(folder, &IsObjectImage);
}

bool IsObjectImage(const std::string& path) {
    OrvImage2 image;
    return LoadImageFile(path, image, true);
}

bool FindPreset(const std::vector<PresetCategory>& library, const std::string& categoryAndName,
                int32_t& category, PresetEntry& preset) {
    const size_t slash = categoryAndName.find('/');
    if (slash == std::string::npos) return false;
    const std::string categoryName = categoryAndName.substr(0, slash),
                      presetName = categoryAndName.substr(slash + 1);
    for (bool exact : {true, false}) {
        const auto same = [exact](const std::string& a, const std::string& b) {
            return exact ? a == b : OrvPath::SameIgnoringCase(a, b);
        };
        for (size_t c = 0; c < library.size(); ++c) {
            if (!same(library[c].name, categoryName)) continue;
            for (const PresetEntry& p : library[c].entries) {
                if (same(p.name, presetName)) {
                    category = int32_t(c);
                    preset = p;
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace VarnCli
