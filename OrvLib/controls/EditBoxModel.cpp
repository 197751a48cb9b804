#include "OrvLib/controls/EditBoxModel.h"

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
