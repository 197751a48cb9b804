// The library's one exported entry point.
#include "OrvLib/plugin/HostInterface.h"
#include "product/PSVarnPlugin.h"

namespace {
PSVarnPlugin thePlugin;
}

PSVarnPlugin& ThePlugin() { return thePlugin; }

ORV_PLUGIN_EXPORT void PSCALL PluginMain(int16 selector, void* filterRecord, intptr_t* data, int16* result) {
    thePlugin.Dispatch(selector, filterRecord, data, result);
}
