#include "OrvLib/controls/AngleModel.h"

#include <algorithm>
#include <cmath>

#include "OrvLib/controls/ControlMath.h"

using ControlMath::Clamp;
using ControlMath::FloorDiv;
using ControlMath::FloorMod;

namespace {
constexpr double kPi = 3.14159265358979323846;
}

AngleModel::AngleModel(int32_t initialMode, int32_t initialMinimum, int32_t initialMaximum)
    : mode(initialMode < 0 || initialMode > 4 ? 0 : initialMode),
      minimum(initialMinimum / 360 * 360),
      maximum(std::max(initialMaximum / 360 * 360, initialMinimum / 360 * 360)) {}

int32_t AngleModel::BoxMinimum() const {
    switch (mode) {
        case 3:
            return -maximum;
        default:
            return 0;
    }
}

int32_t AngleModel::BoxMaximum() const {
    switch (mode) {
        case 0:
            return 359;
        case 1:
            return 360;
        case 4:
            return 90;
        default:
            return maximum;
    }
}

int64_t AngleModel::Normalise(int64_t total) const {
    switch (mode) {
        case 0:
            return FloorMod(total, 360);
        case 1:
            return FloorMod(total, 361);
        case 4:
            return Clamp(total, 0, 90);
        default:
            return Clamp(total, BoxMinimum(), BoxMaximum());
    }
}

bool AngleModel::Store(int64_t total) {
    int64_t v = Normalise(total);
    int32_t nextAngle, nextTurns;
    if (mode == 2 || mode == 3) {
        nextAngle = static_cast<int32_t>(FloorMod(v, 360));
        nextTurns = static_cast<int32_t>(FloorDiv(v, 360));
    } else {
        nextAngle = static_cast<int32_t>(v);
        nextTurns = 0;
    }
    bool changed = nextAngle != angle || nextTurns != turns || undetermined;
    angle = nextAngle;
    turns = nextTurns;
    undetermined = false;
    return changed;
}

bool AngleModel::SetAngle(int32_t value, bool force) {
    if (force) return TakeTyped(value).changed;
    if (value == Value()) return false;
    undetermined = true;
    return true;
}

AngleModel::Typed AngleModel::TakeTyped(int64_t typed) {
    Typed result;
    result.changed = Store(typed);
    result.rewrite = Value() != typed;
    return result;
}

std::string AngleModel::BoxText() const { return undetermined ? std::string() : std::to_string(Value()); }

int32_t AngleModel::AngleAt(OrvPoint p, const OrvRect& dial) const {
    double cx, cy;
    if (mode == 4) {
        cx = dial.left + 0.13 * dial.right;
        cy = dial.bottom - 0.13 * dial.bottom;
    } else {
        cx = (dial.left + dial.right) / 2.0;
        cy = (dial.top + dial.bottom) / 2.0;
    }
    double degrees = std::atan2((p.x - cx) * direction, cy - p.y) * 180.0 / kPi;
    // Rounded to the nearest degree on both sides of straight up, so that straight left
    // is 270 like straight right is 90.
    return static_cast<int32_t>(std::floor(degrees + 0.5));
}

bool AngleModel::TakePoint(OrvPoint p, const OrvRect& dial) {
    int64_t h = AngleAt(p, dial);
    if (mode == 2 || mode == 3) {
        // Crossing straight up counts a turn: the needle moved the short way round.
        int64_t nextAngle = FloorMod(h, 360);
        int64_t nextTurns = turns;
        if (nextAngle - angle < -180) ++nextTurns;
        if (nextAngle - angle > 180) --nextTurns;
        return Store(nextAngle + 360 * nextTurns);
    }
    return Store(h);
}

bool AngleModel::Wheel(int32_t delta, bool control) {
    int64_t steps = static_cast<int64_t>(wheel.Take(delta)) * (control ? 10 : 1);
    return Store(Value() + steps);
}

bool AngleModel::KeyDown(ControlKey key, bool repeated, bool control) {
    keyRepeats = repeated ? keyRepeats + 1 : 1;
    bool coarse = control || keyRepeats > 20;
    int64_t v = Value();
    switch (key) {
        case ControlKey::PageUp:
            v += 10;
            break;
        case ControlKey::PageDown:
            v -= 10;
            break;
        case ControlKey::Up:
        case ControlKey::Right:
            // The first multiple of 10 at least 10 above.
            v = coarse ? -FloorDiv(-(v + 10), 10) * 10 : v + 1;
            break;
        case ControlKey::Left:
        case ControlKey::Down:
            v = coarse ? FloorDiv(v - 10, 10) * 10 : v - 1;
            break;
        default:
            return false;
    }
    return Store(v);
}

