// The Image page under real input: opening on a block, choosing categories and thumbnails,
// and the user's own file or folder, with what reaches the block.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "PageTestSupport.h"
#include "WindowHarness.h"
#include "product/PresetLibrary.h"
#include "product/dialog/ImagePage.h"
#include "product/dialog/win32/PSVarnImageChild.h"
#include "product/engine/EffectDerived.h"
#include "product/engine/ObjectReader.h"
#include "product/engine/ObjectSet.h"
#include "product/engine/PlacementDrawing.h"
#include "product/engine/PlacementList.h"
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

void ClickRow(PSVarnImageChild& page, int row) {
    const OrvRect cell = page.Categories().Model().CellRect(row);
    Harness::Click(page.Categories().hWnd, cell.left + 6, (cell.top + cell.bottom) / 2);
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

HWND Item(const CWnd& page, int id) { return GetDlgItem(page.hWnd, id); }
std::string Text(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK FindShownTip(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The tool tip of this thread that is showing, or null.
HWND ShownToolTip() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindShownTip, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool Visible(const CWnd& page, int id) { return IsWindowVisible(GetDlgItem(page.hWnd, id)) != FALSE; }

TEST(ImagePage, OpensOnTheFirstPresetAndFollowsCategoriesAndThumbnails) {
    Owner owner;
    owner.presets = Library();
    PSVarnImageChild page(owner);
    owner.Show(page);
    // Category 0 ("stars") and no path: its first preset is applied once.
    EXPECT_EQ(BlockPath(owner.block), owner.presets[0].entries[0].path);
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
    Harness::SaveScreenshot(page.hWnd, "pages-image-stars");

    // Leaves: its first thumbnail applied and one full refresh.
    owner.previews.clear();
    ClickRow(page, 0);
    Harness::PumpUntil([&] { return !owner.previews.empty(); });
    EXPECT_EQ(owner.block.presetCategory, 1);
    EXPECT_EQ(BlockPath(owner.block), owner.presets[1].entries[0].path);
    EXPECT_EQ(owner.previews, std::vector<bool>{false});
    ASSERT_EQ(page.Thumbnails().GetCount(), 25);
    EXPECT_EQ(ToolTips(), 1) << "only the maple's name is cut, and shown whole as a tip";
    // Twenty-five items in rows of three need more columns than fit: the bar shows.
    HWND bar = FindWindowExA(page.Thumbnails().hWnd, nullptr, nullptr, nullptr);
    EXPECT_TRUE(bar != nullptr && IsWindowVisible(bar));
    Harness::SaveScreenshot(page.hWnd, "pages-image-leaves");

    // A click on the second thumbnail applies it.
    const RECT second = page.Thumbnails().GetItemRect(1);
    Harness::Click(page.Thumbnails().hWnd, (second.left + second.right) / 2, second.top + 20);
    Harness::PumpUntil([&] { return owner.previews.size() == 2; });
    EXPECT_EQ(BlockPath(owner.block), owner.presets[1].entries[1].path);
    // Its thumbnail is drawn: the middle of its picture has the preset's colour.
    const COLORREF middle =
        Harness::ClientPixel(page.Thumbnails().hWnd, (second.left + second.right) / 2,
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
    GetDlgItemTextA(page.hWnd, IDC_FILE_LABEL, label, sizeof label);
    EXPECT_STREQ(label, "&Filename");
    // The custom preview shows the file.
    HWND preview = GetDlgItem(page.hWnd, IDC_CUSTOM_PREVIEW);
    RECT r;
    GetClientRect(preview, &r);
    EXPECT_EQ(Harness::ClientPixel(preview, r.right / 2, r.bottom / 2), RGB(90, 90, 220));
    Harness::SaveScreenshot(page.hWnd, "pages-image-custom");

    Harness::Click(GetDlgItem(page.hWnd, IDC_MULTIPLE_IMAGES), 5, 5);
    Harness::PumpUntil([&] { return !owner.previews.empty(); });
    EXPECT_EQ(owner.block.multipleImages, 1);
    EXPECT_EQ(BlockPath(owner.block), own) << "the path stays";
    GetDlgItemTextA(page.hWnd, IDC_FILE_LABEL, label, sizeof label);
    EXPECT_STREQ(label, "&Directory Name");
    EXPECT_EQ(Harness::ClientPixel(preview, r.right / 2, r.bottom / 2), RGB(201, 206, 207));
}

constexpr COLORREF kFace = RGB(201, 206, 207);
const RECT kPagePlace{0, 0, 470, 245};

const std::vector<PresetCategory>& ShippedLibrary() {
    static const std::vector<PresetCategory> library = [] {
        char module[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, module, MAX_PATH);
        return ScanPresetLibrary(PresetLibraryFolder(module), [](const std::string& file) {
            OrvImage2 probe;
            return ReadObjectFile(file, probe);
        });
    }();
    return library;
}

// The result preview: the block rendered over mid grey the way the effect draws its preview,
// shown beside the page so the screenshots carry it.
class ResultPreview {
public:
    static constexpr int kWidth = 240, kHeight = 180;
    static constexpr uint8_t kGrey = 128;

    explicit ResultPreview(HWND frame) {
        window = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 478, 20,
                                 kWidth, kHeight, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~ResultPreview() {
        if (bitmap != nullptr) DeleteObject(bitmap);
    }

    void Render(const EffectParameters& block) {
        const EffectParameters p = SanitizedEffectParameters(block);
        pixels.assign(size_t(kWidth) * kHeight * 3, kGrey);
        objects = 0;
        if (set.Prepare(p, true)) {
            objects = set.Objects().size();
            const OrvRect area{0, 0, kWidth, kHeight};
            const PixelBuffer out{pixels.data(), kWidth, kHeight, 3, kWidth * 3, pixelKindProxyBGR};
            const DrawSettings settings{p.applyAsTexture != 0, false, p.textureAmount};
            for (const Placement& placement :
                 BuildPlacements(p, set.Choice(), area, true, [](const OrvRect&) { return true; }))
                DrawPlacement(out, nullptr, area, placement, *set.Objects()[size_t(placement.objectIndex)],
                              settings);
        }
        Show();
    }
    // Pixels the objects changed.
    int Drawn() const {
        int n = 0;
        for (size_t i = 0; i < pixels.size(); i += 3)
            n += pixels[i] != kGrey || pixels[i + 1] != kGrey || pixels[i + 2] != kGrey;
        return n;
    }
    int Count(COLORREF colour) const {
        int n = 0;
        for (size_t i = 0; i < pixels.size(); i += 3)
            n += pixels[i] == GetBValue(colour) && pixels[i + 1] == GetGValue(colour) &&
                 pixels[i + 2] == GetRValue(colour);
        return n;
    }
    size_t objects = 0;

private:
    void Show() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = GetDC(nullptr);
        HBITMAP made =
            CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(made));
        if (bitmap != nullptr) DeleteObject(bitmap);
        bitmap = made;
    }

    ObjectSet set{&ReadObjectFile};
    std::vector<uint8_t> pixels;
    HWND window = nullptr;
    HBITMAP bitmap = nullptr;
};

// The page in a frame wide enough for the result preview beside it.
struct PageFixture {
    Owner owner{730, 290};
    ResultPreview result{owner.frame};
    std::unique_ptr<PSVarnImageChild> page;

    explicit PageFixture(const std::vector<PresetCategory>& library = ShippedLibrary()) {
        owner.presets = library;
        owner.onPreview = [this](bool) { result.Render(owner.block); };
        page = std::make_unique<PSVarnImageChild>(owner);
    }
    void Open() {
        owner.Show(*page, kPagePlace);
        result.Render(owner.block);
        Harness::Pump(50);
    }
    int RowOf(int32_t category) const {
        for (int row = 0; row < page->Categories().GetCount(); ++row)
            if (page->Categories().GetDatum(row) == category) return row;
        return -1;
    }
    void ClickRow(int row) {
        const OrvRect cell = page->Categories().Model().CellRect(row);
        Harness::Click(page->Categories().hWnd, (cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        Harness::Pump(50);
    }
    void ClickThumbnail(int item) {
        const RECT r = page->Thumbnails().GetItemRect(item);
        Harness::Click(page->Thumbnails().hWnd, (r.left + r.right) / 2, r.top + 20);
        Harness::Pump(50);
    }
    // The frame with the page and the result, its caption drawn again first.
    bool Shot(const std::string& name) {
        RedrawWindow(owner.frame, nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return Harness::SaveScreenshot(owner.frame, name);
    }
    bool Shown(int id) const { return IsWindowVisible(Item(*page, id)) != FALSE; }
    bool CustomShown() const {
        for (int id : {IDC_FILE_LABEL, IDC_FILE_NAME, IDC_BROWSE, IDC_CUSTOM_PREVIEW, IDC_MULTIPLE_IMAGES})
            if (!Shown(id)) return false;
        return !Shown(IDC_THUMBNAIL_LIST);
    }
    bool Checked() const {
        return SendMessageA(Item(*page, IDC_MULTIPLE_IMAGES), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    COLORREF CustomPreviewCentre() const {
        HWND preview = Item(*page, IDC_CUSTOM_PREVIEW);
        RECT r;
        GetClientRect(preview, &r);
        return Harness::ClientPixel(preview, r.right / 2, r.bottom / 2);
    }
};

// Types text with the keys that make each character, shifted where it needs it.
void Type(const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        const bool shift = (scan & 0x100) != 0;
        if (shift) Harness::KeyDown(VK_SHIFT);
        Harness::Key(WORD(scan & 0xFF));
        if (shift) Harness::KeyUp(VK_SHIFT);
    }
}

// Replaces the file name box's text by typing, then leaves it with Tab.
void TypeIntoFileBox(HWND box, const std::string& text) {
    Harness::Click(box, 5, 5);
    Harness::KeyDown(VK_CONTROL);
    Harness::Key(VK_HOME);
    Harness::KeyDown(VK_SHIFT);
    Harness::Key(VK_END);
    Harness::KeyUp(VK_SHIFT);
    Harness::KeyUp(VK_CONTROL);
    Harness::Key(VK_DELETE);
    Type(text);
    Harness::Key(VK_TAB);
    Harness::Pump(50);
}

// The window of our child template inside the system's open dialog.
HWND ChooserPreviewOf(HWND system) {
    for (HWND child = GetWindow(system, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND preview = GetDlgItem(child, IDC_FILE_PREVIEW)) return preview;
    return nullptr;
}

TEST(ImagePage, EveryCategoryShowsItsThumbnailsAndChoosingOneAppliesItsFirstPresetWithOnePreview) {
    const std::vector<PresetCategory>& library = ShippedLibrary();
    ASSERT_GE(library.size(), 3u) << "the library beside the test program";
    PageFixture f;
    f.Open();
    // The default block names category 0 and no path: its first preset is applied at once.
    EXPECT_EQ(f.owner.previews, std::vector<bool>{false});
    EXPECT_EQ(BlockPath(f.owner.block), library[0].entries[0].path);
    EXPECT_EQ(f.page->Categories().GetSelection(), f.RowOf(0));
    // Both lists wear the same frame in the dialog's colours.
    int gw = 0, gh = 0, lw = 0, lh = 0;
    const std::vector<uint32_t> grid = Harness::CaptureWindow(f.page->Categories().hWnd, gw, gh);
    const std::vector<uint32_t> list = Harness::CaptureWindow(f.page->Thumbnails().hWnd, lw, lh);
    ASSERT_TRUE(gw > 4 && lw > 4);
    for (int edge : {0, 1}) {
        EXPECT_EQ(list[size_t(edge) * lw + edge], grid[size_t(edge) * gw + edge])
            << "top left, ring " << edge;
        EXPECT_EQ(list[size_t(lh - 1 - edge) * lw + lw - 1 - edge],
                  grid[size_t(gh - 1 - edge) * gw + gw - 1 - edge])
            << "bottom right, ring " << edge;
    }

    // Rows sorted by name, "<Custom>" last.
    const std::vector<CategoryRow> rows = CategoryRows(library);
    ASSERT_EQ(f.page->Categories().GetCount(), int(rows.size()));
    EXPECT_EQ(f.page->Categories().GetText(int(rows.size()) - 1), "<Custom>");
    for (size_t row = 1; row + 1 < rows.size(); ++row)
        EXPECT_LE(lstrcmpiA(rows[row - 1].name.c_str(), rows[row].name.c_str()), 0);

    int shots = 0;
    for (int row = 0; row + 1 < f.page->Categories().GetCount(); ++row) {
        const int32_t category = f.page->Categories().GetDatum(row);
        const PresetCategory& expected = library[size_t(category)];
        SCOPED_TRACE(expected.name);
        if (category == 0) f.ClickRow(f.RowOf(int32_t(library.size() > 1 ? 1 : 0)));
        f.owner.previews.clear();
        f.ClickRow(row);
        EXPECT_EQ(f.owner.previews, std::vector<bool>{false}) << "one full preview per choice";
        EXPECT_EQ(f.owner.block.presetCategory, category);
        EXPECT_EQ(BlockPath(f.owner.block), expected.entries[0].path);
        EXPECT_EQ(f.owner.block.multipleImages, expected.entries[0].isFolder ? 1 : 0);
        EXPECT_GT(f.result.objects, 0u);
        EXPECT_GT(f.result.Drawn(), 200) << "the result shows the preset's objects";

        PSVarnImageListBox& list = f.page->Thumbnails();
        EXPECT_TRUE(f.Shown(IDC_THUMBNAIL_LIST));
        EXPECT_FALSE(f.Shown(IDC_FILE_NAME));
        ASSERT_EQ(list.GetCount(), int(expected.entries.size()));
        EXPECT_EQ(list.GetCurSel(), 0);
        for (int item = 0; item < list.GetCount(); ++item) {
            EXPECT_EQ(list.GetText(item), expected.entries[size_t(item)].name);
            const OrvImage2* thumbnail = list.Thumbnail(item);
            ASSERT_NE(thumbnail, nullptr) << expected.entries[size_t(item)].thumbnail;
            EXPECT_TRUE(thumbnail->GetWidth() == list.Metrics().thumbnailWidth ||
                        thumbnail->GetHeight() == list.Metrics().thumbnailHeight)
                << "fitted to the box";
        }
        // The cell of an unselected thumbnail shows the picture, not only the list's background.
        const RECT cell = list.GetItemRect(list.GetCount() > 1 ? 1 : 0);
        int picture = 0;
        for (int y = cell.top + 6; y < cell.top + 5 + list.Metrics().thumbnailHeight; y += 3)
            for (int x = cell.left + 6; x < cell.right - 6; x += 3)
                picture += Harness::ClientPixel(list.hWnd, x, y) != kFace;
        EXPECT_GT(picture, 20);
        if (shots < 3) {
            EXPECT_TRUE(f.Shot("imagepage-category-" + std::to_string(++shots)));
        }
    }
}

TEST(ImagePage, AThumbnailClickAppliesItsPresetAndACutNameShowsWholeAsATip) {
    const std::vector<PresetCategory>& library = ShippedLibrary();
    PageFixture f;
    f.Open();
    // A category with a name, not its first, wider than a column.
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    int32_t wanted = -1;
    size_t longItem = 0;
    for (size_t k = 1; k < library.size() && wanted < 0; ++k) {
        for (size_t j = 1; j < library[k].entries.size() && wanted < 0; ++j) {
            SIZE size{};
            const std::string& name = library[k].entries[j].name;
            GetTextExtentPoint32A(screen, name.c_str(), int(name.size()), &size);
            if (size.cx > f.page->Thumbnails().Metrics().columnWidth) {
                wanted = int32_t(k);
                longItem = j;
            }
        }
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    ASSERT_GE(wanted, 0) << "the shipped library has a long preset name";
    const PresetEntry& entry = library[size_t(wanted)].entries[longItem];
    f.ClickRow(f.RowOf(wanted));

    PSVarnImageListBox& list = f.page->Thumbnails();

    f.owner.previews.clear();
    f.ClickThumbnail(int(longItem));
    EXPECT_EQ(list.GetCurSel(), int(longItem));
    EXPECT_EQ(f.owner.previews, std::vector<bool>{false});
    EXPECT_EQ(BlockPath(f.owner.block), entry.path);
    EXPECT_EQ(f.owner.block.multipleImages, entry.isFolder ? 1 : 0);
    EXPECT_EQ(f.owner.block.presetCategory, wanted);
    EXPECT_GT(f.result.Drawn(), 200);

    // Resting over the name brings up the whole name.
    const RECT r = list.GetItemRect(int(longItem));
    const int y = (r.top + 5 + list.Metrics().thumbnailHeight + r.bottom) / 2;
    Harness::MoveTo(list.hWnd, r.left + 10, y);
    Harness::MoveTo(list.hWnd, r.left + 14, y);
    HWND tip = nullptr;
    EXPECT_TRUE(Harness::PumpUntil([&tip] { return (tip = ShownToolTip()) != nullptr; }, 5000));
    char text[256] = {};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.lpszText = text;
    SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(std::string(text), entry.name);
    f.Shot("imagepage-long-name");
}

TEST(ImagePage, CustomFileThroughTheBoxAndTheChooserThenAFolderOfWeightedPictures) {
    const std::string folder = TempFolder("varnel-imagepage");
    const std::string red = folder + "\\red_30.bmp", blue = folder + "\\blue_10.bmp";
    WriteSolidBmp(red, 24, 18, RGB(255, 0, 0));
    WriteSolidBmp(blue, 18, 24, RGB(0, 0, 255));

    PageFixture f;
    f.Open();
    f.owner.previews.clear();
    f.ClickRow(f.page->Categories().GetCount() - 1);
    EXPECT_EQ(f.owner.block.presetCategory, -1);
    EXPECT_EQ(BlockPath(f.owner.block), "") << "the empty box";
    EXPECT_EQ(f.owner.previews, std::vector<bool>{false});
    EXPECT_TRUE(f.CustomShown());
    EXPECT_EQ(Text(Item(*f.page, IDC_FILE_LABEL)), "&Filename");

    // Typed into the box: taken when the box loses the focus.
    TypeIntoFileBox(Item(*f.page, IDC_FILE_NAME), blue);
    EXPECT_EQ(BlockPath(f.owner.block), blue);
    EXPECT_EQ(f.owner.block.multipleImages, 0);
    EXPECT_EQ(f.CustomPreviewCentre(), RGB(0, 0, 255));
    EXPECT_GT(f.result.Count(RGB(0, 0, 255)), 100);
    f.Shot("imagepage-custom-file");

    // Browse: the open dialog shows the picture under selection; OK takes it.
    COLORREF chooserShowed = 0;
    f.owner.previews.clear();
    {
        Harness::InputThread script([&] {
            HWND dialog = Harness::WaitForWindow([] { return FindWindowA("#32770", "Open"); });
            if (dialog == nullptr) return;
            Sleep(300);
            HWND preview = ChooserPreviewOf(dialog);
            HWND view = FindWindowExA(dialog, nullptr, "SHELLDLL_DefView", nullptr);
            HWND items = FindWindowExA(view, nullptr, "SysListView32", nullptr);
            LVFINDINFOA find{LVFI_STRING, "red_30.bmp", 0, {}, 0};
            int item = int(SendMessageA(items, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
            if (item < 0) {
                find.psz = "red_30";
                item = int(SendMessageA(items, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
            }
            RECT r{LVIR_LABEL, 0, 0, 0};
            SendMessageA(items, LVM_GETITEMRECT, WPARAM(std::max(item, 0)), reinterpret_cast<LPARAM>(&r));
            Harness::Click(items, r.left + 4, (r.top + r.bottom) / 2);
            RECT c{};
            GetClientRect(preview, &c);
            for (int i = 0; i < 60 && chooserShowed != RGB(255, 0, 0); ++i) {
                Sleep(50);
                chooserShowed = Harness::ClientPixel(preview, c.right / 2, c.bottom / 2);
            }
            Harness::SaveScreenshot(dialog, "imagepage-file-chooser");
            Harness::Click(GetDlgItem(dialog, IDOK), 6, 6);
        });
        Harness::Click(Item(*f.page, IDC_BROWSE), 8, 6);
        Harness::PumpUntil([&] { return !f.owner.previews.empty(); }, 8000);
    }
    EXPECT_EQ(chooserShowed, RGB(255, 0, 0)) << "the chooser's preview showed the file under selection";
    EXPECT_EQ(lstrcmpiA(BlockPath(f.owner.block).c_str(), red.c_str()), 0) << BlockPath(f.owner.block);
    EXPECT_EQ(f.owner.previews, std::vector<bool>{false});
    EXPECT_EQ(f.CustomPreviewCentre(), RGB(255, 0, 0));
    EXPECT_GT(f.result.Count(RGB(255, 0, 0)), 100);

    // "Multiple Images": the label and the preview change, the path does not.
    f.owner.previews.clear();
    Harness::Click(Item(*f.page, IDC_MULTIPLE_IMAGES), 5, 5);
    Harness::PumpUntil([&] { return !f.owner.previews.empty(); });
    EXPECT_EQ(f.owner.block.multipleImages, 1);
    EXPECT_EQ(lstrcmpiA(BlockPath(f.owner.block).c_str(), red.c_str()), 0);
    EXPECT_EQ(Text(Item(*f.page, IDC_FILE_LABEL)), "&Directory Name");
    EXPECT_EQ(f.CustomPreviewCentre(), kFace) << "a folder has no preview";

    // The folder chooser opens on the box's folder; OK takes it, and both weighted pictures show.
    TypeIntoFileBox(Item(*f.page, IDC_FILE_NAME), folder);
    f.owner.previews.clear();
    {
        Harness::InputThread script([] {
            HWND window = Harness::WaitForWindow([] { return FindWindowA("#32770", nullptr); });
            if (window == nullptr) return;
            Sleep(400);
            Harness::SaveScreenshot(window, "imagepage-folder-chooser");
            Harness::Click(GetDlgItem(window, IDOK), 6, 6);
        });
        Harness::Click(Item(*f.page, IDC_BROWSE), 8, 6);
        Harness::PumpUntil([&] { return !f.owner.previews.empty(); }, 8000);
    }
    EXPECT_EQ(lstrcmpiA(BlockPath(f.owner.block).c_str(), folder.c_str()), 0) << BlockPath(f.owner.block);
    EXPECT_EQ(f.owner.block.multipleImages, 1);
    EXPECT_EQ(f.result.objects, 2u);
    const int reds = f.result.Count(RGB(255, 0, 0)), blues = f.result.Count(RGB(0, 0, 255));
    EXPECT_GT(reds, 0);
    EXPECT_GT(blues, 0);
    EXPECT_GT(reds, blues) << "weighted 30 to 10";
    f.Shot("imagepage-custom-folder");
}

TEST(ImagePage, OpensOnStoredBlocksWithoutWritingThemUnlessACategoryHasNoPath) {
    const std::vector<PresetCategory>& library = ShippedLibrary();
    const int32_t last = int32_t(library.size()) - 1;
    ASSERT_GE(library[1].entries.size(), 3u);
    struct Case {
        const char* what;
        int32_t category;
        std::string path;
        int32_t multiple;
        int32_t shownCategory;  // -1: "<Custom>"
        int entry;
        bool writes;
    };
    const std::string folder = TempFolder("varnel-imagepage");
    const Case cases[] = {
        {"a folder of one's own", -1, folder, 1, -1, -1, false},
        {"a category below the custom entry", -7, "", 0, -1, -1, false},
        {"the path of a stored category's preset", 1, library[1].entries[2].path, 0, 1, 2, false},
        {"a path no preset of the category has", 1, folder + "\\red_30.bmp", 0, -1, -1, false},
        {"too large a category, no path", last + 5, "", 0, last, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PageFixture f;
        f.owner.block.presetCategory = c.category;
        StoreBlockPath(f.owner.block, c.path);
        f.owner.block.multipleImages = c.multiple;
        const EffectParameters before = f.owner.block;
        f.Open();
        if (c.shownCategory < 0) {
            EXPECT_EQ(f.page->Categories().GetSelection(), f.page->Categories().GetCount() - 1);
            EXPECT_TRUE(f.CustomShown());
            EXPECT_EQ(Text(Item(*f.page, IDC_FILE_NAME)), c.path) << "short enough to show whole";
            EXPECT_EQ(f.Checked(), c.multiple != 0);
            EXPECT_EQ(Text(Item(*f.page, IDC_FILE_LABEL)), c.multiple ? "&Directory Name" : "&Filename");
        } else {
            EXPECT_EQ(f.page->Categories().GetSelection(), f.RowOf(c.shownCategory));
            EXPECT_EQ(f.page->Thumbnails().GetCurSel(), c.entry);
            EXPECT_TRUE(f.Shown(IDC_THUMBNAIL_LIST));
        }
        if (c.writes) {
            EXPECT_EQ(f.owner.previews, std::vector<bool>{false});
            EXPECT_EQ(BlockPath(f.owner.block), library[size_t(last)].entries[0].path);
            EXPECT_EQ(f.owner.block.presetCategory, c.category) << "the stored index itself is kept";
        } else {
            EXPECT_TRUE(f.owner.previews.empty());
            EXPECT_EQ(std::memcmp(&before, &f.owner.block, sizeof before), 0);
        }
        if (c.category == -1) f.Shot("imagepage-custom-opened");
    }
}

TEST(ImagePage, ALongCategoryScrollsByColumnsWithTheBarKeptAlongTheBottom) {
    const std::string folder = TempFolder("varnel-imagepage-many");
    std::vector<PresetCategory> library(1);
    library[0].name = "Many";
    for (int i = 0; i < 20; ++i) {
        PresetEntry entry;
        entry.name = "Picture " + std::to_string(i);
        entry.path = entry.thumbnail = folder + "\\picture" + std::to_string(i) + ".bmp";
        WriteSolidBmp(entry.path, 30 + i, 40, RGB(12 * i, 200 - 8 * i, 90));
        library[0].entries.push_back(entry);
    }
    PageFixture f(library);
    f.Open();
    PSVarnImageListBox& list = f.page->Thumbnails();
    auto* found = dynamic_cast<OrvCustomScrollBar*>(
        CWnd::FromHandlePermanent(FindWindowExA(list.hWnd, nullptr, nullptr, nullptr)));
    ASSERT_NE(found, nullptr);
    OrvCustomScrollBar& bar = *found;
    ASSERT_TRUE(bar.IsWindowVisible());
    const RECT client = list.GetClientRect();
    const auto barAtBottom = [&] {
        const RECT r = bar.GetRectInParent();
        return r.bottom == client.bottom && r.left == 0 && r.right == client.right;
    };
    EXPECT_TRUE(barAtBottom());
    const int perColumn = client.bottom / list.Metrics().itemHeight;
    EXPECT_EQ(perColumn, 3);
    EXPECT_EQ(bar.GetInfo().maximum, (20 + perColumn - 1) / perColumn - 1);
    EXPECT_EQ(bar.GetInfo().page, client.right / list.Metrics().columnWidth);

    // The bar's right arrow: one column on.
    const RECT b = bar.GetClientRect();
    Harness::Click(bar.hWnd, b.right - 4, b.bottom / 2);
    Harness::Pump(100);
    EXPECT_EQ(list.GetTopIndex(), perColumn);
    EXPECT_EQ(bar.GetScrollPos(), 1);
    EXPECT_TRUE(barAtBottom()) << "the list scrolled its children with it";
    // A click on the track after the thumb: to the last page, never past it.
    for (int i = 0; i < 3; ++i) {
        Harness::Click(bar.hWnd, b.right - b.bottom - 3, b.bottom / 2);
        Harness::Pump(60);
    }
    EXPECT_EQ(bar.GetScrollPos(), bar.GetInfo().maximum - bar.GetInfo().page + 1);
    EXPECT_EQ(list.GetTopIndex(), bar.GetScrollPos() * perColumn);
    EXPECT_TRUE(barAtBottom());
    f.Shot("imagepage-scrolled");

    // Opening on the last preset brings its column into view, and the bar follows.
    PageFixture late(library);
    StoreBlockPath(late.owner.block, library[0].entries.back().path);
    late.Open();
    PSVarnImageListBox& lateList = late.page->Thumbnails();
    auto* lateBar = dynamic_cast<OrvCustomScrollBar*>(
        CWnd::FromHandlePermanent(FindWindowExA(lateList.hWnd, nullptr, nullptr, nullptr)));
    ASSERT_NE(lateBar, nullptr);
    EXPECT_EQ(lateList.GetCurSel(), 19);
    EXPECT_GT(lateList.GetTopIndex(), 0);
    EXPECT_EQ(lateBar->GetScrollPos(), lateList.GetTopIndex() / perColumn);
}

}  // namespace
