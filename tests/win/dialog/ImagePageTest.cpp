// The Image page under real input: opening on a block, choosing categories and thumbnails,
// and the user's own file or folder, with what reaches the block.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "PageTestSupport.h"
#include "WindowHarness.h"
#include "product/dialog/win32/PSVarnImageChild.h"
#include "product/resources/ResourceIds.h"

namespace {

PresetEntry Picture(const std::string& folder, const std::string& name, COLORREF colour, int w, int h) {
    const std::string path = folder + "\\" + name + ".bmp";
    WriteSolidBmp(path, w, h, colour);
    return PresetEntry{name, false, path, path};
}

// In library order "stars" before "Leaves"; shown sorted, so Leaves comes first. Leaves
// has more presets than the list shows at once.
std::vector<PresetCategory> Library() {
    const std::string f = TempFolder("varnel-image-page");
    std::vector<PresetCategory> library = {
        {"stars",
         {Picture(f, "Nova", RGB(250, 200, 40), 30, 30), Picture(f, "Comet", RGB(90, 90, 220), 40, 20)}},
        {"Leaves",
         {Picture(f, "Oak", RGB(40, 160, 60), 20, 40),
          Picture(f, "A maple leaf in autumn red", RGB(200, 60, 30), 30, 30),
          Picture(f, "Elm", RGB(120, 140, 40), 30, 30), Picture(f, "Ash", RGB(90, 120, 60), 30, 30),
          Picture(f, "Birch", RGB(200, 200, 120), 30, 30), Picture(f, "Fir", RGB(20, 90, 50), 30, 30),
          Picture(f, "Lime", RGB(160, 200, 60), 30, 30), Picture(f, "Yew", RGB(30, 70, 40), 30, 30),
          Picture(f, "Pine", RGB(40, 100, 70), 30, 30), Picture(f, "Beech", RGB(170, 110, 50), 30, 30),
          Picture(f, "Holly", RGB(20, 110, 40), 30, 30)}},
    };
    for (int i = 1; i <= 14; ++i)
        library[1].entries.push_back(
            Picture(f, "Leaf " + std::to_string(i), RGB(40 + 12 * i, 150, 60), 24, 30));
    return library;
}

std::string BlockPathOf(const EffectParameters& p) { return std::string(p.path, strnlen(p.path, 259)); }

void ClickRow(PSVarnImageChild& page, int row) {
    const OrvRect cell = page.Categories().Model().CellRect(row);
    harness::Click(page.Categories().m_hWnd, cell.left + 6, (cell.top + cell.bottom) / 2);
}

BOOL CALLBACK CountTools(HWND window, LPARAM count) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
        *reinterpret_cast<int*>(count) += int(SendMessageA(window, TTM_GETTOOLCOUNT, 0, 0));
    return TRUE;
}

// Tools of the tool-tip windows of this thread.
int ToolTips() {
    int tools = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountTools, reinterpret_cast<LPARAM>(&tools));
    return tools;
}

bool Visible(const CWnd& page, int id) { return IsWindowVisible(GetDlgItem(page.m_hWnd, id)) != FALSE; }