namespace AngleDrawing {

AngleLayout Layout(const OrvRect& area, uint32_t style, OrvSize boxSize, int32_t gap) {
    AngleLayout out;
    OrvRect dial = area;
    if (style & AngleStyle::kHasBox) {
        BoxSide side = (style & AngleStyle::kBoxRight)  ? BoxSide::Right
                       : (style & AngleStyle::kBoxLeft) ? BoxSide::Left
                                                        : BoxSide::Bottom;
        BoxPlacement placed = PlaceBox(area, side, boxSize, gap);
        dial = placed.control;
        out.box = placed.box;
    }
    int32_t side = std::max(0, std::min(dial.Width(), dial.Height()));
    out.dial.left = dial.left + (dial.Width() - side) / 2;
    out.dial.top = dial.top + (dial.Height() - side) / 2;
    out.dial.right = out.dial.left + side;
    out.dial.bottom = out.dial.top + side;
    return out;
}

NeedleFrame NeedleFrameOf(int32_t mode, const OrvRect& dial) {
    int32_t w = dial.Width();
    if (mode == 4) {
        double area = w - 2 * static_cast<int32_t>(0.08 * w) - 6;
        return NeedleFrame{OrvPoint{dial.left + static_cast<int32_t>(0.13 * dial.right),
                                    dial.bottom - static_cast<int32_t>(0.13 * dial.bottom)},
                           0.72 * area, 0.65};
    }
    return NeedleFrame{OrvPoint{dial.left + w / 2, dial.top + w / 2}, static_cast<double>((w - 10) / 2 - 1),
                       1.0};
}

std::vector<OrvPoint> Needle(int32_t angle, double radius, OrvPoint centre, double width) {
    static const double shape[7][2] = {{1, 0},        {0.7, -0.3}, {0.7, -0.15}, {-0.15, -0.15},
                                       {-0.15, 0.15}, {0.7, 0.15}, {0.7, 0.3}};
    double t = (90 - angle) * kPi / 180.0;
    double c = radius * std::cos(t), s = radius * std::sin(t);
    std::vector<OrvPoint> points;
    for (const auto& corner : shape) {
        const double p[2] = {corner[0], corner[1] * width};
        points.push_back(OrvPoint{centre.x + static_cast<int32_t>(std::floor(c * p[0] + s * p[1] + 0.5)),
                                  centre.y + static_cast<int32_t>(std::floor(c * p[1] - s * p[0] + 0.5))});
    }
    return points;
}

std::vector<OrvPoint> CirclePoints(int32_t radius) {
    std::vector<OrvPoint> points;
    if (radius <= 0) {
        if (radius == 0) points.push_back(OrvPoint{0, 0});
        return points;
    }
    int32_t x = radius, y = 0, d = 1 - radius;
    while (y <= x) {
        const int32_t eight[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& e : eight) {
            OrvPoint p{e[0], e[1]};
            bool seen = std::any_of(points.end() - std::min<size_t>(points.size(), 8), points.end(),
                                    [&](const OrvPoint& q) { return q.x == p.x && q.y == p.y; });
            if (!seen) points.push_back(p);
        }
        ++y;
        if (d < 0) {
            d += 2 * y + 1;
        } else {
            --x;
            d += 2 * (y - x) + 1;
        }
    }
    return points;
}

double RingLight(int32_t dx, int32_t dy) {
    double b = -std::atan2(dy, dx) - 2.356;
    if (b > 3.1415) b -= 6.293;
    if (b < -3.1415) b += 6.293;
    return (std::cos(b) + 1) / 2;
}

uint32_t Mix(uint32_t a, uint32_t b, double w) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        double v = w * ((a >> shift) & 0xFF) + (1 - w) * ((b >> shift) & 0xFF);
        out |= static_cast<uint32_t>(Clamp(static_cast<int64_t>(std::floor(v + 0.5)), 0, 255)) << shift;
    }
    return out;
}

}  // namespace AngleDrawing
