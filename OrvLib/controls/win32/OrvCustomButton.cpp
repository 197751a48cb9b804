#include "OrvLib/controls/win32/OrvCustomButton.h"

#include <cstring>

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/framework/Accessible.h"
#include "OrvLib/framework/Module.h"

using namespace ControlSupport;

void OrvCustomButton::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    if (hWnd != nullptr) OnSchemeChanged();
}

UINT OrvCustomButton::State() const {
    UINT state = static_cast<UINT>(check);
    if (press.Pushed()) state |= BST_PUSHED;
    if (GetFocus() == hWnd) state |= BST_FOCUS;
    return state;
}

void OrvCustomButton::ButtonDown(MouseButton, OrvPoint) {
    if (GetFocus() != hWnd) SetFocus();
    press.Press();
    RedrawNow();
}

void OrvCustomButton::EndPress(bool inside) {
    if (!press.MousePressed()) return;
    ButtonPress::Result r = press.Release(inside);
    if (r.click) OnClick();
    if (r.redraw || r.click) RedrawNow();
}

bool OrvCustomButton::Inside(OrvPoint point) const {
    return ToOrvRect(GetClientRect()).Contains(point.x, point.y);
}

void OrvCustomButton::RedrawNow() { RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

LRESULT OrvCustomButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && LookOf(GetStyle()) == ButtonLook::GroupBox) {
        CPaintDC paint(hWnd);
        // The face fills what the held controls leave uncovered, so nothing of the parent's
        // old pixels shows inside, but never paints over those controls.
        for (HWND w = ::GetWindow(GetParent(), GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
            if (w == hWnd || !::IsWindowVisible(w)) continue;
            RECT r;
            ::GetWindowRect(w, &r);
            MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&r), 2);
            ExcludeClipRect(paint, r.left, r.top, r.right, r.bottom);
        }
        FillSolid(paint, GetClientRect(), Scheme()[SchemeColour::Face]);
        DrawButton(paint);
        return 0;
    }
    LRESULT painted = 0;
    if (surface.Paint(hWnd, message, painted, [&](HDC dc) { DrawButton(dc); })) return painted;
    // The pushed look follows the pointer in and out before any drag begins.
    if (message == WM_MOUSEMOVE && press.MousePressed() && press.Move(Inside(PointOf(lParam))).redraw)
        RedrawNow();
    if (mouse.Handle(hWnd, message, wParam, lParam)) return 0;
    if (message == WM_GETDLGCODE)
        return mouse.DialogCode(static_cast<UINT>(CButton::WindowProc(message, wParam, lParam)));
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                if (press.SpaceDown().redraw) RedrawNow();
                return 0;
            }
            break;
        case WM_KEYUP:
            if (wParam == VK_SPACE) {
                ButtonPress::Result r = press.SpaceUp();
                if (r.click) OnClick();
                if (r.redraw) RedrawNow();
                return 0;
            }
            break;
        case WM_SETFOCUS:
            RedrawNow();
            return 0;
        case WM_KILLFOCUS:
            // A Space press does not outlive the focus.
            if (!press.MousePressed()) press.SetPushed(false);
            RedrawNow();
            return 0;
        case WM_ENABLE:
        case WM_SYSCOLORCHANGE:
            RedrawNow();
            return 0;
        case WM_UPDATEUISTATE: {
            LRESULT r = Quietly(hWnd, [&] { return DefWindowProc(message, wParam, lParam); });
            RedrawNow();
            return r;
        }
        case WM_SETTEXT: {
            LRESULT r = Quietly(hWnd, [&] { return DefWindowProc(message, wParam, lParam); });
            RedrawNow();
            return r;
        }
        case BM_GETCHECK:
            return check;
        case BM_SETCHECK:
            if (static_cast<int>(wParam) != check) {
                check = static_cast<int>(wParam) & 3;
                RedrawNow();
                OrvAccessibleEvent(hWnd, EVENT_OBJECT_STATECHANGE);
            }
            return 0;
        case BM_GETSTATE:
            return State();
        case BM_SETSTATE:
            if (press.SetPushed(wParam != 0)) RedrawNow();
            return 0;
        case BM_SETSTYLE:
            SetWindowLongPtrA(hWnd, GWL_STYLE, (GetStyle() & 0xFFFF0000) | LOWORD(wParam));
            if (lParam != 0) RedrawNow();
            return 0;
        case BM_CLICK:
            OnClick();
            RedrawNow();
            return 0;
        default:
            break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void OrvCustomButton::OnClick() {
    UINT style = GetStyle();
    const int before = check;
    switch (ButtonStyle::Kind(style)) {
        case ButtonStyle::kAutoRadio:
            if (check != ButtonState::kChecked) {
                UncheckRadioGroup();
                check = ButtonState::kChecked;
            }
            break;
        default:
            check = CheckAfterClick(style, check);
    }
    if (check != before) OrvAccessibleEvent(hWnd, EVENT_OBJECT_STATECHANGE);
    SendCommand(hWnd, BN_CLICKED);
}

