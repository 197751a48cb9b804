// The press, click and drag rules of every custom control, without a window.
//
// One button is tracked at a time, from its press to its release, Escape or loss of the
// capture. A press becomes a drag once the pointer has moved from the press point by more
// than the system's drag width horizontally or drag height vertically; a drag ends in
// drag-end (release) or drag-cancel (Escape, capture loss), never in a click. Presses of
// other buttons while one is tracked change nothing.
//
// The capture is counted: the first acquisition takes it, later ones only count, and it is
// let go when the count falls back to 0 (or at once when the system took it away).
#pragma once

#include "OrvLib/ORVUTIL/OrvRect.h"

enum class MouseButton { None = 0, Left = 1, Middle = 2, Right = 3 };

// What the tracker asks of its control, in the order things happen; each does nothing
// unless overridden.
class MouseTrackerEvents {
public:
    virtual ~MouseTrackerEvents() = default;
    virtual void ButtonDown(MouseButton, OrvPoint) {}
    virtual void Click(MouseButton, OrvPoint) {}
    virtual void DragBegin(MouseButton, OrvPoint /*press*/) {}
    virtual void DragMove(MouseButton, OrvPoint) {}
    virtual void DragEnd(MouseButton, OrvPoint) {}
    virtual void DragCancel(MouseButton) {}
    // A press that is not yet a drag lost the capture: it ends without a click.
    virtual void PressCancel(MouseButton) {}
    virtual void TakeCapture() {}
    virtual void LetGoCapture() {}
    virtual void StartAutoScroll() {}
    virtual void StopAutoScroll() {}
};

class MouseTracker {
public:
    explicit MouseTracker(MouseTrackerEvents& initialEvents) : events(initialEvents) {}

    void ButtonDown(MouseButton button, OrvPoint point);
    // dragWidth, dragHeight: the system's drag rectangle size.
    void Move(OrvPoint point, int dragWidth, int dragHeight);
    void ButtonUp(MouseButton button, OrvPoint point);
    // Escape cancels a drag; a press that is not yet a drag goes on.
    void Escape();
    // The system gave the capture to another window.
    void CaptureLost();

    void AcquireCapture();
    void ReleaseCapture();

    MouseButton Tracked() const { return tracked; }
    OrvPoint Press() const { return press; }
    bool Dragging() const { return dragging; }
    int CaptureCount() const { return captureCount; }

private:
    void CancelDrag();

    MouseTrackerEvents& events;
    MouseButton tracked = MouseButton::None;
    OrvPoint press;
    bool dragging = false;
    int captureCount = 0;
};
