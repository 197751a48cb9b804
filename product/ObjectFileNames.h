// Rules on the names of object files shared by the object sets and the preset library.
#pragma once

#include <cstddef>
#include <string>

#include "OrvLib/platform/PathNames.h"

// The longest path the settings record can hold; longer names are skipped.
constexpr size_t kLongestObjectPath = 259;

// A folder's picture for the preset list, never one of its objects: "Thumbnail" in any
// case, with any extension.
inline bool IsThumbnailName(const std::string& name) {
    return OrvPath::SameIgnoringCase(OrvPath::WithoutExtension(name), "Thumbnail");
}
