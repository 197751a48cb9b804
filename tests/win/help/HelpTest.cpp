// Help through the real viewer of the system: found once, topics opened from the help
// file beside the plug-in, and the right-click menu only over listed, visible controls.
#include <gtest/gtest.h>
#include <windows.h>

#include "OrvLib/platform/HtmlHelp.h"
#include "OrvLib/plugin/OrvPSFilter.h"

namespace {

TEST(HelpTest, HelpFileLiesBesideThePlugin) {
    EXPECT_EQ(HelpFileFor("C:\\Plugins\\X.8bf"), "C:\\Plugins\\X.chm");
    EXPECT_EQ(HelpFileFor("C:\\Plug.ins\\Varnel"), "C:\\Plug.ins\\Varnel.chm");
    EXPECT_EQ(HelpFileFor(""), "");
}

TEST(HelpTest, ViewerOpensTheOverviewTopic) {
    ASSERT_TRUE(OrvPlatform::HtmlHelpAvailable());
    char here[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, here);
    const std::string file = std::string(here) + "\\Varnel.chm";
    ASSERT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
    HWND window = reinterpret_cast<HWND>(
        OrvPlatform::HtmlHelp(0, file + "::/Welcome.htm", OrvPlatform::kHelpDisplayTopic, 0));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    DestroyWindow(window);
}

TEST(HelpTest, WhatsThisMenuOnlyOverListedVisibleControls) {
    HWND dialog = CreateWindowExA(0, "STATIC", "dialog", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND hidden = CreateWindowExA(0, "BUTTON", "hidden", WS_CHILD, 10, 10, 50, 20, dialog, HMENU(7002),
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hidden, nullptr);
    RECT r;
    GetWindowRect(hidden, &r);
    const uint32_t table[] = {7002, 7002, 7001, 7001, 0, 0};
    intptr_t chosen = 1;
    EXPECT_FALSE(OrvPlatform::TrackWhatsThisMenu(intptr_t(dialog), table, r.left + 5, r.top + 5, chosen))
        << "a hidden control shows no menu";
    EXPECT_EQ(chosen, 0);
    EXPECT_FALSE(
        OrvPlatform::TrackWhatsThisMenu(intptr_t(dialog), table, r.right + 100, r.bottom + 100, chosen))
        << "no listed control under the point";
    DestroyWindow(dialog);
}

}  // namespace
