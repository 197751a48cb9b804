#include "OrvLib/platform/Platform.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

// Any address inside this module identifies it, also when the host renamed the file.
HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

}  // namespace

namespace OrvPlatform {

std::string ModuleFileName() {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(ThisModule(), buffer, MAX_PATH);
    // A length equal to the buffer means the name was cut (and maybe left unterminated).
    if (n == 0 || n >= MAX_PATH) return {};
    return std::string(buffer, n);
}

uint32_t Milliseconds() { return timeGetTime(); }

void EnableHostWindow() {
    HWND window = GetActiveWindow();
    if (window != nullptr) EnableWindow(window, TRUE);
}

}  // namespace OrvPlatform
