// The parameter block through the real entry point: made, reset, handed back, locked
// and unlocked as a careful host expects, also when the host misbehaves.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/MemoryHost.h"
#include "tests/plugin/BlockChecks.h"
#include "product/engine/EffectParameters.h"
#include "tests/plugin/PluginEntry.h"

namespace {

struct ParametersTest : ::testing::Test {
    VarnHost::MemoryHost host;
    void SetUp() override { host.SetImage(VarnHost::HostImage(16, 16, 3)); }

    EffectParameters Block() {
        EffectParameters p;
        std::vector<uint8_t> bytes = host.HandleBytes(host.Parameters());
        EXPECT_EQ(bytes.size(), kSettingsBlockSize);
        std::memcpy(&p, bytes.data(), std::min(bytes.size(), sizeof p));
        return p;
    }
    void ExpectBalanced() {
        EXPECT_EQ(host.Locks(), host.Unlocks());
        EXPECT_EQ(host.UnbalancedUnlocks(), 0);
        if (host.Parameters() != nullptr) {
            EXPECT_FALSE(host.IsLocked(host.Parameters()));
        }
    }
    EffectParameters Custom() {
        EffectParameters p;
        std::memset(&p, 0x11, sizeof p);
        std::memset(p.path, 0, sizeof p.path);
        std::strcpy(p.path, "C:\\objects\\leaf.png");
        p.density = 77;
        p.scale = 2.5;
        p.randomSeed = 4242;
        return p;
    }
    Handle HandBack(const EffectParameters& p) {
        const uint8_t* b = reinterpret_cast<const uint8_t*>(&p);
        Handle h = host.MakeHandle(std::vector<uint8_t>(b, b + sizeof p));
        host.Record().parameters = h;
        return h;
    }
};

TEST_F(ParametersTest, FirstParametersCallMakesZeroedDefaults) {
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), noErr);
    ASSERT_NE(host.Parameters(), nullptr);
    EXPECT_EQ(host.HandleSize(host.Parameters()), int32(kSettingsBlockSize));
    ExpectDefaultBlock(host.HandleBytes(host.Parameters()));
    ExpectBalanced();
}

TEST_F(ParametersTest, HandedBackBlockIsTakenUnchanged) {
    const EffectParameters custom = Custom();
    HandBack(custom);
    for (int16 s : {filterSelectorParameters, filterSelectorPrepare, filterSelectorStart}) {
        EXPECT_EQ(host.Call(&PluginMain, s), noErr);
    }
    const EffectParameters now = Block();
    EXPECT_EQ(std::memcmp(&now, &custom, sizeof now), 0);
    ExpectBalanced();
}

