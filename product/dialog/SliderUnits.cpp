#include "product/dialog/SliderUnits.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "product/engine/EffectDerived.h"
#include "product/engine/PortableMath.h"

namespace {

constexpr int64_t kLargestDigits = 1000000000000000;  // larger integer parts saturate
constexpr int32_t kMostDecimals = 9;                  // later digits are dropped

int64_t PowerOfTen(int32_t exponent) {
    int64_t p = 1;
    for (int32_t i = 0; i < exponent; ++i) p *= 10;
    return p;
}

int32_t Saturated(int64_t v) {
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return int32_t(v);
}

// numerator / denominator to the nearest whole number, halves away from zero.
int64_t RoundedQuotient(int64_t numerator, int64_t denominator) {
    const int64_t magnitude =
        (2 * (numerator < 0 ? -numerator : numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

// "123" with `decimals` digits after the point: "1.23".
std::string WithPoint(int64_t digits, int32_t decimals) {
    std::string text = std::to_string(digits);
    if (decimals <= 0) return text;
    if (text.size() <= size_t(decimals)) text.insert(0, size_t(decimals) + 1 - text.size(), '0');
    text.insert(text.size() - size_t(decimals), 1, '.');
    return text;
}

int64_t Signed(const TypedDecimal& d) { return d.negative ? -d.digits : d.digits; }

class WholeText : public SliderValueText {
public:
    explicit WholeText(const char* initialSign) : sign(initialSign) {}
    std::string Text(int32_t position) const override { return std::to_string(position) + sign; }
    bool Position(const std::string& text, int32_t& position) const override {
        TypedDecimal d;
        if (!ParseTypedDecimal(text, d)) return false;
        position = Saturated(RoundedQuotient(Signed(d), PowerOfTen(d.decimals)));
        return true;
    }

private:
    const char* sign;
};

// 0 to 255 as 0.0% to 100.0%: 256 positions need the tenths to stay apart.
class OpacityText : public SliderValueText {
public:
    std::string Text(int32_t position) const override {
        return WithPoint(RoundedQuotient(int64_t(position) * 1000, 255), 1) + "%";
    }
    bool Position(const std::string& text, int32_t& position) const override {
        TypedDecimal d;
        if (!ParseTypedDecimal(text, d)) return false;
        position = Saturated(RoundedQuotient(Signed(d) * 255, 100 * PowerOfTen(d.decimals)));
        return true;
    }
};

// Neighbouring positions differ by 2.3 %, so three significant digits keep every one apart.
class FactorText : public SliderValueText {
public:
    std::string Text(int32_t position) const override {
        const double factor = SliderFactor(position);
        int32_t decimals = factor < 1.0 ? 3 : factor < 10.0 ? 2 : 1;
        while (decimals > 0 && std::llround(factor * double(PowerOfTen(decimals))) >= 1000) --decimals;
        if (factor < 0.001) decimals = 6;
        return WithPoint(std::llround(factor * double(PowerOfTen(decimals))), decimals) + "x";
    }
    bool Position(const std::string& text, int32_t& position) const override {
        TypedDecimal d;
        if (!ParseTypedDecimal(text, d)) return false;
        if (d.negative || d.digits == 0) {
            position = std::numeric_limits<int32_t>::min();
            return true;
        }
        const double factor = double(d.digits) / double(PowerOfTen(d.decimals));
        position = Saturated(std::llround(100.0 * (PortableMath::Log(factor) / PortableMath::Log(10.0))));
        return true;
    }
};

}  // namespace

bool ParseTypedDecimal(const std::string& text, TypedDecimal& value) {
    TypedDecimal d;
    size_t i = 0;
    const auto skipSpaces = [&] {
        while (i < text.size() && text[i] == ' ') ++i;
    };
    skipSpaces();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) d.negative = text[i++] == '-';
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' || c == ',') {
            if (point) return false;
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
            if (point && d.decimals == kMostDecimals) continue;
            if (d.digits >= kLargestDigits) {
                if (point) continue;
                d.digits = kLargestDigits;
                continue;
            }
            d.digits = d.digits * 10 + (c - '0');
            if (point) ++d.decimals;
        } else {
            break;
        }
    }
    skipSpaces();
    if (i < text.size() && (text[i] == '%' || text[i] == 'x' || text[i] == 'X')) ++i;
    skipSpaces();
    if (!digits || i != text.size()) return false;
    value = d;
    return true;
}

const SliderValueText& SliderUnitText(SliderUnit unit) {
    static const WholeText whole(""), percent("%");
    static const OpacityText opacity;
    static const FactorText factor;
    switch (unit) {
        case SliderUnit::Percent:
            return percent;
        case SliderUnit::Opacity:
            return opacity;
        case SliderUnit::Factor:
            return factor;
        case SliderUnit::Whole:
            break;
    }
    return whole;
}
