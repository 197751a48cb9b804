// The ten colours every custom control paints with, as colour references (0x00BBGGRR). A
// control points at a scheme it does not own: its dialog's, or the module-wide default
// filled from the system colours (win32/SchemePainter.h).
#pragma once

#include <cstdint>

enum class SchemeColour {
    Face = 0,       // backgrounds (button face)
    Highlight,      // light bevel edge (button highlight)
    Light,          // inner light edge (3D light)
    Shadow,         // button shadow
    DarkShadow,     // 3D dark shadow
    Text,           // window text
    DisabledText,   // grey text
    SelectedText,   // highlight text
    SelectionBack,  // highlight
    Window,         // list and edit backgrounds
};

struct ColourScheme {
    static constexpr int kCount = 10;
    uint32_t colours[kCount] = {};

    uint32_t operator[](SchemeColour c) const { return colours[static_cast<int>(c)]; }
    uint32_t& operator[](SchemeColour c) { return colours[static_cast<int>(c)]; }
};
