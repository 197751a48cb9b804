#include "product/dialog/win32/OrvPSFileEdit.h"

#include <algorithm>

#include "OrvLib/framework/GdiHolders.h"

namespace {

int32_t WidthIn(HWND window, const std::string& text) {
    CClientDC dc(window);
    OrvSelection font(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    return size.cx;
}

bool IsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

void OrvPSFileEdit::SetPath(const std::string& path) {
    fullPath = path;
    if (hWnd == nullptr) return;
    if (::GetFocus() == hWnd) {
        SetText(fullPath, true, true);
    } else {
        ShowShortened();
    }
}

void OrvPSFileEdit::ShowShortened() {
    RECT client;
    ::GetClientRect(hWnd, &client);
    const HWND window = hWnd;
    shown = ShortenPath(
        fullPath, client.right - client.left,
        [window](const std::string& text) { return WidthIn(window, text); }, &IsLeadByte);
    if (Text() != shown.text) SetText(shown.text, true, true);
}

void OrvPSFileEdit::ShowFull(bool caretToEnd) {
    if (Text() != fullPath) SetText(fullPath, true, true);
    shown = ShortenedPath{fullPath, int32_t(fullPath.size()), 0};
    if (caretToEnd) SetSel(int(fullPath.size()), int(fullPath.size()));
}

int OrvPSFileEdit::CharacterAt(int x, int y) {
    RECT client;
    ::GetClientRect(hWnd, &client);
    if (x < client.left) return 0;
    const int length = int(Text().size());
    if (x >= client.right) return length;
    const LRESULT at = SendMessage(EM_CHARFROMPOS, 0, MAKELPARAM(x, y));
    return std::min(int(LOWORD(at)), length);
}

void OrvPSFileEdit::OnButtonDown(int x, int y) {
    const FullPathCaret caret = CaretInFullPath(shown, fullPath.size(), CharacterAt(x, y));
    if (caret.fromEnd) ShowFull(true);
    focusByClick = true;
    ::SetFocus(hWnd);
    focusByClick = false;
    SetSel(caret.index, caret.index);
    anchor = caret.index;
    selecting = true;
    ::SetCapture(hWnd);
}

LRESULT OrvPSFileEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT r = OrvCustomEditBox::WindowProc(message, wParam, lParam);
            if (Text() != fullPath) ShowFull(!focusByClick);
            return r;
        }
        case WM_KILLFOCUS: {
            // The parent hears of the focus loss first, while the box still holds the path.
            const LRESULT r = OrvCustomEditBox::WindowProc(message, wParam, lParam);
            if (hWnd == nullptr) return r;
            fullPath = Text();
            ShowShortened();
            return r;
        }
        case WM_LBUTTONDOWN:
            OnButtonDown(short(LOWORD(lParam)), short(HIWORD(lParam)));
            return 0;
        case WM_MOUSEMOVE:
            if (selecting) SetSel(anchor, CharacterAt(short(LOWORD(lParam)), short(HIWORD(lParam))));
            return 0;
        case WM_LBUTTONUP:
            if (selecting) {
                selecting = false;
                ::ReleaseCapture();
            }
            return 0;
        case WM_LBUTTONDBLCLK:
            SetSel(0, -1);
            return 0;
        case WM_CAPTURECHANGED:
            selecting = false;
            break;
        default:
            break;
    }
    return OrvCustomEditBox::WindowProc(message, wParam, lParam);
}

bool OrvPSFileEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    // Typing and pasting keep the full path equal to the text.
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && ::GetFocus() == hWnd) fullPath = Text();
    return OrvCustomEditBox::OnChildNotify(message, wParam, lParam, result);
}
