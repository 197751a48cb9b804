// The scroll bar without its window: its information record, the parts along the bar,
// the action of each part, the repeat timing taken from the keyboard settings, the thumb
// drag and the wheel. Input operations return the messages the window sends, in order:
// scroll codes to the parent's scroll message and notification codes.
//
// Positions are computed in 64 bits and clamped into minimum to maximum - page + 1.
#pragma once

#include <cstdint>
#include <vector>

#include "OrvLib/controls/ControlMath.h"

enum class ScrollPart : int32_t {
    None = 0,
    FirstArrow = 1,
    SecondArrow = 2,
    Thumb = 3,
    TrackBefore = 4,
    TrackAfter = 5
};

namespace ScrollCode {
constexpr int32_t kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kTrack = 5, kEnd = 8;
}
namespace ScrollNotify {
constexpr int32_t kDragBegan = 100, kThumbMoved = 101, kDragEnded = 102, kDragCancelled = 103,
                  kPositionChanged = 104;
}

struct ScrollInfo {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t page = 0;
    int32_t position = 0;
    int32_t trackPosition = 0;
};

// Lengths along the bar: arrows of the bar's thickness at both ends, the track between.
struct ScrollParts {
    int32_t length = 0;
    int32_t thickness = 0;
    bool hasThumb = false;
    int32_t thumbStart = 0;  // from the start of the bar
    int32_t thumbEnd = 0;
    int32_t TrackStart() const { return thickness; }
    int32_t TrackEnd() const { return length - thickness; }
};

struct ScrollMessage {
    bool notification;  // else a scroll code
    int32_t code;
    int32_t position;  // the scroll message's high word
    bool operator==(const ScrollMessage& o) const {
        return notification == o.notification && code == o.code && position == o.position;
    }
};

class ScrollBarModel {
public:
    using Messages = std::vector<ScrollMessage>;

    explicit ScrollBarModel(bool initialLive = false) : live(initialLive) {}
    bool Live() const { return live; }

    void SetRange(int32_t minimum, int32_t maximum);
    void SetPage(int32_t page);
    void SetPosition(int32_t position);
    const ScrollInfo& Info() const { return info; }
    int32_t Position() const { return info.position; }
    int32_t LastPosition() const;

    void Layout(int32_t length, int32_t thickness);
    const ScrollParts& Parts() const { return parts; }
    ScrollPart HitTest(int32_t along) const;

    // Press on the part at `along`; the repeat timer then runs.
    Messages Press(int32_t along);
    // A repeat tick: the part now under `along` acts again.
    Messages Tick(int32_t along);
    // Interval of the repeat timer now: the keyboard delay until the first tick, then the
    // keyboard rate.
    int32_t TimerInterval() const { return ticked ? repeatMs : delayMs; }
    bool Repeating() const { return repeating; }
    void SetKeyboardTiming(int32_t delaySetting, int32_t speedSetting);
    static int32_t RepeatDelayMs(int32_t delaySetting);
    static int32_t RepeatIntervalMs(int32_t speedSetting);

    // A drag that began on the thumb; `offset` is the cursor's movement along the bar.
    bool PressedOnThumb() const { return pressed == ScrollPart::Thumb; }
    Messages BeginDrag();
    Messages DragTo(int32_t offset);
    Messages EndDrag();
    Messages CancelDrag();
    bool Dragging() const { return dragging; }
    // Release without a drag.
    void Release();
    ScrollPart PressedPart() const { return pressed; }

    Messages Wheel(int32_t delta);

private:
    Messages Act(ScrollPart part);
    bool MoveTo(int64_t position);
    int64_t Span() const;

    bool live;
    ScrollInfo info;
    ScrollParts parts;
    ScrollPart pressed = ScrollPart::None;
    bool repeating = false;
    bool ticked = false;
    bool dragging = false;
    int32_t dragStart = 0;
    int32_t delayMs = 500;
    int32_t repeatMs = 33;
    ControlMath::WheelAccumulator wheel;
};
