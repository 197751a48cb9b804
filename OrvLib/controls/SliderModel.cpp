#include "OrvLib/controls/SliderModel.h"

#include <cstdlib>

#include "OrvLib/controls/ControlMath.h"

using ControlMath::Clamp;
using ControlMath::RoundHalfDown;

void SliderModel::SetRange(int32_t minimum, int32_t maximum) {
    // The offset keeps its meaning relative to the new minimum, as the position did not.
    minimum_ = minimum;
    maximum_ = maximum;
}

int32_t SliderModel::Position() const { return ControlMath::SaturateToInt(minimum_ + offset_); }

int64_t SliderModel::PageStep() const {
    if (pageSize_ > 0) return pageSize_;
    int64_t length = RangeLength();
    return length % 5 == 0 ? length / 5 : 1;
}

void SliderModel::Layout(const OrvRect& client) {
    geometry_.whole = client;
    int32_t h = client.Height();
    int32_t k = h / 2;
    OrvRect thumb;
    if (h < 26) {
        int32_t cut = static_cast<int32_t>(0.3 * k);
        thumb.top = client.top + cut;
        thumb.bottom = client.bottom - cut;
    } else {
        thumb.top = client.top + k - 10;
        thumb.bottom = client.top + k + 10;
    }
    int32_t margin = client.Width() * 5 / 100;
    geometry_.channel = OrvRect{client.left + margin, thumb.top, client.right - margin, thumb.bottom};
    int32_t thumbWidth = thumb.Height() / 2;
    thumb.left = OffsetToPixel(offset_) - thumbWidth / 2;
    thumb.right = thumb.left + thumbWidth;
    geometry_.thumb = thumb;
}

int64_t SliderModel::PixelToOffset(int32_t x) const {
    int32_t width = geometry_.channel.Width();
    if (width <= 0) return 0;
    double v = (static_cast<double>(x) - geometry_.channel.left) / width * static_cast<double>(RangeLength());
    return RoundHalfDown(v);
}

int32_t SliderModel::OffsetToPixel(int64_t offset) const {
    int64_t length = RangeLength();
    if (length == 0) return geometry_.channel.left;
    double v = static_cast<double>(offset) / static_cast<double>(length) * geometry_.channel.Width() +
               geometry_.channel.left;
    return ControlMath::SaturateToInt(RoundHalfDown(v));
}

void SliderModel::SetOffsetClamped(int64_t offset) {
    offset_ = Clamp(offset, 0, RangeLength());
    Layout(geometry_.whole);
}

SliderModel::Codes SliderModel::TakePage(bool right) {
    int64_t step = PageStep();
    SetOffsetClamped(right ? offset_ + step : offset_ - step);
    return {right ? SliderCode::PageRight : SliderCode::PageLeft};
}

SliderModel::Codes SliderModel::Press(OrvPoint p) {
    press_ = p;
    pressedOnThumb_ = pressedInChannel_ = dragging_ = pageRepeating_ = false;
    const SliderGeometry& g = geometry_;
    if (g.thumb.Contains(p.x, p.y)) {
        pressedOnThumb_ = true;
        return {SliderCode::ThumbTrack};
    }
    if (!g.channel.Contains(p.x, p.y)) return {};
    if (p.x >= g.thumb.left && p.x < g.thumb.right) return {};
    pressedInChannel_ = true;
    pageRepeating_ = true;
    pageRight_ = p.x >= g.thumb.right;
    return TakePage(pageRight_);
}

SliderModel::Codes SliderModel::Move(OrvPoint p, int32_t dragWidth, int32_t dragHeight) {
    if (!pressedOnThumb_) return {};
    if (!dragging_) {
        if (std::abs(p.x - press_.x) <= dragWidth && std::abs(p.y - press_.y) <= dragHeight) return {};
        dragging_ = true;
        dragStartOffset_ = offset_;
    }
    int64_t start = OffsetToPixel(dragStartOffset_);
    SetOffsetClamped(PixelToOffset(ControlMath::SaturateToInt(start + p.x - press_.x)));
    return {SliderCode::ThumbTrack};
}

SliderModel::Codes SliderModel::Release() {
    Codes codes;
    if (pressedOnThumb_) {
        codes = {SliderCode::ThumbPosition, SliderCode::EndScroll};
    } else if (pressedInChannel_) {
        codes = {SliderCode::EndScroll};
    }
    pressedOnThumb_ = pressedInChannel_ = dragging_ = pageRepeating_ = false;
    return codes;
}

SliderModel::Codes SliderModel::PageTick() {
    if (!pageRepeating_) return {};
    int64_t under = PixelToOffset(press_.x);
    if (pageRight_ ? under > offset_ : under < offset_) return TakePage(pageRight_);
    pageRepeating_ = false;
    return {};
}

SliderModel::Codes SliderModel::KeyDown(ControlKey key) {
    switch (key) {
        case ControlKey::Left:
        case ControlKey::Up:
            if (offset_ > 0) SetOffsetClamped(offset_ - 1);
            return {SliderCode::LineLeft};
        case ControlKey::Right:
        case ControlKey::Down:
            if (offset_ < RangeLength()) SetOffsetClamped(offset_ + 1);
            return {SliderCode::LineRight};
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
            return {SliderCode::EndScroll};
        default:
            return {};
    }
}

SliderModel::Codes SliderModel::Wheel(int32_t delta, bool control) {
    int64_t steps = ControlMath::Notches(delta);
    if (control) steps *= 5;
    SetOffsetClamped(offset_ + steps);
    return {SliderCode::ThumbPosition};
}
