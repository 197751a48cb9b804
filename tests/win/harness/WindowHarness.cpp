#include "WindowHarness.h"

#include <chrono>

#include "PngFile.h"

namespace Harness {
namespace {

void Send(INPUT input) { SendInput(1, &input, sizeof input); }

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

// Absolute coordinates are in 1/65536 of the screen: the smallest value that lands on the pixel.
LONG Normalised(LONG pixel, int size) {
    return static_cast<LONG>((int64_t(pixel) * 65536 + size - 1) / size);
}

DWORD DownFlag(Button button) {
    return button == Button::Left     ? MOUSEEVENTF_LEFTDOWN
           : button == Button::Middle ? MOUSEEVENTF_MIDDLEDOWN
                                      : MOUSEEVENTF_RIGHTDOWN;
}

DWORD UpFlag(Button button) {
    return button == Button::Left     ? MOUSEEVENTF_LEFTUP
           : button == Button::Middle ? MOUSEEVENTF_MIDDLEUP
                                      : MOUSEEVENTF_RIGHTUP;
}

// Input is queued for the window's thread; give it time when that is another thread.
void Settle() { Pump(20); }

void KeyInput(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    Send(input);
    Settle();
}

}  // namespace

POINT ScreenPoint(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

bool MoveToScreen(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    Send(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(screen.x, width),
                    Normalised(screen.y, height)));
    Settle();
    POINT now{};
    GetCursorPos(&now);
    return now.x == screen.x && now.y == screen.y;
}

bool MoveTo(HWND window, int x, int y) { return MoveToScreen(ScreenPoint(window, x, y)); }

void ButtonDown(Button button) {
    Send(MouseInput(DownFlag(button)));
    Settle();
}

void ButtonUp(Button button) {
    Send(MouseInput(UpFlag(button)));
    Settle();
}

void Press(HWND window, int x, int y, Button button) {
    MoveTo(window, x, y);
    ButtonDown(button);
}

void Release(Button button) { ButtonUp(button); }

void Click(HWND window, int x, int y, Button button) {
    Press(window, x, y, button);
    ButtonUp(button);
}

void DoubleClick(HWND window, int x, int y) {
    MoveTo(window, x, y);
    for (int i = 0; i < 2; ++i) {
        Send(MouseInput(MOUSEEVENTF_LEFTDOWN));
        Send(MouseInput(MOUSEEVENTF_LEFTUP));
    }
    Settle();
}

void Wheel(int delta) {
    Send(MouseInput(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(delta)));
    Settle();
}

void KeyDown(WORD key) { KeyInput(key, 0); }
void KeyUp(WORD key) { KeyInput(key, KEYEVENTF_KEYUP); }
void Key(WORD key) {
    KeyDown(key);
    KeyUp(key);
}

void Pump(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
            if (root != nullptr && IsDialogMessageA(root, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(1);
    } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        Pump(5);
    }
    return true;
}

InputThread::InputThread(std::function<void()> script) : thread(std::move(script)) {}

InputThread::~InputThread() {
    if (thread.joinable()) thread.join();
}

HWND WaitForWindow(const std::function<HWND()>& find, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        HWND window = find();
        if (window != nullptr && IsWindowVisible(window)) {
            Sleep(50);  // let the first paint happen
            return window;
        }
        if (std::chrono::steady_clock::now() >= end) return nullptr;
        Sleep(10);
    }
}

namespace {

// The pixels of a width x height area of dc from (x, y), as 0x00RRGGBB, rows top first.
std::vector<uint32_t> CaptureDc(HDC dc, int x, int y, int width, int height) {
    std::vector<uint32_t> pixels;
    if (width <= 0 || height <= 0) return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, dc, x, y, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    pixels.assign(source, source + size_t(width) * size_t(height));
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(section);
    DeleteDC(memory);
    return pixels;
}

bool SavePixels(const std::vector<uint32_t>& pixels, int width, int height, const std::string& name) {
    if (pixels.empty()) return false;
    Art::RgbaImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(pixels.size() * 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        image.pixels[4 * i] = uint8_t(pixels[i] >> 16);
        image.pixels[4 * i + 1] = uint8_t(pixels[i] >> 8);
        image.pixels[4 * i + 2] = uint8_t(pixels[i]);
        image.pixels[4 * i + 3] = 255;
    }
    CreateDirectoryA(ScreensFolder().c_str(), nullptr);
    return Art::WritePng(ScreensFolder() + "/" + name + ".png", image);
}

}  // namespace

std::vector<uint32_t> CaptureWindow(HWND window, int& width, int& height) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect{};
    GetWindowRect(window, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    HDC windowDc = GetWindowDC(window);
    std::vector<uint32_t> pixels = CaptureDc(windowDc, 0, 0, width, height);
    ReleaseDC(window, windowDc);
    return pixels;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = CaptureWindow(window, width, height);
    POINT client{x, y};
    ClientToScreen(window, &client);
    RECT rect{};
    GetWindowRect(window, &rect);
    const int wx = client.x - rect.left, wy = client.y - rect.top;
    if (wx < 0 || wy < 0 || wx >= width || wy >= height) return CLR_INVALID;
    const uint32_t p = pixels[size_t(wy) * size_t(width) + size_t(wx)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

std::string ScreensFolder() { return VARNEL_SCREENS_DIR; }

bool SaveScreenshot(HWND window, const std::string& name) {
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = CaptureWindow(window, width, height);
    return SavePixels(pixels, width, height, name);
}

bool SaveScreenArea(const RECT& area, const std::string& name) {
    HDC screen = GetDC(nullptr);
    const int width = area.right - area.left, height = area.bottom - area.top;
    const std::vector<uint32_t> pixels = CaptureDc(screen, area.left, area.top, width, height);
    ReleaseDC(nullptr, screen);
    return SavePixels(pixels, width, height, name);
}

DWORD GdiObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
DWORD UserObjectCount() { return GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); }

}  // namespace Harness
