#include <windows.h>

#include "host/PiplResource.h"
#include "host/PluginModule.h"

namespace VarnHost {

namespace {

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    if (text != nullptr) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.')) {
        message.pop_back();
    }
    // Messages written for a file argument name it as %1, which is not filled in here.
    const size_t insert = message.find("%1");
    if (insert != std::string::npos) message.replace(insert, 2, "this file");
    return message.empty() ? "system error " + std::to_string(code) : message;
}

// Hosts read the property list before they let any of the library's code run.
std::string EntryNameOf(const std::string& file, std::string& error) {
    HMODULE data = LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (data == nullptr) {
        error = SystemMessage(GetLastError());
        return {};
    }
    std::string name = PiplEntryName(data, error);
    FreeLibrary(data);
    return name;
}

}  // namespace

PluginModule::~PluginModule() {
    if (module != nullptr) FreeLibrary(static_cast<HMODULE>(module));
}

bool PluginModule::Load(const std::string& file, std::string& error) {
    // No system message box for a file that is not a library: the caller reports it.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE loaded = nullptr;
    const std::string name = EntryNameOf(file, error);
    if (!name.empty()) {
        loaded = LoadLibraryA(file.c_str());
        if (loaded == nullptr) error = SystemMessage(GetLastError());
    }
    SetThreadErrorMode(previousMode, nullptr);
    if (loaded == nullptr) return false;
    module = loaded;
    entry = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void*>(GetProcAddress(loaded, name.c_str())));
    if (entry == nullptr) {
        error = "does not export " + name + ", the entry its PIPL names";
        return false;
    }
    return true;
}

std::string PluginModule::FileName() const {
    if (module == nullptr) return {};
    char name[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), name, sizeof name);
    // A cut name would lead to a wrong folder.
    if (length == 0 || length >= sizeof name - 1) return {};
    return std::string(name, length);
}

}  // namespace VarnHost
