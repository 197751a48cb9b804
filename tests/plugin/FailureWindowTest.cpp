// A failure inside a call asks the platform to enable the host's window again (the
// modal dialog may have disabled it); a successful call does not.
#include <gtest/gtest.h>

#include "OrvLib/platform/headless/HeadlessPlatform.h"
#include "host/MemoryHost.h"
#include "product/dialog/headless/HeadlessDialog.h"
#include "tests/plugin/PluginEntry.h"

namespace {

TEST(FailureWindowTest, OnlyFailuresEnableTheHostWindow) {
    VarnHost::MemoryHost host;
    host.SetImage(VarnHost::HostImage(8, 8, 3));
    const int before = OrvHeadless::EnableHostWindowCalls();
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), noErr);
    EXPECT_EQ(OrvHeadless::EnableHostWindowCalls(), before);
    host.Record().parameters = nullptr;
    host.Faults().failNewAt = 2;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), memFullErr);
    EXPECT_EQ(OrvHeadless::EnableHostWindowCalls(), before + 1);
}

TEST(FailureWindowTest, CancelEnablesTheHostsOwnWindow) {
    VarnHost::MemoryHost host;
    host.SetImage(VarnHost::HostImage(8, 8, 3));
    host.SetHostWindow(0x1234);
    HeadlessDialog::SetAnswer(false);
    const int before = OrvHeadless::EnableHostWindowCalls();
    host.Call(&PluginMain, filterSelectorPrepare);
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorStart), userCanceledErr);
    HeadlessDialog::SetAnswer(true);
    EXPECT_EQ(OrvHeadless::EnableHostWindowCalls(), before + 1);
    EXPECT_EQ(OrvHeadless::LastHostWindow(), 0x1234);
}

}  // namespace
