// The dialog resources of the real Varnel.8bf, read through the system: every template
// makes a dialog whose controls have the ids, classes, texts and places it was written
// with; the skin, button pictures and tool-tip strings have the forms the dialog needs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "OrvLib/platform/Resources.h"
#include "product/resources/ResourceIds.h"

namespace {

struct Control {
    int id;
    const char* className;
    const char* text;  // null: not compared (bitmap statics)
    int x, y, width, height;
    bool visible = true;
};

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct Templates : ::testing::Test {
    static HMODULE module;
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        module = LoadLibraryA("Varnel.8bf");
    }
    static void TearDownTestSuite() {
        if (module != nullptr) FreeLibrary(module);
    }

    // Creates the template and compares every listed control with the window the system
    // made for it; returns the dialog's client size in pixels.
    SIZE CheckTemplate(int templateId, SIZE units, const std::vector<Control>& controls,
                       HWND parent = nullptr) {
        SIZE client = {0, 0};
        HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(templateId), parent, &QuietDialog, 0);
        EXPECT_NE(dialog, nullptr) << "template " << templateId << ": " << GetLastError();
        if (dialog == nullptr) return client;
        RECT expected = {0, 0, units.cx, units.cy}, actual;
        MapDialogRect(dialog, &expected);
        GetClientRect(dialog, &actual);
        EXPECT_EQ(actual.right, expected.right) << templateId;
        EXPECT_EQ(actual.bottom, expected.bottom) << templateId;
        client = {actual.right, actual.bottom};
        for (const Control& c : controls) {
            SCOPED_TRACE("template " + std::to_string(templateId) + ", control " + std::to_string(c.id));
            HWND child = GetDlgItem(dialog, c.id);
            EXPECT_NE(child, nullptr);
            if (child == nullptr) continue;
            char name[64] = {}, text[128] = {};
            GetClassNameA(child, name, sizeof(name));
            EXPECT_STREQ(name, c.className);
            if (c.text != nullptr) {
                GetWindowTextA(child, text, sizeof(text));
                EXPECT_STREQ(text, c.text);
            }
            const bool visible = (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0;
            EXPECT_EQ(visible, c.visible);
            // The system maps place and size each on its own, as MapDialogRect maps each field.
            RECT want = {c.x, c.y, c.width, c.height}, got;
            MapDialogRect(dialog, &want);
            want.right += want.left;
            want.bottom += want.top;
            GetWindowRect(child, &got);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&got), 2);
            EXPECT_EQ(got.left, want.left);
            EXPECT_EQ(got.top, want.top);
            // A bitmap static takes its picture's size.
            if (c.text != nullptr) {
                EXPECT_EQ(got.right, want.right);
                EXPECT_EQ(got.bottom, want.bottom);
            }
        }
        DestroyWindow(dialog);
        return client;
    }
};
HMODULE Templates::module = nullptr;

TEST_F(Templates, MainDialogHasItsControlsWhereWritten) {
    ASSERT_NE(module, nullptr);
    char caption[32] = {};
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_VARNEL_DIALOG), nullptr, &QuietDialog, 0);
    ASSERT_NE(dialog, nullptr);
    GetWindowTextA(dialog, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Varnel");
    DestroyWindow(dialog);

    const SIZE client =
        CheckTemplate(IDD_VARNEL_DIALOG, {331, 350},
                      {
                          {IDC_BEFORE_PREVIEW, "Static", "Original Preview", 22, 49, 132, 105},
                          {IDC_ZOOM_RATIO, "Static", "Zoom Ratio", 7, 94, 14, 14},
                          {IDC_ZOOM_IN, "Button", "Zoom In", 7, 49, 14, 14},
                          {IDC_LOCATOR, "Button", "Zoom Locator", 7, 79, 14, 14},
                          {IDC_ZOOM_OUT, "Button", "Zoom Out", 7, 64, 14, 14},
                          {IDC_RESULT_PREVIEW, "Static", "Preview", 192, 49, 132, 105},
                          {IDC_PAGE_PLACE, "Static", "Child dialog position", 12, 176, 305, 146, false},
                          {IDOK, "Button", "OK", 165, 329, 50, 14},
                          {IDCANCEL, "Button", "Cancel", 219, 329, 50, 14},
                          {IDC_HELP_BUTTON, "Button", "&Help", 273, 329, 50, 14},
                          {IDC_TABS, "SysTabControl32", "Tab1", 7, 161, 316, 164},
                      });
    // The skin's width; its height of 569 is the client height with the system's own
    // 13-pixel font, and smaller fonts show less of its bottom.
    EXPECT_EQ(client.cx, 497);
    EXPECT_LE(client.cy, 569);
}

