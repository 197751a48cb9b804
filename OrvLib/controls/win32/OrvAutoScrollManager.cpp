#include "OrvLib/controls/win32/OrvAutoScrollManager.h"

#include "OrvLib/framework/CWnd.h"

namespace {

HWND WindowOf(OrvAutoScrollManager& manager) {
    CWnd* window = manager.AutoScrollWindow();
    return window != nullptr ? window->hWnd : nullptr;
}

}  // namespace

void OrvAutoScrollManager::AutoScrollStart() {
    if (!autoScrollEnabled || active) return;
    accumulatorX = accumulatorY = 0;
    active = true;
    SetAutoScrollTimer();
}

void OrvAutoScrollManager::AutoScrollTick() {
    AutoScrollStep(CursorInClient());
    SendSyntheticMouseMove();
}

void OrvAutoScrollManager::AutoScrollStep(POINT cursor) {
    const RECT client = AutoScrollClientRect();
    ScrollAxis(SB_HORZ, autoScroll.horizontalSpeed, DistanceToEdge(cursor.x, client.left, client.right),
               accumulatorX);
    ScrollAxis(SB_VERT, autoScroll.verticalSpeed, DistanceToEdge(cursor.y, client.top, client.bottom),
               accumulatorY);
}

void OrvAutoScrollManager::AutoScrollStop() {
    if (!active) return;
    KillAutoScrollTimer();
    active = false;
}

void OrvAutoScrollManager::SendSyntheticMouseMove() {
    auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    UINT flags = 0;
    if (down(VK_CONTROL)) flags |= MK_CONTROL;
    if (down(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (down(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (down(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (down(VK_SHIFT)) flags |= MK_SHIFT;
    PostMouseMove(flags, CursorInClient());
}

void OrvAutoScrollManager::ScrollAxis(int axis, double configured, EdgeDistance edge, double& accumulator) {
    bool relative = false;
    const double speed = AxisSpeed(configured, edge, autoScroll, relative);
    SCROLLINFO info{};
    if (speed != 0 && GetAxisInfo(axis, info))
        AdvancePosition(axis, info, speed, accumulator, relative);
    else
        accumulator = 0;
}

void OrvAutoScrollManager::AdvancePosition(int axis, SCROLLINFO& info, double speed, double& accumulator,
                                           bool relative) {
    ScrollAxisState state{info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos};
    AdvanceAxis(state, speed, relative, autoScroll.intervalMs, accumulator);
    info.nPos = state.position;
    SetAxisPosition(axis, state.position);
}

bool OrvAutoScrollManager::GetAxisInfo(int axis, SCROLLINFO& info) {
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    return GetScrollInfo(WindowOf(*this), axis, &info) != FALSE;
}

void OrvAutoScrollManager::SetAxisPosition(int axis, int position) {
    SetScrollPos(WindowOf(*this), axis, position, TRUE);
}

RECT OrvAutoScrollManager::AutoScrollClientRect() {
    RECT rect{};
    GetClientRect(WindowOf(*this), &rect);
    return rect;
}

void OrvAutoScrollManager::SetAutoScrollTimer() {
    SetTimer(WindowOf(*this), kTimerId, static_cast<UINT>(autoScroll.intervalMs), nullptr);
}

void OrvAutoScrollManager::KillAutoScrollTimer() { KillTimer(WindowOf(*this), kTimerId); }

POINT OrvAutoScrollManager::CursorInClient() {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(WindowOf(*this), &point);
    return point;
}

void OrvAutoScrollManager::PostMouseMove(UINT keyFlags, POINT point) {
    SendMessageA(WindowOf(*this), WM_MOUSEMOVE, keyFlags, MAKELPARAM(point.x, point.y));
}

CWnd* OrvAutoScrollManager::AutoScrollWindow() { return dynamic_cast<CWnd*>(this); }
