#include <windows.h>

#include <atomic>
#include <thread>

#include "host/DialogResponder.h"

namespace varnhost {

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
    watch_ = std::make_unique<Watch>();
    watch_->button = answer == DialogAnswer::Ok ? IDOK : IDCANCEL;
    Watch* watch = watch_.get();
    watch_->thread = std::thread([watch] {
        // The modal loop runs on the owner's thread; the press is posted into it, as the
        // button's own click notification would be.
        while (!watch->stop.load()) {
            HWND dialog = nullptr;
            EnumThreadWindows(watch->owner, &FindEffectDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog != nullptr) {
                HWND button = GetDlgItem(dialog, static_cast<int>(watch->button));
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(watch->button, BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
                return;
            }
            Sleep(20);
        }
    });
}

DialogResponder::~DialogResponder() {
    if (!watch_) return;
    watch_->stop.store(true);
    watch_->thread.join();
}

}  // namespace varnhost
