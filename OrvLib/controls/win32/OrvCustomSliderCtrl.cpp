#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"

#include <algorithm>

#include "OrvLib/controls/BoxPlacement.h"
#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"

using namespace ControlSupport;

OrvCustomSliderEditBox::OrvCustomSliderEditBox(OrvCustomSliderCtrl& owner) : slider(owner) {
    SetListener(&owner);
}

void OrvCustomSliderEditBox::SpinStep(int delta) {
    if (slider.valueText == nullptr) return OrvCustomIntegerEditBox::SpinStep(delta);
    slider.MoveTo(slider.model.Position() + delta);
    slider.RefreshBox();
}

bool OrvCustomSliderEditBox::AcceptsPaste(const std::string& pasted, const std::string& result) const {
    return slider.valueText != nullptr ? OrvCustomEditBox::AcceptsPaste(pasted, result)
                                       : OrvCustomIntegerEditBox::AcceptsPaste(pasted, result);
}

// What was typed out of range or between positions is shown as the slider took it.
void OrvCustomSliderEditBox::OnFocusLost() {
    if (slider.valueText == nullptr) return OrvCustomIntegerEditBox::OnFocusLost();
    slider.RefreshBox();
}

OrvCustomSliderCtrl::OrvCustomSliderCtrl(uint32_t optionBits, uint32_t tickFlags) : options(optionBits) {
    ticks.SetAutomatic((optionBits & SliderOption::kAutoTicks) != 0, tickFlags);
}

OrvCustomSliderCtrl::~OrvCustomSliderCtrl() = default;

void OrvCustomSliderCtrl::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    if (box) box->SetColourScheme(surface.SchemePointer());
    if (hWnd != nullptr) Invalidate(false);
}

int OrvCustomSliderCtrl::AddTick(int value, uint32_t flags, int length, const std::string& label) {
    int index = ticks.Add(SliderTick{static_cast<int64_t>(value) - model.Minimum(), flags, length, label});
    if (hWnd != nullptr) Invalidate(false);
    return index;
}

void OrvCustomSliderCtrl::ClearTicks() {
    ticks.Clear();
    pressedTick = -1;
    if (hWnd != nullptr) Invalidate(false);
}

void OrvCustomSliderCtrl::PlaceTicks() {
    ticks.Place(model, [this](const std::string& text) {
        SIZE size = TextExtent(GuiFont(hWnd), text);
        return OrvSize{size.cx, size.cy};
    });
}

void OrvCustomSliderCtrl::PreSubclassWindow() { Layout(); }

