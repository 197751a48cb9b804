// Rules on the names of object files shared by the object sets and the preset library.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>

// The longest path the settings record can hold; longer names are skipped.
constexpr size_t kLongestObjectPath = 259;

inline std::string WithoutExtension(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

// A folder's picture for the preset list, never one of its objects: "Thumbnail" in any
// case, with any extension.
inline bool IsThumbnailName(const std::string& name) {
    const std::string stem = WithoutExtension(name);
    static const char kThumbnail[] = "thumbnail";
    if (stem.size() != sizeof kThumbnail - 1) return false;
    for (size_t i = 0; i < stem.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(stem[i])) != kThumbnail[i]) return false;
    }
    return true;
}
