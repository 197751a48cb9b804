#include "product/engine/SettingsTable.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kMostInt32 = std::numeric_limits<int32_t>::max();
const char* const kFlipNames[] = {"none", "h", "v", "hv", nullptr};
const char* const kBlendNames[] = {"normal", "multiply", "screen", "overlay", "darken", "lighten", nullptr};
const char* const kMapNames[] = {"none", "luminance", "inverse", "file", nullptr};
const char* const kSpacingNames[] = {"random", "even", nullptr};

constexpr SettingType T = SettingType::Text, I = SettingType::Int32, B = SettingType::UInt8,
                      D = SettingType::Double;

SettingRow Switch(const char* name, uint32_t offset, bool reset, const char* flag, const char* help) {
    return {name, offset, B, 0, 0, 1, true, BadRead::AsStored, 0, 0, reset, flag, nullptr, help, nullptr};
}

SettingRow Choice(const char* name, uint32_t offset, const char* const* names, const char* flag,
                  const char* valueName, const char* help) {
    double last = 0;
    while (names[size_t(last) + 1] != nullptr) ++last;
    return {name, offset, B, 0, 0, last, true, BadRead::Choice, 0, last, true, flag, valueName, help, names};
}

uint64_t LoadLittle(const uint8_t* p, size_t n) {
    uint64_t v = 0;
    for (size_t i = n; i-- > 0;) v = (v << 8) | p[i];
    return v;
}

void StoreLittle(uint8_t* p, size_t n, uint64_t v) {
    for (size_t i = 0; i < n; ++i, v >>= 8) p[i] = uint8_t(v);
}

uint32_t StoredLength(const uint8_t* block) { return uint32_t(LoadLittle(block + kExtensionOffset + 4, 4)); }

}  // namespace

