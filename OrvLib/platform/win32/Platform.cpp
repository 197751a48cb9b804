#include "OrvLib/platform/Platform.h"

#include "OrvLib/platform/FolderOrder.h"
#include "OrvLib/platform/PathNames.h"

#include <windows.h>
#include <mmsystem.h>

#include "OrvLib/platform/win32/ThisModule.h"

// Any address inside this module identifies it, also when the host renamed the file.
HMODULE OrvThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OrvThisModule), &module);
    return module;
}

namespace OrvPlatform {

std::string ModuleFileName() {
    char buffer[MAX_PATH];
    const DWORD n = GetModuleFileNameA(OrvThisModule(), buffer, MAX_PATH);
    return OrvPath::WholeModuleName(buffer, n, MAX_PATH);
}

std::string EnvironmentValue(const char* name) {
    // The process's own block: the host and the plug-in may each have their own C runtime.
    char value[256];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

uint32_t Milliseconds() { return timeGetTime(); }

void EnableHostWindow(intptr_t hostWindow) {
    HWND window = hostWindow != 0 ? reinterpret_cast<HWND>(hostWindow) : GetActiveWindow();
    if (window != nullptr && IsWindow(window)) EnableWindow(window, TRUE);
}

}  // namespace OrvPlatform

namespace OrvPlatform {

char PathSeparator() { return '\\'; }
bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool StampOf(const std::string& path, FileStamp* stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    stamp->size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp->written =
        int64_t((uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime);
    return true;
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::string pattern = folder;
    if (!pattern.empty() && !IsPathSeparator(pattern.back())) pattern += '\\';
    pattern += "*.*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    SortFolderNames(names);
    return names;
}

intptr_t ShowWaitCursor() { return reinterpret_cast<intptr_t>(SetCursor(LoadCursor(nullptr, IDC_WAIT))); }

void RestoreCursor(intptr_t token) { SetCursor(reinterpret_cast<HCURSOR>(token)); }

}  // namespace OrvPlatform
