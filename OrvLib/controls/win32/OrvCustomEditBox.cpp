#include "OrvLib/controls/win32/OrvCustomEditBox.h"

#include <commctrl.h>

#include <algorithm>

#include "OrvLib/controls/win32/ControlSupport.h"

using namespace ControlSupport;

OrvCustomEditBox::OrvCustomEditBox() = default;

OrvCustomEditBox::~OrvCustomEditBox() = default;

void OrvCustomEditBox::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    background.Reset();
    if (spin) spin->SetColourScheme(surface.SchemePointer());
    if (hWnd != nullptr) {
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }
}

std::string OrvCustomEditBox::Text() const { return TextOf(hWnd); }

void OrvCustomEditBox::ApplyText(const std::string& text) {
    if (hWnd == nullptr) return;
    // The system puts the caret at the start of new text; a box rewritten while the person
    // types in it keeps the caret where it was.
    DWORD start = 0, end = 0;
    bool focused = GetFocus() == hWnd;
    if (focused) SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    Quietly(hWnd, [&] {
        LRESULT r = DefWindowProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (focused) {
            const DWORD length = static_cast<DWORD>(text.size());
            DefWindowProc(EM_SETSEL, std::min(start, length), std::min(end, length));
        }
        return r;
    });
    RedrawNow();
}

void OrvCustomEditBox::SetText(const std::string& text, bool set, bool newQuiet) {
    if (newQuiet) ++quiet;
    if (set) {
        modified = false;
        if (batch > 0) {
            pending = true;
            pendingText = text;
        } else {
            ApplyText(text);
        }
    } else if (hWnd != nullptr && text != Text()) {
        modified = true;
        Invalidate(false);
    }
    if (newQuiet) --quiet;
}

void OrvCustomEditBox::EndBatch() {
    if (batch > 0 && --batch == 0 && pending) {
        pending = false;
        ApplyText(pendingText);
    }
}

void OrvCustomEditBox::Commit() {
    if (!commit || hWnd == nullptr) return;
    SendMessage(WM_KILLFOCUS, 0, 0);
    // The focus never left, but the system's box let its caret go with the pretended loss:
    // it takes it again, so the person still sees where typing goes.
    if (hWnd != nullptr && GetFocus() == hWnd) DefWindowProc(WM_SETFOCUS, 0, 0);
}

