// varnel presets: the library beside the plug-in, as the plug-in's Image page lists it.
#include <filesystem>
#include <system_error>

#include "host/cli/Commands.h"
#include "host/cli/PresetLibrary.h"

namespace VarnCli {

int RunPresets(const PresetsOptions& options, std::FILE* out, std::FILE* err) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    const std::string folder = LibraryFolderOf(PluginFileToLoad(options.plugin));
    if (!fs::is_directory(folder, ignored)) {
        std::fprintf(err, "varnel: no preset library at %s\n", folder.c_str());
        return kExitUsage;
    }
    const std::vector<PresetCategory> library = ListPresets(folder);
    if (options.names) {
        for (const PresetCategory& category : library) {
            for (const PresetEntry& preset : category.entries) {
                std::fprintf(out, "%s/%s\n", category.name.c_str(), preset.name.c_str());
            }
        }
        return kExitOk;
    }
    if (library.empty()) {
        std::fprintf(out, "No presets in %s\n", folder.c_str());
        return kExitOk;
    }
    std::fprintf(out, "Presets in %s (use --preset CATEGORY/NAME):\n", folder.c_str());
    for (const PresetCategory& category : library) {
        std::fprintf(out, "%s\n", category.name.c_str());
        for (const PresetEntry& preset : category.entries) {
            std::fprintf(out, "    %s%s\n", preset.name.c_str(),
                         preset.isFolder ? "  (folder of images)" : "");
        }
    }
    return kExitOk;
}

}  // namespace VarnCli
