// Helpers for tests that drive real windows under Wine and Xvfb.
//
// Link `win_window_harness`. Input goes through the system's input queue (SendInput at
// screen coordinates), so hit testing, capture, focus and double-click timing are the
// system's own; after sending, pump the thread that owns the window:
//
//   Harness::Click(button.hWnd, 5, 5);                     // client point of that window
//   Harness::PumpUntil([&] { return clicked; });             // false after the timeout
//   Harness::Press(control, 10, 10); Harness::MoveTo(control, 16, 10); Harness::Release();
//   Harness::Key(VK_ESCAPE);
//   Harness::SaveScreenshot(dialog, "framework-modal");      // build/<preset>/screens/framework-modal.png
//
// A modal loop blocks the test's thread: run the input from another one, which waits for
// the window, acts, and may end the dialog; the destructor joins it.
//
//   Harness::InputThread script([&] {
//       HWND dialog = Harness::WaitForWindow([&] { return dialogObject.hWnd; });
//       Harness::Click(GetDlgItem(dialog, IDOK), 4, 4);
//   });
//   EXPECT_EQ(dialogObject.DoModal(), IDOK);
//
// Outside a modal loop the framework's procedures keep a handler's failure instead of
// raising it: after driving a modeless window, EXPECT_EQ(OrvTakeWindowFailure(), nullptr).
//
// Screenshots are read back from the window itself (its window device context), not from
// any buffer of ours, so they show what reached the screen. Name them "<area>-<what>"; the
// test script joins every PNG of both Windows builds into build/screens.png.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace Harness {

enum class Button { Left, Middle, Right };

// Screen point of a client point of window.
POINT ScreenPoint(HWND window, int x, int y);
// Moves the pointer to a screen point through SendInput and checks it arrived.
bool MoveToScreen(POINT screen);
bool MoveTo(HWND window, int x, int y);
void ButtonDown(Button button = Button::Left);
void ButtonUp(Button button = Button::Left);
// Move, then down (and up for Click), pumping after each step.
void Press(HWND window, int x, int y, Button button = Button::Left);
void Release(Button button = Button::Left);
void Click(HWND window, int x, int y, Button button = Button::Left);
void DoubleClick(HWND window, int x, int y);
void Wheel(int delta);
void KeyDown(WORD key);
void KeyUp(WORD key);
void Key(WORD key);

// Dispatches this thread's messages for at least milliseconds (dialog keys included).
void Pump(int milliseconds = 30);
// Pumps until done() holds or timeoutMs passed; the last done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// Runs a script on its own thread; the destructor joins it.
class InputThread {
public:
    explicit InputThread(std::function<void()> script);
    ~InputThread();
    InputThread(const InputThread&) = delete;
    InputThread& operator=(const InputThread&) = delete;

private:
    std::thread thread;
};
// Polls find() (from any thread) until it gives a visible window; null after the timeout.
HWND WaitForWindow(const std::function<HWND()>& find, int timeoutMs = 5000);

// The window's pixels as 0x00RRGGBB, rows top first; width and height set.
std::vector<uint32_t> CaptureWindow(HWND window, int& width, int& height);
// One pixel of the client area, read back from the window, as a COLORREF (0x00BBGGRR).
COLORREF ClientPixel(HWND window, int x, int y);
// Writes the window's pixels to <screens folder>/<name>.png; false when it could not.
bool SaveScreenshot(HWND window, const std::string& name);
// The same for an area of the screen in screen coordinates: windows over windows, as seen.
bool SaveScreenArea(const RECT& area, const std::string& name);
std::string ScreensFolder();

// This process's GDI and USER object counts.
DWORD GdiObjectCount();
DWORD UserObjectCount();

}  // namespace Harness
