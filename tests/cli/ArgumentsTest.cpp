// The command line into the block: each option writes its field, exactly, and nothing else.
#include <gtest/gtest.h>

#include <cstring>

#include "host/cli/Arguments.h"
#include "product/engine/SettingsTable.h"

namespace {

using namespace VarnCli;

ParseOutcome Parse(std::vector<std::string> args, ApplyOptions& options) {
    return ParseApplyArguments(args, options);
}

// A whole block of recognisable bytes with an extension, so that a stray write anywhere shows.
std::vector<uint8_t> Filled() {
    std::vector<uint8_t> block(kSettingsBlockSize, 0x5A);
    std::memcpy(block.data() + kExtensionOffset, "VRNX\x30\x01\0\0", 8);
    return block;
}

// Bytes that differ between a block before and after the edits.
std::vector<size_t> Changed(const std::vector<uint8_t>& before, const std::vector<uint8_t>& after) {
    std::vector<size_t> offsets;
    for (size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
        if (i >= before.size() || i >= after.size() || before[i] != after[i]) offsets.push_back(i);
    }
    return offsets;
}

std::vector<uint8_t> Applied(std::vector<std::string> args, std::vector<uint8_t> block = Filled()) {
    ApplyOptions options;
    args.insert(args.begin(), {"in.png", "out.png"});
    const ParseOutcome outcome = Parse(args, options);
    EXPECT_EQ(outcome.status, ParseStatus::Run) << outcome.error;
    ApplyEdits(options.edits, block);
    return block;
}

EffectParameters AppliedCore(std::vector<std::string> args) {
    const std::vector<uint8_t> block = Applied(std::move(args));
    EffectParameters p;
    std::memcpy(&p, block.data(), sizeof p);
    return p;
}

TEST(CliArguments, EachSettingWritesOnlyItsOwnField) {
    struct Case {
        std::vector<std::string> args;
        size_t offset, width;
    };
    const std::vector<Case> cases = {
        {{"--density", "37"}, offsetof(EffectParameters, density), 4},
        {{"--scale", "1.5"}, offsetof(EffectParameters, scale), 8},
        {{"--random-scale", "2.5"}, offsetof(EffectParameters, randomScale), 8},
        {{"--rotation", "45.25"}, offsetof(EffectParameters, rotationAngle), 8},
        {{"--random-rotation", "12"}, offsetof(EffectParameters, randomRotation), 8},
        {{"--opacity", "77"}, offsetof(EffectParameters, opacity), 1},
        {{"--order-by-depth"}, offsetof(EffectParameters, orderByDepth), 1},
        {{"--fade-with-depth"}, offsetof(EffectParameters, fadeWithDepth), 1},
        {{"--desaturate-with-depth"}, offsetof(EffectParameters, desaturateWithDepth), 1},
        {{"--seed", "4242"}, offsetof(EffectParameters, randomSeed), 4},
        {{"--texture"}, offsetof(EffectParameters, applyAsTexture), 1},
        {{"--texture-amount", "64"}, offsetof(EffectParameters, textureAmount), 4},
        {{"--whole-objects"}, offsetof(EffectParameters, wholeObjectsOnly), 1},
        {{"--no-overlap"}, offsetof(EffectParameters, noOverlap), 1},
        {{"--hue-jitter", "30"}, 336, 4},
        {{"--brightness-jitter", "100"}, 340, 4},
        {{"--opacity-jitter", "5"}, 344, 4},
        {{"--flip", "hv"}, 348, 1},
        {{"--blend", "screen"}, 349, 1},
    };
    for (const Case& c : cases) {
        const std::vector<size_t> changed = Changed(Filled(), Applied(c.args));
        EXPECT_FALSE(changed.empty()) << c.args[0];
        for (size_t i : changed) {
            EXPECT_TRUE(i >= c.offset && i < c.offset + c.width) << c.args[0] << " wrote byte " << i;
        }
    }
    // A block from before the extension gains it, at its defaults but for the option given.
    const std::vector<uint8_t> old =
        Applied({"--flip", "v", "--blend", "lighten"}, std::vector<uint8_t>(328, 7));
    ASSERT_EQ(old.size(), kSettingsBlockSize);
    std::vector<uint8_t> expected(328, 7);
    expected.resize(kSettingsBlockSize, 0);
    CompleteExtension(expected.data(), expected.size());
    expected[348] = 2, expected[349] = 5;
    EXPECT_EQ(old, expected);
}

TEST(CliArguments, ValuesAreStoredExactlyAsGiven) {
    const EffectParameters p = AppliedCore({"--density",
                                            "37",
                                            "--scale",
                                            "1.5",
                                            "--random-scale",
                                            "1.0232929922807541",
                                            "--rotation",
                                            "0.1",
                                            "--random-rotation",
                                            "180",
                                            "--opacity",
                                            "0",
                                            "--seed",
                                            "10000",
                                            "--texture-amount",
                                            "1",
                                            "--order-by-depth",
                                            "--fade-with-depth",
                                            "--desaturate-with-depth",
                                            "--texture",
                                            "--whole-objects",
                                            "--no-overlap"});
    EXPECT_EQ(p.density, 37);
    EXPECT_EQ(p.scale, 1.5);
    EXPECT_EQ(p.randomScale, 1.0232929922807541);
    EXPECT_EQ(p.rotationAngle, 0.1);
    EXPECT_EQ(p.randomRotation, 180.0);
    EXPECT_EQ(p.opacity, 0);
    EXPECT_EQ(p.randomSeed, 10000);
    EXPECT_EQ(p.textureAmount, 1);
    for (uint8_t flag : {p.orderByDepth, p.fadeWithDepth, p.desaturateWithDepth, p.applyAsTexture,
                         p.wholeObjectsOnly, p.noOverlap}) {
        EXPECT_EQ(flag, 1);
    }
}

TEST(CliArguments, ObjectAndFolderAreTheCustomEntry) {
    EffectParameters p = AppliedCore({"--object", "leaf.png"});
    EXPECT_STREQ(p.path, "leaf.png");
    EXPECT_EQ(p.multipleImages, 0);
    EXPECT_EQ(p.presetCategory, -1);
    // The rest of the path field is cleared: no older, longer path survives behind it.
    for (size_t i = std::strlen("leaf.png"); i < sizeof p.path; ++i) ASSERT_EQ(p.path[i], 0) << i;

    p = AppliedCore({"--folder=objects/leaves"});
    EXPECT_STREQ(p.path, "objects/leaves");
    EXPECT_EQ(p.multipleImages, 1);
    EXPECT_EQ(p.presetCategory, -1);

    const std::string longest(kMaxBlockPath, 'x');
    p = AppliedCore({"--object", longest});
    EXPECT_EQ(std::string(p.path), longest);
    EXPECT_EQ(p.path[kMaxBlockPath], 0);
}

TEST(CliArguments, RunOptionsAndOperandsInAnyOrder) {
    ApplyOptions options;
    ASSERT_EQ(
        Parse({"--quiet", "a.jpg", "--mask", "m.png", "--params=p.bin", "b.png", "--save-params", "q.bin",
               "--plugin", "x/Varnel.so", "--preset", "Leaves/Oak", "--threads", "3", "--timing"},
              options)
            .status,
        ParseStatus::Run);
    EXPECT_EQ(options.input, "a.jpg");
    EXPECT_EQ(options.output, "b.png");
    EXPECT_EQ(options.mask, "m.png");
    EXPECT_EQ(options.paramsFile, "p.bin");
    EXPECT_EQ(options.saveParams, "q.bin");
    EXPECT_EQ(options.plugin, "x/Varnel.so");
    EXPECT_EQ(options.preset, "Leaves/Oak");
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(options.dialog, DialogAnswer::Ok) << "the dialog is answered with OK unless told";
    EXPECT_EQ(options.threads, 3);
    EXPECT_TRUE(options.timing);
    EXPECT_FALSE(options.edits.path.has_value()) << "a preset is resolved only at run time";

    for (auto [flag, answer] :
         {std::pair{"--cancel", DialogAnswer::Cancel}, {"--dialog", DialogAnswer::Person}}) {
        ApplyOptions answered;
        ASSERT_EQ(Parse({flag, "a", "b.png", flag}, answered).status, ParseStatus::Run);
        EXPECT_EQ(answered.dialog, answer) << flag;
    }

    ApplyOptions dashed;
    ASSERT_EQ(Parse({"--", "-in.png", "--out.png"}, dashed).status, ParseStatus::Run);
    EXPECT_EQ(dashed.input, "-in.png");
    EXPECT_EQ(dashed.output, "--out.png");

    ApplyOptions later;
    ASSERT_EQ(Parse({"a", "b.png", "--density", "5", "--density", "6"}, later).status, ParseStatus::Run);
    EXPECT_EQ(later.edits.Get("density"), 6);

    ApplyOptions none;
    ASSERT_EQ(Parse({"a", "b.png"}, none).status, ParseStatus::Run);
    std::vector<uint8_t> untouched = Filled();
    ApplyEdits(none.edits, untouched);
    EXPECT_TRUE(Changed(Filled(), untouched).empty());
}

TEST(CliArguments, BadUsageIsAnErrorNamingTheOption) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "INPUT"},
        {{"a"}, "INPUT"},
        {{"a", "b", "c"}, "\"c\""},
        {{"a", "b", "--bogus"}, "--bogus"},
        {{"a", "b", "--density"}, "--density"},
        {{"a", "b", "--density", "0"}, "--density"},
        {{"a", "b", "--density", "101"}, "--density"},
        {{"a", "b", "--density", "5.5"}, "--density"},
        {{"a", "b", "--density", " 5"}, "--density"},
        {{"a", "b", "--density", "99999999999999999999"}, "--density"},
        {{"a", "b", "--scale", "0.09"}, "--scale"},
        {{"a", "b", "--scale", "10.5"}, "--scale"},
        {{"a", "b", "--scale", "1.5x"}, "--scale"},
        {{"a", "b", "--scale", "nan"}, "--scale"},
        {{"a", "b", "--scale", "0x1p0"}, "--scale"},
        {{"a", "b", "--scale", ""}, "--scale"},
        {{"a", "b", "--random-scale", "0.5"}, "--random-scale"},
        {{"a", "b", "--rotation", "360"}, "--rotation"},
        {{"a", "b", "--rotation", "-1"}, "--rotation"},
        {{"a", "b", "--random-rotation", "181"}, "--random-rotation"},
        {{"a", "b", "--opacity", "256"}, "--opacity"},
        {{"a", "b", "--seed", "0"}, "--seed"},
        {{"a", "b", "--texture-amount", "0"}, "--texture-amount"},
        {{"a", "b", "--texture=1"}, "--texture"},
        {{"a", "b", "--hue-jitter", "181"}, "--hue-jitter"},
        {{"a", "b", "--opacity-jitter", "-1"}, "--opacity-jitter"},
        {{"a", "b", "--flip", "x"}, "none, h, v, hv"},
        {{"a", "b", "--blend", "Normal"}, "--blend"},
        {{"a", "b", "--threads", "0"}, "--threads"},
        {{"a", "b", "--threads", "9"}, "--threads"},
        {{"a", "b", "--object", std::string(kMaxBlockPath + 1, 'x')}, "--object"},
        {{"a", "b", "--object", ""}, "--object"},
        {{"a", "b", "--preset", "NoSlash"}, "--preset"},
        {{"a", "b", "--preset", "/Name"}, "--preset"},
        {{"a", "b", "--object", "x.png", "--folder", "d"}, "exclude"},
        {{"a", "b", "--object", "x.png", "--preset", "A/B"}, "exclude"},
        {{"a", "b", "--preset", "A/B", "--folder", "d"}, "exclude"},
        {{"a", "b", "--cancel", "--dialog"}, "exclude"},
        {{"a", "b", "--dialog=1"}, "--dialog"},
        {{"a", "b", "--png-level", "10"}, "--png-level"},
        {{"a", "b", "--quality", "0"}, "--quality"},
        {{"a", "b.tif"}, "OUTPUT"},
        {{"a", "b"}, "OUTPUT"},
        {{"a", "b.png/c"}, "OUTPUT"},
    };
    for (const auto& [args, named] : cases) {
        ApplyOptions options;
        const ParseOutcome outcome = Parse(args, options);
        EXPECT_EQ(outcome.status, ParseStatus::Error) << ::testing::PrintToString(args);
        EXPECT_NE(outcome.error.find(named), std::string::npos) << outcome.error;
    }
}