void OrvCustomButton::UncheckRadioGroup() {
    auto isGroupStart = [](HWND w) { return (GetWindowLongPtrA(w, GWL_STYLE) & WS_GROUP) != 0; };
    HWND first = hWnd;
    while (!isGroupStart(first)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (previous == nullptr) break;
        first = previous;
    }
    for (HWND w = first; w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && isGroupStart(w)) break;
        char kind[16] = {};
        GetClassNameA(w, kind, sizeof kind);
        UINT style = static_cast<UINT>(GetWindowLongPtrA(w, GWL_STYLE));
        UINT k = ButtonStyle::Kind(style);
        if (w != hWnd && _stricmp(kind, "Button") == 0 &&
            (k == ButtonStyle::kRadio || k == ButtonStyle::kAutoRadio))
            ::SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void OrvCustomButton::DrawButton(HDC dc) {
    RECT client = GetClientRect();
    UINT style = GetStyle();
    UINT state = State();
    bool enabled = IsWindowEnabled();
    bool focused = GetFocus() == hWnd;
    switch (LookOf(style)) {
        case ButtonLook::Push:
            DrawPushButton(dc, client, state, enabled, focused, IsDefault(style));
            break;
        case ButtonLook::CheckBox:
            DrawCheckBox(dc, client, state, enabled, focused);
            break;
        case ButtonLook::Radio:
            DrawRadioButton(dc, client, state, enabled, focused);
            break;
        case ButtonLook::GroupBox:
            DrawGroupBox(dc, client, state, enabled, focused);
            break;
        case ButtonLook::Nothing:
            break;
    }
}

RECT OrvCustomButton::DrawLabel(HDC dc, const RECT& rect, bool enabled, bool leftByDefault) {
    UINT style = GetStyle();
    ButtonTextAlign align = TextAlignOf(style, leftByDefault);
    // An ampersand marks the access key, as on the system's buttons.
    UINT flags = 0;
    flags |= align.horizontal == TextAlign::Near
                 ? DT_LEFT
                 : (align.horizontal == TextAlign::Far ? DT_RIGHT : DT_CENTER);
    std::string text = TextOf(hWnd);
    RECT box = rect;
    OrvSelection font(dc, GuiFont(hWnd));
    if (style & ButtonStyle::kMultiLine) {
        flags |= DT_WORDBREAK;
        // Word-wrapped text is placed vertically by its measured height.
        RECT measure = rect;
        DrawTextA(dc, text.c_str(), -1, &measure, flags | DT_CALCRECT);
        int h = measure.bottom - measure.top;
        if (align.vertical == TextAlign::Centre) box.top += (rect.bottom - rect.top - h) / 2;
        if (align.vertical == TextAlign::Far) box.top = rect.bottom - h;
        box.bottom = box.top + h;
    } else {
        flags |= DT_SINGLELINE | (align.vertical == TextAlign::Near  ? DT_TOP
                                  : align.vertical == TextAlign::Far ? DT_BOTTOM
                                                                     : DT_VCENTER);
    }
    if (enabled) {
        DrawSchemeText(dc, text, box, flags, Scheme(), GuiFont(hWnd));
    } else {
        DrawEmbossedText(dc, text, box, flags, Scheme(), GuiFont(hWnd));
    }
    // The rectangle the text covers, for the focus rectangle.
    RECT used = box;
    DrawTextA(dc, text.c_str(), -1, &used, (flags & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
    int w = used.right - used.left, h = used.bottom - used.top;
    RECT out;
    out.left = align.horizontal == TextAlign::Near  ? box.left
               : align.horizontal == TextAlign::Far ? box.right - w
                                                    : box.left + (box.right - box.left - w) / 2;
    out.top = (flags & DT_VCENTER)  ? box.top + (box.bottom - box.top - h) / 2
              : (flags & DT_BOTTOM) ? box.bottom - h
                                    : box.top;
    out.right = out.left + w;
    out.bottom = out.top + h;
    return out;
}

void OrvCustomButton::PaintBevelAndDefaultFrame(HDC dc, const RECT& client, UINT state, bool isDefault) {
    RECT frame = client;
    if (isDefault) {
        OrvBrush text(CreateSolidBrush((Scheme())[SchemeColour::Text]));
        FrameRect(dc, &frame, text);
        InflateRect(&frame, -1, -1);
    }
    bool down = (state & (BST_CHECKED | BST_INDETERMINATE | BST_PUSHED)) != 0;
    PaintFrame(dc, down ? FrameStyle::Sunken : FrameStyle::SoftRaised, frame, Scheme());
}

void OrvCustomButton::DrawPushButton(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused,
                                     bool isDefault) {
    const ColourScheme& s = Scheme();
    RECT inner = ToRECT(ButtonGeometry::PushInner(ToOrvRect(rect), isDefault));
    if (state & (BST_CHECKED | BST_INDETERMINATE)) {
        FillHalftone(dc, rect, s[SchemeColour::Highlight], s[SchemeColour::Face]);
    } else {
        FillSolid(dc, rect, s[SchemeColour::Face]);
    }
    RECT text = inner;
    if (state & BST_PUSHED) OffsetRect(&text, 1, 1);
    RECT used = DrawLabel(dc, text, enabled, false);
    if (enabled && focused) {
        InflateRect(&used, 2, 1);
        IntersectRect(&used, &used, &inner);
        SetTextColor(dc, s[SchemeColour::Text]);
        SetBkColor(dc, s[SchemeColour::Face]);
        DrawFocusRect(dc, &used);
    }
    PaintBevelAndDefaultFrame(dc, rect, state, isDefault);
}

void OrvCustomButton::DrawCheckBox(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused) {
    const ColourScheme& s = Scheme();
    FillSolid(dc, rect, s[SchemeColour::Face]);
    ButtonGeometry::CheckLayout layout = ButtonGeometry::Check(ToOrvRect(rect), GetStyle(), WindowDpi(hWnd));
    RECT box = ToRECT(layout.box);
    PaintFrame(dc, FrameStyle::Sunken, box, s);
    RECT inside = box;
    InflateRect(&inside, -2, -2);
    if (enabled && !(state & BST_PUSHED)) FillSolid(dc, inside, s[SchemeColour::Window]);
    if ((state & 3) == BST_CHECKED) {
        RECT tickArea = inside;
        InflateRect(&tickArea, -1, -1);
        COLORREF ink = enabled ? s[SchemeColour::Text] : s[SchemeColour::DisabledText];
        for (const auto& c : ButtonGeometry::Tick(ToOrvRect(tickArea)))
            FillSolid(dc, RECT{c.x, c.top, c.x + 1, c.top + c.height}, ink);
    } else if ((state & 3) == BST_INDETERMINATE) {
        FillHalftone(dc, inside, s[SchemeColour::Shadow],
                     enabled ? s[SchemeColour::Window] : s[SchemeColour::Face]);
    }
    DrawMarkLabel(dc, ToRECT(layout.text), enabled, focused);
}

void OrvCustomButton::DrawMarkLabel(HDC dc, const RECT& rect, bool enabled, bool focused) {
    RECT used = DrawLabel(dc, rect, enabled, true);
    if (enabled && focused) {
        InflateRect(&used, 1, 1);
        SetTextColor(dc, (Scheme())[SchemeColour::Text]);
        SetBkColor(dc, (Scheme())[SchemeColour::Face]);
        DrawFocusRect(dc, &used);
    }
}

void OrvCustomButton::DrawRadioButton(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused) {
    const ColourScheme& s = Scheme();
    FillSolid(dc, rect, s[SchemeColour::Face]);
    const int dpi = WindowDpi(hWnd);
    ButtonGeometry::CheckLayout layout = ButtonGeometry::Check(ToOrvRect(rect), GetStyle(), dpi);
    // The same inside as the check box: window colour unless pushed or disabled.
    COLORREF inside = enabled && !(state & BST_PUSHED) ? s[SchemeColour::Window] : s[SchemeColour::Face];
    COLORREF dot = (state & 3) != BST_CHECKED ? inside
                   : enabled                  ? s[SchemeColour::Text]
                                              : s[SchemeColour::DisabledText];
    for (int y = 0; y < RadioMark::kSize; ++y) {
        for (int x = 0; x < RadioMark::kSize; ++x) {
            COLORREF colour;
            switch (RadioMark::At(x, y)) {
                case RadioMark::Part::OuterDark:
                    colour = s[SchemeColour::Shadow];
                    break;
                case RadioMark::Part::OuterLight:
                    colour = s[SchemeColour::Highlight];
                    break;
                case RadioMark::Part::InnerDark:
                    colour = s[SchemeColour::DarkShadow];
                    break;
                case RadioMark::Part::InnerLight:
                    colour = s[SchemeColour::Light];
                    break;
                case RadioMark::Part::Inside:
                    colour = inside;
                    break;
                case RadioMark::Part::Dot:
                    colour = dot;
                    break;
                default:
                    continue;
            }
            // Each pixel of the mark becomes a cell at the window's scale.
            const OrvRect cell = DisplayScale::Cell(x, y, dpi);
            FillSolid(dc,
                      RECT{layout.box.left + cell.left, layout.box.top + cell.top,
                           layout.box.left + cell.right, layout.box.top + cell.bottom},
                      colour);
        }
    }
    DrawMarkLabel(dc, ToRECT(layout.text), enabled, focused);
}

void OrvCustomButton::DrawGroupBox(HDC dc, const RECT& rect, UINT, bool enabled, bool) {
    const ColourScheme& s = Scheme();
    std::string caption = TextOf(hWnd);
    SIZE extent = TextExtent(GuiFont(hWnd), caption);
    GroupFrame::Layout g = GroupFrame::Place(ToOrvRect(rect), OrvSize{extent.cx, extent.cy});
    // An etched line: shadow, with highlight one pixel down and right.
    RECT f = ToRECT(g.frame);
    RECT outer{f.left, f.top, f.right - 1, f.bottom - 1}, inner{f.left + 1, f.top + 1, f.right, f.bottom};
    FillBands(dc, inner, RECT{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1},
              s[SchemeColour::Highlight]);
    FillBands(dc, outer, RECT{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1},
              s[SchemeColour::Shadow]);
    if (g.text.IsEmpty()) return;
    RECT text = ToRECT(g.text);
    FillSolid(dc, text, s[SchemeColour::Face]);
    text.left += GroupFrame::kTextGap;
    UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS;
    if (enabled) {
        DrawSchemeText(dc, caption, text, format, s, GuiFont(hWnd));
    } else {
        DrawEmbossedText(dc, caption, text, format, s, GuiFont(hWnd));
    }
}

bool OrvBitmapButton2::SetBitmap(UINT resourceId) {
    HBITMAP loaded = OrvLoadBitmap(resourceId);
    if (loaded == nullptr) return false;
    bitmaps[0].Reset(loaded);
    Prepare();
    return true;
}

bool OrvBitmapButton2::SetBitmap(HBITMAP bitmap) {
    if (bitmap == nullptr) return false;
    bitmaps[0].Reset(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    Prepare();
    return bitmaps[0].Get() != nullptr;
}

void OrvBitmapButton2::Prepare() {
    ButtonBitmap::Pixels source = PixelsOf(bitmaps[0]);
    width = source.width;
    height = source.height;
    const ColourScheme& s = Scheme();
    uint32_t hi = s[SchemeColour::Highlight], face = s[SchemeColour::Face], shadow = s[SchemeColour::Shadow];
    bitmaps[1].Reset(BitmapOf(ButtonBitmap::SchemeColoured(source, hi, face, shadow)));
    bitmaps[2].Reset(BitmapOf(ButtonBitmap::Embossed(source, hi, face, shadow)));
    if (hWnd != nullptr) Invalidate(false);
}

void OrvBitmapButton2::OnSchemeChanged() {
    if (bitmaps[0]) Prepare();
    OrvCustomButton::OnSchemeChanged();
}

void OrvBitmapButton2::DrawPushButton(HDC dc, const RECT& rect, UINT state, bool enabled, bool focused,
                                      bool isDefault) {
    const ColourScheme& s = Scheme();
    RECT inner = ToRECT(ButtonGeometry::PushInner(ToOrvRect(rect), isDefault));
    FillSolid(dc, rect, s[SchemeColour::Face]);
    HBITMAP image = enabled ? bitmaps[1].Get() : bitmaps[2].Get();
    if (image != nullptr) {
        const int w = enabled ? width : width + 1, h = enabled ? height : height + 1;
        const int f = DisplayScale::PictureFactor(WindowDpi(hWnd));
        int x = inner.left + (inner.right - inner.left - w * f) / 2,
            y = inner.top + (inner.bottom - inner.top - h * f) / 2;
        if (state & BST_PUSHED) ++x, ++y;
        OrvMemoryDC source(dc);
        OrvSelection selected(source, image);
        StretchBlt(dc, x, y, w * f, h * f, source, 0, 0, w, h, SRCCOPY);
    }
    if (enabled && focused) {
        // Inside the bevel, around the picture: the cue of a button without a label.
        RECT cue = inner;
        InflateRect(&cue, -1, -1);
        SetTextColor(dc, s[SchemeColour::Text]);
        SetBkColor(dc, s[SchemeColour::Face]);
        DrawFocusRect(dc, &cue);
    }
    PaintBevelAndDefaultFrame(dc, rect, state, isDefault);
}
