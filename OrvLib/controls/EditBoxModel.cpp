#include "OrvLib/controls/EditBoxModel.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "OrvLib/controls/ControlMath.h"

CharFilter IntegerBoxModel::Digits(bool minus) {
    CharFilter f = CharFilter::None();
    f.AllowDigits(true);
    f.Allow('-', minus);
    return f;
}

void IntegerBoxModel::SetRange(int32_t newMinimum, int32_t newMaximum, bool newWrap) {
    minimum = newMinimum;
    maximum = newMaximum;
    wrap = newWrap;
    filter = Digits(newMinimum < 0 || newMaximum < 0);
}

std::string IntegerBoxModel::SetValue(int32_t value) {
    lastSet = static_cast<int32_t>(ControlMath::Clamp(value, minimum, maximum));
    return std::to_string(lastSet);
}

int32_t IntegerBoxModel::ParseSaturated(const std::string& text, bool* hadDigits) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // Beyond this the result is saturated whatever digits follow.
    const int64_t cap = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
    int64_t v = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        digits = true;
        if (v < cap) v = v * 10 + (text[i] - '0');
    }
    if (hadDigits) *hadDigits = digits;
    return ControlMath::SaturateToInt(negative ? -v : v);
}

bool IntegerBoxModel::AcceptsText(const std::string& text) const {
    size_t digits = text.size() > 0 && text[0] == '-' && filter.Accepts('-') ? 1 : 0;
    if (digits == text.size()) return false;
    for (size_t i = digits; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

int32_t IntegerBoxModel::ValueOf(const std::string& text) const {
    return text.empty() ? lastSet : ParseSaturated(text);
}

std::string IntegerBoxModel::Step(const std::string& text, int32_t delta) {
    int64_t v = static_cast<int64_t>(ValueOf(text)) + delta;
    if (wrap && maximum >= minimum) {
        int64_t size = static_cast<int64_t>(maximum) - minimum + 1;
        v = minimum + ControlMath::FloorMod(v - minimum, size);
    }
    return SetValue(ControlMath::SaturateToInt(v));
}

IntegerBoxModel::Commit IntegerBoxModel::FocusLost(const std::string& text) {
    Commit c;
    int32_t v = ValueOf(text);
    if (v < minimum || v > maximum) {
        c.changed = true;
        c.text = SetValue(v);
    }
    return c;
}

namespace {

// a x b / c rounded to the nearest, halves away from zero, for |a| <= |c| and 32-bit spans:
// the magnitudes' product fits 64 unsigned bits and the quotient is at most |b|.
int64_t ScaleRounded(int64_t a, int64_t b, int64_t c) {
    bool negative = ((a < 0) != (b < 0)) != (c < 0);
    auto magnitude = [](int64_t v) { return static_cast<uint64_t>(v < 0 ? -v : v); };
    uint64_t n = magnitude(a) * magnitude(b), d = magnitude(c);
    uint64_t q = n / d, r = n % d;
    if (r >= d - r) ++q;
    return negative ? -static_cast<int64_t>(q) : static_cast<int64_t>(q);
}

}  // namespace

int32_t IntegerBoxModel::PercentOf(int32_t value) const {
    int64_t span = static_cast<int64_t>(maximum) - minimum;
    if (span == 0) return percentLow;
    int64_t inside = ControlMath::Clamp(value, std::min(minimum, maximum), std::max(minimum, maximum));
    return static_cast<int32_t>(
        percentLow + ScaleRounded(inside - minimum, static_cast<int64_t>(percentHigh) - percentLow, span));
}

int32_t IntegerBoxModel::ValueOfPercent(int32_t percent) const {
    int64_t span = static_cast<int64_t>(percentHigh) - percentLow;
    if (span == 0) return minimum;
    int64_t inside =
        ControlMath::Clamp(percent, std::min(percentLow, percentHigh), std::max(percentLow, percentHigh));
    return static_cast<int32_t>(
        minimum + ScaleRounded(inside - percentLow, static_cast<int64_t>(maximum) - minimum, span));
}

namespace SpinGeometry {

Halves Split(const OrvRect& client, bool boxOnLeft) {
    OrvRect area{client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
    if (boxOnLeft) {
        area.left -= 2;
    } else {
        area.right += 2;
    }
    int32_t half = area.Height() / 2;
    Halves h;
    h.upper = OrvRect{area.left, area.top, area.right, area.top + half};
    h.lower = OrvRect{area.left, area.bottom - half, area.right, area.bottom};
    return h;
}

int32_t HitTest(const Halves& halves, OrvPoint p) {
    if (halves.upper.Contains(p.x, p.y)) return 1;
    if (halves.lower.Contains(p.x, p.y)) return -1;
    return 0;
}

void Arrow(const OrvRect& half, bool up, bool pressed, OrvRect rows[2]) {
    int32_t cx = half.left + half.Width() / 2 + (pressed ? 1 : 0);
    int32_t cy = half.top + (half.Height() - 2) / 2 + (pressed ? 1 : 0);
    OrvRect narrow{cx, 0, cx + 1, 0};
    OrvRect wide{cx - 1, 0, cx + 2, 0};
    rows[0] = up ? narrow : wide;
    rows[1] = up ? wide : narrow;
    rows[0].top = cy;
    rows[0].bottom = cy + 1;
    rows[1].top = cy + 1;
    rows[1].bottom = cy + 2;
}

}  // namespace SpinGeometry
