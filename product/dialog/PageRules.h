// What the pages share: slider ranges and the preview a slider's scroll code asks for.
#pragma once

#include <cstdint>

struct SliderRange {
    int32_t minimum;
    int32_t maximum;
};

enum class PreviewRequest { None, Quick, Full };

// Line and page steps (0 to 3) and the end of a drag (8) ask for a full preview, thumb
// position and thumb track (4 and 5) for a quick one; other codes change nothing.
inline PreviewRequest SliderScrollPreview(int code) {
    if ((code >= 0 && code <= 3) || code == 8) return PreviewRequest::Full;
    if (code == 4 || code == 5) return PreviewRequest::Quick;
    return PreviewRequest::None;
}
