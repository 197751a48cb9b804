#include <windows.h>

#include "host/PiplReader.h"
#include "host/PiplResource.h"

namespace VarnHost {

std::vector<uint8_t> PiplResourceBytes(void* module) {
    HMODULE m = static_cast<HMODULE>(module);
    HRSRC resource = FindResourceA(m, MAKEINTRESOURCEA(16000), "PIPL");
    if (resource == nullptr) return {};
    HGLOBAL loaded = LoadResource(m, resource);
    const auto* bytes = static_cast<const uint8_t*>(loaded == nullptr ? nullptr : LockResource(loaded));
    if (bytes == nullptr) return {};
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(m, resource));
}

std::string PiplEntryName(void* module, std::string& error) {
    const std::vector<uint8_t> bytes = PiplResourceBytes(module);
    PiplInfo info;
    if (bytes.empty()) {
        error = "has no PIPL resource 16000";
    } else if (!ReadPipl(bytes.data(), bytes.size(), info)) {
        error = "has a damaged PIPL resource";
    } else if (!info.IsFilter()) {
        error = "is not a filter plug-in";
    } else if (!info.VersionAccepted()) {
        error = "needs a newer plug-in interface than 4.0";
    } else {
        const bool x64 = sizeof(void*) == 8;
        std::string name = info.EntryPoint(x64);
        if (name.empty())
            error = x64 ? "has no entry point for 64-bit hosts" : "has no entry point for 32-bit hosts";
        return name;
    }
    return {};
}

PluginEntryProc PiplEntry(void* module) {
    std::string error;
    const std::string name = PiplEntryName(module, error);
    if (name.empty()) return nullptr;
    return reinterpret_cast<PluginEntryProc>(
        reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name.c_str())));
}

}  // namespace VarnHost
