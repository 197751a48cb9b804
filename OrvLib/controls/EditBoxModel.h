// The rules of the edit boxes without their windows: which characters may be typed, and
// the integer box's range, parsing, spin steps and focus-loss clamping.
//
// Integer arithmetic never overflows: text is parsed with saturation to the 32-bit range
// (a box allows any number of digits), and spin steps are done in 64 bits before they are
// wrapped or clamped into the range.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

#include "OrvLib/ORVUTIL/OrvRect.h"

class CharFilter {
public:
    // Everything allowed, as a plain edit box.
    CharFilter() { allowed.set(); }
    static CharFilter None() {
        CharFilter f;
        f.allowed.reset();
        return f;
    }
    void AllowLower(bool on) { SetRange('a', 'z', on); }
    void AllowUpper(bool on) { SetRange('A', 'Z', on); }
    void AllowDigits(bool on) { SetRange('0', '9', on); }
    void Allow(unsigned char c, bool on) { allowed.set(c, on); }
    // Backspace and characters above 255 always pass.
    bool Accepts(uint32_t code) const { return code == 8 || code > 255 || allowed.test(code); }
    // Text pasted whole: every character allowed.
    bool AcceptsAll(const std::string& text) const {
        for (unsigned char c : text)
            if (c == 8 || !Accepts(c)) return false;
        return true;
    }

private:
    void SetRange(char first, char last, bool on) {
        for (int c = first; c <= last; ++c) allowed.set(static_cast<size_t>(c), on);
    }
    std::bitset<256> allowed;
};

class IntegerBoxModel {
public:
    // Wrapping boxes step from one bound to the other. The filter allows the minus sign
    // exactly when a bound is negative.
    void SetRange(int32_t minimum, int32_t maximum, bool wrap);
    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    bool Wraps() const { return wrap; }
    const CharFilter& Filter() const { return filter; }

    // Clamps into the range and remembers it; returns the text the box shows.
    std::string SetValue(int32_t value);
    int32_t LastSetValue() const { return lastSet; }

    // The value of a text, not clamped: the last set value for an empty text.
    int32_t ValueOf(const std::string& text) const;

    // The text after a spin step of `delta` from `text`.
    std::string Step(const std::string& text, int32_t delta);

    // What a box shows after losing the focus: a value outside the range becomes the
    // nearest bound; `changed` is false when the text stays.
    struct Commit {
        bool changed = false;
        std::string text;
    };
    Commit FocusLost(const std::string& text);

    static int32_t ParseSaturated(const std::string& text, bool* hadDigits = nullptr);
    // A text the box may hold after a paste: digits, after a minus sign where the range
    // has negative values.
    bool AcceptsText(const std::string& text) const;

    // The second range a value is reported in (0 to 100 unless set): the range's minimum
    // maps to its low end and the maximum to its high end, in proportion between, rounded
    // to the nearest whole number (halves away from zero). A value outside the range
    // reports as its nearest bound; the inverse likewise.
    void SetPercentRange(int32_t low, int32_t high) {
        percentLow = low;
        percentHigh = high;
    }
    int32_t PercentOf(int32_t value) const;
    int32_t ValueOfPercent(int32_t percent) const;

private:
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t lastSet = 0;
    bool wrap = false;
    int32_t percentLow = 0;
    int32_t percentHigh = 100;
    CharFilter filter = Digits(false);

    static CharFilter Digits(bool minus);
};

// The up-down arrows beside a box: the arrow area is the client shrunk by 2 pixels and
// reaching 2 pixels toward the box; it splits into an upper and a lower half, with the
// middle row of an odd height left to the face colour.
namespace SpinGeometry {

struct Halves {
    OrvRect upper;
    OrvRect lower;
};
// `boxOnLeft`: the box lies left of the arrows (the arrows are right-aligned to it).
Halves Split(const OrvRect& client, bool boxOnLeft);
// +1 for the upper half, -1 for the lower, 0 elsewhere.
int32_t HitTest(const Halves& halves, OrvPoint p);
// The two rows of the small arrow (1 and 3 pixels wide) centred in a half, as
// rectangles; `up` points it upward; `pressed` moves it by one pixel right and down.
void Arrow(const OrvRect& half, bool up, bool pressed, OrvRect rows[2]);

}  // namespace SpinGeometry