void OrvCustomEditBox::CreateSpinButton() {
    if (spin && spin->hWnd != nullptr && hWnd != nullptr) {
        // The arrows took their width from the box: give it back before new ones take it
        // again, so that setting a range twice leaves the box as it was.
        // The arrows overlap the box's edge by a little: that overlap stays the box's.
        RECT box = GetRectInParent(), arrows = spin->GetRectInParent();
        spin.reset();
        SetWindowPos(nullptr, 0, 0, arrows.right + (box.right - arrows.left) - box.left, box.bottom - box.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    spin.reset();
    if (hWnd == nullptr) return;
    auto spinButton = std::make_unique<OrvCustomSpinButton>(*this);
    RECT none{0, 0, 0, 0};
    if (!spinButton->CreateControl(UPDOWN_CLASSA, "", WS_CHILD | UDS_ALIGNRIGHT | UDS_ARROWKEYS, none,
                                   GetParent(), 0))
        return;
    spinButton->SetColourScheme(surface.SchemePointer());
    spinButton->SetBuddy(hWnd);
    spinButton->SetRange32(0, 100);
    spinButton->SetPos32(50);
    spinButton->SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    spinOffset = spinButton->GetRectInParent().left - GetRectInParent().right;
    spin = std::move(spinButton);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void OrvCustomEditBox::PlaceSpinButton() {
    RECT box = GetRectInParent(), spinPlace = spin->GetRectInParent();
    int x = box.right + spinOffset;
    if (x != spinPlace.left || box.top != spinPlace.top ||
        box.bottom - box.top != spinPlace.bottom - spinPlace.top)
        spin->SetWindowPos(nullptr, x, box.top, spinPlace.right - spinPlace.left, box.bottom - box.top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
}

void OrvCustomEditBox::RedrawNow() {
    if (hWnd != nullptr) RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

OrvCustomEditBox::Snapshot OrvCustomEditBox::Take() const {
    Snapshot s;
    s.text = Text();
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s.selStart), reinterpret_cast<LPARAM>(&s.selEnd));
    s.focused = GetFocus() == hWnd;
    return s;
}

LRESULT OrvCustomEditBox::HandleWatched(UINT message, WPARAM wParam, LPARAM lParam, bool quietly) {
    Snapshot before = Take();
    LRESULT r = quietly ? Quietly(hWnd, [&] { return DefWindowProc(message, wParam, lParam); })
                        : DefWindowProc(message, wParam, lParam);
    if (hWnd != nullptr && Take() != before) RedrawNow();
    return r;
}

LRESULT OrvCustomEditBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The caret is the system's: kept off the buffer's copy.
    if (message == WM_PAINT) HideCaret(hWnd);
    LRESULT painted = 0;
    const bool handled = surface.Paint(hWnd, message, painted, [&](HDC dc) { Draw(dc); });
    if (message == WM_PAINT) ShowCaret(hWnd);
    if (handled) return painted;
    switch (message) {
        case WM_NCPAINT: {
            CClientDC dc(hWnd, true);
            RECT window = GetWindowRect();
            OffsetRect(&window, -window.left, -window.top);
            const ColourScheme& s = surface.Scheme();
            if (spin) {
                // Open on the right, where the arrows carry the border on.
                int w = window.right, h = window.bottom;
                FillSolid(dc, RECT{w - 2, 2, w, h - 2},
                          IsWindowEnabled() ? s[SchemeColour::Window] : s[SchemeColour::Face]);
                FillSolid(dc, RECT{0, 0, w, 1}, s[SchemeColour::Shadow]);
                FillSolid(dc, RECT{0, 0, 1, h}, s[SchemeColour::Shadow]);
                FillSolid(dc, RECT{1, 1, w, 2}, s[SchemeColour::DarkShadow]);
                FillSolid(dc, RECT{1, 1, 2, h - 1}, s[SchemeColour::DarkShadow]);
                FillSolid(dc, RECT{0, h - 1, w, h}, s[SchemeColour::Highlight]);
                FillSolid(dc, RECT{1, h - 2, w, h - 1}, s[SchemeColour::Light]);
            } else {
                PaintNonClientFrame(hWnd, s);
            }
            return 0;
        }
        case WM_CHAR:
            if (Shortcut(wParam)) return 0;
            if (!filter.Accepts(static_cast<uint32_t>(wParam))) return 0;
            return HandleWatched(message, wParam, lParam, true);
        case WM_PASTE:
            return Paste(lParam);
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_SETSEL:
        case EM_REPLACESEL:
            return HandleWatched(message, wParam, lParam, true);
        case WM_SETTEXT: {
            LRESULT r = Quietly(hWnd, [&] { return DefWindowProc(message, wParam, lParam); });
            RedrawNow();
            return r;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
        case WM_SETFOCUS:
        // The system scrolls a drag selection along on its own timer while the pointer is
        // past an end: that too is drawn here, never in the system's colours.
        case WM_TIMER:
            return HandleWatched(message, wParam, lParam, true);
        case WM_KILLFOCUS: {
            OnFocusLost();
            LRESULT r = DefWindowProc(message, wParam, lParam);
            if (hWnd == nullptr) return r;
            Quietly(hWnd, [&] { return DefWindowProc(EM_SETSEL, 0, -1); });
            RedrawNow();
            return r;
        }
        case WM_ENABLE:
        case WM_SHOWWINDOW:
        case WM_WINDOWPOSCHANGED: {
            LRESULT r = DefWindowProc(message, wParam, lParam);
            if (spin && spin->hWnd != nullptr) {
                if (message == WM_ENABLE) spin->EnableWindow(wParam != 0);
                if (message == WM_SHOWWINDOW) spin->ShowWindow(wParam ? SW_SHOWNA : SW_HIDE);
                if (message == WM_WINDOWPOSCHANGED) PlaceSpinButton();
            }
            if (message == WM_ENABLE)
                RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
            return r;
        }
        default:
            break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

bool OrvCustomEditBox::Shortcut(WPARAM character) {
    UINT command = 0;
    switch (character) {
        case 1:
            HandleWatched(EM_SETSEL, 0, -1, true);
            return true;
        case 3:
            command = WM_COPY;
            break;
        case 22:
            command = WM_PASTE;
            break;
        case 24:
            command = WM_CUT;
            break;
        case 26:
            command = WM_UNDO;
            break;
        default:
            return false;
    }
    if (command != WM_COPY && (GetStyle() & ES_READONLY)) return true;
    SendMessage(command, 0, 0);
    return true;
}

bool OrvCustomEditBox::AcceptsPaste(const std::string& pasted, const std::string&) const {
    return filter.AcceptsAll(pasted);
}

// Every paste comes here, from the keys and from the context menu alike.
LRESULT OrvCustomEditBox::Paste(LPARAM lParam) {
    std::string pasted;
    if (IsClipboardFormatAvailable(CF_TEXT) && OpenClipboard(hWnd)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* text = static_cast<const char*>(GlobalLock(data))) {
                pasted = text;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    if (pasted.empty()) return 0;
    std::string text = Text();
    DWORD start = 0, end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
    end = std::min<DWORD>(std::max(start, end), static_cast<DWORD>(text.size()));
    if (!AcceptsPaste(pasted, text.substr(0, start) + pasted + text.substr(end))) {
        MessageBeep(MB_OK);
        return 0;
    }
    return HandleWatched(WM_PASTE, 0, lParam, true);
}

bool OrvCustomEditBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        UINT code = HIWORD(wParam);
        bool swallow = false;
        if (code == EN_CHANGE) {
            HWND focus = GetFocus();
            if (focus == hWnd || (spin && focus == spin->hWnd)) modified = false;
            if (spin) spin->Invalidate(false);
        }
        // Both of the system's text-change reports stay inside while quiet.
        if (code == EN_CHANGE || code == EN_UPDATE) swallow = quiet > 0;
        if (listener != nullptr) listener->OnEditBoxCommand(code);
        if (swallow) {
            *result = 0;
            return true;
        }
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        const ColourScheme& s = surface.Scheme();
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, modified ? s[SchemeColour::DisabledText] : s[SchemeColour::Text]);
        SetBkColor(dc, s[SchemeColour::Window]);
        if (!background) background.Reset(CreateSolidBrush(s[SchemeColour::Window]));
        *result = reinterpret_cast<LRESULT>(background.Get());
        return true;
    }
    return CEdit::OnChildNotify(message, wParam, lParam, result);
}

void OrvCustomEditBox::Draw(HDC dc) {
    const ColourScheme& s = surface.Scheme();
    RECT client = GetClientRect();
    bool enabled = IsWindowEnabled();
    FillSolid(dc, client, enabled ? s[SchemeColour::Window] : s[SchemeColour::Face]);
    std::string text = Text();
    if (text.empty()) return;
    HFONT font = GetFont();
    OrvSelection selectFont(dc, font != nullptr ? font : GuiFont());
    SetBkMode(dc, OPAQUE);
    // Text scrolled past an end (a drag selecting beyond the box) stops at the margins, as
    // the system's own edit clips it to its formatting rectangle.
    OrvSavedDC saved(dc);
    RECT format{};
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);
    DWORD selStart = 0, selEnd = 0;
    if (GetFocus() == hWnd)
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    size_t a = std::min<size_t>(selStart, text.size()), b = std::min<size_t>(selEnd, text.size());
    if (b < a) std::swap(a, b);
    // Each run at the place the system gives its first character.
    auto run = [&](size_t from, size_t to, bool selected) {
        if (to <= from) return;
        LRESULT at = SendMessage(EM_POSFROMCHAR, from);
        if (at == -1) return;
        if (!enabled) {
            SetTextColor(dc, s[SchemeColour::DisabledText]);
            SetBkColor(dc, s[SchemeColour::Face]);
        } else if (selected) {
            SetTextColor(dc, s[SchemeColour::SelectedText]);
            SetBkColor(dc, s[SchemeColour::SelectionBack]);
        } else {
            SetTextColor(dc, s[SchemeColour::Text]);
            SetBkColor(dc, s[SchemeColour::Window]);
        }
        TextOutA(dc, static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at)), text.c_str() + from,
                 static_cast<int>(to - from));
    };
    run(0, a, false);
    run(a, b, true);
    run(b, text.size(), false);
}