TEST(CliArguments, HelpWinsOverEverythingElse) {
    ApplyOptions options;
    EXPECT_EQ(Parse({"--help"}, options).status, ParseStatus::Help);
    EXPECT_EQ(Parse({"a", "-h", "--density", "0"}, options).status, ParseStatus::Help);
    EXPECT_EQ(Parse({"--density", "0", "--help"}, options).status, ParseStatus::Help);
    EXPECT_EQ(Parse({"--", "-h", "b.jpeg"}, options).status, ParseStatus::Run);
    PresetsOptions presets;
    EXPECT_EQ(ParsePresetsArguments({"--help"}, presets).status, ParseStatus::Help);
}

TEST(CliArguments, BatchTakesApplysSettingsAndItsOwnOptions) {
    BatchOptions options;
    ASSERT_EQ(
        ParseBatchArguments({"a.png", "--density", "7", "dir", "--out", "o", "--shard", "2/3", "--format",
                             "jpeg", "--quality", "80", "--seed-per-image", "--jobs=4", "--recursive"},
                            options)
            .status,
        ParseStatus::Run);
    EXPECT_EQ(options.inputs, (std::vector<std::string>{"a.png", "dir"}));
    EXPECT_EQ(options.settings.edits.Get("density"), 7);
    EXPECT_EQ(options.settings.jpegQuality, 80);
    EXPECT_EQ(options.shardIndex, 2);
    EXPECT_EQ(options.shardCount, 3);
    EXPECT_EQ(options.format, OutputFormat::Jpeg);
    EXPECT_EQ(options.jobs, 4);
    EXPECT_TRUE(options.seedPerImage && options.recursive);

    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--out", "o"}, "INPUT"},
        {{"a"}, "--out"},
        {{"a", "--out", "o", "--shard", "0/3"}, "--shard"},
        {{"a", "--out", "o", "--shard", "4/3"}, "--shard"},
        {{"a", "--out", "o", "--shard", "3"}, "--shard"},
        {{"a", "--out", "o", "--format", "gif"}, "--format"},
        {{"a", "--out", "o", "--jobs", "0"}, "--jobs"},
        {{"a", "--out", "o", "--mask", "m.png"}, "--mask"},
        {{"a", "--out", "o", "--density", "0"}, "--density"},
    };
    for (const auto& [args, named] : bad) {
        BatchOptions batch;
        const ParseOutcome outcome = ParseBatchArguments(args, batch);
        EXPECT_EQ(outcome.status, ParseStatus::Error) << ::testing::PrintToString(args);
        EXPECT_NE(outcome.error.find(named), std::string::npos) << outcome.error;
    }
}

TEST(CliArguments, PresetsCommandTakesOnlyItsOptions) {
    PresetsOptions options;
    ASSERT_EQ(ParsePresetsArguments({"--names", "--plugin", "p/Varnel.so"}, options).status,
              ParseStatus::Run);
    EXPECT_TRUE(options.names);
    EXPECT_EQ(options.plugin, "p/Varnel.so");
    EXPECT_EQ(ParsePresetsArguments({"extra"}, options).status, ParseStatus::Error);
    EXPECT_EQ(ParsePresetsArguments({"--density", "5"}, options).status, ParseStatus::Error);
}

}  // namespace
