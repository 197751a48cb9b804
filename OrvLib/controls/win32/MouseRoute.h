// The window half of MouseTracker, shared by every control that takes the mouse: it turns
// button, move and capture messages into the tracker's calls, takes and lets go of the
// capture, and cancels a drag on Escape. The control hears the tracker's events.
#pragma once

#include <windows.h>

#include "OrvLib/controls/MouseTracker.h"

class MouseRoute : private MouseTrackerEvents {
public:
    enum Option : unsigned {
        kLeftOnly = 0,
        kAllButtons = 1,         // middle and right buttons are tracked too
        kDoubleClickPresses = 2  // a double click is a second press, as on the system's controls
    };

    explicit MouseRoute(MouseTrackerEvents& client, unsigned options = kLeftOnly);

    // Handles a mouse or capture message of `window`, or Escape during a drag; true when it
    // was one.
    bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The answer to WM_GETDLGCODE: during a drag every key, so Escape is not the dialog's Cancel.
    UINT DialogCode(UINT code) const { return tracker.Dragging() ? code | DLGC_WANTALLKEYS : code; }

    MouseTracker& Tracker() { return tracker; }
    const MouseTracker& Tracker() const { return tracker; }

private:
    void ButtonDown(MouseButton button, OrvPoint point) override { client.ButtonDown(button, point); }
    void Click(MouseButton button, OrvPoint point) override { client.Click(button, point); }
    void DragBegin(MouseButton button, OrvPoint press) override;
    void DragMove(MouseButton button, OrvPoint point) override { client.DragMove(button, point); }
    void DragEnd(MouseButton button, OrvPoint point) override { client.DragEnd(button, point); }
    void DragCancel(MouseButton button) override { client.DragCancel(button); }
    void PressCancel(MouseButton button) override { client.PressCancel(button); }
    void TakeCapture() override;
    void LetGoCapture() override;
    void StartAutoScroll() override { client.StartAutoScroll(); }
    void StopAutoScroll() override { client.StopAutoScroll(); }

    bool Tracks(MouseButton button) const;

    MouseTrackerEvents& client;
    unsigned options;
    MouseTracker tracker;
    HWND hWnd = nullptr;
};
