#include "OrvLib/controls/ScrollBarModel.h"

#include <algorithm>
#include <cstdlib>

#include "OrvLib/controls/ControlMath.h"

int64_t ScrollBarModel::Span() const {
    return std::llabs(static_cast<int64_t>(info_.maximum) - info_.minimum) + 1;
}

int32_t ScrollBarModel::LastPosition() const {
    // A page of 0 still ends at the maximum.
    int64_t last = static_cast<int64_t>(info_.maximum) - std::max<int64_t>(info_.page - 1, 0);
    return static_cast<int32_t>(std::max<int64_t>(last, info_.minimum));
}

void ScrollBarModel::SetRange(int32_t minimum, int32_t maximum) {
    info_.minimum = minimum;
    info_.maximum = maximum;
    SetPosition(info_.position);
}

void ScrollBarModel::SetPage(int32_t page) {
    info_.page = std::max(page, 0);
    SetPosition(info_.position);
}

void ScrollBarModel::SetPosition(int32_t position) {
    MoveTo(position);
    info_.trackPosition = info_.position;
    Layout(parts_.length, parts_.thickness);
}

bool ScrollBarModel::MoveTo(int64_t position) {
    int32_t p = static_cast<int32_t>(ControlMath::Clamp(position, info_.minimum, LastPosition()));
    bool moved = p != info_.position;
    info_.position = p;
    return moved;
}

void ScrollBarModel::Layout(int32_t length, int32_t thickness) {
    parts_.length = length;
    parts_.thickness = thickness;
    int64_t track = static_cast<int64_t>(length) - 2 * static_cast<int64_t>(thickness);
    int64_t n = Span();
    parts_.hasThumb = track > 0 && info_.page < n;
    if (!parts_.hasThumb) return;
    int64_t before = (static_cast<int64_t>(info_.position) - info_.minimum) * track / n;
    int64_t after = track * (static_cast<int64_t>(info_.maximum) - info_.position - info_.page + 1) / n;
    parts_.thumbStart = static_cast<int32_t>(thickness + ControlMath::Clamp(before, 0, track));
    parts_.thumbEnd = static_cast<int32_t>(length - thickness - ControlMath::Clamp(after, 0, track));
    if (parts_.thumbEnd < parts_.thumbStart) parts_.thumbEnd = parts_.thumbStart;
}

ScrollPart ScrollBarModel::HitTest(int32_t along) const {
    if (along < 0 || along >= parts_.length) return ScrollPart::None;
    // With a bar shorter than two arrows, each arrow keeps its own half.
    int32_t arrow = std::min(parts_.thickness, parts_.length / 2);
    if (along < arrow) return ScrollPart::FirstArrow;
    if (along >= parts_.length - arrow) return ScrollPart::SecondArrow;
    if (!parts_.hasThumb) return ScrollPart::None;
    if (along < parts_.thumbStart) return ScrollPart::TrackBefore;
    if (along < parts_.thumbEnd) return ScrollPart::Thumb;
    return ScrollPart::TrackAfter;
}

ScrollBarModel::Messages ScrollBarModel::Act(ScrollPart part) {
    int64_t step;
    int32_t code;
    switch (part) {
        case ScrollPart::FirstArrow:
            step = -1, code = ScrollCode::kLineUp;
            break;
        case ScrollPart::SecondArrow:
            step = 1, code = ScrollCode::kLineDown;
            break;
        case ScrollPart::TrackBefore:
            step = -static_cast<int64_t>(info_.page), code = ScrollCode::kPageUp;
            break;
        case ScrollPart::TrackAfter:
            step = info_.page, code = ScrollCode::kPageDown;
            break;
        default:
            return {};
    }
    Messages out;
    if (live_ && MoveTo(static_cast<int64_t>(info_.position) + step)) {
        info_.trackPosition = info_.position;
        Layout(parts_.length, parts_.thickness);
        out.push_back({true, ScrollNotify::kPositionChanged, info_.position});
    }
    out.push_back({false, code, info_.position});
    return out;
}

