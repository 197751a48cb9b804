// Small arithmetic shared by the control models: the rounding the controls use between
// values and pixels, a modulo that never goes negative, and clamping that works on the
// 64-bit intermediates the models keep so that no sum of two 32-bit values overflows.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace ControlMath {

// Up to the next whole number when the fraction is more than 0.5, down otherwise.
inline int64_t RoundHalfDown(double v) { return static_cast<int64_t>(std::ceil(v - 0.5)); }

// A result in 0 to m - 1 for every a (m > 0).
inline int64_t FloorMod(int64_t a, int64_t m) {
    int64_t r = a % m;
    return r < 0 ? r + m : r;
}

// Rounds a / m toward minus infinity (m > 0).
inline int64_t FloorDiv(int64_t a, int64_t m) { return (a - FloorMod(a, m)) / m; }

inline int64_t Clamp(int64_t v, int64_t lo, int64_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

inline int32_t SaturateToInt(int64_t v) {
    return static_cast<int32_t>(
        Clamp(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// A double rounded half down into 64 bits, saturating where the int64 range ends.
inline int64_t RoundHalfDownSaturated(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2e18) return std::numeric_limits<int64_t>::max();
    if (v <= -9.2e18) return std::numeric_limits<int64_t>::min();
    return RoundHalfDown(v);
}

// Whole wheel notches (120 each) from deltas of any size: fine-grained wheels and touch
// pads send parts of a notch, which add up here until they make a whole one. A turn the
// other way starts afresh.
class WheelAccumulator {
public:
    int32_t Take(int32_t delta) {
        if ((delta > 0 && rest < 0) || (delta < 0 && rest > 0)) rest = 0;
        int64_t total = rest + static_cast<int64_t>(delta);
        int64_t notches = total / 120;
        rest = static_cast<int32_t>(total - notches * 120);
        return static_cast<int32_t>(notches);
    }
    void Reset() { rest = 0; }

private:
    int32_t rest = 0;
};

}  // namespace ControlMath
