// Loads a plug-in library as a host does and finds its entry point.
#pragma once

#include <string>

#include "OrvLib/plugin/HostInterface.h"

namespace VarnHost {

class PluginModule {
public:
    PluginModule() = default;
    ~PluginModule();
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    // Natively the library's "PluginMain"; on Windows the PIPL is read first, without
    // running any of the library's code, and names the entry for this architecture.
    // On failure `error` says why, in words fit for a user.
    bool Load(const std::string& file, std::string& error);
    PluginEntryProc Entry() const { return entry; }
    // The module's file name as the system reports it, which is what the plug-in itself
    // builds its paths from.
    std::string FileName() const;

private:
    void* module = nullptr;
    PluginEntryProc entry = nullptr;
};

}  // namespace VarnHost
