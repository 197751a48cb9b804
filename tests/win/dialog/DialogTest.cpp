// The effect dialog as a host meets it: Start through the plug-in's entry opens the real
// dialog, which this test drives with real input from a second thread while the host's
// thread runs the modal loop. Screenshots go to the contact sheet.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "OrvLib/controls/win32/OrvGridControl.h"
#include "OrvLib/framework/CWnd.h"
#include "OrvLib/plugin/ViewModel.h"
#include "EffectDialogDriver.h"
#include "HelpViewerRecorder.h"
#include "WindowHarness.h"
#include "host/DialogResponder.h"
#include "host/MemoryHost.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/ImagePage.h"
#include "product/resources/ResourceIds.h"
#include "tests/plugin/PluginEntry.h"

namespace {

using namespace DialogTest;

// The label follows the level at once; the buttons' enabling comes a moment later on the
// dialog's thread, so wait until each button says what the view allows.
bool ButtonsFollow(HWND dialog, const PSVarnPlugin& plugin) {
    return Eventually([&] {
        return Enabled(dialog, IDC_ZOOM_IN) == plugin.CanZoomIn() &&
               Enabled(dialog, IDC_ZOOM_OUT) == plugin.CanZoomOut() &&
               Enabled(dialog, IDC_LOCATOR) == !(plugin.GetViewRect() == plugin.GetFilterRect());
    });
}

OrvPoint Centre(const OrvRect& r) { return OrvPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Points this process's lookup of the help viewer at the recorder beside the test program,
// for as long as it lives. The plug-in looks the viewer up once, at its first request.
class RecordingHelpViewer {
public:
    RecordingHelpViewer() {
        name = "Software\\VarnelTests\\HelpViewer" + std::to_string(GetCurrentProcessId());
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string path = self;
        path = path.substr(0, path.find_last_of('\\') + 1) + "help_viewer_recorder.dll";
        HKEY server = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                            nullptr) != ERROR_SUCCESS ||
            RegCreateKeyExA(root, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", 0, nullptr,
                            0, KEY_ALL_ACCESS, nullptr, &server, nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExA(server, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       DWORD(path.size() + 1));
        RegCloseKey(server);
        installed = RegOverridePredefKey(HKEY_CLASSES_ROOT, root) == ERROR_SUCCESS;
    }
    ~RecordingHelpViewer() {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        if (root != nullptr) RegCloseKey(root);
        RegDeleteTreeA(HKEY_CURRENT_USER, name.c_str());
    }
    std::vector<RecordedHelpCall> Calls() const {
        std::vector<RecordedHelpCall> calls(8);
        HMODULE recorder = GetModuleHandleA("help_viewer_recorder.dll");
        auto read = recorder != nullptr ? reinterpret_cast<RecordedHelpCallsProc>(reinterpret_cast<void*>(
                                              GetProcAddress(recorder, "RecordedHelpCalls")))
                                        : nullptr;
        calls.resize(read != nullptr ? size_t(read(calls.data(), int(calls.size()))) : 0);
        return calls;
    }
    bool installed = false;

private:
    std::string name;
    HKEY root = nullptr;
};

std::vector<uint32_t> Pixels(HWND window) {
    int width = 0, height = 0;
    return Harness::CaptureWindow(window, width, height);
}

uint64_t PixelHash(const VarnHost::HostImage& image) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a, as the identity matrix hashes a picture
    const auto add = [&hash](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (int32_t v : {image.width, image.height, image.planes}) add(uint8_t(v));
    for (uint8_t byte : image.pixels) add(byte);
    return hash;
}

TEST_F(EffectDialog, OpensOnStartWithTheControlsWhereTheTemplatePutsThem) {
    Prepare(1000, 800, {"--density", "40", "--seed", "3"});
    ASSERT_EQ(
        Start([&](HWND dialog) {
            char caption[16] = {};
            GetWindowTextA(dialog, caption, sizeof caption);
            EXPECT_STREQ(caption, "Varnel");
            const RECT tabs = DialogUnits(dialog, 7, 161, 316, 164);
            const RECT resultBox = DialogUnits(dialog, 192, 49, 132, 105);
            const int w = resultBox.right - resultBox.left, h = resultBox.bottom - resultBox.top;
            // The ratio label, at least 22 wide, is as wide as its text needs; the strip 2 wider
            // on each side.
            const RECT label = RectIn(GetDlgItem(dialog, IDC_ZOOM_RATIO), dialog);
            const int cell = label.right - label.left, stripWidth = cell + 4;
            EXPECT_GE(cell, 22);
            // The previews side by side across the page area's width, the zoom strip left of them.
            EXPECT_TRUE(SameRect(
                RectIn(GetDlgItem(dialog, IDC_BEFORE_PREVIEW), dialog),
                RECT{tabs.left + stripWidth, resultBox.top, tabs.left + stripWidth + w, resultBox.top + h}));
            EXPECT_TRUE(SameRect(RectIn(GetDlgItem(dialog, IDC_RESULT_PREVIEW), dialog),
                                 RECT{tabs.right - w, resultBox.top, tabs.right, resultBox.top + h}));
            int top = resultBox.top + 2;
            for (int id : {IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_ZOOM_RATIO, IDC_LOCATOR}) {
                const int width = id == IDC_ZOOM_RATIO ? cell : 22, left = tabs.left + 2 + (cell - width) / 2;
                EXPECT_TRUE(
                    SameRect(RectIn(GetDlgItem(dialog, id), dialog), RECT{left, top, left + width, top + 22}))
                    << id;
                top += 22;
            }
            EXPECT_TRUE(
                SameRect(RectIn(GetDlgItem(dialog, IDOK), dialog), DialogUnits(dialog, 165, 329, 50, 14)));
            EXPECT_TRUE(SameRect(RectIn(GetDlgItem(dialog, IDCANCEL), dialog),
                                 DialogUnits(dialog, 219, 329, 50, 14)));
            EXPECT_TRUE(SameRect(RectIn(GetDlgItem(dialog, IDC_HELP_BUTTON), dialog),
                                 DialogUnits(dialog, 273, 329, 50, 14)));
            HWND strip = TabStrip(dialog);
            ASSERT_NE(strip, nullptr);
            EXPECT_TRUE(SameRect(RectIn(strip, dialog), tabs));

            // The whole picture in view: 1000 x 800 in the preview's client area.
            RECT client;
            GetClientRect(GetDlgItem(dialog, IDC_RESULT_PREVIEW), &client);
            const int fit = ViewModel::FitLevel({1000, 800}, {client.right, client.bottom}, true);
            EXPECT_EQ(Label(dialog), "1:" + std::to_string(fit));
            EXPECT_TRUE(Enabled(dialog, IDC_ZOOM_IN));
            EXPECT_FALSE(Enabled(dialog, IDC_ZOOM_OUT));
            EXPECT_FALSE(Enabled(dialog, IDC_LOCATOR));
            Harness::SaveScreenshot(dialog, "dialog-fit");

            // Exactly one page at a time, at the placeholder's rectangle.
            const RECT place = DialogUnits(dialog, 12, 176, 305, 146);
            for (int tab : {1, 2, 0}) {
                EXPECT_TRUE(ShowTab(dialog, tab)) << "tab " << tab;
                for (HWND page : VisiblePages(dialog)) EXPECT_TRUE(SameRect(RectIn(page, dialog), place));
                if (tab != 0)
                    Harness::SaveScreenshot(dialog, tab == 1 ? "dialog-settings" : "dialog-options");
            }
            EndWith(dialog, IDCANCEL);
        }),
        userCanceledErr);
    EXPECT_EQ(host.Image().pixels, original) << "Cancel leaves the image untouched";
}

TEST_F(EffectDialog, ZoomPanAndLocatorMoveTheViewAsThePointerSays) {
    Prepare(1000, 800, {"--density", "60", "--seed", "5", "--random-scale", "2"});
    PSVarnPlugin& plugin = ThePlugin();
    ASSERT_EQ(Start([&](HWND dialog) {
                  // Away from the screen's edge, so that the locator's pop-up lies wholly on it.
                  SetWindowPos(dialog, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                  HWND zoomIn = GetDlgItem(dialog, IDC_ZOOM_IN), zoomOut = GetDlgItem(dialog, IDC_ZOOM_OUT);
                  const int fit = plugin.GetZoomLevel();
                  // In to 1:1: the label follows, zoom out and the locator come on.
                  for (int level = fit - 1; level >= 1; --level) {
                      ClickCentre(zoomIn);
                      ASSERT_TRUE(Eventually([&] { return Label(dialog) == "1:" + std::to_string(level); }))
                          << Label(dialog);
                      ASSERT_TRUE(ButtonsFollow(dialog, plugin));
                  }
                  EXPECT_TRUE(Enabled(dialog, IDC_ZOOM_OUT));
                  EXPECT_TRUE(Enabled(dialog, IDC_LOCATOR));
                  EXPECT_TRUE(Enabled(dialog, IDC_ZOOM_IN));
                  Harness::SaveScreenshot(dialog, "dialog-zoomed-1-1");

                  // A drag on the result preview pans both previews; the image follows the pointer.
                  HWND resultPreview = GetDlgItem(dialog, IDC_RESULT_PREVIEW),
                       before = GetDlgItem(dialog, IDC_BEFORE_PREVIEW);
                  const std::vector<uint32_t> beforeShown = Pixels(before);
                  const OrvRect start = plugin.GetViewRect();
                  Harness::Press(resultPreview, 100, 80);
                  Harness::MoveTo(resultPreview, 80, 70);
                  Harness::MoveTo(resultPreview, 60, 50);
                  EXPECT_TRUE(Eventually([&] { return plugin.GetViewRect().left == start.left + 40; }));
                  EXPECT_EQ(plugin.GetViewRect().top, start.top + 30);
                  // What the screen shows mid-drag; a redraw for the picture would not wait for it.
                  RECT onScreen;
                  GetWindowRect(dialog, &onScreen);
                  Harness::SaveScreenArea(onScreen, "dialog-panning");
                  Harness::Release();
                  EXPECT_TRUE(Eventually([&] { return Pixels(before) != beforeShown; }))
                      << "the before preview follows";
                  const OrvPoint panned = Centre(plugin.GetViewRect());
                  ClickCentre(zoomOut);
                  ASSERT_TRUE(Eventually([&] { return Label(dialog) == "1:2"; }));
                  ASSERT_TRUE(ButtonsFollow(dialog, plugin));
                  EXPECT_NEAR(Centre(plugin.GetViewRect()).x, panned.x, 1) << "zooming keeps the centre";
                  EXPECT_NEAR(Centre(plugin.GetViewRect()).y, panned.y, 1);

                  // Held on the locator: the pop-up opens under the pointer with the whole picture.
                  HWND locator = GetDlgItem(dialog, IDC_LOCATOR);
                  Harness::Press(locator, 11, 11);
                  HWND popup = Harness::WaitForWindow([] { return LocatorPopup(); });
                  ASSERT_NE(popup, nullptr);
                  RECT client;
                  GetClientRect(popup, &client);
                  const OrvImage2* picture = plugin.GetLocatorImage();
                  ASSERT_NE(picture, nullptr);
                  EXPECT_EQ(client.right, picture->Width());
                  EXPECT_EQ(client.bottom, picture->AbsHeight());
                  const POINT pressed = Harness::ScreenPoint(locator, 11, 11);
                  const POINT middle = Harness::ScreenPoint(popup, client.right / 2, client.bottom / 2);
                  EXPECT_NEAR(middle.x, pressed.x, 2);
                  EXPECT_NEAR(middle.y, pressed.y, 2);
                  // The pop-up puts the pointer on the frame's centre once it is up.
                  Sleep(100);
                  Harness::MoveTo(popup, client.right / 4, client.bottom / 4);
                  Sleep(50);

                  // The pop-up over the dialog, as the person sees it.
                  RECT shown, over;
                  GetWindowRect(dialog, &shown);
                  GetWindowRect(popup, &over);
                  UnionRect(&shown, &shown, &over);
                  Harness::SaveScreenArea(shown, "dialog-locator-open");
                  Harness::Release();
                  ASSERT_TRUE(Eventually([] { return LocatorPopup() == nullptr; }));
                  // The release point, mapped into the picture, is the new view's centre.
                  const OrvRect f = plugin.GetFilterRect();
                  EXPECT_TRUE(Eventually([&] {
                      return std::abs(Centre(plugin.GetViewRect()).x - f.Width() / 4) <= 8;
                  })) << Centre(plugin.GetViewRect()).x;
                  EXPECT_NEAR(Centre(plugin.GetViewRect()).y, f.Height() / 4, 8);
                  EXPECT_EQ(Label(dialog), "1:2") << "the locator keeps the zoom";
                  ASSERT_TRUE(ButtonsFollow(dialog, plugin));

                  // In as far as it goes: 7:1, and zoom in switches off.
                  while (Enabled(dialog, IDC_ZOOM_IN)) {
                      const std::string was = Label(dialog);
                      ClickCentre(zoomIn);
                      ASSERT_TRUE(Eventually([&] { return Label(dialog) != was; }));
                      ASSERT_TRUE(ButtonsFollow(dialog, plugin));
                  }
                  EXPECT_EQ(Label(dialog), "7:1");
                  Harness::SaveScreenshot(dialog, "dialog-zoomed-7-1");
                  // Out to the fit level: zoom out and the locator switch off again.
                  while (Enabled(dialog, IDC_ZOOM_OUT)) {
                      const std::string was = Label(dialog);
                      ClickCentre(zoomOut);
                      ASSERT_TRUE(Eventually([&] { return Label(dialog) != was; }));
                      ASSERT_TRUE(ButtonsFollow(dialog, plugin));
                  }
                  EXPECT_EQ(plugin.GetZoomLevel(), fit);
                  EXPECT_FALSE(Enabled(dialog, IDC_LOCATOR));
                  EndWith(dialog, IDCANCEL);
              }),
              userCanceledErr);
}

TEST_F(EffectDialog, HostFailureDuringAZoomEndsTheDialogWithTheHostsCode) {
    Prepare(600, 400, {"--density", "20"});
    ASSERT_EQ(Start([&](HWND dialog) {
                  // The next request for pixels, made by the zoom, is refused: out of memory.
                  host.Faults().advanceError = memFullErr;
                  host.Faults().errorAtAdvance = host.Advances() + 1;
                  ClickCentre(GetDlgItem(dialog, IDC_ZOOM_IN));
                  EXPECT_TRUE(Eventually([] { return VarnelDialog() == nullptr; }));
              }),
              memFullErr);
    EXPECT_EQ(host.Image().pixels, original);
    EXPECT_EQ(host.Locks(), host.Unlocks());
}

TEST_F(EffectDialog, HelpKeyOverOkAsksForOksHelp) {
    RecordingHelpViewer viewer;
    ASSERT_TRUE(viewer.installed);
    Prepare(300, 200, {"--density", "10"});
    HWND okButton = nullptr;
    ASSERT_EQ(Start([&](HWND dialog) {
                  okButton = GetDlgItem(dialog, IDOK);
                  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(okButton), TRUE);
                  EXPECT_TRUE(Eventually([&] { return HostFocus() == okButton; }));
                  Harness::MoveTo(okButton, 10, 8);
                  Harness::Key(VK_F1);
                  EXPECT_TRUE(Eventually([&] { return !viewer.Calls().empty(); }));
                  EndWith(dialog, IDCANCEL);
              }),
              userCanceledErr);
    // Pop-up help for the OK button's own window, from the dialog's topic file beside the
    // module, with the table in which the viewer finds OK's help context.
    const std::vector<RecordedHelpCall> calls = viewer.Calls();
    ASSERT_EQ(calls.size(), 1u)
        << "none when the viewer was looked up before the recorder was put in its place";
    const RecordedHelpCall& asked = calls[0];
    EXPECT_EQ(asked.command, 17u);
    EXPECT_EQ(asked.caller, okButton);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string chm = self;
    chm = chm.substr(0, chm.rfind('.')) + ".chm::/Text/VarnelDialog.txt";
    EXPECT_STREQ(asked.file, chm.c_str());
    const std::vector<uint32_t> table(asked.pairs, asked.pairs + 2 * asked.pairCount);
    ASSERT_GE(table.size(), 20u);
    EXPECT_EQ(std::vector<uint32_t>(table.begin(), table.begin() + 20),
              (std::vector<uint32_t>{7002, 7002, 7001,  7001,  7010, 7010, 7012, 7012, 7004, 7004,
                                     7027, 7027, 11005, 11005, 1,    1,    2,    2,    7000, 7000}));
    uint32_t context = 0;
    for (size_t i = 0; i + 1 < table.size(); i += 2)
        if (table[i] == IDOK) context = table[i + 1];
    EXPECT_EQ(context, 1u) << "OK's help context";
}

// F1 on the pages' controls: a control asks for its own pop-up, a number box for its slider's.
TEST_F(EffectDialog, HelpKeyOnAPageAsksForTheControlsHelp) {
    RecordingHelpViewer viewer;
    ASSERT_TRUE(viewer.installed);
    Prepare(300, 200, {"--density", "10"});
    const struct {
        int tab, control;
        bool numberBox;
    } asked[] = {{1, IDC_DENSITY, true},
                 {1, IDC_SCALE_IMAGES, false},
                 {3, IDC_BLEND_MULTIPLY, false},
                 {3, IDC_HUE_JITTER, true},
                 {2, IDC_SEED, false}};
    std::vector<HWND> expected;
    // The recorder keeps the calls of earlier tests in this process.
    const size_t earlier = viewer.Calls().size();
    ASSERT_EQ(Start([&](HWND dialog) {
                  for (const auto& a : asked) {
                      ASSERT_TRUE(ShowTab(dialog, a.tab));
                      HWND page = VisiblePages(dialog).at(0);
                      HWND control = GetDlgItem(page, a.control);
                      HWND focus = a.numberBox ? GetWindow(control, GW_HWNDNEXT) : control;
                      PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
                      EXPECT_TRUE(Eventually([&] { return HostFocus() == focus; })) << a.control;
                      const size_t before = viewer.Calls().size();
                      Harness::Key(VK_F1);
                      EXPECT_TRUE(Eventually([&] { return viewer.Calls().size() > before; })) << a.control;
                      expected.push_back(control);
                  }
                  EndWith(dialog, IDCANCEL);
              }),
              userCanceledErr);
    std::vector<RecordedHelpCall> calls = viewer.Calls();
    calls.erase(calls.begin(), calls.begin() + std::ptrdiff_t(std::min(earlier, calls.size())));
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].caller, expected[i]) << asked[i].control;
        const uint32_t *begin = calls[i].pairs, *end = begin + 2 * calls[i].pairCount;
        EXPECT_NE(std::find(begin, end, uint32_t(asked[i].control)), end) << "a pop-up of its own";
    }
}

