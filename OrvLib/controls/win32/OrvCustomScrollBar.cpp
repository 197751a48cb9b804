#include "OrvLib/controls/win32/OrvCustomScrollBar.h"

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"

using namespace ControlSupport;

OrvCustomScrollBar::OrvCustomScrollBar(uint32_t initialStyle)
    : style(initialStyle),
      model((initialStyle & kLive) != 0),
      timer(static_cast<UINT_PTR>(NextIdentifier())) {}

bool OrvCustomScrollBar::Create(CWnd* parent, const RECT& rect, UINT id, DWORD windowStyle) {
    if (!OrvControlBase::Create("OrvCustomScrollBar", windowStyle, rect, parent, id)) return false;
    SetWindowText("OrvCustomScrollBar");
    Layout();
    return true;
}

void OrvCustomScrollBar::Layout() {
    if (hWnd == nullptr) return;
    RECT c = GetClientRect();
    model.Layout(Vertical() ? c.bottom : c.right, Vertical() ? c.right : c.bottom);
}

void OrvCustomScrollBar::SetScrollInfo(UINT mask, const ScrollInfo& info, bool redraw) {
    if (mask & SIF_RANGE) model.SetRange(info.minimum, info.maximum);
    if (mask & SIF_PAGE) model.SetPage(info.page);
    if (mask & (SIF_POS | SIF_TRACKPOS))
        model.SetPosition((mask & SIF_POS) ? info.position : info.trackPosition);
    if (redraw && hWnd != nullptr) Invalidate(false);
}

void OrvCustomScrollBar::Send(const ScrollBarModel::Messages& messages) {
    HWND self = hWnd;
    for (const ScrollMessage& m : messages) {
        if (m.notification) {
            NotifyCode(static_cast<UINT>(m.code));
        } else if (HWND parent = GetParent()) {
            ::SendMessageA(parent, Vertical() ? WM_VSCROLL : WM_HSCROLL,
                           MAKEWPARAM(m.code, static_cast<WORD>(m.position)), reinterpret_cast<LPARAM>(self));
        }
        if (!IsWindow(self)) return;
    }
    Invalidate(false);
    UpdateWindow();
}

void OrvCustomScrollBar::StopRepeat() {
    if (timerRunning) KillTimer(timer);
    timerRunning = false;
}

void OrvCustomScrollBar::OnLButtonDown(POINT point) {
    last = press = point;
    int delay = 0;
    DWORD speed = 31;
    SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    model.SetKeyboardTiming(delay, static_cast<int32_t>(speed));
    Send(model.Press(Along(point)));
    if (model.Repeating()) {
        interval = model.TimerInterval();
        SetTimer(timer, static_cast<UINT>(interval));
        timerRunning = true;
    }
}

void OrvCustomScrollBar::OnLButtonUp(POINT) {
    StopRepeat();
    model.Release();
    Invalidate(false);
}

void OrvCustomScrollBar::OnLDragBegin(POINT) {
    if (!model.PressedOnThumb()) return;
    StopRepeat();
    Send(model.BeginDrag());
}

void OrvCustomScrollBar::OnLDragMove(POINT point) {
    last = point;
    if (model.Dragging()) Send(model.DragTo(Along(point) - Along(press)));
}

void OrvCustomScrollBar::OnLDragEnd(POINT point) {
    if (model.Dragging()) {
        Send(model.EndDrag());
    } else {
        OnLButtonUp(point);
    }
}

void OrvCustomScrollBar::OnLDragCancel() {
    if (model.Dragging()) {
        Send(model.CancelDrag());
    } else {
        OnLButtonUp(POINT{});
    }
}

void OrvCustomScrollBar::OnMouseMove(POINT point, UINT) {
    if (model.Repeating()) last = point;
}

bool OrvCustomScrollBar::OnMouseWheel(int delta, POINT, UINT) {
    Send(model.Wheel(delta));
    return true;
}

LRESULT OrvCustomScrollBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam != timer) break;
            // The button may have gone up where no release reached us (after a double click).
            if (GetKeyState(VK_LBUTTON) >= 0 || !model.Repeating()) {
                StopRepeat();
                return 0;
            }
            Send(model.Tick(Along(last)));
            if (model.TimerInterval() != interval) {
                interval = model.TimerInterval();
                SetTimer(timer, static_cast<UINT>(interval));
            }
            return 0;
        case WM_SIZE:
            Layout();
            Invalidate(false);
            break;
        case WM_ENABLE:
            Invalidate(false);
            break;
        case WM_DESTROY:
            StopRepeat();
            break;
        default:
            break;
    }
    return OrvControlBase::WindowProc(message, wParam, lParam);
}

void OrvCustomScrollBar::Draw(HDC dc) {
    Layout();
    const ColourScheme& s = Scheme();
    const ScrollParts& parts = model.Parts();
    RECT c = GetClientRect();
    bool enabled = IsWindowEnabled();
    // Along the bar from a to b, across its whole thickness.
    auto span = [&](int a, int b) { return Vertical() ? RECT{0, a, c.right, b} : RECT{a, 0, b, c.bottom}; };
    int arrow = std::min(parts.thickness, parts.length / 2);
    ScrollPart pressed = TrackedButton() == MouseButton::Left ? model.PressedPart() : ScrollPart::None;
    bool under = pressed != ScrollPart::None && model.HitTest(Along(last)) == pressed;

    FillSolid(dc, c, s[SchemeColour::Face]);
    RECT track = span(arrow, parts.length - arrow);
    FillHalftone(dc, track, s[SchemeColour::Light], s[SchemeColour::Highlight]);
    if (enabled && parts.hasThumb) {
        if (under && pressed == ScrollPart::TrackBefore)
            FillHalftone(dc, span(arrow, parts.thumbStart), s[SchemeColour::Shadow],
                         s[SchemeColour::DarkShadow]);
        if (under && pressed == ScrollPart::TrackAfter)
            FillHalftone(dc, span(parts.thumbEnd, parts.length - arrow), s[SchemeColour::Shadow],
                         s[SchemeColour::DarkShadow]);
        RECT thumb = span(parts.thumbStart, parts.thumbEnd);
        FillSolid(dc, thumb, s[SchemeColour::Face]);
        PaintFrame(dc, FrameStyle::Raised, thumb, s);
    }
    ArrowDirection first = Vertical() ? ArrowDirection::Up : ArrowDirection::Left;
    ArrowDirection second = Vertical() ? ArrowDirection::Down : ArrowDirection::Right;
    PaintArrowButton(dc, span(0, arrow), first, under && pressed == ScrollPart::FirstArrow, enabled, s);
    PaintArrowButton(dc, span(parts.length - arrow, parts.length), second,
                     under && pressed == ScrollPart::SecondArrow, enabled, s);
}
