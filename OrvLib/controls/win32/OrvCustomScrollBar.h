// The library's scroll bar: arrows, track and thumb in the scheme's colours, with the
// rules of ScrollBarModel.h. It reports with the parent's scroll message (vertical for a
// vertical bar) and with notifications 100 to 104 of its thumb drag and, for a live bar,
// of its own position.
#pragma once

#include <windows.h>

#include <cstdint>

#include "OrvLib/controls/ScrollBarModel.h"
#include "OrvLib/controls/win32/OrvControlBase.h"

class OrvCustomScrollBar : public OrvControlBase {
public:
    static constexpr uint32_t kVertical = 1, kLive = 2;

    explicit OrvCustomScrollBar(uint32_t style = 0);
    bool Create(CWnd* parent, const RECT& rect, UINT id, DWORD style = WS_CHILD | WS_VISIBLE);

    // The fields named by mask (SIF_RANGE, SIF_PAGE, SIF_POS, SIF_TRACKPOS); the position is
    // clamped afterwards.
    void SetScrollInfo(UINT mask, const ScrollInfo& info, bool redraw = true);
    int GetScrollPos() const { return model.Position(); }
    const ScrollInfo& GetInfo() const { return model.Info(); }
    const ScrollBarModel& Model() const { return model; }
    bool Vertical() const { return (style & kVertical) != 0; }

protected:
    void Draw(HDC dc) override;
    void OnLButtonDown(POINT point) override;
    void OnLButtonDblClk(POINT point) override { OnLButtonDown(point); }
    void OnLButtonUp(POINT point) override;
    void OnLDragBegin(POINT press) override;
    void OnLDragMove(POINT point) override;
    void OnLDragEnd(POINT point) override;
    void OnLDragCancel() override;
    void OnMouseMove(POINT point, UINT keyFlags) override;
    bool OnMouseWheel(int delta, POINT screenPoint, UINT keyFlags) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int Along(POINT p) const { return Vertical() ? p.y : p.x; }
    void Layout();
    void Send(const ScrollBarModel::Messages& messages);
    void StopRepeat();

    uint32_t style;
    ScrollBarModel model;
    UINT_PTR timer;
    bool timerRunning = false;
    int interval = 0;
    POINT last{};
    POINT press{};
};
