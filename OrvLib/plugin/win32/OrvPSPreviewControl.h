// One preview of a filter's dialog: draws a proxy image of the filter (kind 1 the image
// before the effect, 2 the result, anything else the plain source) and lets the user drag
// the view. Tells its parent what happens: WM_NOTIFY 103 on a press, 100 when a drag
// begins, 101 whenever the drag moved the view, 102 when it ends; WM_COMMAND on a click.
// A drag cancelled (Escape, capture lost) leaves the view where it got to.
#pragma once

#include <windows.h>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/controls/win32/OrvControlBase.h"

class OrvPSFilter;

class OrvPSPreviewControl : public OrvControlBase {
public:
    enum Kind : int32_t { kSource = 0, kBefore = 1, kResult = 2 };
    enum Notification : UINT { kDragBegun = 100, kViewMoved = 101, kDragEnded = 102, kPressed = 103 };

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
    void PreSubclassWindow() override;

private:
    OrvPSFilter* filter;
    int32_t kind;
    OrvRect dragStartView;
};
