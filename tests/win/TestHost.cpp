// A host's view of the real Varnel.8bf: find and read its PIPL, check what it exports
// and imports, and drive its entry through the in-memory host.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <set>

#include "host/DialogResponder.h"
#include "host/MemoryHost.h"
#include "host/PiplReader.h"
#include "host/PiplResource.h"
#include "product/engine/EffectParameters.h"
#include "product/resources/VarnelPipl.h"
#include "tests/plugin/BlockChecks.h"
#include "tests/win/PeImage.h"

namespace {

constexpr bool kX64 = sizeof(void*) == 8;

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
    reinterpret_cast<std::vector<uintptr_t>*>(list)->push_back(reinterpret_cast<uintptr_t>(name));
    return TRUE;
}

struct PluginFile : ::testing::Test {
    static HMODULE module;
    static void SetUpTestSuite() { module = LoadLibraryA("Varnel.8bf"); }
    static void TearDownTestSuite() {
        if (module != nullptr) FreeLibrary(module);
    }

    std::vector<uint8_t> PiplBytes() { return VarnHost::PiplResourceBytes(module); }
    PluginEntryProc Entry() { return VarnHost::PiplEntry(module); }
};
HMODULE PluginFile::module = nullptr;

TEST_F(PluginFile, LoadsAndCarriesExactlyOneExpectedPipl) {
    ASSERT_NE(module, nullptr) << "LoadLibrary failed: " << GetLastError();
    std::vector<uintptr_t> names;
    EnumResourceNamesA(module, "PIPL", &CollectName, reinterpret_cast<LONG_PTR>(&names));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], 16000u);
    // Hosts spell the type differently; the lookup must find it anyway.
    for (const char* type : {"PiPL", "PiPl", "pipl"}) {
        EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(16000), type), nullptr) << type;
    }
    EXPECT_EQ(PiplBytes(), BuildPipl(VarnelPiplDescription(kX64)));
    std::vector<uint8_t> bytes = PiplBytes();
    VarnHost::PiplInfo info;
    ASSERT_TRUE(VarnHost::ReadPipl(bytes.data(), bytes.size(), info));
    EXPECT_TRUE(info.IsFilter());
    EXPECT_TRUE(info.VersionAccepted());
    EXPECT_EQ(info.EntryPoint(kX64), "PluginMain");
    EXPECT_EQ(info.EntryPoint(!kX64), "");
}

TEST_F(PluginFile, ExportsOnlyTheEntryAndImportsOnlySystemLibraries) {
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(ExportedNames(module), std::vector<std::string>{"PluginMain"});
    const std::set<std::string> system = {"kernel32.dll", "msvcrt.dll",   "user32.dll",   "gdi32.dll",
                                          "winmm.dll",    "advapi32.dll", "shell32.dll",  "comdlg32.dll",
                                          "comctl32.dll", "ole32.dll",    "oleaut32.dll", "shlwapi.dll",
                                          "oleacc.dll"};
    std::vector<std::string> imports = ImportedLibraries(module);
    EXPECT_FALSE(imports.empty());
    for (std::string name : imports) {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        EXPECT_TRUE(system.count(name) == 1) << "imports " << name;
    }
}

TEST_F(PluginFile, RoundTripThroughTheEntryGivesTheDefaultBlock) {
    PluginEntryProc entry = Entry();
    ASSERT_NE(entry, nullptr);
    VarnHost::MemoryHost host;
    host.SetImage(VarnHost::HostImage(40, 30, 3));
    EXPECT_EQ(host.About(entry, 0xCD), noErr);
    // Start shows the dialog: answered with OK as soon as it is up.
    std::optional<VarnHost::DialogResponder> ok(VarnHost::DialogAnswer::Ok);
    EXPECT_EQ(host.Run(entry), noErr);
    ok.emplace(VarnHost::DialogAnswer::Ok);
    ExpectDefaultBlockWithFirstPreset(host.HandleBytes(host.Parameters()));
    EXPECT_EQ(host.Locks(), host.Unlocks());
    EXPECT_EQ(host.UnbalancedUnlocks(), 0);
    // Start without Parameters, as when the host repeats the filter: the block is kept.
    EXPECT_EQ(host.Run(entry, false), noErr);
    EXPECT_EQ(host.NewCalls(), 1);
}

TEST_F(PluginFile, FailureWithoutAnyHostWindowIsReportedAndSurvived) {
    PluginEntryProc entry = Entry();
    ASSERT_NE(entry, nullptr);
    ASSERT_EQ(GetActiveWindow(), nullptr);
    VarnHost::MemoryHost host;
    host.SetImage(VarnHost::HostImage(8, 8, 3));
    host.Faults().failNewAt = 1;
    EXPECT_EQ(host.Call(entry, filterSelectorParameters), memFullErr);
    host.Record().handleProcs = nullptr;
    EXPECT_EQ(host.Call(entry, filterSelectorPrepare), errPlugInHostInsufficient);
}

}  // namespace