void OrvCustomSliderCtrl::Layout() {
    if (laidOut) return;
    laidOut = true;
    if (!(options & SliderOption::kNumberBox)) return;
    HWND parent = GetParent();
    SIZE size = DialogUnitsToPixels(parent, valueText != nullptr ? 44 : 30, 14);
    const int gap = boxGapUnits > 0 ? DialogUnitsToPixels(parent, boxGapUnits, 0).cx : 5;
    BoxSide side = (options & SliderOption::kBoxRight)  ? BoxSide::Right
                   : (options & SliderOption::kBoxLeft) ? BoxSide::Left
                   : (options & SliderOption::kBoxTop)  ? BoxSide::Top
                                                        : BoxSide::Bottom;
    BoxPlacement placed = PlaceBox(ToOrvRect(GetRectInParent()), side, OrvSize{size.cx, size.cy}, gap);
    auto editBox = std::make_unique<OrvCustomSliderEditBox>(*this);
    DWORD style = WS_CHILD | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL |
                  ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0 ? WS_VISIBLE : 0) |
                  (IsWindowEnabled() ? 0 : WS_DISABLED);
    if (!editBox->CreateControl("EDIT", "", style, ToRECT(placed.box), parent, kBoxId, WS_EX_CLIENTEDGE))
        return;
    editBox->SetFont(GuiFont());
    editBox->SetColourScheme(surface.SchemePointer());
    editBox->SetMargins(3, 3);
    editBox->SetWindowPos(hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    editBox->SetRange(model.Minimum(), model.Maximum(), false);
    box = std::move(editBox);
    SetValueText(valueText);
    const OrvRect& c = placed.control;
    boxOffset = POINT{placed.box.left - c.left, placed.box.top - c.top};
    SetWindowPos(nullptr, c.left, c.top, c.Width(), c.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void OrvCustomSliderCtrl::SetValueText(const SliderValueText* text) {
    valueText = text;
    if (!box) return;
    box->Filter() = box->Model().Filter();
    if (valueText != nullptr) {
        for (const char* c = valueText->ExtraCharacters(); *c != '\0'; ++c)
            box->Filter().Allow(static_cast<unsigned char>(*c), true);
    }
    RefreshBox();
}

std::string OrvCustomSliderCtrl::ValueText() const {
    return valueText != nullptr ? valueText->Text(model.Position()) : std::to_string(model.Position());
}

void OrvCustomSliderCtrl::RefreshBox() {
    if (box && box->hWnd != nullptr) box->SetText(ValueText(), true, true);
}

void OrvCustomSliderCtrl::MoveTo(int position) {
    position = std::clamp(position, model.Minimum(), model.Maximum());
    if (position == model.Position()) return;
    model.SetPosition(position);
    Invalidate(false);
    Send({SliderCode::ThumbPosition});
}

// A value typed in units moves the slider to its nearest position at once, a bound for a
// value beyond the range; the text itself is corrected when the box loses the focus.
void OrvCustomSliderCtrl::OnEditBoxCommand(UINT code) {
    if (!box || box->Text().empty()) return;
    if (valueText != nullptr) {
        int32_t position = 0;
        if (code == EN_CHANGE && valueText->Position(box->Text(), position)) MoveTo(position);
        return;
    }
    int value = box->GetValue();
    if (value < model.Minimum() || value > model.Maximum() || value == model.Position()) return;
    model.SetPosition(value);
    Invalidate(false);
    Send({SliderCode::ThumbPosition});
}

void OrvCustomSliderCtrl::ReleaseTick() {
    if (pressedTick < 0) return;
    RECT extent = ToRECT(ticks.Extent(pressedTick));
    pressedTick = -1;
    InvalidateRect(&extent, false);
}

void OrvCustomSliderCtrl::ButtonDown(MouseButton, OrvPoint point) {
    SetFocus();
    model.Layout(ToOrvRect(GetClientRect()), WindowDpi(hWnd));
    SliderModel::Codes codes = model.Press(point);
    if (codes.empty() && !model.WantsCapture()) {
        // Beside the channel: a press on a tick mark holds that tick down.
        PlaceTicks();
        pressedTick = ticks.HitTest(point);
        if (pressedTick >= 0) {
            RECT extent = ToRECT(ticks.Extent(pressedTick));
            InvalidateRect(&extent, false);
        }
    }
    AfterInput(codes, false);
}

void OrvCustomSliderCtrl::DragMove(MouseButton, OrvPoint point) {
    SliderModel::Codes codes = model.Drag(point);
    if (!codes.empty()) AfterInput(codes, true);
}

void OrvCustomSliderCtrl::EndPress(const SliderModel::Codes& codes) {
    ReleaseTick();
    AfterInput(codes, false);
}

void OrvCustomSliderCtrl::Send(const SliderModel::Codes& codes) {
    if (!codes.empty()) OrvAccessibleEvent(hWnd, EVENT_OBJECT_VALUECHANGE);
    for (SliderCode code : codes) {
        WORD offset = static_cast<WORD>(model.Offset());
        ::SendMessageA(GetParent(), WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), offset),
                       reinterpret_cast<LPARAM>(hWnd));
        if (hWnd == nullptr) return;
    }
}

void OrvCustomSliderCtrl::AfterInput(const SliderModel::Codes& codes, bool now) {
    if (model.PageRepeating() != timer) {
        timer = model.PageRepeating();
        if (timer) {
            SetTimer(kPageTimer, SliderModel::kPageRepeatMs);
        } else {
            KillTimer(kPageTimer);
        }
    }
    Invalidate(false);
    if (now) UpdateWindow();
    if (!codes.empty()) RefreshBox();
    Send(codes);
}

