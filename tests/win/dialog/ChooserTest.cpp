// The object picture chooser on the system's own dialogs under real keys: the preview
// follows the file under selection, and the folder chooser opens on the box's folder.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "PageTestSupport.h"
#include "WindowHarness.h"
#include "product/dialog/win32/OrvPSImageFileDialog.h"
#include "product/resources/ResourceIds.h"

namespace {

std::string PictureFolder() {
    const std::string folder = TempFolder("varnel-chooser");
    WriteSolidBmp(folder + "\\blue.bmp", 40, 30, RGB(0, 0, 255));
    WriteSolidBmp(folder + "\\red.bmp", 30, 40, RGB(255, 0, 0));
    return folder;
}

constexpr const char* kTitle = "Choose an object picture";

COLORREF PreviewCentre(HWND preview) {
    RECT r;
    GetClientRect(preview, &r);
    return Harness::ClientPixel(preview, r.right / 2, r.bottom / 2);
}

TEST(ImageChooser, PreviewFollowsTheFileUnderSelection) {
    const std::string folder = PictureFolder();
    OrvPSImageFileDialog chooser(folder + "\\red.bmp");
    chooser.ofn.lpstrTitle = kTitle;
    COLORREF opening = 0, first = 0, second = 0;
    bool saved = false;
    {
        Harness::InputThread script([&] {
            HWND dialog = Harness::WaitForWindow([] { return FindWindowA("#32770", kTitle); });
            if (dialog == nullptr) return;
            Sleep(300);
            HWND preview = GetDlgItem(chooser.hWnd, IDC_FILE_PREVIEW);
            HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
            HWND list = FindWindowExA(view, nullptr, "SysListView32", nullptr);
            const auto clickItem = [list](int item) {
                RECT r{LVIR_LABEL, 0, 0, 0};
                SendMessageA(list, LVM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&r));
                Harness::Click(list, r.left + 4, (r.top + r.bottom) / 2);
            };
            // The opening selection shows first; then a click on each file, the second twice.
            for (int i = 0; i < 40 && PreviewCentre(preview) != RGB(255, 0, 0); ++i) Sleep(50);
            opening = PreviewCentre(preview);
            clickItem(0);
            for (int i = 0; i < 40 && PreviewCentre(preview) != RGB(0, 0, 255); ++i) Sleep(50);
            first = PreviewCentre(preview);
            clickItem(1);
            for (int i = 0; i < 40 && PreviewCentre(preview) != RGB(255, 0, 0); ++i) Sleep(50);
            second = PreviewCentre(preview);
            Sleep(GetDoubleClickTime() + 100);  // a second click, not a double click
            clickItem(1);
            Sleep(200);
            saved = Harness::SaveScreenshot(dialog, "pages-image-file-dialog");
            Harness::Click(GetDlgItem(dialog, IDOK), 6, 6);
        });
        EXPECT_EQ(chooser.DoModal(), IDOK);
    }
    EXPECT_EQ(opening, RGB(255, 0, 0));
    EXPECT_EQ(first, RGB(0, 0, 255));
    EXPECT_EQ(second, RGB(255, 0, 0));
    EXPECT_EQ(chooser.GetPathName(), folder + "\\red.bmp");
    EXPECT_EQ(chooser.Preview().Preparations(), 3) << "a file chosen again is not read again";
    EXPECT_TRUE(saved);
}

TEST(ImageChooser, FolderChooserOpensOnTheFolderOrWithoutOneForTooLongAPath) {
    const std::string folder = PictureFolder();
    OrvPSDirectoryBrowser browser(folder, nullptr);
    {
        Harness::InputThread script([] {
            HWND window = Harness::WaitForWindow([] { return FindWindowA("#32770", nullptr); });
            if (window == nullptr) return;
            Sleep(400);
            Harness::SaveScreenshot(window, "pages-folder-chooser");
            Harness::Click(GetDlgItem(window, IDOK), 6, 6);
        });
        EXPECT_EQ(browser.Browse(), IDOK);
    }
    EXPECT_EQ(lstrcmpiA(browser.GetFolder().c_str(), folder.c_str()), 0) << browser.GetFolder();

    const std::string tooLong = "C:\\" + std::string(300, 'f');
    OrvPSDirectoryBrowser unselected(tooLong, nullptr);
    {
        Harness::InputThread script([] {
            HWND window = Harness::WaitForWindow([] { return FindWindowA("#32770", nullptr); });
            if (window == nullptr) return;
            Sleep(300);
            Harness::Click(GetDlgItem(window, IDCANCEL), 6, 6);
        });
        EXPECT_EQ(unselected.Browse(), IDCANCEL);
    }
    EXPECT_EQ(unselected.GetFolder(), tooLong);
}

}  // namespace
