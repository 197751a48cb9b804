#include "OrvLib/controls/ScrollBarModel.h"

#include <algorithm>
#include <cstdlib>

#include "OrvLib/controls/ControlMath.h"

int64_t ScrollBarModel::Span() const {
    return std::llabs(static_cast<int64_t>(info.maximum) - info.minimum) + 1;
}

int32_t ScrollBarModel::LastPosition() const {
    // A page of 0 still ends at the maximum.
    int64_t last = static_cast<int64_t>(info.maximum) - std::max<int64_t>(info.page - 1, 0);
    return static_cast<int32_t>(std::max<int64_t>(last, info.minimum));
}

void ScrollBarModel::SetRange(int32_t minimum, int32_t maximum) {
    info.minimum = minimum;
    info.maximum = maximum;
    SetPosition(info.position);
}

void ScrollBarModel::SetPage(int32_t page) {
    info.page = std::max(page, 0);
    SetPosition(info.position);
}

void ScrollBarModel::SetPosition(int32_t position) {
    MoveTo(position);
    info.trackPosition = info.position;
    Layout(parts.length, parts.thickness);
}

bool ScrollBarModel::MoveTo(int64_t position) {
    int32_t p = static_cast<int32_t>(ControlMath::Clamp(position, info.minimum, LastPosition()));
    bool moved = p != info.position;
    info.position = p;
    return moved;
}

void ScrollBarModel::Layout(int32_t length, int32_t thickness) {
    parts.length = length;
    parts.thickness = thickness;
    int64_t track = static_cast<int64_t>(length) - 2 * static_cast<int64_t>(thickness);
    int64_t n = Span();
    parts.hasThumb = track > 0 && info.page < n;
    if (!parts.hasThumb) return;
    int64_t before = (static_cast<int64_t>(info.position) - info.minimum) * track / n;
    int64_t after = track * (static_cast<int64_t>(info.maximum) - info.position - info.page + 1) / n;
    parts.thumbStart = static_cast<int32_t>(thickness + ControlMath::Clamp(before, 0, track));
    parts.thumbEnd = static_cast<int32_t>(length - thickness - ControlMath::Clamp(after, 0, track));
    if (parts.thumbEnd < parts.thumbStart) parts.thumbEnd = parts.thumbStart;
}

ScrollPart ScrollBarModel::HitTest(int32_t along) const {
    if (along < 0 || along >= parts.length) return ScrollPart::None;
    // With a bar shorter than two arrows, each arrow keeps its own half.
    int32_t arrow = std::min(parts.thickness, parts.length / 2);
    if (along < arrow) return ScrollPart::FirstArrow;
    if (along >= parts.length - arrow) return ScrollPart::SecondArrow;
    if (!parts.hasThumb) return ScrollPart::None;
    if (along < parts.thumbStart) return ScrollPart::TrackBefore;
    if (along < parts.thumbEnd) return ScrollPart::Thumb;
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
            step = -static_cast<int64_t>(info.page), code = ScrollCode::kPageUp;
            break;
        case ScrollPart::TrackAfter:
            step = info.page, code = ScrollCode::kPageDown;
            break;
        default:
            return {};
    }
    Messages out;
    if (live && MoveTo(static_cast<int64_t>(info.position) + step)) {
        info.trackPosition = info.position;
        Layout(parts.length, parts.thickness);
        out.push_back({true, ScrollNotify::kPositionChanged, info.position});
    }
    out.push_back({false, code, info.position});
    return out;
}

ScrollBarModel::Messages ScrollBarModel::Press(int32_t along) {
    pressed = HitTest(along);
    repeating = pressed != ScrollPart::None;
    ticked = false;
    dragging = false;
    return Act(pressed);
}

ScrollBarModel::Messages ScrollBarModel::Tick(int32_t along) {
    if (!repeating) return {};
    ticked = true;
    ScrollPart now = HitTest(along);
    // Holding the track repeats only while the cursor stays on the pressed side.
    if (now != pressed) return {};
    return Act(now);
}

void ScrollBarModel::SetKeyboardTiming(int32_t delaySetting, int32_t speedSetting) {
    delayMs = RepeatDelayMs(delaySetting);
    repeatMs = RepeatIntervalMs(speedSetting);
}

int32_t ScrollBarModel::RepeatDelayMs(int32_t delaySetting) {
    return 250 * (static_cast<int32_t>(ControlMath::Clamp(delaySetting, 0, 3)) + 1);
}

int32_t ScrollBarModel::RepeatIntervalMs(int32_t speedSetting) {
    int32_t s = static_cast<int32_t>(ControlMath::Clamp(speedSetting, 0, 31));
    return 10000 / (s * 275 / 31 + 25);
}

ScrollBarModel::Messages ScrollBarModel::BeginDrag() {
    if (pressed != ScrollPart::Thumb) return {};
    repeating = false;
    dragging = true;
    dragStart = info.position;
    return {{true, ScrollNotify::kDragBegan, info.position}};
}

ScrollBarModel::Messages ScrollBarModel::DragTo(int32_t offset) {
    if (!dragging) return {};
    int64_t track = static_cast<int64_t>(parts.length) - 2 * static_cast<int64_t>(parts.thickness);
    if (track <= 0) return {};
    Messages out;
    bool moved = MoveTo(dragStart + Span() * offset / track);
    info.trackPosition = info.position;
    Layout(parts.length, parts.thickness);
    if (live && moved) out.push_back({true, ScrollNotify::kPositionChanged, info.position});
    out.push_back({false, ScrollCode::kTrack, info.position});
    out.push_back({true, ScrollNotify::kThumbMoved, info.position});
    return out;
}

ScrollBarModel::Messages ScrollBarModel::EndDrag() {
    if (!dragging) return {};
    dragging = false;
    pressed = ScrollPart::None;
    return {{false, ScrollCode::kTrack, info.position},
            {false, ScrollCode::kEnd, info.position},
            {true, ScrollNotify::kDragEnded, info.position}};
}

ScrollBarModel::Messages ScrollBarModel::CancelDrag() {
    if (!dragging) return {};
    dragging = false;
    pressed = ScrollPart::None;
    Messages out;
    bool moved = MoveTo(dragStart);
    info.trackPosition = info.position;
    Layout(parts.length, parts.thickness);
    // A live bar's owner follows 104, so it hears of the way back too.
    if (live && moved) out.push_back({true, ScrollNotify::kPositionChanged, info.position});
    out.push_back({false, ScrollCode::kTrack, info.position});
    out.push_back({false, ScrollCode::kEnd, info.position});
    out.push_back({true, ScrollNotify::kDragCancelled, info.position});
    return out;
}

void ScrollBarModel::Release() {
    repeating = false;
    pressed = ScrollPart::None;
}

ScrollBarModel::Messages ScrollBarModel::Wheel(int32_t delta) {
    Messages out;
    int32_t notches = wheel.Take(delta);
    ScrollPart part = notches > 0 ? ScrollPart::FirstArrow : ScrollPart::SecondArrow;
    for (int32_t i = 0; i < std::abs(notches); ++i) {
        Messages one = Act(part);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}