LRESULT OrvCustomSliderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (surface.Paint(hWnd, message, painted, [&](HDC dc) {
            model.Layout(ToOrvRect(GetClientRect()), WindowDpi(hWnd));
            Draw(dc);
        }))
        return painted;
    // Every mouse message is ours: the trackbar beneath must not see one.
    if (mouse.Handle(hWnd, message, wParam, lParam)) return 0;
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL) return 0;
    switch (message) {
        case WM_NCPAINT:
            PaintNonClientFrame(hWnd, surface.Scheme());
            return 0;
        case WM_SIZE:
            model.Layout(ToOrvRect(GetClientRect()), WindowDpi(hWnd));
            Invalidate(false);
            return 0;
        case WM_GETDLGCODE:
            return mouse.DialogCode(DLGC_WANTARROWS);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate(false);
            return 0;
        case WM_ENABLE:
            if (box) CarryOver(hWnd, box->hWnd, boxOffset, message, wParam);
            Invalidate(false);
            return 0;
        case WM_SHOWWINDOW:
        case WM_WINDOWPOSCHANGED:
            if (box) CarryOver(hWnd, box->hWnd, boxOffset, message, wParam);
            break;
        case WM_TIMER:
            if (wParam == kPageTimer) {
                AfterInput(model.PageTick(), false);
                return 0;
            }
            break;
        case WM_KEYDOWN:
        case WM_KEYUP: {
            ControlKey key = KeyOf(wParam);
            SliderModel::Codes codes = message == WM_KEYDOWN ? model.KeyDown(key) : model.KeyUp(key);
            if (!codes.empty()) AfterInput(codes, false);
            return 0;
        }
        case WM_MOUSEWHEEL: {
            SliderModel::Codes codes =
                model.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0);
            if (!codes.empty()) AfterInput(codes, false);
            return 0;
        }
        // The trackbar's own messages, answered from the model.
        case TBM_GETPOS:
            return model.Position();
        case TBM_SETPOS: {
            const int before = model.Position();
            model.SetPosition(static_cast<int>(lParam));
            RefreshBox();
            if (model.Position() != before) OrvAccessibleEvent(hWnd, EVENT_OBJECT_VALUECHANGE);
            if (wParam) Invalidate(false);
            return 0;
        }
        case TBM_GETRANGEMIN:
            return model.Minimum();
        case TBM_GETRANGEMAX:
            return model.Maximum();
        case TBM_SETRANGE:
        case TBM_SETRANGEMIN:
        case TBM_SETRANGEMAX: {
            int minimum = message == TBM_SETRANGE      ? static_cast<short>(LOWORD(lParam))
                          : message == TBM_SETRANGEMIN ? static_cast<int>(lParam)
                                                       : model.Minimum();
            int maximum = message == TBM_SETRANGE      ? static_cast<short>(HIWORD(lParam))
                          : message == TBM_SETRANGEMAX ? static_cast<int>(lParam)
                                                       : model.Maximum();
            model.SetRange(minimum, maximum);
            if (box) {
                box->SetRange(minimum, maximum, false);
                SetValueText(valueText);
            }
            if (wParam) Invalidate(false);
            return 0;
        }
        case TBM_SETPAGESIZE: {
            LRESULT old = static_cast<LRESULT>(model.PageStep());
            model.SetPageSize(static_cast<int>(lParam));
            return old;
        }
        case TBM_GETPAGESIZE:
            return static_cast<LRESULT>(model.PageStep());
        default:
            // The system trackbar beneath keeps a stale range and position: no input and no
            // timer of its own may reach it, or it would send its own codes to the parent.
            if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
                (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_TIMER ||
                message == WM_MOUSELEAVE)
                return ::DefWindowProcA(hWnd, message, wParam, lParam);
            break;
    }
    return CSliderCtrl::WindowProc(message, wParam, lParam);
}

void OrvCustomSliderCtrl::Draw(HDC dc) {
    const ColourScheme& s = surface.Scheme();
    const SliderGeometry& g = model.Geometry();
    RECT whole = ToRECT(g.whole);
    FillSolid(dc, whole, s[SchemeColour::Face]);
    OrvSavedDC saved(dc);
    IntersectClipRect(dc, whole.left, whole.top, whole.right, whole.bottom);

    // The groove: a sunken slot four pixels high along the channel.
    int m = (g.channel.top + g.channel.bottom) / 2, l = g.channel.left, r = g.channel.right;
    FillSolid(dc, RECT{l - 1, m - 2, r + 1, m - 1}, s[SchemeColour::Shadow]);
    FillSolid(dc, RECT{l - 1, m - 2, l, m + 2}, s[SchemeColour::Shadow]);
    FillSolid(dc, RECT{l, m - 1, r, m}, s[SchemeColour::DarkShadow]);
    FillSolid(dc, RECT{l - 1, m + 1, r + 1, m + 2}, s[SchemeColour::Highlight]);
    FillSolid(dc, RECT{r, m - 2, r + 1, m + 2}, s[SchemeColour::Highlight]);

    PlaceTicks();
    bool enabled = IsWindowEnabled();
    const std::vector<PlacedTick>& placed = ticks.Placed();
    for (size_t i = 0; i < placed.size(); ++i) {
        const PlacedTick& t = placed[i];
        COLORREF ink = static_cast<int>(i) == pressedTick ? s[SchemeColour::SelectionBack]
                       : enabled                          ? s[SchemeColour::Text]
                                                          : s[SchemeColour::DisabledText];
        if (!t.below.IsEmpty()) FillSolid(dc, ToRECT(t.below), ink);
        if (!t.above.IsEmpty()) FillSolid(dc, ToRECT(t.above), ink);
        if (t.label.IsEmpty()) continue;
        UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
        if (enabled) {
            DrawSchemeText(dc, t.text, ToRECT(t.label), format, s, GuiFont(hWnd));
        } else {
            DrawEmbossedText(dc, t.text, ToRECT(t.label), format, s, GuiFont(hWnd));
        }
    }

    RECT thumb = ToRECT(g.thumb);
    RECT inside = thumb;
    InflateRect(&inside, -2, -2);
    if (model.ThumbPressed() || !enabled) {
        FillHalftone(dc, inside, s[SchemeColour::Light], s[SchemeColour::Highlight]);
    } else {
        FillSolid(dc, inside, s[SchemeColour::Face]);
    }
    PaintFrame(dc, FrameStyle::Raised, thumb, s);

    if (GetFocus() == hWnd) {
        SetTextColor(dc, s[SchemeColour::Text]);
        SetBkColor(dc, s[SchemeColour::Face]);
        DrawFocusRect(dc, &whole);
    }
}
