// The file name box under real input: the shortened path without the focus, the full path
// with it, clicks carried over to the full path, and what the parent sees on focus loss.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "WindowHarness.h"
#include "product/dialog/win32/OrvPSFileEdit.h"

namespace {

constexpr int kBox = 1003, kOther = 1100;
const std::string kLeaf = "C:\\Program Files\\Tools\\Images\\Objects\\leaf.png";

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// What the parent saw when the box told it of a focus loss.
std::string heardOnFocusLoss;
int focusLosses = 0;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kBox && HIWORD(wParam) == EN_KILLFOCUS) {
        ++focusLosses;
        heardOnFocusLoss = TextOf(reinterpret_cast<HWND>(lParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

struct Boxes {
    HWND parent = nullptr;
    OrvPSFileEdit box;
    HWND other = nullptr;

    Boxes() {
        WNDCLASSA kind = {};
        kind.lpfnWndProc = &ParentProc;
        kind.hInstance = GetModuleHandleA(nullptr);
        kind.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        kind.lpszClassName = "FileEditTestParent";
        RegisterClassA(&kind);
        parent = CreateWindowExA(0, kind.lpszClassName, "File name", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                 40, 40, 320, 130, nullptr, nullptr, kind.hInstance, nullptr);
        const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_TRUE(box.CreateControl("EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                      RECT{10, 10, 190, 32}, parent, kBox, WS_EX_CLIENTEDGE));
        box.SetFont(font);
        other = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 50, 180,
                                22, parent, reinterpret_cast<HMENU>(kOther), kind.hInstance, nullptr);
        SendMessageA(other, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        SetForegroundWindow(parent);
        SetFocus(other);
        Harness::Pump(50);
    }
    ~Boxes() { DestroyWindow(parent); }
    std::pair<int, int> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageA(box.hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {int(start), int(end)};
    }
};

TEST(FileNameBox, ShowsTheShortenedPathWithoutTheFocusAndTheFullOneWithIt) {
    Boxes b;
    b.box.SetPath(kLeaf);
    Harness::Pump(30);
    const std::string shortened = TextOf(b.box.hWnd);
    EXPECT_NE(shortened.find("\\..."), std::string::npos) << shortened;
    EXPECT_EQ(shortened.substr(0, 3), "C:\\");
    EXPECT_EQ(shortened.substr(shortened.size() - 9), "\\leaf.png");
    EXPECT_EQ(b.box.GetPath(), kLeaf);
    Harness::SaveScreenshot(b.parent, "pages-file-name-shortened");

    // Focus from the keyboard: the whole path, caret at its end.
    Harness::Key(VK_TAB);
    Harness::PumpUntil([&] { return GetFocus() == b.box.hWnd; });
    EXPECT_EQ(TextOf(b.box.hWnd), kLeaf);
    EXPECT_EQ(b.Selection(), std::make_pair(int(kLeaf.size()), int(kLeaf.size())));

    // Typing keeps the path; the parent hears of the focus loss while the box still holds
    // the whole path, and only then is it shortened again.
    for (int i = 0; i < 8; ++i) Harness::Key(VK_BACK);
    for (const char* k = "oak.png"; *k; ++k) Harness::Key(static_cast<WORD>(VkKeyScanA(*k) & 0xFF));
    focusLosses = 0;
    Harness::Key(VK_TAB);
    Harness::PumpUntil([&] { return focusLosses > 0; });
    const std::string oak = kLeaf.substr(0, kLeaf.size() - 8) + "oak.png";
    EXPECT_EQ(heardOnFocusLoss, oak);
    EXPECT_EQ(b.box.GetPath(), oak);
    EXPECT_NE(TextOf(b.box.hWnd), oak);
    EXPECT_EQ(TextOf(b.box.hWnd).substr(TextOf(b.box.hWnd).size() - 8), "\\oak.png");
}

TEST(FileNameBox, AClickInTheShortenedTailLandsAtTheSameDistanceFromTheEnd) {
    Boxes b;
    b.box.SetPath(kLeaf);
    Harness::Pump(30);
    const std::string shortened = TextOf(b.box.hWnd);
    ASSERT_NE(shortened, kLeaf);
    // Just inside the left of the wide "p" of leaf.png, three characters from the end.
    const LRESULT at = SendMessageA(b.box.hWnd, EM_POSFROMCHAR, WPARAM(shortened.size() - 3), 0);
    Harness::Click(b.box.hWnd, short(LOWORD(at)) + 1, short(HIWORD(at)) + 3);
    Harness::PumpUntil([&] { return GetFocus() == b.box.hWnd; });
    EXPECT_EQ(TextOf(b.box.hWnd), kLeaf);
    const int expected = int(kLeaf.size()) - 3;
    EXPECT_EQ(b.Selection(), std::make_pair(expected, expected));
    Harness::SaveScreenshot(b.parent, "pages-file-name-focused");

    // A double click selects the whole path.
    Harness::DoubleClick(b.box.hWnd, 20, 8);
    Harness::Pump(30);
    EXPECT_EQ(b.Selection(), std::make_pair(0, int(kLeaf.size())));
}

}  // namespace
