// The base of the fully custom-drawn controls: mouse tracking with press, click and drag
// (MouseTracker.h; the system's drag rectangle is the threshold, auto-scroll runs while
// dragging), key fan-out, wheel, double-buffered painting in a colour scheme and
// notifications to the parent.
//
// Subclasses override the operations below; each does nothing unless noted. Keys arrive
// once per repeat: the first call carries the message's "was already down" bit, the rest
// false. Painting goes through Draw into an off-screen buffer of the client size, copied
// in one step; the background is never erased on its own.
#pragma once

#include <windows.h>

#include "OrvLib/controls/ColourScheme.h"
#include "OrvLib/controls/MouseTracker.h"
#include "OrvLib/controls/win32/MouseRoute.h"
#include "OrvLib/controls/win32/SchemedSurface.h"
#include "OrvLib/controls/win32/OrvAutoScrollManager.h"
#include "OrvLib/framework/CWnd.h"

class OrvControlBase : public CWnd, public OrvAutoScrollManager, private MouseTrackerEvents {
public:
    OrvControlBase();
    ~OrvControlBase() override;

    // A child window of the module's class kind (registered with double clicks).
    bool Create(const char* kind, DWORD style, const RECT& rect, CWnd* parent, UINT id, DWORD exStyle = 0);

    // Null means the default scheme; the control never owns it. Invalidates the control.
    void SetColourScheme(const ColourScheme* scheme);
    const ColourScheme& Scheme() const { return surface.Scheme(); }
    // Paint the border from the scheme in the non-client area (see PaintNonClientFrame).
    void SetPaintsOwnBorder(bool own) { ownBorder = own; }

    // WM_COMMAND to the parent with the control's id (code 0) and window.
    void NotifyCommand();
    // WM_NOTIFY to the parent with {window, id, code}; the parent's answer.
    LRESULT NotifyCode(UINT code);
    // An identifier for a subclass's own use: 555 on, restarting before it turns negative.
    int NextIdentifier();

    MouseButton TrackedButton() const { return route.Tracker().Tracked(); }
    bool IsDragging() const { return route.Tracker().Dragging(); }
    OrvPoint PressPoint() const { return route.Tracker().Press(); }
    int CaptureCount() const { return route.Tracker().CaptureCount(); }
    void AcquireCapture() { route.Tracker().AcquireCapture(); }
    void ReleaseCapture() { route.Tracker().ReleaseCapture(); }

    // The answer to WM_GETDLGCODE (the "static" code at first).
    UINT dialogCode = DLGC_STATIC;

protected:
    virtual void OnLButtonDown(POINT) {}
    virtual void OnLButtonUp(POINT) {}
    virtual void OnLButtonDblClk(POINT) {}
    virtual void OnLDragBegin(POINT) {}
    virtual void OnLDragMove(POINT) {}
    virtual void OnLDragEnd(POINT) {}
    virtual void OnLDragCancel() {}
    virtual void OnMButtonDown(POINT) {}
    virtual void OnMButtonUp(POINT) {}
    virtual void OnMButtonDblClk(POINT) {}
    virtual void OnMDragBegin(POINT) {}
    virtual void OnMDragMove(POINT) {}
    virtual void OnMDragEnd(POINT) {}
    virtual void OnMDragCancel() {}
    virtual void OnRButtonDown(POINT) {}
    virtual void OnRButtonUp(POINT) {}
    virtual void OnRButtonDblClk(POINT) {}
    virtual void OnRDragBegin(POINT) {}
    virtual void OnRDragMove(POINT) {}
    virtual void OnRDragEnd(POINT) {}
    virtual void OnRDragCancel() {}
    // Every move, before the drag logic.
    virtual void OnMouseMove(POINT, UINT /*keyFlags*/) {}
    // True when handled; the default passes the wheel on to default processing.
    virtual bool OnMouseWheel(int delta, POINT screenPoint, UINT keyFlags);
    // The default cancels a drag on Escape.
    virtual void OnKeyDown(UINT key, bool wasDown, bool systemKey);
    virtual void OnKeyUp(UINT, bool, bool) {}
    virtual void OnChar(UINT, bool, bool) {}
    // Paints the whole control; the default says it wants overriding.
    virtual void Draw(HDC dc);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ButtonDown(MouseButton button, OrvPoint point) override;
    void Click(MouseButton button, OrvPoint point) override;
    void DragBegin(MouseButton button, OrvPoint press) override;
    void DragMove(MouseButton button, OrvPoint point) override;
    void DragEnd(MouseButton button, OrvPoint point) override;
    void DragCancel(MouseButton button) override;
    void StartAutoScroll() override;
    void StopAutoScroll() override;

    void Paint(HDC target);
    void FanOut(UINT message, WPARAM wParam, LPARAM lParam);

    MouseRoute route;
    SchemedSurface surface;
    int nextIdentifier;
    bool ownBorder = false;
};