OrvCustomIntegerEditBox::OrvCustomIntegerEditBox() { Filter() = model.Filter(); }

void OrvCustomIntegerEditBox::SetRange(int minimum, int maximum, bool wrap) {
    model.SetRange(minimum, maximum, wrap);
    Filter() = model.Filter();
    CreateSpinButton();
}

void OrvCustomIntegerEditBox::SetValue(int value) {
    std::string text = model.SetValue(value);
    if (hWnd != nullptr) SetText(text, true);
}

int OrvCustomIntegerEditBox::GetValue() const {
    return hWnd == nullptr ? model.LastSetValue() : model.ValueOf(Text());
}

void OrvCustomIntegerEditBox::SpinStep(int delta) { SetText(model.Step(Text(), delta), true); }

bool OrvCustomIntegerEditBox::AcceptsPaste(const std::string&, const std::string& result) const {
    return model.AcceptsText(result);
}

void OrvCustomIntegerEditBox::OnFocusLost() {
    IntegerBoxModel::Commit c = model.FocusLost(Text());
    if (c.changed) SetText(c.text, true);
}

void OrvCustomSpinButton::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    if (hWnd != nullptr) Invalidate(false);
}

LRESULT OrvCustomSpinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (surface.Paint(hWnd, message, painted, [&](HDC dc) { Draw(dc); })) return painted;
    switch (message) {
        case WM_LBUTTONDOWN: {
            buddy.SpinPressed();
            LRESULT r = DefWindowProc(message, wParam, lParam);
            Invalidate(false);
            return r;
        }
        case WM_LBUTTONUP: {
            LRESULT r = DefWindowProc(message, wParam, lParam);
            Invalidate(false);
            buddy.Commit();
            return r;
        }
        default:
            break;
    }
    return CSpinButtonCtrl::WindowProc(message, wParam, lParam);
}

