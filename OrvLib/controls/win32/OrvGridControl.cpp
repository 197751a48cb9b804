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
    model.SetStyle(newStyle);
    Changed();
}

void OrvGridControl::SetRequests(int rows, int columns) {
    model.SetRequests(rows, columns);
    Changed();
}

void OrvGridControl::SetColumnWidth(int mode, int fixed) {
    model.SetColumnWidth(mode, fixed);
    Changed();
}

void OrvGridControl::SetRowHeight(int mode, int fixed) {
    model.SetRowHeight(mode, fixed);
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
    GridMetrics metrics;
    metrics.spaceHeight = TextExtent(GuiFont(), " ").cy;
    metrics.barThickness = GetSystemMetrics(SM_CXVSCROLL);
    metrics.textWidth = [](const std::string& text) {
        return static_cast<int32_t>(TextExtent(GuiFont(), text).cx);
    };
    model.Layout(ToOrvRect(GetClientRect()), metrics);
    PlaceBar(vertical, true, model.VerticalBar());
    PlaceBar(horizontal, false, model.HorizontalBar());
}

void OrvGridControl::PlaceBar(std::unique_ptr<OrvCustomScrollBar>& bar, bool isVertical,
                              const OrvRect& rect) {
    if (rect.IsEmpty()) {
        bar.reset();
        return;
    }
    if (!bar) {
        uint32_t style = OrvCustomScrollBar::kLive | (isVertical ? OrvCustomScrollBar::kVertical : 0);
        auto made = std::make_unique<OrvCustomScrollBar>(style);
        if (!made->Create(this, ToRECT(rect), isVertical ? kVerticalBarId : kHorizontalBarId)) return;
        bar = std::move(made);
    }
    bar->SetColourScheme(&Scheme());
    bar->MoveWindow(ToRECT(rect), false);
    ScrollInfo info;
    info.minimum = 0;
    info.maximum = (isVertical ? model.Rows() : model.Columns()) - 1;
    info.page = isVertical ? model.VisibleRows() : model.VisibleColumns();
    info.position = isVertical ? model.FirstRow() : model.FirstColumn();
    bar->SetScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS, info);
    bar->EnableWindow((isVertical ? model.NeedsVertical() : model.NeedsHorizontal()) && IsWindowEnabled());
}

bool OrvGridControl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    bool fromVertical = vertical && header->hwndFrom == vertical->hWnd;
    bool fromHorizontal = horizontal && header->hwndFrom == horizontal->hWnd;
    if (fromVertical || fromHorizontal) {
        if (header->code == ScrollNotify::kPositionChanged) {
            if (fromVertical) {
                model.SetFirstRow(vertical->GetScrollPos());
            } else {
                model.SetFirstColumn(horizontal->GetScrollPos());
            }
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
    if (model.Selection() != pressSelection && (model.Style() & kNotifySelection))
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
        if (model.Style() & kNotifySelection) SendCommand(hWnd, kSelectionChanged);
        return;
    }
    OrvControlBase::OnKeyDown(key, wasDown, systemKey);
}

bool OrvGridControl::OnMouseWheel(int delta, POINT, UINT) {
    if (IsWindowEnabled() && model.Wheel(delta)) Changed();
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
    // The window colour behind and beside the cells; the face in the corner between two bars.
    FillSolid(dc, client, s[SchemeColour::Window]);
    if (model.ShowsVertical() && model.ShowsHorizontal())
        FillSolid(dc, RECT{cells.right, cells.bottom, client.right, client.bottom}, s[SchemeColour::Face]);
    OrvSavedDC saved(dc);
    IntersectClipRect(dc, cells.left, cells.top, cells.right, cells.bottom);
    OrvSelection font(dc, GuiFont());
    SetBkMode(dc, OPAQUE);
    int lastRow = model.FirstRow() + model.VisibleRows(),
        lastColumn = model.FirstColumn() + model.VisibleColumns();
    // One more row and column than fit whole: the partly shown ones at the edges.
    for (int row = model.FirstRow(); row <= lastRow; ++row) {
        for (int column = model.FirstColumn(); column <= lastColumn; ++column) {
            int i = model.IndexAt(row, column);
            if (i < 0) continue;
            RECT cell = ToRECT(model.CellRect(i));
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
            if (i == model.FocusedItem() && GetFocus() == hWnd) {
                SetTextColor(dc, s[SchemeColour::Text]);
                DrawFocusRect(dc, &cell);
            }
        }
    }
}