const std::vector<SettingRow>& SettingRows() {
    static const std::vector<SettingRow> rows = {
        {"path", 0, T, 0, 0, 0, true, BadRead::Terminated, 0, 0, true, nullptr, nullptr,
         "object file, or folder when multipleImages; NUL-terminated", nullptr},
        {"presetCategory", 260, I, 0, -1, kMostInt32, true, BadRead::AsStored, 0, 0, true, nullptr, nullptr,
         "category of the library, -1 the custom entry", nullptr},
        {"multipleImages", 264, B, 0, 0, 1, true, BadRead::AsStored, 0, 0, true, nullptr, nullptr,
         "path names a folder", nullptr},
        {"density", 268, I, 10, 1, 100, true, BadRead::Held, 0, kMostInt32, true, "--density", "N",
         "copies, percent of the full count (1 to 100)", nullptr},
        {"scale", 272, D, 1.0, 0.1, 10, true, BadRead::Scale, 0.01, 100, true, "--scale", "F",
         "scale factor (0.1 to 10)", nullptr},
        {"randomScale", 280, D, 1.0, 1, 10, true, BadRead::Scale, 0.01, 100, true, "--random-scale", "F",
         "random scaling ratio (1 = off, up to 10)", nullptr},
        {"rotationAngle", 288, D, 0.0, 0, 360, false, BadRead::Angle, 0, 0, true, "--rotation", "DEG",
         "rotation (0 up to 360)", nullptr},
        {"randomRotation", 296, D, 0.0, 0, 180, true, BadRead::Angle, 0, 0, true, "--random-rotation", "DEG",
         "half-width of the random rotation (0 = off, up to 180)", nullptr},
        Switch("orderByDepth", 304, false, "--order-by-depth", "draw far copies first"),
        Switch("fadeWithDepth", 305, true, "--fade-with-depth", "fade far copies"),
        Switch("desaturateWithDepth", 306, true, "--desaturate-with-depth", "grey far copies"),
        {"randomSeed", 308, I, 1, 1, 10000, true, BadRead::AsStored, 0, 0, true, "--seed", "N",
         "random seed (1 to 10000)", nullptr},
        Switch("applyAsTexture", 312, true, "--texture", "apply the objects as a relief texture"),
        {"textureAmount", 316, I, 50, 1, 100, true, BadRead::Held, 0, 100, true, "--texture-amount", "N",
         "strength of the relief, percent (1 to 100)", nullptr},
        Switch("wholeObjectsOnly", 320, true, "--whole-objects",
               "only copies lying wholly inside the selection"),
        Switch("noOverlap", 321, true, "--no-overlap", "copies must not overlap"),
        {"opacity", 322, B, 255, 0, 255, true, BadRead::AsStored, 0, 0, true, "--opacity", "N",
         "opacity of the copies (0 to 255)", nullptr},
        {"hueJitter", 336, I, 0, 0, 180, true, BadRead::Held, 0, 180, true, "--hue-jitter", "DEG",
         "turn each copy's hue by a random angle up to DEG either way (0 = off, up to 180)", nullptr},
        {"brightnessJitter", 340, I, 0, 0, 100, true, BadRead::Held, 0, 100, true, "--brightness-jitter",
         "PCT", "make each copy up to PCT percent darker or brighter (0 = off, up to 100)", nullptr},
        {"opacityJitter", 344, I, 0, 0, 100, true, BadRead::Held, 0, 100, true, "--opacity-jitter", "PCT",
         "lower each copy's opacity by a random share up to PCT percent (0 = off, up to 100)", nullptr},
        Choice("flip", 348, kFlipNames, "--flip", "AXES",
               "mirror each copy on these axes with probability one half: none, h, v or hv"),
        Choice("blendMode", 349, kBlendNames, "--blend", "MODE",
               "how copies mix with the image: normal, multiply, screen, overlay, darken or lighten"),
        Choice("densityMap", 360, kMapNames, "--density-map", "MAP",
               "keep copies where the map is light: none, luminance, inverse or file"),
        Choice("sizeMap", 361, kMapNames, "--size-map", "MAP",
               "scale copies by the map, from --size-min (black) to --size-max (white): none, luminance, "
               "inverse or file"),
        Choice("spacing", 362, kSpacingNames, "--spacing", "HOW",
               "random, or even: copies spread apart like blue noise"),
        Switch("followEdges", 363, true, "--follow-edges",
               "turn each copy along the picture's contours, the random rotation on top"),
        {"densityStrength", 364, I, 100, 0, 100, true, BadRead::Held, 0, 100, true, "--density-strength",
         "PCT", "how much the density map removes, percent (0 to 100)", nullptr},
        {"sizeMinimum", 368, I, 50, 10, 400, true, BadRead::Held, 10, 400, true, "--size-min", "PCT",
         "scale where the size map is black, percent (10 to 400)", nullptr},
        {"sizeMaximum", 372, I, 150, 10, 400, true, BadRead::Held, 10, 400, true, "--size-max", "PCT",
         "scale where the size map is white, percent (10 to 400)", nullptr},
        Switch("keepCount", 376, true, "--keep-count",
               "with a density map, try more places until the full count of copies is kept"),
        {"mapFile", 384, SettingType::ShortText, 0, 0, 0, true, BadRead::Terminated, 0, 0, true, "--map-file",
         "FILE", "grey map picture for the maps set to file, stretched over the filter area", nullptr},
    };
    return rows;
}

const SettingRow* FindSetting(const std::string& name) {
    for (const SettingRow& row : SettingRows()) {
        if (name == row.name) return &row;
    }
    return nullptr;
}

bool InExtension(const SettingRow& row) { return row.offset >= kExtensionOffset; }

size_t SettingSize(SettingType type) {
    switch (type) {
        case SettingType::Text:
            return sizeof(EffectParameters::path);
        case SettingType::ShortText:
            return 256;
        case SettingType::Int32:
            return 4;
        case SettingType::UInt8:
            return 1;
        case SettingType::Double:
            return 8;
    }
    return 0;
}

double StoredValue(const SettingRow& row, const uint8_t* block) {
    const uint8_t* p = block + row.offset;
    switch (row.type) {
        case SettingType::Text:
        case SettingType::ShortText:
            return 0;
        case SettingType::Int32:
            return double(int32_t(uint32_t(LoadLittle(p, 4))));
        case SettingType::UInt8:
            return double(*p);
        case SettingType::Double: {
            const uint64_t bits = LoadLittle(p, 8);
            double v;
            std::memcpy(&v, &bits, 8);
            return v;
        }
    }
    return 0;
}

