// The built plug-in library, loaded as a host loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "host/MemoryHost.h"
#include "tests/plugin/BlockChecks.h"

namespace {

TEST(PluginLibraryTest, LoadsAndRunsThroughItsEntryPoint) {
    void* library = dlopen(VARNEL_PLUGIN_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto entry = reinterpret_cast<PluginEntryProc>(dlsym(library, "PluginMain"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(dlsym(library, "_ZN12PSVarnPlugin14InitParametersEv"), nullptr) << "only the entry is exported";

    VarnHost::MemoryHost host;
    host.SetImage(VarnHost::HostImage(32, 20, 3));
    EXPECT_EQ(host.About(entry), noErr);
    EXPECT_EQ(host.Run(entry), noErr);
    ExpectDefaultBlockWithFirstPreset(host.HandleBytes(host.Parameters()));
    EXPECT_EQ(host.Locks(), host.Unlocks());
    dlclose(library);
}

}  // namespace
