#include "OrvLib/controls/win32/OrvDragTabCtrl.h"

#include <algorithm>
#include <cstring>

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"

using namespace ControlSupport;

bool OrvInPlaceEditBox::Create(OrvControlBase& strip, POINT at, const std::string& text) {
    RECT r{at.x, at.y, at.x + 20, at.y + 16};
    if (!CreateControl("EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r,
                       strip.hWnd, kId))
        return false;
    SetFont(GuiFont(), false);
    SetMargins(1, 1);
    SetColourScheme(&strip.Scheme());
    Fit();
    SetFocus();
    SetSel(0, -1);
    return true;
}

void OrvInPlaceEditBox::Fit() {
    SIZE text = TextExtent(GuiFont(), Text()), space = TextExtent(GuiFont(), " ");
    RECT parent;
    ::GetClientRect(GetParent(), &parent);
    int width = std::min<int>(std::max<int>(text.cx + 10, space.cx), parent.right);
    SetWindowPos(nullptr, 0, 0, width, space.cy + 4, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The system scrolled the text along while the box was still narrow; now that it fits,
    // show it from its first letter again, keeping the caret and selection.
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessage(EM_SETSEL, 0, 0);
    SendMessage(EM_SETSEL, start, end);
}

LRESULT OrvInPlaceEditBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            // Enter and Escape belong to the box, not to the dialog.
            return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                cancelled = wParam == VK_ESCAPE;
                ::SetFocus(GetParent());
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == '\r' || wParam == 27) return 0;
            {
                LRESULT r = OrvCustomEditBox::WindowProc(message, wParam, lParam);
                Fit();
                return r;
            }
        case WM_KILLFOCUS: {
            LRESULT r = OrvCustomEditBox::WindowProc(message, wParam, lParam);
            if (!done) {
                done = true;
                SendNotify(hWnd, cancelled ? kDropped : kKept);
            }
            return r;
        }
        default:
            break;
    }
    return OrvCustomEditBox::WindowProc(message, wParam, lParam);
}

OrvDragTabCtrl::OrvDragTabCtrl() = default;

OrvDragTabCtrl::~OrvDragTabCtrl() = default;

bool OrvDragTabCtrl::Create(CWnd* parent, const RECT& rect, UINT id, DWORD style) {
    // The arrow keys move between the tabs once the strip has the focus.
    dialogCode = DLGC_WANTARROWS;
    if (!OrvControlBase::Create("OrvDragTabCtrl", style, rect, parent, id)) return false;
    LOGFONTA font{};
    GetObjectA(GuiFont(), sizeof font, &font);
    font.lfEscapement = font.lfOrientation = 900;
    std::strcpy(font.lfFaceName, "Arial");
    vertical.Reset(CreateFontIndirectA(&font));
    Relayout();
    return true;
}

void OrvDragTabCtrl::Relayout() {
    if (hWnd == nullptr) return;
    HFONT font = (model.Style() & TabStyle::kVertical) && vertical ? vertical.Get() : GuiFont(hWnd);
    model.Layout(ToOrvRect(GetClientRect()), [&](const std::string& text) {
        SIZE s = TextExtent(font, text);
        return OrvSize{s.cx, s.cy};
    });
    Invalidate(false);
}

void OrvDragTabCtrl::SetStyle(uint32_t style) {
    model.SetStyle(style);
    Relayout();
}

void OrvDragTabCtrl::SetTabRowHeight(int pixels) {
    model.SetRowHeight(pixels);
    Relayout();
}

int OrvDragTabCtrl::InsertItem(int index, const std::string& text) {
    int i = model.Insert(index, text);
    Relayout();
    return i;
}

int OrvDragTabCtrl::SetCurSel(int index) {
    int old = model.Selection();
    model.SetSelection(index);
    Relayout();
    if (model.Selection() != old) OrvAccessibleEvent(hWnd, EVENT_OBJECT_SELECTION, model.Selection() + 1);
    return old;
}

std::string OrvDragTabCtrl::AccessibleItemName(long item) const {
    return item >= 1 && item <= model.Count() ? model.Item(int(item - 1)).text : std::string();
}

