// The horizontal slider without its window: range and position, the geometry of the
// thumb and the channel, the mapping between offsets and pixels, and the rules of the
// mouse, keys, wheel and page repeat. Each input operation returns the scroll codes the
// window sends to its parent, in order.
//
// The position is held as an offset from the minimum, in 64 bits: setting a position
// outside the range stores it unchanged, and no difference of two 32-bit values can
// overflow.
#pragma once

#include <cstdint>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/ControlInput.h"
#include "OrvLib/controls/ControlMath.h"
#include "OrvLib/controls/DisplayScale.h"

// Low word of the horizontal-scroll message.
enum class SliderCode : int32_t {
    LineLeft = 0,
    LineRight = 1,
    PageLeft = 2,
    PageRight = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

struct SliderGeometry {
    OrvRect whole;
    OrvRect channel;
    OrvRect thumb;
};

class SliderModel {
public:
    using Codes = std::vector<SliderCode>;
    static constexpr int32_t kPageRepeatMs = 500;

    void SetRange(int32_t minimum, int32_t maximum);
    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    int64_t RangeLength() const { return static_cast<int64_t>(maximum) - minimum; }

    void SetPosition(int32_t value) { offset = static_cast<int64_t>(value) - minimum; }
    int32_t Position() const;
    int64_t Offset() const { return offset; }

    // A page size of 0 or less means automatic: a fifth of a range length that is a
    // multiple of 5, else 1.
    void SetPageSize(int32_t size) { pageSize = size; }
    int64_t PageStep() const;

    // Recomputed from the client area on every size change and before every paint. The
    // thumb's centre stays inside the channel whatever the position. A tall slider's thumb
    // is 20 pixels high at 96 pixels an inch, scaled to dpi.
    void Layout(const OrvRect& client, int dpi = DisplayScale::kBaseDpi);
    const SliderGeometry& Geometry() const { return geometry; }
    int64_t PixelToOffset(int32_t x) const;
    int32_t OffsetToPixel(int64_t offset) const;
    // The same, unsaturated.
    int64_t OffsetToPixel64(int64_t offset) const;

    // Mouse: a double click is a press. Drag is each move once the press became a drag
    // (the pointer's drag threshold is the mouse tracker's); the thumb follows it.
    Codes Press(OrvPoint p);
    Codes Drag(OrvPoint p);
    Codes Release();
    // A drag cancelled (Escape): the thumb goes back to where the press found it.
    Codes Cancel();
    Codes PageTick();
    bool PageRepeating() const { return pageRepeating; }
    bool ThumbPressed() const { return pressedOnThumb; }
    bool Dragging() const { return dragging; }
    // Capture is held from a press on the thumb or in the channel until the release.
    bool WantsCapture() const { return pressedOnThumb || pageRepeating; }

    // Arrows step a line, Page Up and Down a page, Home and End go to the ends; the key's
    // release ends the scroll.
    Codes KeyDown(ControlKey key);
    Codes KeyUp(ControlKey key);
    // A line a notch (five with Control), parts of a notch added up: a line code per call
    // that makes a whole notch, nothing otherwise.
    Codes Wheel(int32_t delta, bool control);

private:
    Codes TakePage(bool right);
    void SetOffsetClamped(int64_t offset);

    int32_t minimum = 0;
    int32_t maximum = 100;
    int64_t offset = 0;
    int32_t pageSize = -1;
    SliderGeometry geometry;

    bool pressedOnThumb = false;
    bool pressedInChannel = false;
    bool dragging = false;
    bool pageRepeating = false;
    bool pageRight = false;
    OrvPoint press;
    int64_t dragStartOffset = 0;
    int64_t pressOffset = 0;
    ControlMath::WheelAccumulator wheel;
};