TEST_F(EffectDialog, OkAfterZoomingWritesWhatTheRunWithoutADialogWrites) {
    // The identity matrix's "rgb shipped folder preset" scene, whose pixels every build
    // shares with the headless run of the native plug-in.
    Prepare(160, 120, {"--density", "40", "--seed", "16", "--random-scale", "2", "--random-rotation", "30"});
    PSVarnPlugin& plugin = ThePlugin();
    ASSERT_EQ(Start([&](HWND dialog) {
                  ClickCentre(GetDlgItem(dialog, IDC_ZOOM_IN));
                  ASSERT_TRUE(Eventually([&] { return Label(dialog) == "2:1"; })) << Label(dialog);
                  HWND preview = GetDlgItem(dialog, IDC_RESULT_PREVIEW);
                  Harness::Press(preview, 60, 60);
                  Harness::MoveTo(preview, 90, 80);
                  Harness::Release();
                  // Escape during a drag is the drag's: it ends there, the dialog stays open,
                  // and the pointer moving on before the release moves nothing.
                  const OrvRect panned = plugin.GetViewRect();
                  Harness::Press(preview, 90, 80);
                  Harness::MoveTo(preview, 70, 70);
                  ASSERT_TRUE(Eventually([&] { return !(plugin.GetViewRect() == panned); }));
                  const OrvRect escaped = plugin.GetViewRect();
                  Harness::Key(VK_ESCAPE);
                  Harness::MoveTo(preview, 40, 40);
                  Harness::Release();
                  Sleep(100);
                  ASSERT_NE(VarnelDialog(), nullptr) << "Escape in a drag cancelled the dialog";
                  EXPECT_TRUE(plugin.GetViewRect() == escaped);
                  EndWith(dialog, IDOK);
              }),
              noErr);
    EXPECT_EQ(PixelHash(host.Image()), 0x63BE84B4044B8207ull);
    EXPECT_EQ(host.Locks(), host.Unlocks());

    // Answered from outside at once, the same block gives the same picture again.
    EXPECT_EQ(PixelsAnsweredFromOutside(), host.Image().pixels);
}

