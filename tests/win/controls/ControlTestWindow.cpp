#include "ControlTestWindow.h"

#include "OrvLib/controls/win32/ControlSupport.h"

const ColourScheme& TestScheme() {
    static const ColourScheme scheme = [] {
        ColourScheme s;
        s[SchemeColour::Face] = RGB(226, 216, 194);
        s[SchemeColour::Highlight] = RGB(252, 248, 238);
        s[SchemeColour::Light] = RGB(238, 230, 212);
        s[SchemeColour::Shadow] = RGB(164, 146, 114);
        s[SchemeColour::DarkShadow] = RGB(94, 78, 56);
        s[SchemeColour::Text] = RGB(52, 40, 26);
        s[SchemeColour::DisabledText] = RGB(156, 142, 118);
        s[SchemeColour::SelectedText] = RGB(255, 252, 244);
        s[SchemeColour::SelectionBack] = RGB(150, 96, 44);
        s[SchemeColour::Window] = RGB(250, 246, 236);
        return s;
    }();
    return scheme;
}

TestParent::TestParent(int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_POPUP | WS_BORDER, FALSE);
    Create("ControlTestParent", "Controls", WS_POPUP | WS_BORDER | WS_VISIBLE | WS_CLIPCHILDREN,
           RECT{40, 40, 40 + frame.right - frame.left, 40 + frame.bottom - frame.top}, HWND(nullptr), 0);
}

std::vector<UINT> TestParent::Codes(UINT message, UINT id) const {
    std::vector<UINT> codes;
    for (const Heard& h : heard) {
        if (h.message == message && h.id == id) codes.push_back(h.code);
    }
    return codes;
}

LRESULT TestParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client = GetClientRect();
        FillSolid(reinterpret_cast<HDC>(wParam), client, TestScheme()[SchemeColour::Face]);
        return 1;
    }
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
        HWND from = reinterpret_cast<HWND>(lParam);
        heard.push_back(Heard{message, static_cast<UINT>(::GetDlgCtrlID(from)), LOWORD(wParam),
                              static_cast<int>(HIWORD(wParam)), ControlSupport::TextOf(from)});
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool TestParent::OnCommand(WPARAM wParam, LPARAM lParam) {
    HWND from = reinterpret_cast<HWND>(lParam);
    heard.push_back(Heard{WM_COMMAND, LOWORD(wParam), HIWORD(wParam), 0, ControlSupport::TextOf(from)});
    return CWnd::OnCommand(wParam, lParam);
}

bool TestParent::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    heard.push_back(Heard{WM_NOTIFY, static_cast<UINT>(header->idFrom), header->code, 0,
                          ControlSupport::TextOf(header->hwndFrom)});
    auto answer = answers.find(header->code);
    if (answer != answers.end()) {
        *result = answer->second;
        return true;
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

void Activate(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

HBITMAP TestBitmap() {
    ButtonBitmap::Pixels p{16, 16, std::vector<uint32_t>(256, RGB(192, 192, 192))};
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            int dx = x - 6, dy = y - 6, d = dx * dx + dy * dy;
            uint32_t& c = p.colours[y * 16 + x];
            if (d <= 12)
                c = RGB(255, 255, 255);
            else if (d <= 30)
                c = RGB(0, 0, 0);
            else if (x >= 9 && y >= 9 && x - y >= -1 && x - y <= 1)
                c = RGB(0, 0, 0);
            else if (d <= 38 && dx + dy > 0)
                c = RGB(128, 128, 128);
        }
    }
    return ControlSupport::BitmapOf(p);
}
