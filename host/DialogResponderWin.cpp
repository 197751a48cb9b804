#include <windows.h>

#include <atomic>
#include <thread>

#include "host/DialogResponder.h"

namespace VarnHost {

struct DialogResponder::Watch {
    DWORD owner = GetCurrentThreadId();
    UINT button = IDOK;
    std::atomic<bool> stop{false};
    std::thread thread;
};

namespace {

// A dialog of the system's dialog class, on screen, with both an OK and a Cancel button.
BOOL CALLBACK FindEffectDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    if (GetDlgItem(window, IDOK) == nullptr || GetDlgItem(window, IDCANCEL) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

bool DialogResponder::DialogsShown() { return true; }

DialogResponder::DialogResponder(DialogAnswer answer) {
    if (answer == DialogAnswer::Person) return;
    watch = std::make_unique<Watch>();
    watch->button = answer == DialogAnswer::Ok ? IDOK : IDCANCEL;
    Watch* watchState = watch.get();
    watch->thread = std::thread([watchState] {
        // The modal loop runs on the owner's thread; the press is posted into it, as the
        // button's own click notification would be.
        while (!watchState->stop.load()) {
            HWND dialog = nullptr;
            EnumThreadWindows(watchState->owner, &FindEffectDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog != nullptr) {
                HWND button = GetDlgItem(dialog, static_cast<int>(watchState->button));
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(watchState->button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
                return;
            }
            Sleep(20);
        }
    });
}

DialogResponder::~DialogResponder() {
    if (!watch) return;
    watch->stop.store(true);
    watch->thread.join();
}

}  // namespace VarnHost
