// Tick marks of the slider and their labels, without the window: the list of ticks (or a
// tick on every value), where each mark and label goes for the slider's geometry, and which
// mark a press lands on.
//
// Marks stand two pixels off the thumb's height band, below it, above it or both; a label
// sits beyond its mark, centred on it and kept inside the slider. Marks closer than three
// pixels to the previous one and labels that would overlap the previous label are left
// out, so a long range of automatic ticks reads as a scale instead of a solid band.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/SliderModel.h"

// The option bits a slider is built with.
namespace SliderOption {
constexpr uint32_t kAutoTicks = 1, kNumberBox = 2, kBoxRight = 4, kBoxLeft = 8, kBoxTop = 0x10;
}

// A tick's flags: which sides it is marked on (below when neither) and whether it is labelled.
namespace TickFlag {
constexpr uint32_t kBelow = 1, kAbove = 2, kLabel = 4;
}

struct SliderTick {
    int64_t offset = 0;  // from the slider's minimum
    uint32_t flags = 0;
    int32_t length = 0;  // 0 or less: the default length
    std::string label;   // empty: the value in decimal
};

struct PlacedTick {
    int32_t tick = -1;  // index in the list; -1 for an automatic tick
    int64_t offset = 0;
    OrvRect below, above;  // the marks; empty when not drawn on that side
    OrvRect label;         // empty without a label
    std::string text;
};

class SliderTicks {
public:
    using Measure = std::function<OrvSize(const std::string&)>;
    static constexpr int32_t kDefaultLength = 4, kGap = 2, kHitDistance = 4, kMinSpacing = 3;

    // A tick on every value of the range, with these flags.
    void SetAutomatic(bool on, uint32_t flags) {
        automatic = on;
        automaticFlags = flags;
    }
    bool Automatic() const { return automatic; }
    int32_t Add(const SliderTick& tick);
    void Clear() { ticks.clear(); }
    int32_t Count() const { return static_cast<int32_t>(ticks.size()); }
    const SliderTick& Tick(int32_t index) const { return ticks[static_cast<size_t>(index)]; }

    // Places every tick for the slider's current geometry.
    void Place(const SliderModel& slider, const Measure& measure);
    const std::vector<PlacedTick>& Placed() const { return placed; }
    // The placed tick whose mark lies within four pixels of p; -1 for none.
    int32_t HitTest(OrvPoint p) const;
    // What a placed tick covers: its marks and its label.
    OrvRect Extent(int32_t index) const;

private:
    void PlaceOne(const SliderModel& slider, const Measure& measure, int32_t tick, const SliderTick& t);

    std::vector<SliderTick> ticks;
    bool automatic = false;
    uint32_t automaticFlags = 0;
    std::vector<PlacedTick> placed;
    int32_t lastMark = 0;
};