// A block from before the extension keeps its settings: grown where the host can, else
// worked on in a copy whose first 328 bytes go back; either way the extension reads as
// its defaults and the picture is the old one.
TEST_F(ParametersTest, BlocksWithoutAWholeExtensionKeepTheirSettings) {
    std::vector<uint8_t> fullDefaults(kSettingsBlockSize, 0);
    ResetSettings(fullDefaults.data(), fullDefaults.size());
    const std::vector<uint8_t> tail(fullDefaults.begin() + kExtensionOffset, fullDefaults.end());
    struct Case {
        const char* name;
        std::vector<uint8_t> extension;  // bytes after the first 328
        bool hostGrows;
        int32 sizeAfter;
        double hue;  // the hue jitter read afterwards
    };
    std::vector<uint8_t> wrongTag = tail, longLength = tail, shortLength = tail, later = tail;
    wrongTag[0] = 'Q';
    longLength[4] = 200, longLength[5] = 1;  // past the block's end
    shortLength[4] = 4, shortLength[5] = 0, shortLength[8] = 9,
    shortLength[12] = 77;                                                  // only the hue, junk behind
    later.resize(later.size() + 16, 0xEE), later[4] = 0x40, later[5] = 1;  // a later version's 320
    const int32 full = int32(kSettingsBlockSize);
    const Case cases[] = {
        {"none, grown", {}, true, full, 0},
        {"none, kept short", {}, false, 328, 0},
        {"wrong tag", wrongTag, true, full, 0},
        {"length past the end", longLength, true, full, 0},
        {"older, shorter", shortLength, true, full, 9},
        {"later, longer", later, true, full + 16, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VarnHost::MemoryHost h;
        h.SetImage(VarnHost::HostImage(16, 16, 3));
        if (!c.hostGrows) h.Procs().setSizeProc = nullptr;
        const EffectParameters custom = Custom();
        std::vector<uint8_t> stored(sizeof custom + c.extension.size());
        std::memcpy(stored.data(), &custom, sizeof custom);
        std::copy(c.extension.begin(), c.extension.end(), stored.begin() + sizeof custom);
        h.Record().parameters = h.MakeHandle(stored);
        for (int16 s : {filterSelectorParameters, filterSelectorPrepare, filterSelectorStart})
            EXPECT_EQ(h.Call(&PluginMain, s), noErr);
        const std::vector<uint8_t> now = h.HandleBytes(h.Parameters());
        ASSERT_EQ(int32(now.size()), c.sizeAfter);
        EXPECT_EQ(std::memcmp(now.data(), &custom, sizeof custom), 0);
        for (const SettingRow& row : SettingRows()) {
            if (!InExtension(row)) continue;
            const double expected = row.offset == 336 ? c.hue : row.defaultValue;
            if (now.size() >= kSettingsBlockSize) {
                EXPECT_EQ(StoredValue(row, now.data()), expected) << row.name;
            }
            EXPECT_EQ(ReadSetting(row, now.data(), now.size()), expected) << row.name;
        }
        if (c.sizeAfter > full) {
            EXPECT_EQ(now.back(), 0xEE) << "a later version's fields are kept";
        }
        EXPECT_EQ(h.Locks(), h.Unlocks());
    }
}

TEST_F(ParametersTest, UnterminatedPathIsCutAtItsLastByte) {
    EffectParameters custom = Custom();
    std::memset(custom.path, 'A', sizeof custom.path);
    HandBack(custom);
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), noErr);
    const EffectParameters now = Block();
    EXPECT_EQ(std::string(now.path), std::string(259, 'A'));
    EXPECT_EQ(now.density, 77);
}

TEST_F(ParametersTest, LocksStayBalancedForEverySelectorSequence) {
    HandBack(Custom());
    const std::vector<std::vector<int16>> sequences = {{0}, {1, 2, 3, 4, 5}, {6}, {-1}, {2, 3, 3, 5}, {3}};
    for (const auto& sequence : sequences) {
        for (int16 s : sequence) EXPECT_EQ(host.Call(&PluginMain, s), noErr);
        ExpectBalanced();
    }
    EXPECT_GT(host.Locks(), 0);
}

TEST_F(ParametersTest, AboutReadsNoFilterRecord) {
    HandBack(Custom());
    EXPECT_EQ(host.About(&PluginMain, 0xCD), noErr);
    EXPECT_EQ(host.Locks() + host.Unlocks() + host.UnbalancedUnlocks(), 0);
}

TEST_F(ParametersTest, HandleThatCannotBeMadeGivesMemFullAndIsTriedAgain) {
    host.Faults().failNewAt = 1;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), memFullErr);
    EXPECT_EQ(host.Parameters(), nullptr);
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), noErr);
    ExpectDefaultBlock(host.HandleBytes(host.Parameters()));
    ExpectBalanced();
}

TEST_F(ParametersTest, NullLockOfAHandedBackBlockIsReported) {
    HandBack(Custom());
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), noErr);
    host.Faults().failLocks = 1;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), errReportString);
    EXPECT_EQ(host.ErrorMessage(), "Parameters not set");
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorStart), noErr);
    EXPECT_EQ(Block().density, 77);
    ExpectBalanced();
}

