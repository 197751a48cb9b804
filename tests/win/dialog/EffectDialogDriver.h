// The effect dialog as a host meets it: Start through the plug-in's entry (linked into the test
// program) opens the real dialog, which a script drives with real input from a second thread
// while the host's thread runs the modal loop. A watchdog ends a run that never returns, so a
// broken dialog fails its test instead of hanging the suite.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/MemoryHost.h"

namespace DialogTest {

// The thread that runs the host's calls (and so the modal loop) in the current Start.
DWORD HostThread();
// The visible effect dialog of the host's thread, or null.
HWND VarnelDialog();
// The locator's pop-up while it is open, or null.
HWND LocatorPopup();

// Polls done() from the input thread until it holds; false after the timeout.
bool Eventually(const std::function<bool()>& done, int timeoutMs = 5000);

RECT RectIn(HWND window, HWND parent);
RECT DialogUnits(HWND dialog, int x, int y, int width, int height);
bool SameRect(const RECT& a, const RECT& b);
std::string Label(HWND dialog);
bool Enabled(HWND dialog, int id);
void ClickCentre(HWND window);
// The tab strip that replaced the template's tab control.
HWND TabStrip(HWND dialog);
// Clicks the tab with real input; true once its page is the one shown.
bool ShowTab(HWND dialog, int tab);
std::vector<HWND> VisiblePages(HWND dialog);
// The focused window of the host's thread.
HWND HostFocus();
// Replaces the text of an edit box as a person does: click into it, clear it, type.
void TypeInto(HWND box, const std::string& text);

class EffectDialog : public ::testing::Test {
protected:
    // The sample picture with the library's autumn leaves and the given settings
    // (varnel apply's options).
    void Prepare(int32_t width, int32_t height, const std::vector<std::string>& settings);
    // Start, with the dialog driven by script from another thread once it is up. A run that
    // has not returned after limitMs fails: its dialogs are cancelled, and if even that does
    // not end it the process stops with a message.
    OSErr Start(const std::function<void(HWND dialog)>& script, int limitMs = 90000);
    // The original picture run again with the block the last run left, the dialog answered
    // OK from outside at once.
    std::vector<uint8_t> PixelsAnsweredFromOutside();
    // Clicks the button and waits for the dialog to go.
    void EndWith(HWND dialog, int button);

    VarnHost::MemoryHost host;
    std::vector<uint8_t> original;
    OSErr result = noErr;
};

}  // namespace DialogTest
