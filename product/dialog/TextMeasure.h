// How the pages' text rules see a font and the system's multibyte code page, so that
// they run without a window: a width in pixels for a piece of text, and whether a byte
// starts a two-byte character. No lead-byte test means a single-byte code page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

using TextWidth = std::function<int32_t(const std::string& text)>;
using LeadByteTest = std::function<bool(unsigned char byte)>;

// The length of the character starting at text[at]: 2 for a lead byte followed by a
// trail byte, else 1.
inline size_t CharacterLength(const std::string& text, size_t at, const LeadByteTest& isLead) {
    if (isLead && at + 1 < text.size() && isLead(static_cast<unsigned char>(text[at]))) return 2;
    return 1;
}