void OrvDragTabCtrl::OnLButtonDown(POINT point) {
    SetFocus();
    justSelected = false;
    int hit = model.HitTest(OrvPoint{point.x, point.y});
    if (hit == TabHit::kScrollBack || hit == TabHit::kScrollForward) {
        if (model.Scroll(hit)) {
            Relayout();
            UpdateWindow();
        }
        return;
    }
    if (hit >= 0 && hit != model.Selection()) {
        model.SetSelection(hit);
        Relayout();
        UpdateWindow();
        OrvAccessibleEvent(hWnd, EVENT_OBJECT_SELECTION, hit + 1);
        NotifyCode(OrvTabCode::kSelected);
        justSelected = true;
    }
}

void OrvDragTabCtrl::OnKeyDown(UINT key, bool wasDown, bool systemKey) {
    const int target = model.KeyTarget(KeyOf(key));
    if (target < 0) {
        OrvControlBase::OnKeyDown(key, wasDown, systemKey);
        return;
    }
    model.SetSelection(target);
    Relayout();
    UpdateWindow();
    OrvAccessibleEvent(hWnd, EVENT_OBJECT_SELECTION, target + 1);
    NotifyCode(OrvTabCode::kSelected);
}

void OrvDragTabCtrl::OnLButtonUp(POINT point) {
    if ((model.Style() & TabStyle::kRenameMask) != TabStyle::kRenameOnClick || justSelected) return;
    if (model.HitTest(OrvPoint{point.x, point.y}) == model.Selection()) StartRename();
}

void OrvDragTabCtrl::OnLButtonDblClk(POINT point) {
    // A quick second press on a scroll area scrolls again.
    int hit = model.HitTest(OrvPoint{point.x, point.y});
    if (hit == TabHit::kScrollBack || hit == TabHit::kScrollForward) {
        OnLButtonDown(point);
        return;
    }
    if ((model.Style() & TabStyle::kRenameMask) != TabStyle::kRenameOnDoubleClick) return;
    if (model.Selection() >= 0 && model.HitTest(OrvPoint{point.x, point.y}) == model.Selection())
        StartRename();
}

void OrvDragTabCtrl::StartRename() {
    if (model.Selection() < 0 || rename || NotifyCode(OrvTabCode::kMayRename) == 0) return;
    const TabItem& tab = model.Item(model.Selection());
    auto box = std::make_unique<OrvInPlaceEditBox>();
    rename = std::move(box);
    if (!rename->Create(*this, POINT{tab.textRect.left - 2, tab.textRect.top - 2}, tab.text)) rename.reset();
}

bool OrvDragTabCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (rename && header->hwndFrom == rename->hWnd) {
        if (header->code == OrvInPlaceEditBox::kKept && model.Selection() >= 0) {
            model.SetText(model.Selection(), rename->Text());
            NotifyCode(OrvTabCode::kRenamed);
            Relayout();
        } else {
            NotifyCode(OrvTabCode::kRenameCancelled);
        }
        // The box is inside its own focus handling: it goes once that has returned.
        PostMessage(kDropRename);
        *result = 0;
        return true;
    }
    return OrvControlBase::OnNotify(wParam, lParam, result);
}

LRESULT OrvDragTabCtrl::AskMove(UINT code, int from, int to) {
    HWND parent = GetParent();
    if (parent == nullptr) return 0;
    OrvTabMove move{{hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), code}, from, to};
    return ::SendMessageA(parent, WM_NOTIFY, move.header.idFrom, reinterpret_cast<LPARAM>(&move));
}

void OrvDragTabCtrl::OnLDragBegin(POINT press) {
    drop = -1;
    // Only a tab can be dragged, not the scroll areas or the empty row.
    if (model.HitTest(OrvPoint{press.x, press.y}) < 0) return;
    dragActive = model.Selection() >= 0 && NotifyCode(OrvTabCode::kMayDrag) != 0;
}

