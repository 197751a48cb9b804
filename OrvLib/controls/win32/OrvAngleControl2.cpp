#include "OrvLib/controls/win32/OrvAngleControl2.h"

#include <cmath>

#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"

using namespace ControlSupport;

OrvAngleControl2::OrvAngleControl2(uint32_t initialStyle, int mode, int minimum, int maximum)
    : model(mode, minimum, maximum), style(initialStyle), needle(GetSysColor(COLOR_3DDKSHADOW)) {}

OrvAngleControl2::~OrvAngleControl2() = default;

void OrvAngleControl2::SetStyle(uint32_t newStyle) {
    if (!laidOut) style = newStyle;
}

void OrvAngleControl2::SetColourScheme(const ColourScheme* newScheme) {
    surface.SetScheme(newScheme);
    if (box) box->SetColourScheme(surface.SchemePointer());
    if (hWnd != nullptr) Invalidate(false);
}

void OrvAngleControl2::SetNeedleColour(COLORREF colour) {
    customNeedle = true;
    needle = colour;
    if (hWnd != nullptr) Invalidate(false);
}

void OrvAngleControl2::SetAngle(int value, bool force) {
    model.SetAngle(value, force);
    RefreshBox();
    if (hWnd != nullptr) Invalidate(false);
}

int OrvAngleControl2::GetAngle() const { return box ? box->GetValue() : static_cast<int>(model.Value()); }

void OrvAngleControl2::RefreshBox() {
    if (!box || box->hWnd == nullptr) return;
    if (model.Undetermined() && (style & AngleStyle::kKeepNeedle)) {
        box->Invalidate(false);
        return;
    }
    box->SetText(model.BoxText(), true, true);
}

