// The built plug-in library, loaded as a host loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

#include "host/MemoryHost.h"
#include "product/engine/EffectParameters.h"

namespace {

TEST(PluginLibraryTest, LoadsAndRunsThroughItsEntryPoint) {
    void* library = dlopen(VARNEL_PLUGIN_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto entry = reinterpret_cast<PluginEntryProc>(dlsym(library, "PluginMain"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(dlsym(library, "_ZN12PSVarnPlugin14InitParametersEv"), nullptr) << "only the entry is exported";

    varnhost::MemoryHost host;
    host.SetImage(varnhost::HostImage(32, 20, 3));
    EXPECT_EQ(host.About(entry), noErr);
    EXPECT_EQ(host.Run(entry), noErr);
    std::vector<uint8_t> bytes = host.HandleBytes(host.Parameters());
    ASSERT_EQ(bytes.size(), sizeof(EffectParameters));
    EffectParameters p;
    std::memcpy(&p, bytes.data(), sizeof p);
    EXPECT_EQ(p.density, 10);
    EXPECT_EQ(p.opacity, 255);
    EXPECT_EQ(host.Locks(), host.Unlocks());
    dlclose(library);
}

}  // namespace
