// The rules of the Image page: the category list, opening on a stored block, and what
// choosing a category, a preset or a custom file or folder writes. The page's window and
// the headless stand-in both open through OpenImagePage, so a block gives one picture
// with or without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "product/PresetLibrary.h"
#include "product/engine/EffectParameters.h"

constexpr const char* kCustomRowName = "<Custom>";
constexpr int32_t kCustomCategory = -1;

// The path field as a string, never reading past its last byte.
std::string BlockPath(const EffectParameters& p);
// At most 259 bytes, always terminated.
void StoreBlockPath(EffectParameters& p, const std::string& path);

struct CategoryRow {
    std::string name;
    int32_t category;  // index in the library, kCustomCategory for "<Custom>"
};

// Library categories sorted by name without regard to case (stable among equal names),
// then "<Custom>".
std::vector<CategoryRow> CategoryRows(const std::vector<PresetCategory>& library);

// The category a stored index shows: the last one for too large an index (-1 without
// categories), the custom entry for anything below 0. The block itself is not changed.
int32_t ShownCategory(int32_t presetCategory, size_t categoryCount);

struct ImagePageOpening {
    int32_t category = kCustomCategory;  // the thumbnail list's category
    bool customRow = true;               // "<Custom>" selected, showing the block's path
    int32_t entry = -1;                  // the selected thumbnail
    bool applied = false;                // the entry was written to the block
};

// Opens the page on a block. A block naming a category and no path gets the category's
// first preset (path and folder flag); every other block is left as it is.
ImagePageOpening OpenImagePage(EffectParameters& p, const std::vector<PresetCategory>& library);

// A thumbnail chosen: its path and whether it is a folder.
void ApplyPresetEntry(const PresetEntry& entry, EffectParameters& p);

struct CategoryChoice {
    int32_t entry = -1;    // the thumbnail now selected
    bool refresh = false;  // the block changed: the preview follows
};

// A row of the category list chosen. "<Custom>" takes the file name box and the check
// box; a category applies its first preset.
CategoryChoice ChooseCategory(int32_t category, const std::vector<PresetCategory>& library,
                              const std::string& boxPath, bool multipleImages, EffectParameters& p);

struct ImagePageVisibility {
    bool customControls;  // file label, name box, Browse, custom preview, "Multiple Images"
    bool thumbnailList;
    const char* label;  // with its access key
};
ImagePageVisibility ImagePageVisibilityFor(bool customRow, bool multipleImages);