void OrvAngleControl2::Report(UINT code) {
    HWND parent = GetParent();
    if (code == 0) {
        if (!notify) return;
        if (style & AngleStyle::kReportCommand) {
            SendCommand(hWnd, 0);
        } else {
            SendNotify(hWnd, 0);
        }
        return;
    }
    // Same thread: delivered at once, so the header may live on the stack.
    NMHDR header{hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), code};
    SendNotifyMessageA(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void OrvAngleControl2::Changed(bool now) {
    RefreshBox();
    Invalidate(false);
    if (now) UpdateWindow();
    OrvAccessibleEvent(hWnd, EVENT_OBJECT_VALUECHANGE);
    Report(0);
}

void OrvAngleControl2::ButtonDown(MouseButton, OrvPoint p) {
    if (!hit || !PtInRegion(hit, p.x, p.y)) return;
    // The parent hears of the press first, so the change it makes is a held one.
    tracking = true;
    pressValue = model.Value();
    SetFocus();
    Report(kPressed);
    if (model.TakePoint(p, ToOrvRect(GetClientRect()))) Changed(false);
}

void OrvAngleControl2::DragMove(MouseButton, OrvPoint p) {
    if (!tracking) return;
    if (model.TakePoint(p, ToOrvRect(GetClientRect()))) Changed(true);
    Report(kTracked);
}

void OrvAngleControl2::DragCancel(MouseButton) {
    if (!tracking) return;
    // Escape puts the needle back where the press found it.
    if (model.TakeTyped(pressValue).changed) Changed(false);
    EndTracking(nullptr);
}

void OrvAngleControl2::EndTracking(const OrvPoint* p) {
    if (!tracking) return;
    tracking = false;
    if (p != nullptr && model.TakePoint(*p, ToOrvRect(GetClientRect()))) Changed(false);
    // A drag the system ends still tells the parent it is over.
    Report(kReleased);
}

void OrvAngleControl2::PreSubclassWindow() { Layout(); }

void OrvAngleControl2::Layout() {
    // A tab stop of its own beside its box: it takes the arrow keys.
    ModifyStyle(0, SS_NOTIFY | WS_CLIPSIBLINGS | WS_TABSTOP);
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    HWND parent = GetParent();
    RECT area = GetRectInParent();
    SIZE units = DialogUnitsToPixels(parent, 30, 14);
    AngleLayout layout = AngleDrawing::Layout(ToOrvRect(area), style, OrvSize{units.cx, units.cy}, 5);
    box.reset();
    if (style & AngleStyle::kHasBox) {
        auto editBox = std::make_unique<OrvCustomIntegerEditBox>();
        DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL |
                          (IsWindowEnabled() ? 0 : WS_DISABLED);
        if (editBox->CreateControl("EDIT", "", editStyle, ToRECT(layout.box), parent, kBoxId,
                                   WS_EX_CLIENTEDGE)) {
            editBox->SetFont(GuiFont());
            editBox->SetColourScheme(surface.SchemePointer());
            editBox->SetMargins(3, 3);
            editBox->SetWindowPos(hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            editBox->SetRange(model.BoxMinimum(), model.BoxMaximum(), true);
            editBox->SetText(model.BoxText(), true, true);
            editBox->SetListener(this);
            box = std::move(editBox);
        }
    }
    const OrvRect& d = layout.dial;
    boxOffset = POINT{layout.box.left - d.left, layout.box.top - d.top};
    SetWindowPos(nullptr, d.left, d.top, d.Width(), d.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    hit.Reset(CreateEllipticRgn(1, 1, d.Width() - 1, d.Height() - 1));
    laidOut = true;
}

void OrvAngleControl2::OnEditBoxCommand(UINT) {
    if (!laidOut || !box) return;
    if (box->Text().empty() && model.Undetermined()) return;
    AngleModel::Typed typed = model.TakeTyped(box->GetValue());
    if (typed.rewrite) box->SetText(model.BoxText(), true, true);
    if (typed.changed) {
        Invalidate(false);
        Report(0);
    }
}

LRESULT OrvAngleControl2::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT painted = 0;
    if (surface.Paint(hWnd, message, painted, [&](HDC dc) { Draw(dc); })) {
        if (message == WM_PAINT && box) box->EnableWindow(IsWindowEnabled());
        return painted;
    }
    if (mouse.Handle(hWnd, message, wParam, lParam)) return 0;
    switch (message) {
        case WM_GETDLGCODE:
            return mouse.DialogCode(DLGC_WANTARROWS);
        case WM_MOUSEWHEEL:
            if (model.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0))
                Changed(false);
            return 0;
        case WM_KEYDOWN:
            if (model.KeyDown(KeyOf(wParam), (lParam & (1 << 30)) != 0, ControlHeld())) Changed(false);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focused = message == WM_SETFOCUS;
            Invalidate(false);
            return 0;
        case WM_ENABLE:
            if (box) CarryOver(hWnd, box->hWnd, boxOffset, message, wParam);
            Invalidate(false);
            return 0;
        case WM_SHOWWINDOW:
        case WM_WINDOWPOSCHANGED:
            if (box && laidOut) CarryOver(hWnd, box->hWnd, boxOffset, message, wParam);
            break;
        case WM_DESTROY:
            laidOut = false;
            break;
        default:
            break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void OrvAngleControl2::PaintRing(HDC dc, const RECT& dial) {
    const ColourScheme& s = surface.Scheme();
    COLORREF light = s[SchemeColour::Highlight], dark = s[SchemeColour::DarkShadow];
    int w = dial.right - dial.left;
    if (model.Mode() == 4) {
        // A quarter ring from a centre near the lower left, with straight edges on the axes.
        int cx = dial.left + static_cast<int>(0.08 * dial.right),
            cy = dial.bottom - static_cast<int>(0.08 * dial.bottom);
        int radius = static_cast<int>(0.84 * w);
        for (int r : {radius, radius - 1}) {
            for (const OrvPoint& p : AngleDrawing::CirclePoints(r)) {
                if (p.x >= 0 && p.y <= 0)
                    SetPixelV(dc, cx + p.x, cy + p.y,
                              AngleDrawing::Mix(light, dark, AngleDrawing::RingLight(p.x, p.y)));
            }
        }
        FillSolid(dc, RECT{cx, cy - radius, cx + 1, cy + 1}, s[SchemeColour::Shadow]);
        FillSolid(dc, RECT{cx, cy, cx + radius + 1, cy + 1}, light);
        return;
    }
    // Centred where the pointer's angles are measured from; the outer circle stays inside.
    int radius = (w - 1) / 2, cx = dial.left + w / 2, cy = dial.top + w / 2;
    for (int r : {radius, radius - 1}) {
        for (const OrvPoint& p : AngleDrawing::CirclePoints(r))
            SetPixelV(dc, cx + p.x, cy + p.y,
                      AngleDrawing::Mix(light, dark, AngleDrawing::RingLight(p.x, p.y)));
    }
}

void OrvAngleControl2::Draw(HDC dc) {
    const ColourScheme& s = surface.Scheme();
    RECT client = GetClientRect();
    FillSolid(dc, client, s[SchemeColour::Face]);
    if (focused) {
        SetTextColor(dc, s[SchemeColour::Text]);
        SetBkColor(dc, s[SchemeColour::Face]);
        DrawFocusRect(dc, &client);
    }
    PaintRing(dc, client);

    // An undetermined value shows no needle unless the style keeps it.
    if (model.Undetermined() && !(style & AngleStyle::kKeepNeedle)) return;
    AngleDrawing::NeedleFrame frame = AngleDrawing::NeedleFrameOf(model.Mode(), ToOrvRect(client));
    std::vector<OrvPoint> corners =
        AngleDrawing::Needle(model.Angle(), frame.radius, frame.centre, frame.width);
    std::vector<POINT> points, shadow;
    for (const OrvPoint& p : corners) {
        points.push_back(POINT{p.x, p.y});
        shadow.push_back(POINT{p.x + 3, p.y + 3});
    }
    bool enabled = IsWindowEnabled();
    {
        OrvBrush brush(CreateSolidBrush(s[SchemeColour::Shadow]));
        OrvSelection b(dc, brush);
        OrvSelection pen(dc, GetStockObject(NULL_PEN));
        Polygon(dc, shadow.data(), static_cast<int>(shadow.size()));
    }
    COLORREF fill =
        customNeedle ? needle : (enabled ? s[SchemeColour::SelectionBack] : s[SchemeColour::Face]);
    OrvBrush brush(CreateSolidBrush(fill));
    OrvPen outline(CreatePen(PS_SOLID, 1, enabled ? s[SchemeColour::Text] : s[SchemeColour::Shadow]));
    OrvSelection b(dc, brush);
    OrvSelection pen(dc, outline);
    Polygon(dc, points.data(), static_cast<int>(points.size()));
}
