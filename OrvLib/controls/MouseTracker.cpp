#include "OrvLib/controls/MouseTracker.h"

#include <cstdlib>

void MouseTracker::ButtonDown(MouseButton button, OrvPoint point) {
    if (tracked_ != MouseButton::None || button == MouseButton::None) return;
    tracked_ = button;
    press_ = point;
    AcquireCapture();
    events_.ButtonDown(button, point);
}

void MouseTracker::Move(OrvPoint point, int dragWidth, int dragHeight) {
    if (tracked_ == MouseButton::None) return;
    if (!dragging_) {
        const bool beyond =
            std::abs(point.x - press_.x) > dragWidth || std::abs(point.y - press_.y) > dragHeight;
        if (!beyond) return;
        dragging_ = true;
        events_.DragBegin(tracked_, press_);
        events_.StartAutoScroll();
    }
    events_.DragMove(tracked_, point);
}

void MouseTracker::ButtonUp(MouseButton button, OrvPoint point) {
    if (button == MouseButton::None || button != tracked_) return;
    const bool wasDragging = dragging_;
    tracked_ = MouseButton::None;
    dragging_ = false;
    ReleaseCapture();
    if (wasDragging) {
        events_.StopAutoScroll();
        events_.DragEnd(button, point);
    } else {
        events_.Click(button, point);
    }
}

void MouseTracker::Escape() {
    if (dragging_) CancelDrag();
}

void MouseTracker::CaptureLost() {
    captureCount_ = 0;
    // A press without its release would otherwise stay tracked for good.
    if (dragging_)
        CancelDrag();
    else
        tracked_ = MouseButton::None;
}

void MouseTracker::CancelDrag() {
    dragging_ = false;
    events_.StopAutoScroll();
    events_.DragCancel(tracked_);
    tracked_ = MouseButton::None;
    if (captureCount_ > 0) {
        captureCount_ = 0;
        events_.LetGoCapture();
    }
}

void MouseTracker::AcquireCapture() {
    if (captureCount_++ == 0) events_.TakeCapture();
}

void MouseTracker::ReleaseCapture() {
    if (captureCount_ == 0) return;
    if (--captureCount_ == 0) events_.LetGoCapture();
}
