// How a slider's number box shows a position and reads a typed value in the user's units
// (a factor, a percentage): a slider without one shows its plain position.
#pragma once

#include <cstdint>
#include <string>

class SliderValueText {
public:
    virtual ~SliderValueText() = default;
    virtual std::string Text(int32_t position) const = 0;
    // The position whose value is nearest the typed text, not clamped to any range;
    // false when the text holds no number.
    virtual bool Position(const std::string& text, int32_t& position) const = 0;
    // The characters beside the digits that a typed value may hold.
    virtual const char* ExtraCharacters() const { return ".,%xX -"; }
};
