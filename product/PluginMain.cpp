// The library's one exported entry point.
#include "OrvLib/plugin/HostInterface.h"
#include "product/PSVarnPlugin.h"

#if defined(_WIN32)
#define VARNEL_EXPORT extern "C" __declspec(dllexport)
#else
#define VARNEL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
PSVarnPlugin thePlugin;
}

PSVarnPlugin& ThePlugin() { return thePlugin; }

VARNEL_EXPORT void PSCALL PluginMain(int16 selector, void* filterRecord, intptr_t* data, int16* result) {
    thePlugin.Dispatch(selector, filterRecord, data, result);
}
