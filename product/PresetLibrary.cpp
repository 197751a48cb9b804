#include "product/PresetLibrary.h"

#include "OrvLib/platform/Platform.h"
#include "product/ObjectFileNames.h"

namespace {

bool FolderPreset(const std::string& path, const std::string& name, const PresetImageTest& loads,
                  PresetEntry& entry) {
    if (!path.empty() && path.back() == '.') return false;  // "." and ".."
    bool haveThumbnail = false, haveImage = false;
    const std::string folder = path + OrvPlatform::PathSeparator();
    for (const std::string& file : OrvPlatform::ListFolder(folder)) {
        const std::string full = folder + file;
        if (full.size() > kLongestObjectPath) continue;
        if (IsThumbnailName(file)) {
            entry.thumbnail = full;
            haveThumbnail = true;
        } else if (!haveImage && loads(full)) {
            haveImage = true;
            if (!haveThumbnail) entry.thumbnail = full;
        }
    }
    if (!haveImage) return false;
    entry.name = OrvPath::WithoutExtension(name);
    entry.isFolder = true;
    entry.path = path;
    return true;
}

}  // namespace

bool LoadableFiles::Loads(const std::string& file) {
    OrvPlatform::FileStamp stamp;
    if (!OrvPlatform::StampOf(file, &stamp)) return loads(file);
    const auto found = known.find(file);
    if (found != known.end() && found->second.stamp == stamp) return found->second.loads;
    const bool result = loads(file);
    known[file] = Known{stamp, result};
    return result;
}

std::string PresetLibraryFolder(const std::string& moduleFileName) {
    const size_t cut = OrvPath::FileNameStart(moduleFileName);
    if (cut == 0) return {};
    return moduleFileName.substr(0, cut) + "Varnel" + OrvPlatform::PathSeparator();
}

std::vector<PresetCategory> ScanPresetLibrary(const std::string& library, const PresetImageTest& loads) {
    std::vector<PresetCategory> categories;
    if (library.empty()) return categories;
    for (const std::string& categoryName : OrvPlatform::ListFolder(library)) {
        if (categoryName.empty() || categoryName[0] == '.') continue;
        const std::string categoryPath = library + categoryName;
        if (!OrvPlatform::IsFolder(categoryPath)) continue;
        PresetCategory category;
        category.name = categoryName;
        const std::string folder = categoryPath + OrvPlatform::PathSeparator();
        for (const std::string& name : OrvPlatform::ListFolder(folder)) {
            const std::string path = folder + name;
            if (path.size() > kLongestObjectPath) continue;
            PresetEntry entry;
            if (OrvPlatform::IsFolder(path)) {
                if (!FolderPreset(path, name, loads, entry)) continue;
            } else {
                if (!loads(path)) continue;
                entry.name = OrvPath::WithoutExtension(name);
                entry.path = path;
                entry.thumbnail = path;
            }
            category.entries.push_back(std::move(entry));
        }
        if (!category.entries.empty()) categories.push_back(std::move(category));
    }
    return categories;
}
