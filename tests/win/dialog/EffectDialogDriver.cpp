#include "EffectDialogDriver.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

#include "OrvLib/controls/win32/OrvDragTabCtrl.h"
#include "OrvLib/framework/CWnd.h"
#include "OrvLib/plugin/win32/OrvPSZoomRatioStatic.h"
#include "WindowHarness.h"
#include "host/DialogResponder.h"
#include "host/cli/Arguments.h"
#include "product/engine/SettingsTable.h"
#include "host/cli/PresetLibrary.h"
#include "host/cli/SampleImage.h"
#include "product/PSVarnPlugin.h"
#include "product/resources/ResourceIds.h"
#include "tests/plugin/PluginEntry.h"

namespace DialogTest {

namespace {

std::atomic<DWORD> hostThread{0};

// The caption as the system keeps it: asking the window would send it a message, which
// waits for the host's thread, and that thread may be waiting for the script.
std::wstring Caption(HWND window) {
    wchar_t caption[32] = {};
    InternalGetWindowText(window, caption, 32);
    return caption;
}

BOOL CALLBACK FindVarnelDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || Caption(window) != L"Varnel" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK FindLocatorPopup(HWND window, LPARAM found) {
    if (Caption(window) != L"Preview Locator" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND HostThreadWindow(WNDENUMPROC find) {
    HWND found = nullptr;
    EnumThreadWindows(hostThread.load(), find, reinterpret_cast<LPARAM>(&found));
    return found;
}

// What a stuck run gets: the pointer let go, every menu and capture dropped, every window
// of the host's thread asked to cancel.
BOOL CALLBACK CancelWindow(HWND window, LPARAM) {
    PostMessageA(window, WM_CANCELMODE, 0, 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

}  // namespace

DWORD HostThread() { return hostThread.load(); }
HWND VarnelDialog() { return HostThreadWindow(&FindVarnelDialog); }
HWND LocatorPopup() { return HostThreadWindow(&FindLocatorPopup); }

bool Eventually(const std::function<bool()>& done, int timeoutMs) {
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

void ClickCentre(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    Harness::Click(window, r.right / 2, r.bottom / 2);
}

HWND TabStrip(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == IDC_TABS && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

bool ShowTab(HWND dialog, int tab) {
    HWND strip = TabStrip(dialog);
    // A window of our own class keeps its object in the user slot.
    auto* tabs =
        strip != nullptr
            ? dynamic_cast<OrvDragTabCtrl*>(reinterpret_cast<CWnd*>(GetWindowLongPtrA(strip, GWLP_USERDATA)))
            : nullptr;
    if (tabs == nullptr) return false;
    const OrvRect item = tabs->Model().Item(tab).rect;
    Harness::Click(strip, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    // Each page is known by a control of its own template.
    const int markers[] = {IDC_BROWSE, IDC_DENSITY, IDC_SEED, IDC_HUE_JITTER, IDC_MAP_FILE};
    const int marker = markers[tab];
    return Eventually([&] {
        const std::vector<HWND> shown = VisiblePages(dialog);
        return tabs->GetCurSel() == tab && shown.size() == 1 && GetDlgItem(shown[0], marker) != nullptr;
    });
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
    return GetGUIThreadInfo(hostThread.load(), &info) ? info.hwndFocus : nullptr;
}

void TypeInto(HWND box, const std::string& text) {
    Harness::Click(box, 8, 6);
    Eventually([box] { return HostFocus() == box; }, 2000);
    Harness::Key(VK_END);
    for (int n = GetWindowTextLengthA(box); n > 0; --n) Harness::Key(VK_BACK);
    for (char c : text) Harness::Key(static_cast<WORD>(VkKeyScanA(c) & 0xFF));
}

void EffectDialog::Prepare(int32_t width, int32_t height, const std::vector<std::string>& settings) {
    const VarnCli::Raster sample = VarnCli::MakeSampleImage(width, height, 2024);
    VarnHost::HostImage image(width, height, 3);
    image.pixels = sample.pixels;
    host.SetImage(image);
    original = image.pixels;

    std::vector<std::string> args = {"in.png", "out.png"};
    args.insert(args.end(), settings.begin(), settings.end());
    VarnCli::ApplyOptions options;
    ASSERT_EQ(VarnCli::ParseApplyArguments(args, options).status, VarnCli::ParseStatus::Run);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    int32_t category = 0;
    PresetEntry preset;
    ASSERT_TRUE(VarnCli::FindPreset(VarnCli::ListPresets(VarnCli::LibraryFolderOf(self)), "Leaves/Autumn",
                                    category, preset));
    options.edits.path = preset.path;
    options.edits.Set("multipleImages", preset.isFolder ? 1 : 0);
    options.edits.Set("presetCategory", category);

    ASSERT_EQ(host.Call(&PluginMain, filterSelectorParameters), noErr);
    std::vector<uint8_t> bytes = host.HandleBytes(host.Parameters());
    ASSERT_EQ(bytes.size(), kSettingsBlockSize);
    VarnCli::ApplyEdits(options.edits, bytes);
    host.SetHandleBytes(host.Parameters(), bytes);
}

OSErr EffectDialog::Start(const std::function<void(HWND dialog)>& script, int limitMs) {
    hostThread = GetCurrentThreadId();
    std::atomic<bool> ran{false}, timedOut{false};
    HANDLE finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread watchdog([&] {
        if (WaitForSingleObject(finished, DWORD(limitMs)) == WAIT_OBJECT_0) return;
        timedOut = true;
        Harness::ButtonUp();
        EnumThreadWindows(hostThread.load(), &CancelWindow, 0);
        if (WaitForSingleObject(finished, 15000) == WAIT_OBJECT_0) return;
        std::fprintf(stderr, "FAILED: %s: the dialog's run did not end within %d ms, even when cancelled\n",
                     ::testing::UnitTest::GetInstance()->current_test_info()->name(), limitMs + 15000);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    });
    std::atomic<bool> scriptEnded{false};
    {
        Harness::InputThread input([&] {
            HWND dialog = Harness::WaitForWindow([] { return VarnelDialog(); });
            // A dialog that never shows is still ended, by the watchdog at the latest.
            if (dialog != nullptr) {
                script(dialog);
                ran = true;
                // A script stopped by a failed assertion leaves the dialog open: close it.
                if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
            scriptEnded = true;
        });
        result = host.Run(&PluginMain, false);
        // The script may still be asking the host's windows something: keep answering.
        while (!scriptEnded.load()) Harness::Pump(10);
    }
    SetEvent(finished);
    watchdog.join();
    CloseHandle(finished);
    EXPECT_FALSE(timedOut.load()) << "the dialog's run did not end within " << limitMs << " ms";
    EXPECT_TRUE(ran.load()) << "the dialog did not come up, or the script stopped early";
    return result;
}

std::vector<uint8_t> EffectDialog::PixelsAnsweredFromOutside() {
    VarnHost::MemoryHost again;
    VarnHost::HostImage input = host.Image();
    input.pixels = original;
    again.SetImage(input);
    again.Record().parameters = again.MakeHandle(host.HandleBytes(host.Parameters()));
    VarnHost::DialogResponder ok(VarnHost::DialogAnswer::Ok);
    EXPECT_EQ(again.Run(&PluginMain, false), noErr);
    return again.Image().pixels;
}

void EffectDialog::EndWith(HWND dialog, int button) {
    Harness::Click(GetDlgItem(dialog, button), 10, 8);
    Eventually([] { return VarnelDialog() == nullptr; });
}

}  // namespace DialogTest