bool OrvCustomSpinButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(UDN_DELTAPOS)) {
        buddy.SpinStep(reinterpret_cast<NMUPDOWN*>(lParam)->iDelta);
        // The arrows' own position stays where it is, away from its limits.
        *result = 1;
        return true;
    }
    return CSpinButtonCtrl::OnChildNotify(message, wParam, lParam, result);
}

void OrvCustomSpinButton::Draw(HDC dc) {
    const ColourScheme& s = surface.Scheme();
    RECT client = GetClientRect();
    int w = client.right, h = client.bottom;
    FillSolid(dc, client, s[SchemeColour::Face]);
    bool right = (GetStyle() & UDS_ALIGNLEFT) == 0;
    if (right) {
        FillSolid(dc, RECT{0, 0, w, 1}, s[SchemeColour::Shadow]);
        FillSolid(dc, RECT{0, 1, w - 1, 2}, s[SchemeColour::DarkShadow]);
        FillSolid(dc, RECT{w - 1, 0, w, h}, s[SchemeColour::Highlight]);
        FillSolid(dc, RECT{w - 2, 1, w - 1, h - 1}, s[SchemeColour::Light]);
        FillSolid(dc, RECT{0, h - 1, w, h}, s[SchemeColour::Highlight]);
        FillSolid(dc, RECT{0, h - 2, w - 1, h - 1}, s[SchemeColour::Light]);
    } else {
        FillSolid(dc, RECT{0, 0, 1, h}, s[SchemeColour::Shadow]);
        FillSolid(dc, RECT{1, 0, 2, h}, s[SchemeColour::DarkShadow]);
    }
    SpinGeometry::Halves halves = SpinGeometry::Split(ToOrvRect(client), right);
    int pressed = 0;
    if (GetCapture() == hWnd) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        pressed = SpinGeometry::HitTest(halves, OrvPoint{cursor.x, cursor.y});
    }
    bool enabled = IsWindowEnabled();
    for (int half : {1, -1}) {
        RECT r = ToRECT(half == 1 ? halves.upper : halves.lower);
        bool down = pressed == half;
        FillSolid(dc, r, s[SchemeColour::Face]);
        PaintFrame(dc, down ? FrameStyle::Sunken : FrameStyle::Raised, r, s);
        OrvRect rows[2];
        SpinGeometry::Arrow(ToOrvRect(r), half == 1, down, rows);
        for (const OrvRect& row : rows) {
            if (enabled) {
                FillSolid(dc, ToRECT(row), s[SchemeColour::Text]);
            } else {
                RECT lit = ToRECT(row);
                OffsetRect(&lit, 1, 1);
                FillSolid(dc, lit, s[SchemeColour::Highlight]);
            }
        }
        if (!enabled) {
            for (const OrvRect& row : rows) FillSolid(dc, ToRECT(row), s[SchemeColour::Shadow]);
        }
    }
}
