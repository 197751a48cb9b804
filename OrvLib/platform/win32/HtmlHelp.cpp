#include "OrvLib/platform/HtmlHelp.h"

#include <windows.h>

namespace {

typedef HWND(WINAPI* HtmlHelpAProc)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

const char kViewerKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
constexpr UINT kWhatsThisCommand = 1000000;

HtmlHelpAProc viewer = nullptr;
bool viewerFailed = false;

HMODULE LoadRegisteredViewer() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kViewerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return nullptr;
    // One byte more than the value may hold, so the name is always terminated.
    char name[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || size >= MAX_PATH)
        return nullptr;
    name[size] = 0;
    return LoadLibraryA(name);
}

HtmlHelpAProc Viewer() {
    if (viewer != nullptr || viewerFailed) return viewer;
    HMODULE library = LoadRegisteredViewer();
    if (library == nullptr) library = LoadLibraryA("hhctrl.ocx");
    FARPROC entry = library != nullptr ? GetProcAddress(library, MAKEINTRESOURCEA(14)) : nullptr;
    if (entry == nullptr) {
        viewerFailed = true;
        return nullptr;
    }
    viewer = reinterpret_cast<HtmlHelpAProc>(reinterpret_cast<void*>(entry));
    return viewer;
}

}  // namespace

namespace OrvPlatform {

intptr_t HtmlHelp(intptr_t owner, const std::string& file, uint32_t command, uintptr_t data) {
    HtmlHelpAProc help = Viewer();
    if (help == nullptr || file.empty()) return 0;
    return reinterpret_cast<intptr_t>(help(reinterpret_cast<HWND>(owner), file.c_str(), command, data));
}

bool HtmlHelpAvailable() { return Viewer() != nullptr; }

bool TrackWhatsThisMenu(intptr_t dialogHandle, const uint32_t* idTable, int32_t x, int32_t y,
                        intptr_t& chosen) {
    chosen = 0;
    HWND dialog = reinterpret_cast<HWND>(dialogHandle);
    const POINT point{x, y};
    HWND target = nullptr;
    for (const uint32_t* pair = idTable; pair != nullptr && (pair[0] != 0 || pair[1] != 0); pair += 2) {
        HWND control = GetDlgItem(dialog, int(pair[0]));
        RECT r;
        if (control != nullptr && IsWindowVisible(control) && GetWindowRect(control, &r) &&
            PtInRect(&r, point)) {
            target = control;
            break;
        }
    }
    if (target == nullptr) return false;
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return false;
    AppendMenuA(menu, MF_STRING, kWhatsThisCommand, "What's This?");
    const UINT picked =
        UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y, 0, dialog, nullptr));
    DestroyMenu(menu);
    if (picked == kWhatsThisCommand) chosen = reinterpret_cast<intptr_t>(target);
    return true;
}

}  // namespace OrvPlatform
