#include <dlfcn.h>

#include "host/PluginModule.h"

namespace VarnHost {

PluginModule::~PluginModule() {
    if (module != nullptr) dlclose(module);
}

bool PluginModule::Load(const std::string& file, std::string& error) {
    // A name without a slash would be searched for on the library path, not taken as a file.
    const std::string name = file.find('/') == std::string::npos ? "./" + file : file;
    module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot be loaded";
        return false;
    }
    entry = reinterpret_cast<PluginEntryProc>(dlsym(module, "PluginMain"));
    if (entry == nullptr) {
        error = "exports no PluginMain";
        return false;
    }
    return true;
}

std::string PluginModule::FileName() const {
    Dl_info info{};
    if (entry == nullptr || dladdr(reinterpret_cast<void*>(entry), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return info.dli_fname;
}

}  // namespace VarnHost
