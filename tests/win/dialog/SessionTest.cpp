// A person's session in the effect dialog, compared with varnel's command line given the same
// values; and the host's own window, disabled while the dialog runs and enabled after it
// however the dialog ends.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "EffectDialogDriver.h"
#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "OrvLib/framework/CWnd.h"
#include "WindowHarness.h"
#include "host/cli/ImageFile.h"
#include "host/cli/SampleImage.h"
#include "product/engine/SettingsTable.h"
#include "product/PSVarnPlugin.h"
#include "product/resources/ResourceIds.h"
#include "tests/plugin/PluginEntry.h"

namespace {

using namespace DialogTest;

std::string ProgramFolder() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1);
}

// varnel beside the test program; its exit status, or -1 when it could not run or did not end.
int RunVarnel(const std::string& arguments) {
    std::string line = "\"" + ProgramFolder() + "varnel.exe\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    DWORD status = DWORD(-1);
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &status);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(status);
}

int SliderPosition(HWND slider) { return int(SendMessageA(slider, TBM_GETPOS, 0, 0)); }

// A person's way to a slider value: drag the thumb to where the value lies, then the last
// steps with the arrow keys if the pointer could not land on it.
void SetSlider(HWND page, int id, int value) {
    auto* slider = dynamic_cast<OrvCustomSliderCtrl*>(CWnd::FromHandlePermanent(GetDlgItem(page, id)));
    ASSERT_NE(slider, nullptr) << id;
    const SliderModel& model = slider->Model();
    const int before = SliderPosition(slider->hWnd);
    // A window that has just become active may still be told to drop its capture (the system's
    // focus events come late under X), which ends the press like a release; the person tries again.
    for (int attempt = 0; attempt < 3 && SliderPosition(slider->hWnd) == before; ++attempt) {
        // Where the thumb is drawn: the channel is laid out with the window, the thumb's place
        // follows the position at the next paint, which may not have come yet.
        const OrvRect thumb = model.Geometry().thumb;
        const int x = model.OffsetToPixel(model.Offset()), y = (thumb.top + thumb.bottom) / 2;
        const int distance = model.OffsetToPixel(int64_t(value) - model.Minimum()) - x;
        Harness::Press(slider->hWnd, x, y);
        for (int step = 1; step <= 4; ++step) Harness::MoveTo(slider->hWnd, x + distance * step / 4, y);
        Harness::Release();
    }
    EXPECT_NEAR(SliderPosition(slider->hWnd), value, 2) << "the drag lands next to " << value;
    for (int keys = 0; keys < 10 && SliderPosition(slider->hWnd) != value; ++keys)
        Harness::Key(SliderPosition(slider->hWnd) < value ? VK_RIGHT : VK_LEFT);
    EXPECT_EQ(SliderPosition(slider->hWnd), value) << id;
}

VarnCli::Raster HostPicture(const VarnHost::HostImage& image) {
    VarnCli::Raster raster;
    raster.width = image.width;
    raster.height = image.height;
    raster.channels = image.planes;
    raster.pixels = image.pixels;
    return raster;
}

TEST_F(EffectDialog, SessionGivesThePictureVarnelMakesWithTheSameValues) {
    // The picture, also as a file for varnel.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string in = std::string(temp) + "varnel-session-in.png";
    const std::string out = std::string(temp) + "varnel-session-out.png";
    DeleteFileA(out.c_str());
    const VarnCli::Raster picture = VarnCli::MakeSampleImage(480, 360, 31);
    std::string error;
    ASSERT_TRUE(VarnCli::WritePngFile(in, picture, error)) << error;

    // The same picture and a fresh block in a host; the values set in the dialog by hand.
    VarnHost::HostImage image(picture.width, picture.height, 3);
    image.pixels = picture.pixels;
    host.SetImage(image);
    ASSERT_EQ(host.Call(&PluginMain, filterSelectorParameters), noErr);
    PSVarnPlugin& plugin = ThePlugin();
    ASSERT_EQ(Start([&](HWND dialog) {
                  ASSERT_TRUE(ShowTab(dialog, 1));
                  HWND page = VisiblePages(dialog)[0];
                  HWND resultPreview = GetDlgItem(dialog, IDC_RESULT_PREVIEW);
                  int width = 0, height = 0;
                  const std::vector<uint32_t> shown = Harness::CaptureWindow(resultPreview, width, height);
                  SetSlider(page, IDC_DENSITY, 40);
                  EXPECT_TRUE(Eventually([&] {
                      return Harness::CaptureWindow(resultPreview, width, height) != shown;
                  })) << "the result preview follows the density";
                  Harness::Click(GetDlgItem(page, IDC_ROTATE_IMAGES), 5, 5);
                  HWND angleBox = GetDlgItem(page, OrvAngleControl2::kBoxId);
                  ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(angleBox) != FALSE; }));
                  TypeInto(angleBox, "30");
                  Harness::Click(GetDlgItem(page, IDC_RANDOMISE_ROTATION), 5, 5);
                  ASSERT_TRUE(Eventually([&] { return plugin.Parameters()->randomRotation == 180.0; }));
                  SetSlider(page, IDC_OPACITY, 200);
                  Harness::SaveScreenshot(dialog, "dialog-session-settings");

                  ASSERT_TRUE(ShowTab(dialog, 2));
                  page = VisiblePages(dialog)[0];
                  TypeInto(GetDlgItem(page, IDC_SEED), "1234");
                  Harness::Key(VK_TAB);
                  ASSERT_TRUE(Eventually([&] { return plugin.Parameters()->randomSeed == 1234; }));
                  Harness::SaveScreenshot(dialog, "dialog-session-options");
                  EndWith(dialog, IDOK);
              }),
              noErr);
    // varnel with the same values as options, after the session: its own dialog, answered
    // by varnel itself, never meets the script's input.
    ASSERT_EQ(RunVarnel("apply \"" + in + "\" \"" + out +
                        "\" --density 40 --rotation 30 --random-rotation 180 --opacity 200 --seed 1234"),
              0);
    VarnCli::Raster expected;
    ASSERT_TRUE(VarnCli::ReadImageFile(out, expected, error)) << error;

    EffectParameters block;
    const std::vector<uint8_t> bytes = host.HandleBytes(host.Parameters());
    ASSERT_EQ(bytes.size(), kSettingsBlockSize);
    std::memcpy(&block, bytes.data(), sizeof block);
    EXPECT_EQ(block.density, 40);
    EXPECT_EQ(block.rotationAngle, 30.0);
    EXPECT_EQ(block.randomRotation, 180.0);
    EXPECT_EQ(block.opacity, 200);
    EXPECT_EQ(block.randomSeed, 1234);
    const VarnCli::Raster session = HostPicture(host.Image());
    EXPECT_EQ(session.channels, expected.channels);
    EXPECT_EQ(session.width, expected.width);
    EXPECT_EQ(session.height, expected.height);
    EXPECT_TRUE(session.pixels == expected.pixels) << "the session's picture differs from varnel's";
    EXPECT_NE(session.pixels, picture.pixels);
    DeleteFileA(in.c_str());
    DeleteFileA(out.c_str());
}

