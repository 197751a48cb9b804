#include "OrvLib/controls/MouseTracker.h"

#include <cstdlib>

void MouseTracker::ButtonDown(MouseButton button, OrvPoint point) {
    if (tracked != MouseButton::None || button == MouseButton::None) return;
    tracked = button;
    press = point;
    AcquireCapture();
    events.ButtonDown(button, point);
}

void MouseTracker::Move(OrvPoint point, int dragWidth, int dragHeight) {
    if (tracked == MouseButton::None) return;
    if (!dragging) {
        const bool beyond =
            std::abs(point.x - press.x) > dragWidth || std::abs(point.y - press.y) > dragHeight;
        if (!beyond) return;
        dragging = true;
        events.DragBegin(tracked, press);
        events.StartAutoScroll();
    }
    events.DragMove(tracked, point);
}

void MouseTracker::ButtonUp(MouseButton button, OrvPoint point) {
    if (button == MouseButton::None || button != tracked) return;
    const bool wasDragging = dragging;
    tracked = MouseButton::None;
    dragging = false;
    ReleaseCapture();
    if (wasDragging) {
        events.StopAutoScroll();
        events.DragEnd(button, point);
    } else {
        events.Click(button, point);
    }
}

void MouseTracker::Escape() {
    if (dragging) CancelDrag();
}

void MouseTracker::CaptureLost() {
    captureCount = 0;
    // A press without its release would otherwise stay tracked for good.
    if (dragging) {
        CancelDrag();
    } else if (tracked != MouseButton::None) {
        const MouseButton ended = tracked;
        tracked = MouseButton::None;
        events.PressCancel(ended);
    }
}

void MouseTracker::CancelDrag() {
    dragging = false;
    events.StopAutoScroll();
    events.DragCancel(tracked);
    tracked = MouseButton::None;
    if (captureCount > 0) {
        captureCount = 0;
        events.LetGoCapture();
    }
}

void MouseTracker::AcquireCapture() {
    if (captureCount++ == 0) events.TakeCapture();
}

void MouseTracker::ReleaseCapture() {
    if (captureCount == 0) return;
    if (--captureCount == 0) events.LetGoCapture();
}