TEST_F(ParametersTest, BlockWhoseFirstLockFailedIsMadeAfresh) {
    host.Faults().failLocks = 1;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), errReportString);
    EXPECT_EQ(host.ErrorMessage(), "Parameters not set");
    EXPECT_EQ(host.Parameters(), nullptr);
    EXPECT_EQ(host.LiveHandles(), 0);
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), noErr);
    ExpectDefaultBlock(host.HandleBytes(host.Parameters()));
}

TEST_F(ParametersTest, FailedFirstLockWithoutDisposeStillGetsDefaultsLater) {
    host.Procs().disposeProc = nullptr;
    host.Faults().failLocks = 1;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), errReportString);
    ASSERT_NE(host.Parameters(), nullptr);
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), noErr);
    ExpectDefaultBlock(host.HandleBytes(host.Parameters()));
}

TEST_F(ParametersTest, SmallHandedBackBlockIsGrownAndReset) {
    host.Record().parameters = host.MakeHandle(std::vector<uint8_t>(100, 0x7F));
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), noErr);
    EXPECT_EQ(host.HandleSize(host.Parameters()), int32(kSettingsBlockSize));
    ExpectDefaultBlock(host.HandleBytes(host.Parameters()));
}

TEST_F(ParametersTest, MissingHandleSuiteIsReportedNotCalled) {
    host.Record().handleProcs = nullptr;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), errPlugInHostInsufficient);
    EXPECT_EQ(host.About(&PluginMain), noErr);
    host.Record().handleProcs = &host.Procs();

    host.Procs().numHandleProcs = 4;  // no lock procedure in a suite this short
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), errPlugInHostInsufficient);
    host.Procs().numHandleProcs = 7;

    host.Procs().newProc = nullptr;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), errPlugInHostInsufficient);
}

TEST_F(ParametersTest, MissingUnlockProcIsNotCalled) {
    host.Procs().unlockProc = nullptr;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorParameters), noErr);
    ExpectDefaultBlock(host.HandleBytes(host.Parameters()));
    EXPECT_EQ(host.Unlocks(), 0);
}

// A host that keeps 328 bytes and cannot grow them: what the run writes (here the Image
// page's first preset for a block naming a category and no path) still reaches its block.
TEST_F(ParametersTest, ARunOnACopyWritesItsSettingsBackIntoAShortBlock) {
    host.Procs().setSizeProc = nullptr;
    EffectParameters stored;
    std::memset(&stored, 0, sizeof stored);
    ResetEffectParameters(stored);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&stored);
    host.Record().parameters = host.MakeHandle(std::vector<uint8_t>(bytes, bytes + sizeof stored));
    EXPECT_EQ(host.Run(&PluginMain, false), noErr);
    std::vector<uint8_t> now = host.HandleBytes(host.Parameters());
    ASSERT_EQ(now.size(), sizeof stored);
    now.resize(kSettingsBlockSize, 0);
    CompleteExtension(now.data(), now.size());
    ExpectDefaultBlockWithFirstPreset(now);
    ExpectBalanced();
}

TEST_F(ParametersTest, StartWithoutABlockMakesTheDefaults) {
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorPrepare), noErr);
    // A host that lost the block between Prepare and Start: Start makes it afresh.
    host.Record().parameters = nullptr;
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorStart), noErr);
    ExpectDefaultBlockWithFirstPreset(host.HandleBytes(host.Parameters()));
    ExpectBalanced();
}

TEST_F(ParametersTest, FullRunLeavesDefaultsAndBalancedLocks) {
    EXPECT_EQ(host.Run(&PluginMain), noErr);
    ExpectDefaultBlockWithFirstPreset(host.HandleBytes(host.Parameters()));
    ExpectBalanced();
    EXPECT_EQ(host.NewCalls(), 1);
    // A second run takes the block back without resetting it.
    EXPECT_EQ(host.Run(&PluginMain, false), noErr);
    EXPECT_EQ(host.NewCalls(), 1);
    ExpectBalanced();
}

}  // namespace
