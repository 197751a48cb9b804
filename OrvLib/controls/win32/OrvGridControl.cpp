#include "OrvLib/controls/win32/OrvGridControl.h"

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"

using namespace ControlSupport;

OrvGridControl::OrvGridControl() { dialogCode = DLGC_WANTARROWS; }

OrvGridControl::~OrvGridControl() = default;

bool OrvGridControl::Create(CWnd* parent, const RECT& rect, UINT id, DWORD windowStyle, DWORD exStyle) {
    if (!OrvControlBase::Create("OrvGridControl", windowStyle | WS_CLIPCHILDREN, rect, parent, id, exStyle))
        return false;
    SetWindowText("OrvGridControl");
    SetPaintsOwnBorder(true);
    Layout();
    return true;
}

bool OrvGridControl::CreateInPlaceOf(CWnd* parent, UINT controlId, bool destroyControl) {
    HWND control = parent != nullptr ? parent->GetDlgItem(static_cast<int>(controlId)) : nullptr;
    if (control == nullptr) return false;
    RECT r;
    ::GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent->hWnd, reinterpret_cast<POINT*>(&r), 2);
    DWORD old = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    DWORD oldEx = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_EXSTYLE));
    DWORD kept = old & (WS_VISIBLE | WS_DISABLED | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP | WS_TABSTOP);
    DWORD ex = ((old & WS_BORDER) || (oldEx & WS_EX_CLIENTEDGE)) ? WS_EX_CLIENTEDGE : 0;
    if (!Create(parent, r, controlId, WS_CHILD | kept, ex)) return false;
    SetWindowPos(control, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (destroyControl) ::DestroyWindow(control);
    return true;
}

void OrvGridControl::SetStyle(uint32_t newStyle) {
    style = newStyle;
    Changed();
}

int OrvGridControl::InsertSorted(const std::string& text) {
    int i = model.InsertSorted(text);
    Changed();
    return i;
}

int OrvGridControl::Append(const std::string& text) {
    int i = model.Append(text);
    Changed();
    return i;
}

int OrvGridControl::InsertAt(int index, const std::string& text) {
    int i = model.InsertAt(index, text);
    Changed();
    return i;
}

void OrvGridControl::RemoveAll() {
    model.RemoveAll();
    Changed();
}

void OrvGridControl::SetSelection(int index) {
    model.SetSelection(index);
    if (hWnd != nullptr) Changed();
}

void OrvGridControl::Changed() {
    if (hWnd == nullptr) return;
    Layout();
    Invalidate(false);
}

void OrvGridControl::Layout() {
    RECT client = GetClientRect();
    int bar = GetSystemMetrics(SM_CXVSCROLL);
    // A space's height in the stock GUI font, plus 3.
    model.Layout(ToOrvRect(client), TextExtent(GuiFont(), " ").cy + 3, bar, (style & kForceVertical) != 0);
    if (!model.ShowsBar()) {
        vertical.reset();
        return;
    }
    if (!vertical) {
        auto v =
            std::make_unique<OrvCustomScrollBar>(OrvCustomScrollBar::kVertical | OrvCustomScrollBar::kLive);
        if (!v->Create(this, ToRECT(model.BarRect()), kVerticalBarId)) return;
        vertical = std::move(v);
    }
    vertical->SetColourScheme(&Scheme());
    RECT r = ToRECT(model.BarRect());
    vertical->MoveWindow(r, false);
    ScrollInfo info;
    info.minimum = 0;
    info.maximum = model.Count() - 1;
    info.page = model.VisibleRows();
    info.position = model.FirstRow();
    vertical->SetScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS, info);
    vertical->EnableWindow(model.NeedsScrolling() && IsWindowEnabled());
}

bool OrvGridControl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (vertical && header->hwndFrom == vertical->hWnd) {
        if (header->code == ScrollNotify::kPositionChanged) {
            model.SetFirstRow(vertical->GetScrollPos());
            Invalidate(false);
            UpdateWindow();
        }
        *result = 0;
        return true;
    }
    return OrvControlBase::OnNotify(wParam, lParam, result);
}

void OrvGridControl::SelectAt(POINT point) {
    int hit = model.HitTest(OrvPoint{point.x, point.y});
    if (hit == model.Selection()) return;
    model.SetSelection(hit);
    Layout();
    Invalidate(false);
    UpdateWindow();
}

void OrvGridControl::OnLButtonDown(POINT point) {
    SetFocus();
    pressSelection = model.Selection();
    pressing = true;
    SelectAt(point);
}

void OrvGridControl::EndPress() {
    if (!pressing) return;
    pressing = false;
    if (model.Selection() != pressSelection && (style & kNotifySelection))
        SendCommand(hWnd, kSelectionChanged);
}

void OrvGridControl::OnLButtonUp(POINT) { EndPress(); }

void OrvGridControl::OnLDragMove(POINT point) {
    // Only rows the cells show can be dragged onto.
    if (model.Cells().Contains(point.x, point.y)) SelectAt(point);
}

void OrvGridControl::OnLDragEnd(POINT) { EndPress(); }

void OrvGridControl::OnLDragCancel() {
    pressing = false;
    model.SetSelection(pressSelection);
    Changed();
}

void OrvGridControl::OnKeyDown(UINT key, bool wasDown, bool systemKey) {
    int target = model.KeyTarget(KeyOf(key));
    if (target >= 0) {
        SetSelection(target);
        if (style & kNotifySelection) SendCommand(hWnd, kSelectionChanged);
        return;
    }
    OrvControlBase::OnKeyDown(key, wasDown, systemKey);
}

bool OrvGridControl::OnMouseWheel(int delta, POINT, UINT) {
    if (!vertical || !vertical->IsWindowEnabled()) return true;
    model.SetFirstRow(model.FirstRowAfterWheel(delta));
    Changed();
    return true;
}

LRESULT OrvGridControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            Changed();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            if (message == WM_ENABLE) Layout();
            Invalidate(false);
            break;
        default:
            break;
    }
    return OrvControlBase::WindowProc(message, wParam, lParam);
}

void OrvGridControl::Draw(HDC dc) {
    const ColourScheme& s = Scheme();
    RECT client = GetClientRect();
    RECT cells = ToRECT(model.Cells());
    bool enabled = IsWindowEnabled();
    FillSolid(dc, client, s[SchemeColour::Window]);
    OrvSelection font(dc, GuiFont());
    SetBkMode(dc, OPAQUE);
    for (int i = model.FirstRow(); i < model.Count(); ++i) {
        RECT cell = ToRECT(model.CellRect(i));
        if (cell.top >= cells.bottom) break;
        bool selected = i == model.Selection();
        COLORREF back = selected && enabled ? s[SchemeColour::SelectionBack] : s[SchemeColour::Window];
        COLORREF ink = !enabled ? s[SchemeColour::DisabledText]
                                : (selected ? s[SchemeColour::SelectedText] : s[SchemeColour::Text]);
        FillSolid(dc, cell, back);
        SetTextColor(dc, ink);
        SetBkColor(dc, back);
        RECT text = cell;
        text.left += 3;
        // A name longer than its cell ends in an ellipsis rather than a cut letter.
        std::string name = model.Item(i).text;
        DrawTextA(dc, name.c_str(), -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (selected && GetFocus() == hWnd) {
            SetTextColor(dc, s[SchemeColour::Text]);
            DrawFocusRect(dc, &cell);
        }
    }
}