void OrvDragTabCtrl::OnLDragMove(POINT point) {
    if (!dragActive) return;
    int index = model.DropIndex(OrvPoint{point.x, point.y});
    if (index == drop) return;
    drop = index;
    bool allowed = AskMove(OrvTabCode::kMayMove, model.Selection(), drop) != 0;
    SetCursor(LoadCursor(nullptr, allowed ? IDC_ARROW : IDC_NO));
    Invalidate(false);
}

void OrvDragTabCtrl::OnLDragEnd(POINT) {
    if (!dragActive) return;
    dragActive = false;
    int from = model.Selection();
    if (drop >= 0 && AskMove(OrvTabCode::kMayMove, from, drop) != 0) {
        int to = model.MoveSelected(drop);
        AskMove(OrvTabCode::kMoved, from, to);
        Relayout();
    } else {
        AskMove(OrvTabCode::kMoveRefused, from, drop);
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    Invalidate(false);
}

void OrvDragTabCtrl::OnLDragCancel() {
    dragActive = false;
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    Invalidate(false);
}

LRESULT OrvDragTabCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kDropRename:
            if (rename && GetFocus() == rename->hWnd) SetFocus();
            rename.reset();
            return 0;
        case WM_SIZE:
            Relayout();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate(false);
            break;
        default:
            break;
    }
    return OrvControlBase::WindowProc(message, wParam, lParam);
}

void OrvDragTabCtrl::DrawTab(HDC dc, int index) {
    const ColourScheme& s = Scheme();
    const TabItem& tab = model.Item(index);
    if (tab.rect.IsEmpty()) return;
    RECT r = ToRECT(tab.rect);
    bool selected = index == model.Selection();
    FillSolid(dc, r, s[SchemeColour::Face]);
    int l = r.left, t = r.top, rr = r.right, b = r.bottom;
    switch (model.Look()) {
        case TabStyle::kRaised:
            // Cut corners: light from the upper left, shade down the right.
            FillSolid(dc, RECT{l, t + 2, l + 1, b}, s[SchemeColour::Highlight]);
            FillSolid(dc, RECT{l + 2, t, rr - 2, t + 1}, s[SchemeColour::Highlight]);
            FillSolid(dc, RECT{l + 1, t + 1, l + 2, t + 2}, s[SchemeColour::Highlight]);
            FillSolid(dc, RECT{l + 1, t + 2, l + 2, b}, s[SchemeColour::Light]);
            FillSolid(dc, RECT{l + 2, t + 1, rr - 2, t + 2}, s[SchemeColour::Light]);
            FillSolid(dc, RECT{rr - 2, t + 1, rr - 1, t + 2}, s[SchemeColour::DarkShadow]);
            FillSolid(dc, RECT{rr - 1, t + 2, rr, b}, s[SchemeColour::DarkShadow]);
            FillSolid(dc, RECT{rr - 2, t + 2, rr - 1, b}, s[SchemeColour::Shadow]);
            break;
        case TabStyle::kFramed:
            PaintFrame(dc, selected ? FrameStyle::Sunken : FrameStyle::Raised, r, s);
            break;
        case TabStyle::kFlat:
            FillSolid(dc, RECT{l, t, rr, t + 1}, s[SchemeColour::Highlight]);
            FillSolid(dc, RECT{l, t, l + 1, b}, s[SchemeColour::Highlight]);
            FillSolid(dc, RECT{rr - 1, t, rr, b}, s[SchemeColour::DarkShadow]);
            break;
        default:
            FillSolid(dc, RECT{l, t, rr, t + 1}, s[SchemeColour::Text]);
            FillSolid(dc, RECT{l, t, l + 1, b}, s[SchemeColour::Text]);
            FillSolid(dc, RECT{rr - 1, t, rr, b}, s[SchemeColour::Text]);
            break;
    }
    TabInsets in = model.Insets();
    RECT clip{l + in.left, t + in.top, rr - in.right, b - in.bottom};
    bool verticalStyle = (model.Style() & TabStyle::kVertical) != 0;
    OrvSelection font(dc, verticalStyle && vertical ? vertical.Get() : GuiFont(hWnd));
    SetTextColor(dc, s[SchemeColour::Text]);
    SetBkColor(dc, s[SchemeColour::Face]);
    int x = tab.textRect.left, y = verticalStyle ? tab.textRect.bottom : tab.textRect.top;
    ExtTextOutA(dc, x, y, ETO_CLIPPED | ETO_OPAQUE, &clip, tab.text.c_str(),
                static_cast<UINT>(tab.text.size()), nullptr);
}

