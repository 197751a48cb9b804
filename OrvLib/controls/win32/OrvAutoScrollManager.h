// Scrolls a control while a drag is near or beyond its edges: a timer (id 1) ticks at the
// interval; each tick scrolls each axis by the arithmetic of AutoScrollModel.h and then
// sends the control a mouse move at the cursor, so its drag logic sees the new content.
//
// A mix-in of the control's window class; it reaches the window by a cast of itself. Every
// step is virtual, so a control with scroll bars of its own overrides the reading and
// writing of an axis.
#pragma once

#include <windows.h>

#include "OrvLib/controls/AutoScrollModel.h"

class CWnd;

class OrvAutoScrollManager {
public:
    static constexpr UINT_PTR kTimerId = 1;

    OrvAutoScrollManager() = default;
    virtual ~OrvAutoScrollManager() = default;

    bool autoScrollEnabled = false;
    AutoScrollSettings autoScroll;

    bool AutoScrollActive() const { return active; }
    double Accumulator(int axis) const { return axis == SB_HORZ ? accumulatorX : accumulatorY; }

    virtual void AutoScrollStart();
    virtual void AutoScrollTick();
    virtual void AutoScrollStep(POINT cursor);
    virtual void AutoScrollStop();
    virtual void SendSyntheticMouseMove();
    // configured: the axis's speed setting; the tick's speed is AxisSpeed's.
    virtual void ScrollAxis(int axis, double configured, EdgeDistance edge, double& accumulator);
    virtual void AdvancePosition(int axis, SCROLLINFO& info, double speed, double& accumulator,
                                 bool relative);
    virtual bool GetAxisInfo(int axis, SCROLLINFO& info);
    virtual void SetAxisPosition(int axis, int position);
    virtual RECT AutoScrollClientRect();
    virtual void SetAutoScrollTimer();
    virtual void KillAutoScrollTimer();
    virtual POINT CursorInClient();
    virtual void PostMouseMove(UINT keyFlags, POINT point);
    virtual CWnd* AutoScrollWindow();

private:
    bool active = false;
    double accumulatorX = 0;
    double accumulatorY = 0;
};