TEST_F(Templates, PagesHaveTheirControlsWhereWritten) {
    ASSERT_NE(module, nullptr);
    // The pages are child windows: they need the main dialog as their parent.
    HWND main = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_VARNEL_DIALOG), nullptr, &QuietDialog, 0);
    ASSERT_NE(main, nullptr);
    CheckTemplate(
        IDD_IMAGE_PAGE, {305, 145},
        {
            {IDC_CATEGORY_LIST, "ListBox", "", 6, 6, 67, 133},
            {IDC_THUMBNAIL_PLACE, "Static", "Image preset list box goes here", 76, 6, 223, 133, false},
            {IDC_FILE_LABEL, "Static", "&Filename", 76, 6, 65, 8},
            {IDC_FILE_NAME, "Edit", "", 76, 15, 223, 14},
            {IDC_BROWSE, "Button", "&Browse...", 249, 31, 50, 14},
            {IDC_CUSTOM_PREVIEW, "Static", "Custom Image Preview", 189, 57, 110, 82},
            {IDC_MULTIPLE_IMAGES, "Button", "&Multiple Images", 76, 33, 65, 10},
        },
        main);
    CheckTemplate(IDD_SETTINGS_PAGE, {305, 145},
                  {
                      {IDC_ROTATION_PANEL, "Static", "", 6, 36, 142, 103},
                      {IDC_SCALE_PANEL, "Static", "", 157, 36, 142, 103},
                      {IDC_DENSITY_LABEL, "Static", "&Density", 6, 6, 30, 8},
                      {IDC_DENSITY, TRACKBAR_CLASSA, "Density", 6, 16, 142, 15},
                      {IDC_ROTATE_IMAGES, "Button", "&Rotate Images", 13, 41, 64, 10},
                      {IDC_ROTATION_ANGLE, "Static", "Rotation Angle", 23, 54, 89, 41},
                      {IDC_RANDOMISE_ROTATION, "Button", "Randomise Ro&tation", 23, 101, 80, 10},
                      {IDC_RANDOM_ROTATION, TRACKBAR_CLASSA, "Random rotation", 33, 112, 108, 15},
                      {IDC_OPACITY_LABEL, "Static", "&Opacity", 157, 6, 31, 8},
                      {IDC_OPACITY_EMPTY, "Static", nullptr, 157, 17, 11, 10},
                      {IDC_OPACITY, TRACKBAR_CLASSA, "Opacity", 172, 16, 127, 15},
                      {IDC_OPACITY_FULL, "Static", nullptr, 245, 17, 11, 10},
                      {IDC_SCALE_IMAGES, "Button", "&Scale Images", 164, 41, 94, 10},
                      {IDC_SCALE, TRACKBAR_CLASSA, "Scale", 174, 52, 119, 15},
                      {IDC_RANDOMISE_SCALING, "Button", "Randomise S&caling", 174, 70, 97, 10},
                      {IDC_RANDOM_SCALE, TRACKBAR_CLASSA, "Random scale", 184, 81, 108, 15},
                      {IDC_ORDER_BY_DEPTH, "Button", "Order &by depth", 174, 99, 85, 10},
                      {IDC_FADE_WITH_DEPTH, "Button", "&Fade with depth", 184, 110, 106, 10},
                      {IDC_DESATURATE_WITH_DEPTH, "Button", "Desat&urate with depth", 184, 122, 106, 10},
                  },
                  main);
    CheckTemplate(IDD_OPTIONS_PAGE, {305, 155},
                  {
                      {IDC_WHOLE_OBJECTS, "Button", "Only varn &whole objects", 6, 6, 92, 10},
                      {IDC_NO_OVERLAP, "Button", "&No overlap", 6, 18, 51, 10},
                      {IDC_APPLY_AS_TEXTURE, "Button", "Apply as &Texture", 6, 36, 69, 10},
                      {IDC_TEXTURE_AMOUNT, TRACKBAR_CLASSA, "Texture amount", 16, 47, 176, 15},
                      {IDC_SEED_LABEL, "Static", "Random &Seed", 6, 71, 52, 8},
                      {IDC_SEED, "Edit", "", 6, 80, 46, 14},
                      {IDC_RANDOMISE_SEED, "Button", "&Randomise", 53, 80, 48, 14},
                  },
                  main);
    DestroyWindow(main);
}