void StoreValue(const SettingRow& row, uint8_t* block, double v) {
    uint8_t* p = block + row.offset;
    switch (row.type) {
        case SettingType::Text:
        case SettingType::ShortText:
            break;
        case SettingType::Int32:
            StoreLittle(p, 4, uint32_t(int32_t(v)));
            break;
        case SettingType::UInt8:
            *p = uint8_t(v);
            break;
        case SettingType::Double: {
            uint64_t bits;
            std::memcpy(&bits, &v, 8);
            StoreLittle(p, 8, bits);
            break;
        }
    }
}

double SanitizedValue(const SettingRow& row, double v) {
    switch (row.bad) {
        case BadRead::AsStored:
        case BadRead::Terminated:
            return v;
        case BadRead::Held:
            if (std::isnan(v)) return row.defaultValue;
            return v < row.heldMin ? row.heldMin : v > row.heldMax ? row.heldMax : v;
        case BadRead::Scale:
            if (!std::isfinite(v) || v <= 0.0) return row.defaultValue;
            return v < row.heldMin ? row.heldMin : v > row.heldMax ? row.heldMax : v;
        case BadRead::Angle:
            // Values already inside (-360, 360) are returned untouched rather than through
            // fmod, so valid blocks cannot depend on the C library.
            if (!std::isfinite(v)) return 0.0;
            return std::fabs(v) < 360.0 ? v : std::fmod(v, 360.0);
        case BadRead::Choice:
            return v >= 0 && v <= row.heldMax ? v : row.defaultValue;
    }
    return v;
}

bool HasExtension(const uint8_t* block, size_t size) {
    if (size < kExtensionFieldsOffset) return false;
    if (std::memcmp(block + kExtensionOffset, kExtensionTag, 4) != 0) return false;
    return StoredLength(block) <= size - kExtensionFieldsOffset;
}

bool HoldsField(const SettingRow& row, const uint8_t* block, size_t size) {
    if (!InExtension(row)) return size >= kExtensionOffset;
    return HasExtension(block, size) &&
           row.offset + SettingSize(row.type) <= kExtensionFieldsOffset + uint64_t(StoredLength(block));
}

double ReadSetting(const SettingRow& row, const uint8_t* block, size_t size) {
    if (!HoldsField(row, block, size)) return row.defaultValue;
    return SanitizedValue(row, StoredValue(row, block));
}

void CompleteExtension(uint8_t* block, size_t size) {
    if (size < kSettingsBlockSize) return;
    const bool valid = HasExtension(block, size);
    if (valid && StoredLength(block) >= kExtensionFieldsLength) return;
    const uint32_t kept = valid ? StoredLength(block) : 0;
    std::memcpy(block + kExtensionOffset, kExtensionTag, 4);
    StoreLittle(block + kExtensionOffset + 4, 4, kExtensionFieldsLength);
    // Bytes this version reserves are zero; fields an older extension lacked get their defaults.
    std::memset(block + kExtensionFieldsOffset + kept, 0, kExtensionFieldsLength - kept);
    for (const SettingRow& row : SettingRows()) {
        if (InExtension(row) && row.offset >= kExtensionFieldsOffset + kept)
            StoreValue(row, block, row.defaultValue);
    }
}

void ResetSettings(uint8_t* block, size_t size) {
    for (const SettingRow& row : SettingRows()) {
        if (!row.reset || row.offset + SettingSize(row.type) > size) continue;
        if (IsText(row.type)) {
            block[row.offset] = 0;
        } else {
            StoreValue(row, block, row.defaultValue);
        }
    }
    if (size >= kSettingsBlockSize) {
        std::memcpy(block + kExtensionOffset, kExtensionTag, 4);
        StoreLittle(block + kExtensionOffset + 4, 4, kExtensionFieldsLength);
    }
}