// The host's main window: a real top-level window of the host's thread, given to the plug-in
// in the platform data. A timer of that thread looks at it while the dialog's loop runs.
class HostWindowDuringTheDialog : public EffectDialog {
protected:
    void SetUp() override {
        window = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        watched = window;
        timer = SetTimer(nullptr, 0, 20, &Look);
    }
    void TearDown() override {
        KillTimer(nullptr, timer);
        DestroyWindow(window);
    }
    // Runs inside the dialog's modal loop (and wherever else the thread dispatches).
    static void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
        if (VarnelDialog() == nullptr) return;
        if (IsWindowEnabled(watched))
            ++seenEnabled;
        else
            ++seenDisabled;
    }
    enum class Ending { Ok, Cancel, Escape, CloseKey, HostFailure };

    // A Start ended as a person or the host ends it.
    void RunEndedBy(Ending ending, OSErr expected) {
        seenDisabled = seenEnabled = 0;
        Prepare(300, 200, {"--density", "20"});
        host.SetHostWindow(reinterpret_cast<intptr_t>(window));
        HWND owner = nullptr;
        EXPECT_EQ(Start([&](HWND dialog) {
                      owner = GetWindow(dialog, GW_OWNER);
                      EXPECT_TRUE(Eventually([] { return seenDisabled.load() > 2; }));
                      switch (ending) {
                          case Ending::Ok:
                          case Ending::Cancel:
                              Harness::Click(GetDlgItem(dialog, ending == Ending::Ok ? IDOK : IDCANCEL), 10,
                                             8);
                              break;
                          case Ending::Escape:
                          case Ending::CloseKey:
                              // Keys go to the focused window: the dialog's, once it is active.
                              Harness::Click(dialog, 6, 40);
                              if (ending == Ending::Escape) {
                                  Harness::Key(VK_ESCAPE);
                              } else {
                                  Harness::KeyDown(VK_MENU);
                                  Harness::Key(VK_F4);
                                  Harness::KeyUp(VK_MENU);
                              }
                              break;
                          case Ending::HostFailure:
                              // The next request for pixels, made by the zoom, is refused.
                              host.Faults().advanceError = memFullErr;
                              host.Faults().errorAtAdvance = host.Advances() + 1;
                              ClickCentre(GetDlgItem(dialog, IDC_ZOOM_IN));
                              break;
                      }
                      EXPECT_TRUE(Eventually([] { return VarnelDialog() == nullptr; }));
                  }),
                  expected);
        EXPECT_EQ(owner, window) << "the host's window owns the dialog";
        EXPECT_GT(seenDisabled.load(), 0) << "the dialog's loop never saw the host window disabled";
        EXPECT_EQ(seenEnabled.load(), 0) << "the host window was enabled while the dialog ran";
        EXPECT_TRUE(IsWindowEnabled(window)) << "the host window stays disabled after Start";
    }

    HWND window = nullptr;
    UINT_PTR timer = 0;
    static HWND watched;
    static std::atomic<int> seenDisabled, seenEnabled;
};
HWND HostWindowDuringTheDialog::watched = nullptr;
std::atomic<int> HostWindowDuringTheDialog::seenDisabled{0}, HostWindowDuringTheDialog::seenEnabled{0};

TEST_F(HostWindowDuringTheDialog, IsEnabledAgainAfterOk) { RunEndedBy(Ending::Ok, noErr); }

TEST_F(HostWindowDuringTheDialog, IsEnabledAgainAfterCancelEscapeOrClosing) {
    RunEndedBy(Ending::Cancel, userCanceledErr);
    RunEndedBy(Ending::Escape, userCanceledErr);
    RunEndedBy(Ending::CloseKey, userCanceledErr);
}

TEST_F(HostWindowDuringTheDialog, IsEnabledAgainAfterAHostFailureInsideTheDialog) {
    RunEndedBy(Ending::HostFailure, memFullErr);
}

}  // namespace