TEST_F(EffectDialog, ImagePageChoicesReachTheResultPreviewAndOkWritesTheChosenPicture) {
    Prepare(400, 300, {"--density", "40", "--seed", "7"});
    PSVarnPlugin& plugin = ThePlugin();
    ASSERT_EQ(
        Start([&](HWND dialog) {
            const std::vector<HWND> pages = VisiblePages(dialog);
            ASSERT_EQ(pages.size(), 1u);
            HWND page = pages[0];
            ASSERT_NE(GetDlgItem(page, IDC_BROWSE), nullptr) << "the Image page comes first";
            auto* grid =
                dynamic_cast<OrvGridControl*>(CWnd::FromHandlePermanent(GetDlgItem(page, IDC_CATEGORY_LIST)));
            ASSERT_NE(grid, nullptr);
            HWND resultPreview = GetDlgItem(dialog, IDC_RESULT_PREVIEW);
            const std::vector<PresetCategory>& library = plugin.Presets();
            const auto clickRow = [&](int row) {
                const OrvRect cell = grid->Model().CellRect(row);
                Harness::Click(grid->hWnd, cell.left + 6, (cell.top + cell.bottom) / 2);
            };
            // Three categories other than the stored one: each applies its first preset
            // and the result preview changes to show it.
            int shown = 0;
            for (int row = 0; row + 1 < grid->GetCount() && shown < 3; ++row) {
                const int category = grid->GetDatum(row);
                if (row == grid->GetSelection()) continue;
                const std::vector<uint32_t> before = Pixels(resultPreview);
                clickRow(row);
                EXPECT_TRUE(Eventually([&] { return plugin.Parameters()->presetCategory == category; }))
                    << grid->GetText(row);
                EXPECT_EQ(BlockPath(*plugin.Parameters()), library[size_t(category)].entries[0].path);
                EXPECT_TRUE(Eventually([&] { return Pixels(resultPreview) != before; }))
                    << grid->GetText(row);
                Harness::SaveScreenshot(dialog, "dialog-image-" + std::to_string(++shown));
            }
            EXPECT_EQ(shown, 3);
            // "<Custom>" with the empty name box: no objects, the result is the picture itself.
            clickRow(grid->GetCount() - 1);
            EXPECT_TRUE(Eventually([&] { return plugin.Parameters()->presetCategory == -1; }));
            EXPECT_TRUE(Eventually(
                [&] { return Pixels(resultPreview) == Pixels(GetDlgItem(dialog, IDC_BEFORE_PREVIEW)); }));
            Harness::SaveScreenshot(dialog, "dialog-image-custom");
            clickRow(0);
            EXPECT_TRUE(Eventually([&] { return plugin.Parameters()->presetCategory == grid->GetDatum(0); }));
            EndWith(dialog, IDOK);
        }),
        noErr);
    EXPECT_NE(host.Image().pixels, original);

    // The block the page left gives the same picture answered from outside.
    EXPECT_EQ(PixelsAnsweredFromOutside(), host.Image().pixels);
}

}  // namespace