ScrollBarModel::Messages ScrollBarModel::Press(int32_t along) {
    pressed_ = HitTest(along);
    repeating_ = pressed_ != ScrollPart::None;
    ticked_ = false;
    dragging_ = false;
    return Act(pressed_);
}

ScrollBarModel::Messages ScrollBarModel::Tick(int32_t along) {
    if (!repeating_) return {};
    ticked_ = true;
    ScrollPart now = HitTest(along);
    // Holding the track repeats only while the cursor stays on the pressed side.
    if (now != pressed_) return {};
    return Act(now);
}

void ScrollBarModel::SetKeyboardTiming(int32_t delaySetting, int32_t speedSetting) {
    delayMs_ = RepeatDelayMs(delaySetting);
    repeatMs_ = RepeatIntervalMs(speedSetting);
}

int32_t ScrollBarModel::RepeatDelayMs(int32_t delaySetting) {
    return 250 * (static_cast<int32_t>(ControlMath::Clamp(delaySetting, 0, 3)) + 1);
}

int32_t ScrollBarModel::RepeatIntervalMs(int32_t speedSetting) {
    int32_t s = static_cast<int32_t>(ControlMath::Clamp(speedSetting, 0, 31));
    return 10000 / (s * 275 / 31 + 25);
}

ScrollBarModel::Messages ScrollBarModel::BeginDrag() {
    if (pressed_ != ScrollPart::Thumb) return {};
    repeating_ = false;
    dragging_ = true;
    dragStart_ = info_.position;
    return {{true, ScrollNotify::kDragBegan, info_.position}};
}

ScrollBarModel::Messages ScrollBarModel::DragTo(int32_t offset) {
    if (!dragging_) return {};
    int64_t track = static_cast<int64_t>(parts_.length) - 2 * static_cast<int64_t>(parts_.thickness);
    if (track <= 0) return {};
    Messages out;
    bool moved = MoveTo(dragStart_ + Span() * offset / track);
    info_.trackPosition = info_.position;
    Layout(parts_.length, parts_.thickness);
    if (live_ && moved) out.push_back({true, ScrollNotify::kPositionChanged, info_.position});
    out.push_back({false, ScrollCode::kTrack, info_.position});
    out.push_back({true, ScrollNotify::kThumbMoved, info_.position});
    return out;
}

ScrollBarModel::Messages ScrollBarModel::EndDrag() {
    if (!dragging_) return {};
    dragging_ = false;
    pressed_ = ScrollPart::None;
    return {{false, ScrollCode::kTrack, info_.position},
            {false, ScrollCode::kEnd, info_.position},
            {true, ScrollNotify::kDragEnded, info_.position}};
}

ScrollBarModel::Messages ScrollBarModel::CancelDrag() {
    if (!dragging_) return {};
    dragging_ = false;
    pressed_ = ScrollPart::None;
    Messages out;
    bool moved = MoveTo(dragStart_);
    info_.trackPosition = info_.position;
    Layout(parts_.length, parts_.thickness);
    // A live bar's owner follows 104, so it hears of the way back too.
    if (live_ && moved) out.push_back({true, ScrollNotify::kPositionChanged, info_.position});
    out.push_back({false, ScrollCode::kTrack, info_.position});
    out.push_back({false, ScrollCode::kEnd, info_.position});
    out.push_back({true, ScrollNotify::kDragCancelled, info_.position});
    return out;
}

void ScrollBarModel::Release() {
    repeating_ = false;
    pressed_ = ScrollPart::None;
}

ScrollBarModel::Messages ScrollBarModel::Wheel(int32_t delta) {
    Messages out;
    int32_t notches = ControlMath::Notches(delta);
    ScrollPart part = notches > 0 ? ScrollPart::FirstArrow : ScrollPart::SecondArrow;
    for (int32_t i = 0; i < std::abs(notches); ++i) {
        Messages one = Act(part);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}