TEST_F(Templates, PageTemplatesAreChildrenThatHostTheirControls) {
    ASSERT_NE(module, nullptr);
    for (int id : {IDD_IMAGE_PAGE, IDD_SETTINGS_PAGE, IDD_OPTIONS_PAGE}) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
        ASSERT_NE(found, nullptr) << id;
        // DIALOGEX: version 1, signature 0xFFFF, help id, extended style, style.
        const auto* words = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
        ASSERT_EQ(words[1], 0xFFFF) << id;
        DWORD style = 0;
        memcpy(&style, words + 6, sizeof(style));
        EXPECT_TRUE(style & WS_CHILD) << id;
        EXPECT_TRUE(style & DS_CONTROL) << id;
        EXPECT_FALSE(style & WS_VISIBLE) << id;
    }
}

TEST_F(Templates, SkinPicturesHaveTheDialogsSizeAndForm) {
    ASSERT_NE(module, nullptr);
    struct Expect {
        int id, colourType, bitCount;
        bool alpha;
        int factor;  // the larger scales' pictures are drawn at twice the size
    };
    for (const Expect& e :
         {Expect{IDR_SKIN_BACKGROUND, 2, 24, false, 1}, Expect{IDR_SKIN_OVERLAY, 6, 32, true, 1},
          Expect{IDR_SKIN_BACKGROUND_2X, 2, 24, false, 2}, Expect{IDR_SKIN_OVERLAY_2X, 6, 32, true, 2}}) {
        SCOPED_TRACE(e.id);
        const std::vector<uint8_t> png = OrvPlatform::ModuleResource(module, e.id, "IMAGE");
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(memcmp(png.data() + 1, "PNG", 3), 0);
        EXPECT_EQ(png[24], 8);  // bits per sample
        EXPECT_EQ(png[25], e.colourType);
        OrvImage2 image;
        ASSERT_TRUE(LoadImageResource(module, e.id, "IMAGE", ".png", image));
        EXPECT_EQ(image.GetWidth(), 497 * e.factor);
        EXPECT_EQ(image.GetHeight(), 569 * e.factor);
        EXPECT_EQ(image.GetBitCount(), e.bitCount);
        EXPECT_EQ(image.HasAlpha(), e.alpha);
    }
}

TEST_F(Templates, ButtonPicturesAndTipStringsArePresent) {
    ASSERT_NE(module, nullptr);
    struct Picture {
        int id, width, height, bits;
    };
    const Picture pictures[] = {{IDB_ZOOM_IN, 16, 16, 24},        {IDB_ZOOM_OUT, 16, 16, 24},
                                {IDB_LOCATOR, 16, 16, 4},         {IDB_DENSITY_STRIP, 104, 14, 24},
                                {IDB_TEXTURE_STRIP, 104, 14, 24}, {IDB_OPACITY_EMPTY, 16, 16, 24},
                                {IDB_OPACITY_FULL, 16, 16, 24}};
    for (const Picture& p : pictures) {
        const int id = p.id;
        HANDLE bitmap = LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(bitmap, nullptr) << id;
        DIBSECTION section = {};
        ASSERT_EQ(GetObjectA(bitmap, sizeof(section), &section), static_cast<int>(sizeof(section))) << id;
        EXPECT_EQ(section.dsBmih.biWidth, p.width) << id;
        EXPECT_EQ(section.dsBmih.biHeight, p.height) << id;
        EXPECT_EQ(section.dsBmih.biBitCount, p.bits) << id;
        DeleteObject(bitmap);
    }
    const std::pair<int, const char*> tips[] = {{IDS_TIP_LOCATOR, "Zoom Locator"},
                                                {IDS_TIP_ZOOM_IN, "Zoom In"},
                                                {IDS_TIP_ZOOM_OUT, "Zoom Out"},
                                                {IDS_TIP_ZOOM_RATIO, "Current Zoom Ratio"}};
    for (const auto& [id, text] : tips) {
        char buffer[80] = {};
        EXPECT_GT(LoadStringA(module, id, buffer, sizeof(buffer)), 0) << id;
        EXPECT_STREQ(buffer, text);
    }
}

}  // namespace
