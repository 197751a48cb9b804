#include "host/cli/PresetLibrary.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvImageLoad.h"

namespace varncli {

namespace fs = std::filesystem;

namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

struct Entry {
    std::string name;
    bool isFolder;
};

std::vector<Entry> ListFolder(const fs::path& folder) {
    std::vector<Entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        entries.push_back(Entry{it->path().filename().string(), it->is_directory(ignored)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return SystemNameLess(a.name, b.name); });
    return entries;
}

std::string WithoutExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// A folder is a preset when it holds at least one object image besides its "Thumbnail".
bool IsFolderPreset(const fs::path& folder) {
    const std::string name = folder.filename().string();
    if (name.empty() || name.back() == '.') return false;
    for (const Entry& entry : ListFolder(folder)) {
        if (SameIgnoringCase(WithoutExtension(entry.name), "Thumbnail")) continue;
        if (!entry.isFolder && IsObjectImage((folder / entry.name).string())) return true;
    }
    return false;
}

}  // namespace

std::string LibraryFolderOf(const std::string& pluginFile) {
    return (fs::path(pluginFile).parent_path() / "Varnel").string();
}

bool SystemNameLess(const std::string& a, const std::string& b) {
    const std::string ua = Upper(a), ub = Upper(b);
    return ua != ub ? ua < ub : a < b;
}

bool IsObjectImage(const std::string& path) {
    OrvImage2 image;
    return LoadImageFile(path, image, true);
}

std::vector<PresetCategory> ScanPresetLibrary(const std::string& folder) {
    std::vector<PresetCategory> library;
    const fs::path root(folder);
    for (const Entry& category : ListFolder(root)) {
        if (!category.isFolder || category.name[0] == '.') continue;
        PresetCategory found{category.name, {}};
        const fs::path categoryFolder = root / category.name;
        for (const Entry& entry : ListFolder(categoryFolder)) {
            const fs::path path = categoryFolder / entry.name;
            if (entry.isFolder) {
                if (IsFolderPreset(path))
                    found.presets.push_back(Preset{WithoutExtension(entry.name), true, path.string()});
            } else if (IsObjectImage(path.string())) {
                found.presets.push_back(Preset{WithoutExtension(entry.name), false, path.string()});
            }
        }
        if (!found.presets.empty()) library.push_back(std::move(found));
    }
    return library;
}

bool FindPreset(const std::vector<PresetCategory>& library, const std::string& spec, int32_t& category,
                Preset& preset) {
    const size_t slash = spec.find('/');
    if (slash == std::string::npos) return false;
    const std::string categoryName = spec.substr(0, slash), presetName = spec.substr(slash + 1);
    for (bool exact : {true, false}) {
        const auto same = [exact](const std::string& a, const std::string& b) {
            return exact ? a == b : SameIgnoringCase(a, b);
        };
        for (size_t c = 0; c < library.size(); ++c) {
            if (!same(library[c].name, categoryName)) continue;
            for (const Preset& p : library[c].presets) {
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

}  // namespace varncli
