// The effect dialog as a host meets it: Start through the plug-in's entry opens the real
// dialog, which this test drives with real input from a second thread while the host's
// thread runs the modal loop. Screenshots go to the contact sheet.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "OrvLib/controls/win32/OrvDragTabCtrl.h"
#include "OrvLib/controls/win32/OrvGridControl.h"
#include "OrvLib/framework/CWnd.h"
#include "OrvLib/plugin/ViewModel.h"
#include "OrvLib/plugin/win32/OrvPSZoomRatioStatic.h"
#include "WindowHarness.h"
#include "host/DialogResponder.h"
#include "host/MemoryHost.h"
#include "host/cli/Arguments.h"
#include "host/cli/PresetLibrary.h"
#include "host/cli/SampleImage.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/ImagePage.h"
#include "product/resources/ResourceIds.h"
#include "tests/plugin/PluginEntry.h"

namespace {

DWORD hostThread = 0;

BOOL CALLBACK FindVarnelDialog(HWND window, LPARAM found) {
    char name[16] = {}, caption[16] = {};
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(name, "#32770") != 0 || lstrcmpA(caption, "Varnel") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK FindLocatorPopup(HWND window, LPARAM found) {
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(caption, "Preview Locator") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND HostThreadWindow(WNDENUMPROC find) {
    HWND found = nullptr;
    EnumThreadWindows(hostThread, find, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Polls from the input thread; the host's thread runs the dialog meanwhile.
bool Eventually(const std::function<bool()>& done, int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        if (done()) return true;
        Sleep(10);
    }
    return done();
}

RECT RectIn(HWND window, HWND parent) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT r = {x, y, width, height};
    MapDialogRect(dialog, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Label(HWND dialog) {
    auto* label =
        dynamic_cast<OrvPSZoomRatioStatic*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_ZOOM_RATIO)));
    return label != nullptr ? label->Text() : "(no label)";
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// The label follows the level at once; the buttons' enabling comes a moment later on the
// dialog's thread, so wait until each button says what the view allows.
bool ButtonsFollow(HWND dialog, const PSVarnPlugin& plugin) {
    return Eventually([&] {
        return Enabled(dialog, IDC_ZOOM_IN) == plugin.CanZoomIn() &&
               Enabled(dialog, IDC_ZOOM_OUT) == plugin.CanZoomOut() &&
               Enabled(dialog, IDC_LOCATOR) == plugin.CanZoomOut();
    });
}

void ClickCentre(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    harness::Click(window, r.right / 2, r.bottom / 2);
}

OrvPoint Centre(const OrvRect& r) { return OrvPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The visible tab strip: the template's tab control is hidden and a strip takes its place.
HWND TabStrip(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (GetDlgCtrlID(child) == IDC_TABS && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

std::vector<HWND> VisiblePages(HWND dialog) {
    std::vector<HWND> pages;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(child)) pages.push_back(child);
    }
    return pages;
}

HWND HostFocus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(hostThread, &info) ? info.hwndFocus : nullptr;
}

// Help requests reaching windows of the host's thread, and which window each reached.
std::vector<HELPINFO> helpRequests;
std::vector<HWND> helpReceivers;
std::atomic<int> helpCount{0};

LRESULT CALLBACK WatchHelp(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_HELP) {
        helpRequests.push_back(*reinterpret_cast<const HELPINFO*>(call->lParam));
        helpReceivers.push_back(call->hwnd);
        ++helpCount;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<uint32_t> Pixels(HWND window) {
    int width = 0, height = 0;
    return harness::CaptureWindow(window, width, height);
}

uint64_t PixelHash(const varnhost::HostImage& image) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a, as the identity matrix hashes a picture
    const auto add = [&hash](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    for (int32_t v : {image.width, image.height, image.planes}) add(uint8_t(v));
    for (uint8_t byte : image.pixels) add(byte);
    return hash;
}

class EffectDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { hostThread = GetCurrentThreadId(); }

    // The sample picture with the library's autumn leaves and the given settings.
    void Prepare(int32_t width, int32_t height, const std::vector<std::string>& settings) {
        const varncli::Raster sample = varncli::MakeSampleImage(width, height, 2024);
        varnhost::HostImage image(width, height, 3);
        image.pixels = sample.pixels;
        host.SetImage(image);
        original = image.pixels;

        std::vector<std::string> args = {"in.png", "out.png"};
        args.insert(args.end(), settings.begin(), settings.end());
        varncli::ApplyOptions options;
        ASSERT_EQ(varncli::ParseApplyArguments(args, options).status, varncli::ParseStatus::Run);
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        int32_t category = 0;
        PresetEntry preset;
        ASSERT_TRUE(varncli::FindPreset(varncli::ListPresets(varncli::LibraryFolderOf(self)), "Leaves/Autumn",
                                        category, preset));
        options.edits.path = preset.path;
        options.edits.multipleImages = uint8_t(preset.isFolder ? 1 : 0);
        options.edits.presetCategory = category;

        ASSERT_EQ(host.Call(&PluginMain, filterSelectorParameters), noErr);
        std::vector<uint8_t> bytes = host.HandleBytes(host.Parameters());
        ASSERT_EQ(bytes.size(), sizeof(EffectParameters));
        EffectParameters block;
        memcpy(&block, bytes.data(), sizeof block);
        varncli::ApplyEdits(options.edits, block);
        memcpy(bytes.data(), &block, sizeof block);
        host.SetHandleBytes(host.Parameters(), bytes);
    }

    // Start, with the dialog driven by script from another thread once it is up.
    OSErr Start(const std::function<void(HWND dialog)>& script) {
        std::atomic<bool> ran{false};
        {
            harness::InputThread input([&] {
                HWND dialog = harness::WaitForWindow([] { return HostThreadWindow(&FindVarnelDialog); });
                if (dialog == nullptr) return;
                script(dialog);
                ran = true;
                // A script stopped by a failed assertion leaves the dialog open: close it.
                if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            });
            result = host.Run(&PluginMain, false);
        }
        EXPECT_TRUE(ran.load()) << "the dialog did not come up, or the script stopped early";
        return result;
    }

    // The original picture run again with the block the last run left, the dialog answered
    // OK from outside at once.
    std::vector<uint8_t> PixelsAnsweredFromOutside() {
        varnhost::MemoryHost again;
        varnhost::HostImage input = host.Image();
        input.pixels = original;
        again.SetImage(input);
        again.Record().parameters = again.MakeHandle(host.HandleBytes(host.Parameters()));
        varnhost::DialogResponder ok(varnhost::DialogAnswer::Ok);
        EXPECT_EQ(again.Run(&PluginMain, false), noErr);
        return again.Image().pixels;
    }

    void EndWith(HWND dialog, int button) {
        harness::Click(GetDlgItem(dialog, button), 10, 8);
        Eventually([] { return HostThreadWindow(&FindVarnelDialog) == nullptr; });
    }

    varnhost::MemoryHost host;
    std::vector<uint8_t> original;
    OSErr result = noErr;
};

TEST_F(EffectDialog, OpensOnStartWithTheControlsWhereTheTemplatePutsThem) {
    Prepare(1000, 800, {"--density", "40", "--seed", "3"});
    ASSERT_EQ(Start([&](HWND dialog) {
                  char caption[16] = {};
                  GetWindowTextA(dialog, caption, sizeof caption);
                  EXPECT_STREQ(caption, "Varnel");
                  const RECT tabs = DialogUnits(dialog, 7, 161, 316, 164);
                  const RECT result = DialogUnits(dialog, 192, 49, 132, 105);
                  const int w = result.right - result.left, h = result.bottom - result.top;
                  // The previews side by side across the page area's width, the zoom strip left of them.
                  EXPECT_TRUE(SameRect(RectIn(GetDlgItem(dialog, IDC_BEFORE_PREVIEW), dialog),
                                       RECT{tabs.left + 26, result.top, tabs.left + 26 + w, result.top + h}));
                  EXPECT_TRUE(SameRect(RectIn(GetDlgItem(dialog, IDC_RESULT_PREVIEW), dialog),
                                       RECT{tabs.right - w, result.top, tabs.right, result.top + h}));
                  int top = result.top + 2;
                  for (int id : {IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_ZOOM_RATIO, IDC_LOCATOR}) {
                      EXPECT_TRUE(SameRect(RectIn(GetDlgItem(dialog, id), dialog),
                                           RECT{tabs.left + 2, top, tabs.left + 24, top + 22}))
                          << id;
                      top += 22;
                  }
                  EXPECT_TRUE(SameRect(RectIn(GetDlgItem(dialog, IDOK), dialog),
                                       DialogUnits(dialog, 165, 329, 50, 14)));
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
                  harness::SaveScreenshot(dialog, "dialog-fit");

                  // Exactly one page at a time, at the placeholder's rectangle.
                  const RECT place = DialogUnits(dialog, 12, 176, 305, 146);
                  // A window of our own class keeps its object in the user slot.
                  auto* tabStrip = dynamic_cast<OrvDragTabCtrl*>(
                      reinterpret_cast<CWnd*>(GetWindowLongPtrA(strip, GWLP_USERDATA)));
                  ASSERT_NE(tabStrip, nullptr);
                  for (int tab : {1, 2, 0}) {
                      const OrvRect item = tabStrip->Model().Item(tab).rect;
                      harness::Click(strip, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
                      EXPECT_TRUE(Eventually([&] { return tabStrip->GetCurSel() == tab; }));
                      // Each page is known by a control of its own template.
                      const int marker = tab == 0 ? IDC_BROWSE : tab == 1 ? IDC_DENSITY : IDC_SEED;
                      EXPECT_TRUE(Eventually([&] {
                          const std::vector<HWND> shown = VisiblePages(dialog);
                          return shown.size() == 1 && GetDlgItem(shown[0], marker) != nullptr;
                      })) << "tab "
                          << tab;
                      for (HWND page : VisiblePages(dialog))
                          EXPECT_TRUE(SameRect(RectIn(page, dialog), place));
                      if (tab != 0)
                          harness::SaveScreenshot(dialog, tab == 1 ? "dialog-settings" : "dialog-options");
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
                  harness::SaveScreenshot(dialog, "dialog-zoomed-1-1");

                  // A drag on the result preview pans both previews; the image follows the pointer.
                  HWND result = GetDlgItem(dialog, IDC_RESULT_PREVIEW),
                       before = GetDlgItem(dialog, IDC_BEFORE_PREVIEW);
                  const std::vector<uint32_t> beforeShown = Pixels(before);
                  const OrvRect start = plugin.GetViewRect();
                  harness::Press(result, 100, 80);
                  harness::MoveTo(result, 80, 70);
                  harness::MoveTo(result, 60, 50);
                  EXPECT_TRUE(Eventually([&] { return plugin.GetViewRect().left == start.left + 40; }));
                  EXPECT_EQ(plugin.GetViewRect().top, start.top + 30);
                  harness::SaveScreenshot(dialog, "dialog-panning");
                  harness::Release();
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
                  harness::Press(locator, 11, 11);
                  HWND popup = harness::WaitForWindow([] { return HostThreadWindow(&FindLocatorPopup); });
                  ASSERT_NE(popup, nullptr);
                  RECT client;
                  GetClientRect(popup, &client);
                  const OrvImage2* picture = plugin.GetLocatorImage();
                  ASSERT_NE(picture, nullptr);
                  EXPECT_EQ(client.right, picture->Width());
                  EXPECT_EQ(client.bottom, picture->AbsHeight());
                  const POINT pressed = harness::ScreenPoint(locator, 11, 11);
                  const POINT middle = harness::ScreenPoint(popup, client.right / 2, client.bottom / 2);
                  EXPECT_NEAR(middle.x, pressed.x, 2);
                  EXPECT_NEAR(middle.y, pressed.y, 2);
                  // The pop-up puts the pointer on the frame's centre once it is up.
                  Sleep(100);
                  harness::MoveTo(popup, client.right / 4, client.bottom / 4);
                  Sleep(50);

                  harness::SaveScreenshot(popup, "dialog-locator-open");
                  harness::Release();
                  ASSERT_TRUE(Eventually([] { return HostThreadWindow(&FindLocatorPopup) == nullptr; }));
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
                  harness::SaveScreenshot(dialog, "dialog-zoomed-7-1");
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
                  EXPECT_TRUE(Eventually([] { return HostThreadWindow(&FindVarnelDialog) == nullptr; }));
              }),
              memFullErr);
    EXPECT_EQ(host.Image().pixels, original);
    EXPECT_EQ(host.Locks(), host.Unlocks());
}

TEST_F(EffectDialog, HelpKeyOverOkAsksForOksHelp) {
    Prepare(300, 200, {"--density", "10"});
    helpRequests.clear();
    helpReceivers.clear();
    HWND dialogWindow = nullptr;
    HWND okButton = nullptr;
    ASSERT_EQ(Start([&](HWND dialog) {
                  // Every WM_HELP handled on the host's thread, with the answer it got.
                  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, &WatchHelp, nullptr, hostThread);
                  ASSERT_NE(hook, nullptr);
                  okButton = GetDlgItem(dialog, IDOK);
                  dialogWindow = dialog;
                  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(okButton), TRUE);
                  EXPECT_TRUE(Eventually([&] { return HostFocus() == okButton; }));
                  harness::MoveTo(okButton, 10, 8);
                  harness::Key(VK_F1);
                  EXPECT_TRUE(Eventually([] { return helpCount.load() > 0; }));
                  Sleep(50);
                  UnhookWindowsHookEx(hook);
                  EndWith(dialog, IDCANCEL);
              }),
              userCanceledErr);
    // The button passes the request for its own window up to the dialog, which hands it to
    // the help viewer as pop-up help for that window.
    bool reachedDialog = false;
    for (size_t i = 0; i < helpRequests.size(); ++i) {
        const HELPINFO& asked = helpRequests[i];
        EXPECT_EQ(asked.iContextType, HELPINFO_WINDOW);
        EXPECT_EQ(asked.iCtrlId, IDOK);
        EXPECT_EQ(asked.hItemHandle, okButton);
        reachedDialog = reachedDialog || helpReceivers[i] == dialogWindow;
    }
    EXPECT_FALSE(helpRequests.empty());
    EXPECT_TRUE(reachedDialog);
}

TEST_F(EffectDialog, OkAfterZoomingWritesWhatTheRunWithoutADialogWrites) {
    // The identity matrix's "rgb shipped folder preset" scene, whose pixels every build
    // shares with the headless run of the native plug-in.
    Prepare(160, 120, {"--density", "40", "--seed", "16", "--random-scale", "2", "--random-rotation", "30"});
    ASSERT_EQ(Start([&](HWND dialog) {
                  ClickCentre(GetDlgItem(dialog, IDC_ZOOM_IN));
                  ASSERT_TRUE(Eventually([&] { return Label(dialog) == "2:1"; })) << Label(dialog);
                  harness::Press(GetDlgItem(dialog, IDC_RESULT_PREVIEW), 60, 60);
                  harness::MoveTo(GetDlgItem(dialog, IDC_RESULT_PREVIEW), 90, 80);
                  harness::Release();
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
            HWND result = GetDlgItem(dialog, IDC_RESULT_PREVIEW);
            const std::vector<PresetCategory>& library = plugin.Presets();
            const auto clickRow = [&](int row) {
                const OrvRect cell = grid->Model().CellRect(row);
                harness::Click(grid->m_hWnd, cell.left + 6, (cell.top + cell.bottom) / 2);
            };
            // Three categories other than the stored one: each applies its first preset
            // and the result preview changes to show it.
            int shown = 0;
            for (int row = 0; row + 1 < grid->GetCount() && shown < 3; ++row) {
                const int category = grid->GetDatum(row);
                if (row == grid->GetSelection()) continue;
                const std::vector<uint32_t> before = Pixels(result);
                clickRow(row);
                EXPECT_TRUE(Eventually([&] { return plugin.Parameters()->presetCategory == category; }))
                    << grid->GetText(row);
                EXPECT_EQ(BlockPath(*plugin.Parameters()), library[size_t(category)].entries[0].path);
                EXPECT_TRUE(Eventually([&] { return Pixels(result) != before; })) << grid->GetText(row);
                harness::SaveScreenshot(dialog, "dialog-image-" + std::to_string(++shown));
            }
            EXPECT_EQ(shown, 3);
            // "<Custom>" with the empty name box: no objects, the result is the picture itself.
            clickRow(grid->GetCount() - 1);
            EXPECT_TRUE(Eventually([&] { return plugin.Parameters()->presetCategory == -1; }));
            EXPECT_TRUE(
                Eventually([&] { return Pixels(result) == Pixels(GetDlgItem(dialog, IDC_BEFORE_PREVIEW)); }));
            harness::SaveScreenshot(dialog, "dialog-image-custom");
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
