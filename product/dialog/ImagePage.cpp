#include "product/dialog/ImagePage.h"

#include <algorithm>
#include <cstring>

namespace {

unsigned char Folded(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

bool NameBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Folded(x) < Folded(y); });
}

}  // namespace

std::string BlockPath(const EffectParameters& p) {
    return std::string(p.path, strnlen(p.path, sizeof p.path - 1));
}

void StoreBlockPath(EffectParameters& p, const std::string& path) {
    const size_t length = std::min(path.size(), sizeof p.path - 1);
    std::memcpy(p.path, path.data(), length);
    p.path[length] = 0;
}

std::vector<CategoryRow> CategoryRows(const std::vector<PresetCategory>& library) {
    std::vector<CategoryRow> rows;
    rows.reserve(library.size() + 1);
    for (size_t i = 0; i < library.size(); ++i) rows.push_back({library[i].name, int32_t(i)});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const CategoryRow& a, const CategoryRow& b) { return NameBefore(a.name, b.name); });
    rows.push_back({kCustomRowName, kCustomCategory});
    return rows;
}

int32_t ShownCategory(int32_t presetCategory, size_t categoryCount) {
    if (presetCategory < 0) return kCustomCategory;
    if (size_t(presetCategory) >= categoryCount) return int32_t(categoryCount) - 1;
    return presetCategory;
}

ImagePageOpening OpenImagePage(EffectParameters& p, const std::vector<PresetCategory>& library) {
    ImagePageOpening opening;
    opening.category = ShownCategory(p.presetCategory, library.size());
    if (opening.category == kCustomCategory) return opening;

    const std::vector<PresetEntry>& entries = library[size_t(opening.category)].entries;
    const std::string path = BlockPath(p);
    for (size_t j = 0; j < entries.size(); ++j) {
        if (entries[j].path == path) {
            opening.customRow = false;
            opening.entry = int32_t(j);
            return opening;
        }
    }
    // A path of the user's own, or nothing to offer: shown as custom, the block untouched.
    if (!path.empty() || entries.empty()) return opening;
    opening.customRow = false;
    opening.entry = 0;
    opening.applied = true;
    ApplyPresetEntry(entries.front(), p);
    return opening;
}

void ApplyPresetEntry(const PresetEntry& entry, EffectParameters& p) {
    StoreBlockPath(p, entry.path);
    p.multipleImages = entry.isFolder ? 1 : 0;
}

CategoryChoice ChooseCategory(int32_t category, const std::vector<PresetCategory>& library,
                              const std::string& boxPath, bool multipleImages, EffectParameters& p) {
    CategoryChoice choice;
    if (category != kCustomCategory && (category < 0 || size_t(category) >= library.size())) return choice;
    p.presetCategory = category;
    if (category == kCustomCategory) {
        StoreBlockPath(p, boxPath);
        p.multipleImages = multipleImages ? 1 : 0;
        choice.refresh = true;
        return choice;
    }
    const std::vector<PresetEntry>& entries = library[size_t(category)].entries;
    if (entries.empty()) return choice;
    ApplyPresetEntry(entries.front(), p);
    choice.entry = 0;
    choice.refresh = true;
    return choice;
}

ImagePageVisibility ImagePageVisibilityFor(bool customRow, bool multipleImages) {
    return ImagePageVisibility{customRow, !customRow, multipleImages ? "&Directory Name" : "&Filename"};
}