void OrvDragTabCtrl::DrawBody(HDC dc) {
    const ColourScheme& s = Scheme();
    RECT body = ToRECT(model.Body());
    if (body.bottom <= body.top) return;
    int l = body.left, t = body.top, r = body.right, b = body.bottom;
    FillSolid(dc, RECT{l, t + 1, r, b}, s[SchemeColour::Face]);
    int sel = model.Selection();
    if (sel >= 0 && !model.Item(sel).rect.IsEmpty()) {
        RECT tab = ToRECT(model.Item(sel).rect);
        FillSolid(dc, RECT{l, t, tab.left, t + 1}, s[SchemeColour::Highlight]);
        FillSolid(dc, RECT{tab.right, t, r, t + 1}, s[SchemeColour::Highlight]);
    } else {
        FillSolid(dc, RECT{l, t, r, t + 1}, s[SchemeColour::Highlight]);
    }
    FillSolid(dc, RECT{l, t, l + 1, b}, s[SchemeColour::Highlight]);
    FillSolid(dc, RECT{l + 1, t + 1, l + 2, b - 1}, s[SchemeColour::Light]);
    FillSolid(dc, RECT{l, b - 1, r, b}, s[SchemeColour::DarkShadow]);
    if (b - t > 3) FillSolid(dc, RECT{l + 1, b - 2, r - 1, b - 1}, s[SchemeColour::Shadow]);
    FillSolid(dc, RECT{r - 1, t, r, b}, s[SchemeColour::DarkShadow]);
    FillSolid(dc, RECT{r - 2, t + 1, r - 1, b - 1}, s[SchemeColour::Shadow]);
}

void OrvDragTabCtrl::Draw(HDC dc) {
    const ColourScheme& s = Scheme();
    FillSolid(dc, ToRECT(model.Row()), s[SchemeColour::Face]);
    int sel = model.Selection();
    for (int i = 0; i < model.Count(); ++i) {
        if (i != sel) DrawTab(dc, i);
    }
    DrawBody(dc);
    if (sel >= 0) DrawTab(dc, sel);
    if (sel >= 0 && ::GetFocus() == hWnd && !model.Item(sel).textRect.IsEmpty()) {
        RECT focus = ToRECT(model.Item(sel).textRect);
        InflateRect(&focus, 2, 1);
        DrawFocusRect(dc, &focus);
    }
    if (model.Scrolling()) {
        bool sideways = (model.Style() & TabStyle::kVertical) != 0;
        PaintArrowButton(dc, ToRECT(model.ScrollArea(TabHit::kScrollBack)),
                         sideways ? ArrowDirection::Up : ArrowDirection::Left, false, model.CanScrollBack(),
                         s);
        PaintArrowButton(dc, ToRECT(model.ScrollArea(TabHit::kScrollForward)),
                         sideways ? ArrowDirection::Down : ArrowDirection::Right, false,
                         model.CanScrollForward(), s);
    }
    if (dragActive && drop >= 0) {
        // Before the tab at the drop index, or after the last tab shown before it.
        int x = 0;
        if (drop < model.Count() && !model.Item(drop).rect.IsEmpty()) {
            x = model.Item(drop).rect.left;
        } else {
            for (int i = 0; i < std::min(drop, model.Count()); ++i)
                x = std::max(x, static_cast<int>(model.Item(i).rect.right));
        }
        POINT marker[3] = {{x - 5, 0}, {x + 5, 0}, {x, 6}};
        OrvSelection brush(dc, GetStockObject(WHITE_BRUSH));
        OrvSelection pen(dc, GetStockObject(BLACK_PEN));
        Polygon(dc, marker, 3);
    }
}
