// A cancelled dialog leaves the host's real window enabled again, whatever the dialog did
// to it while it ran.
#include <gtest/gtest.h>
#include <windows.h>

#include "host/MemoryHost.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/headless/HeadlessDialog.h"
#include "tests/plugin/PluginEntry.h"

namespace {

TEST(HostWindow, CancelEnablesTheHostWindowAgain) {
    HWND window = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    // Another window of the thread is the active one when the failure is reported.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 220, 0, 200, 100,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    VarnHost::MemoryHost host;
    host.SetImage(VarnHost::HostImage(16, 16, 3));
    host.SetHostWindow(reinterpret_cast<intptr_t>(window));
    // A modal dialog disables its owner while it runs.
    HeadlessDialog::SetUserActions([&](PSVarnPlugin&) {
        EnableWindow(window, FALSE);
        SetActiveWindow(other);
    });
    HeadlessDialog::SetAnswer(false);
    host.Call(&PluginMain, filterSelectorPrepare);
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorStart), userCanceledErr);
    HeadlessDialog::SetAnswer(true);
    HeadlessDialog::SetUserActions(nullptr);
    EXPECT_TRUE(IsWindowEnabled(window));
    DestroyWindow(other);
    DestroyWindow(window);
}

}  // namespace