TEST(ImagePage, OpensOnTheFirstPresetAndFollowsCategoriesAndThumbnails) {
    Owner owner;
    owner.presets = Library();
    PSVarnImageChild page(owner);
    owner.Show(page);
    // Category 0 ("stars") and no path: its first preset is applied once.
    EXPECT_EQ(BlockPathOf(owner.block), owner.presets[0].entries[0].path);
    EXPECT_EQ(owner.previews, std::vector<bool>{false});
    ASSERT_EQ(page.Categories().GetCount(), 3);
    EXPECT_EQ(page.Categories().GetText(0), "Leaves");
    EXPECT_EQ(page.Categories().GetText(2), "<Custom>");
    EXPECT_EQ(page.Categories().GetDatum(page.Categories().GetSelection()), 0);
    EXPECT_TRUE(Visible(page, IDC_THUMBNAIL_LIST));
    EXPECT_FALSE(Visible(page, IDC_FILE_NAME));
    EXPECT_EQ(page.Thumbnails().GetCount(), 2);
    EXPECT_EQ(page.Thumbnails().GetCurSel(), 0);
    EXPECT_EQ(ToolTips(), 0) << "every star's name fits its column";
    harness::SaveScreenshot(page.m_hWnd, "pages-image-stars");

    // Leaves: its first thumbnail applied and one full refresh.
    owner.previews.clear();
    ClickRow(page, 0);
    harness::PumpUntil([&] { return !owner.previews.empty(); });
    EXPECT_EQ(owner.block.presetCategory, 1);
    EXPECT_EQ(BlockPathOf(owner.block), owner.presets[1].entries[0].path);
    EXPECT_EQ(owner.previews, std::vector<bool>{false});
    ASSERT_EQ(page.Thumbnails().GetCount(), 25);
    EXPECT_EQ(ToolTips(), 1) << "only the maple's name is cut, and shown whole as a tip";
    // Twenty-five items in rows of three need more columns than fit: the bar shows.
    HWND bar = FindWindowExA(page.Thumbnails().m_hWnd, nullptr, nullptr, nullptr);
    EXPECT_TRUE(bar != nullptr && IsWindowVisible(bar));
    harness::SaveScreenshot(page.m_hWnd, "pages-image-leaves");

    // A click on the second thumbnail applies it.
    const RECT second = page.Thumbnails().GetItemRect(1);
    harness::Click(page.Thumbnails().m_hWnd, (second.left + second.right) / 2, second.top + 20);
    harness::PumpUntil([&] { return owner.previews.size() == 2; });
    EXPECT_EQ(BlockPathOf(owner.block), owner.presets[1].entries[1].path);
    // Its thumbnail is drawn: the middle of its picture has the preset's colour.
    const COLORREF middle =
        harness::ClientPixel(page.Thumbnails().m_hWnd, (second.left + second.right) / 2,
                             second.top + 5 + page.Thumbnails().Metrics().thumbnailHeight / 2);
    EXPECT_EQ(middle, RGB(200, 60, 30));
}

TEST(ImagePage, CustomRowShowsTheUsersFileAndMultipleImagesTheFolder) {
    Owner owner;
    owner.presets = Library();
    const std::string own = owner.presets[0].entries[1].path;
    owner.block.presetCategory = -1;
    std::strcpy(owner.block.path, own.c_str());
    PSVarnImageChild page(owner);
    owner.Show(page);
    EXPECT_TRUE(owner.previews.empty());
    EXPECT_EQ(page.Categories().GetDatum(page.Categories().GetSelection()), -1);
    EXPECT_TRUE(Visible(page, IDC_FILE_NAME));
    EXPECT_FALSE(Visible(page, IDC_THUMBNAIL_LIST));
    char label[64] = {};
    GetDlgItemTextA(page.m_hWnd, IDC_FILE_LABEL, label, sizeof label);
    EXPECT_STREQ(label, "Filename");
    // The custom preview shows the file.
    HWND preview = GetDlgItem(page.m_hWnd, IDC_CUSTOM_PREVIEW);
    RECT r;
    GetClientRect(preview, &r);
    EXPECT_EQ(harness::ClientPixel(preview, r.right / 2, r.bottom / 2), RGB(90, 90, 220));
    harness::SaveScreenshot(page.m_hWnd, "pages-image-custom");

    harness::Click(GetDlgItem(page.m_hWnd, IDC_MULTIPLE_IMAGES), 5, 5);
    harness::PumpUntil([&] { return !owner.previews.empty(); });
    EXPECT_EQ(owner.block.multipleImages, 1);
    EXPECT_EQ(BlockPathOf(owner.block), own) << "the path stays";
    GetDlgItemTextA(page.m_hWnd, IDC_FILE_LABEL, label, sizeof label);
    EXPECT_STREQ(label, "Directory Name");
    EXPECT_EQ(harness::ClientPixel(preview, r.right / 2, r.bottom / 2), RGB(201, 206, 207));
}

}  // namespace
