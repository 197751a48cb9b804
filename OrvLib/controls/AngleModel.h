// The angle dial without its window: the value in whole degrees with its turns, the
// rules of each angle mode, the angle under a point, wheel and key steps, typed values,
// the layout of the dial beside its number box and the shapes it paints (the needle
// polygon and the shaded ring).
//
// Modes: 0 is 0 to 359 and 1 is 0 to 360, both wrapping; 2 counts whole turns from 0 to
// the maximum; 3 counts turns from minus to plus the maximum; 4 is a quarter dial of 0 to
// 90. Every change goes through one normalisation per mode, so a value can never leave
// its mode's range whatever the size of a step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "OrvLib/controls/ControlMath.h"
#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/BoxPlacement.h"
#include "OrvLib/controls/ControlInput.h"

namespace AngleStyle {
constexpr uint32_t kHasBox = 1;
constexpr uint32_t kBoxRight = 2;
constexpr uint32_t kReportCommand = 4;
constexpr uint32_t kKeepNeedle = 8;
constexpr uint32_t kBoxLeft = 0x20;
}  // namespace AngleStyle

struct AngleLayout {
    OrvRect dial;  // the square the control window takes, in its parent's coordinates
    OrvRect box;   // the number box, in its parent's coordinates; empty without one
};

class AngleModel {
public:
    // Minimum and maximum are in degrees, cut down to whole turns.
    AngleModel(int32_t mode, int32_t minimum, int32_t maximum);

    int32_t Mode() const { return mode; }
    int32_t MinimumTurns() const { return minimum / 360; }
    int32_t MaximumTurns() const { return maximum / 360; }
    int32_t BoxMinimum() const;
    int32_t BoxMaximum() const;

    // The angle within one turn, the whole turns, and the value the box shows.
    int32_t Angle() const { return angle; }
    int32_t Turns() const { return turns; }
    int64_t Value() const { return static_cast<int64_t>(angle) + 360 * static_cast<int64_t>(turns); }
    bool Undetermined() const { return undetermined; }
    void SetDirection(int32_t newDirection) { direction = newDirection < 0 ? -1 : 1; }

    // Without force a different value only marks the angle undetermined; with force it is
    // taken like a typed value. Returns whether the value changed.
    bool SetAngle(int32_t value, bool force);

    // A value read from the box. `rewrite` tells that the box must show Value() instead.
    struct Typed {
        bool changed = false;
        bool rewrite = false;
    };
    Typed TakeTyped(int64_t typed);

    // The box text: empty while the value is undetermined.
    std::string BoxText() const;

    // Mouse, wheel and keys; each returns whether the value changed (taking a value also
    // clears the undetermined state, which counts as a change).
    int32_t AngleAt(OrvPoint p, const OrvRect& dial) const;
    bool TakePoint(OrvPoint p, const OrvRect& dial);
    bool Wheel(int32_t delta, bool control);
    // `repeated` is the message's "already down" bit.
    bool KeyDown(ControlKey key, bool repeated, bool control);

private:
    int64_t Normalise(int64_t total) const;
    bool Store(int64_t total);

    int32_t mode;
    int32_t minimum;
    int32_t maximum;
    int32_t angle = 0;
    int32_t turns = 0;
    int32_t direction = 1;
    int32_t keyRepeats = 0;
    bool undetermined = false;
    ControlMath::WheelAccumulator wheel;
};

namespace AngleDrawing {

// Dial and box placement by the style bits; `boxSize` in pixels.
AngleLayout Layout(const OrvRect& area, uint32_t style, OrvSize boxSize, int32_t gap);

// The needle's seven corners for an angle, radius and centre; `width` scales it across
// its length.
std::vector<OrvPoint> Needle(int32_t angle, double radius, OrvPoint centre, double width = 1.0);

// Where the needle turns and how long it is, for a mode and a dial (the client area).
// The full dial turns it about its centre; the quarter dial about the point the pointer's
// angles are measured from, near the lower left, with a radius of 0.72 of its needle area
// (the dial less 8 per cent on each side and 3 pixels), so that the needle's tail stays
// inside the dial at every angle. That pivot lies closer to the edges than the needle is
// wide, so the quarter dial's needle is drawn narrower (0.65) to keep its barbs inside too.
struct NeedleFrame {
    OrvPoint centre;
    double radius;
    double width;
};
NeedleFrame NeedleFrameOf(int32_t mode, const OrvRect& dial);

// One octant walk of the midpoint circle, mirrored into the full circle of `radius`.
std::vector<OrvPoint> CirclePoints(int32_t radius);

// Weight of the highlight colour for a ring pixel at (dx, dy) from the centre (y down):
// 1 at the upper left, 0 at the lower right.
double RingLight(int32_t dx, int32_t dy);

// w x a + (1 - w) x b per channel of two 0x00BBGGRR colours.
uint32_t Mix(uint32_t a, uint32_t b, double w);

}  // namespace AngleDrawing
