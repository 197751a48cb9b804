// One preview of a filter's dialog: draws a proxy image of the filter (kind 1 the image
// before the effect, 2 the result, anything else the plain source) and lets the user drag
// the view. Tells its parent what happens: WM_NOTIFY 103 on a press, 100 when a drag
// begins, 101 whenever the drag (or an arrow key) moved the view, 102 when it ends, 104
// and 105 when + or - (or Control with the wheel) asks to zoom in or out; WM_COMMAND on a
// click. A drag cancelled (Escape, capture lost) leaves the view where it got to. It is a
// tab stop, so the keys reach it.
#pragma once

#include <windows.h>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/win32/OrvControlBase.h"
#include "OrvLib/framework/Accessible.h"

class OrvPSFilter;

class OrvPSPreviewControl : public OrvControlBase, public OrvAccessible {
public:
    long AccessibleRole() const override { return ROLE_SYSTEM_GRAPHIC; }

    enum Kind : int32_t { kSource = 0, kBefore = 1, kResult = 2 };
    enum Notification : UINT {
        kDragBegun = 100,
        kViewMoved = 101,
        kDragEnded = 102,
        kPressed = 103,
        kZoomInAsked = 104,
        kZoomOutAsked = 105
    };

    OrvPSPreviewControl(OrvPSFilter* filter, int32_t kind);

    // The four-way arrow shown while the view is held.
    static HCURSOR GetPanCursor();

protected:
    void Draw(HDC dc) override;
    void OnLButtonDown(POINT) override;
    void OnLButtonUp(POINT) override;
    void OnLDragBegin(POINT) override;
    void OnLDragMove(POINT point) override;
    void OnLDragEnd(POINT) override;
    void OnLDragCancel() override;
    void OnKeyDown(UINT key, bool wasDown, bool systemKey) override;
    void OnChar(UINT character, bool wasDown, bool systemKey) override;
    bool OnMouseWheel(int delta, POINT screenPoint, UINT keyFlags) override;
    void PreSubclassWindow() override;

private:
    OrvPSFilter* filter;
    int32_t kind;
    OrvRect dragStartView;
};
