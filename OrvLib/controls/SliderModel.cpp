#include "OrvLib/controls/SliderModel.h"

#include <cstdlib>

#include "OrvLib/controls/ControlMath.h"
#include "OrvLib/controls/DisplayScale.h"

using ControlMath::Clamp;
using ControlMath::RoundHalfDown;

void SliderModel::SetRange(int32_t newMinimum, int32_t newMaximum) {
    // The offset keeps its meaning relative to the new minimum, as the position did not.
    minimum = newMinimum;
    maximum = newMaximum;
}

int32_t SliderModel::Position() const { return ControlMath::SaturateToInt(minimum + offset); }

int64_t SliderModel::PageStep() const {
    if (pageSize > 0) return pageSize;
    int64_t length = RangeLength();
    return length % 5 == 0 ? length / 5 : 1;
}

void SliderModel::Layout(const OrvRect& client, int dpi) {
    geometry.whole = client;
    int32_t h = client.Height();
    int32_t k = h / 2;
    const int32_t half = DisplayScale::Scale(10, dpi);
    OrvRect thumb;
    if (h < DisplayScale::Scale(26, dpi)) {
        int32_t cut = static_cast<int32_t>(0.3 * k);
        thumb.top = client.top + cut;
        thumb.bottom = client.bottom - cut;
    } else {
        thumb.top = client.top + k - half;
        thumb.bottom = client.top + k + half;
    }
    int32_t margin = client.Width() * 5 / 100;
    geometry.channel = OrvRect{client.left + margin, thumb.top, client.right - margin, thumb.bottom};
    int32_t thumbWidth = thumb.Height() / 2;
    int64_t centre = Clamp(OffsetToPixel64(offset), geometry.channel.left, geometry.channel.right);
    thumb.left = static_cast<int32_t>(centre - thumbWidth / 2);
    thumb.right = thumb.left + thumbWidth;
    geometry.thumb = thumb;
}

int64_t SliderModel::PixelToOffset(int32_t x) const {
    int32_t width = geometry.channel.Width();
    if (width <= 0) return 0;
    double v = (static_cast<double>(x) - geometry.channel.left) / width * static_cast<double>(RangeLength());
    return ControlMath::RoundHalfDownSaturated(v);
}

int64_t SliderModel::OffsetToPixel64(int64_t valueOffset) const {
    int64_t length = RangeLength();
    if (length == 0) return geometry.channel.left;
    double v = static_cast<double>(valueOffset) / static_cast<double>(length) * geometry.channel.Width() +
               geometry.channel.left;
    return ControlMath::RoundHalfDownSaturated(v);
}

int32_t SliderModel::OffsetToPixel(int64_t valueOffset) const {
    return ControlMath::SaturateToInt(OffsetToPixel64(valueOffset));
}

void SliderModel::SetOffsetClamped(int64_t newOffset) {
    offset = Clamp(newOffset, 0, RangeLength());
    Layout(geometry.whole);
}

SliderModel::Codes SliderModel::TakePage(bool right) {
    int64_t step = PageStep();
    SetOffsetClamped(right ? offset + step : offset - step);
    return {right ? SliderCode::PageRight : SliderCode::PageLeft};
}

SliderModel::Codes SliderModel::Press(OrvPoint p) {
    press = p;
    pressOffset = offset;
    pressedOnThumb = pressedInChannel = dragging = pageRepeating = false;
    const SliderGeometry& g = geometry;
    if (g.thumb.Contains(p.x, p.y)) {
        pressedOnThumb = true;
        return {SliderCode::ThumbTrack};
    }
    if (!g.channel.Contains(p.x, p.y)) return {};
    if (p.x >= g.thumb.left && p.x < g.thumb.right) return {};
    pressedInChannel = true;
    pageRepeating = true;
    pageRight = p.x >= g.thumb.right;
    return TakePage(pageRight);
}

SliderModel::Codes SliderModel::Drag(OrvPoint p) {
    if (!pressedOnThumb) return {};
    if (!dragging) {
        dragging = true;
        dragStartOffset = offset;
    }
    int64_t start = OffsetToPixel64(dragStartOffset);
    SetOffsetClamped(PixelToOffset(ControlMath::SaturateToInt(start + p.x - press.x)));
    return {SliderCode::ThumbTrack};
}

SliderModel::Codes SliderModel::Release() {
    Codes codes;
    if (pressedOnThumb) {
        codes = {SliderCode::ThumbPosition, SliderCode::EndScroll};
    } else if (pressedInChannel) {
        codes = {SliderCode::EndScroll};
    }
    pressedOnThumb = pressedInChannel = dragging = pageRepeating = false;
    return codes;
}

SliderModel::Codes SliderModel::Cancel() {
    if (pressedOnThumb) SetOffsetClamped(pressOffset);
    return Release();
}

SliderModel::Codes SliderModel::PageTick() {
    if (!pageRepeating) return {};
    int64_t under = PixelToOffset(press.x);
    if (pageRight ? under > offset : under < offset) return TakePage(pageRight);
    pageRepeating = false;
    return {};
}

SliderModel::Codes SliderModel::KeyDown(ControlKey key) {
    switch (key) {
        case ControlKey::Left:
        case ControlKey::Up:
            SetOffsetClamped(offset - 1);
            return {SliderCode::LineLeft};
        case ControlKey::Right:
        case ControlKey::Down:
            SetOffsetClamped(offset + 1);
            return {SliderCode::LineRight};
        case ControlKey::PageUp:
            SetOffsetClamped(offset - PageStep());
            return {SliderCode::PageLeft};
        case ControlKey::PageDown:
            SetOffsetClamped(offset + PageStep());
            return {SliderCode::PageRight};
        case ControlKey::Home:
            SetOffsetClamped(0);
            return {SliderCode::Top};
        case ControlKey::End:
            SetOffsetClamped(RangeLength());
            return {SliderCode::Bottom};
        default:
            return {};
    }
}

SliderModel::Codes SliderModel::KeyUp(ControlKey key) {
    switch (key) {
        case ControlKey::Left:
        case ControlKey::Up:
        case ControlKey::Right:
        case ControlKey::Down:
        case ControlKey::PageUp:
        case ControlKey::PageDown:
        case ControlKey::Home:
        case ControlKey::End:
            return {SliderCode::EndScroll};
        default:
            return {};
    }
}

SliderModel::Codes SliderModel::Wheel(int32_t delta, bool control) {
    int64_t steps = wheel.Take(delta);
    if (steps == 0) return {};
    if (control) steps *= 5;
    SetOffsetClamped(offset + steps);
    return {steps > 0 ? SliderCode::LineRight : SliderCode::LineLeft};
}
