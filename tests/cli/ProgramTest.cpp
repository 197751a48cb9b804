// The built varnel program, run as a user runs it: files in, files out, exit statuses.
// The effect itself is not checked here; a fake plug-in shows what reaches the plug-in
// and what comes back from it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "host/DialogResponder.h"
#include "host/cli/ImageFile.h"
#include "host/cli/System.h"
#include "product/engine/EffectParameters.h"
#include "product/engine/SettingsTable.h"
#include "tests/cli/RunProgram.h"
#include "tests/cli/TestFiles.h"
#include "tests/cli/VarnelProgram.h"

namespace {

namespace fs = std::filesystem;
using namespace CliTest;
using VarnCli::Raster;

enum FakeMode {
    kInvert = 1,
    kEchoMask = 2,
    kReportText = 3,
    kReportCode = 4,
    kCancel = 5,
    kInterrupt = 6,
    kProgress = 7
};

EffectParameters Block(const std::vector<uint8_t>& bytes) {
    EffectParameters block;
    EXPECT_EQ(bytes.size(), kSettingsBlockSize);
    std::memset(&block, 0, sizeof block);
    std::memcpy(&block, bytes.data(), std::min(bytes.size(), sizeof block));
    return block;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class CliProgram : public VarnelProgramTest {
protected:
    const std::string fakePlugin =
        BesideTestProgram("FakePlugin" + fs::path(VarnCli::kPluginFileName).extension().string());

    ProgramResult Fake(FakeMode mode, std::vector<std::string> args) {
        args.insert(args.end(), {"--density", std::to_string(int(mode))});
        return Apply(fakePlugin, args);
    }

    // A copy of the real plug-in in a folder of its own, beside a library of two categories
    // (in folder order: Flowers with Daisy, Leaves with the folder Fall and Oak).
    fs::path PluginWithSmallLibrary() {
        const fs::path pluginFolder = folder.Path() / "plug-ins";
        fs::create_directories(pluginFolder);
        const fs::path plugin = pluginFolder / fs::path(realPlugin).filename();
        fs::copy_file(realPlugin, plugin);
        std::string error;
        const fs::path library = pluginFolder / "Varnel";
        for (const fs::path& image : {library / "Leaves" / "Oak.png", library / "Leaves" / "Fall" / "a.png",
                                      library / "Flowers" / "Daisy.png"}) {
            fs::create_directories(image.parent_path());
            EXPECT_TRUE(VarnCli::WritePngFile(image.string(), Pattern(5, 5, 4), error)) << error;
        }
        return plugin;
    }

    // The real plug-in with a folder of the user's own that holds no pictures: it draws
    // nothing, so the image makes the round trip through the host alone.
    ProgramResult ApplyDrawingNothing(std::vector<std::string> args) {
        const fs::path empty = folder.Path() / "no-pictures";
        fs::create_directories(empty);
        args.insert(args.end(), {"--folder", empty.string()});
        return Apply(realPlugin, args);
    }
    std::vector<std::string> FilesInFolder() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(CliProgram, RealPluginRunsOnRgbAndTransparentImages) {
    for (int channels : {3, 4}) {
        const Raster input = Pattern(150, 131, channels);  // more than one 128 x 128 tile
        const ProgramResult run = ApplyDrawingNothing({Input("in.png", input), folder / "out.png"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "") << "no progress bar without a terminal";
        const Raster output = ReadImage(folder / "out.png");
        EXPECT_EQ(output.channels, channels);
        // Nothing drawn: the round trip through the host is exact.
        EXPECT_EQ(output.pixels, input.pixels);
    }
}

TEST_F(CliProgram, OutputHoldsWhatThePluginWroteOnEveryPlane) {
    for (int channels : {3, 4}) {
        const Raster input = Pattern(20, 9, channels);
        const ProgramResult run = Fake(kInvert, {Input("in.png", input), folder / "out.png"});
        ASSERT_EQ(run.status, 0) << run.err;
        const Raster output = ReadImage(folder / "out.png");
        ASSERT_EQ(output.pixels.size(), input.pixels.size());
        for (size_t i = 0; i < input.pixels.size(); ++i)
            ASSERT_EQ(output.pixels[i], 255 - input.pixels[i]) << i;
    }
}

TEST_F(CliProgram, GreyJpegAndBmpInputsAreFilteredAsRgb) {
    const Raster grey = Pattern(12, 5, 1);
    ProgramResult run = ApplyDrawingNothing({Input("grey.png", grey), folder / "grey-out.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    Raster output = ReadImage(folder / "grey-out.png");
    ASSERT_EQ(output.channels, 3);
    for (size_t i = 0; i < grey.pixels.size(); ++i) {
        for (int c = 0; c < 3; ++c) ASSERT_EQ(output.pixels[i * 3 + c], grey.pixels[i]) << i;
    }

    const Raster bitmap = Pattern(9, 4, 3);
    WriteBmp(folder / "bitmap.bmp", bitmap);
    run = ApplyDrawingNothing({folder / "bitmap.bmp", folder / "bitmap-out.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadImage(folder / "bitmap-out.png").pixels, bitmap.pixels);

    WriteJpeg(folder / "photo.jpg", Pattern(33, 17, 3), 90);
    run = ApplyDrawingNothing({folder / "photo.jpg", folder / "photo-out.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    output = ReadImage(folder / "photo-out.png");
    EXPECT_EQ(output.channels, 3);
    EXPECT_EQ(output.pixels, ReadImage(folder / "photo.jpg").pixels);
}

TEST_F(CliProgram, MaskReachesThePluginAsTheSelection) {
    const Raster input = Pattern(17, 11, 4);
    Raster mask = Pattern(17, 11, 1);
    const std::string in = Input("in.png", input), maskFile = Input("mask.png", mask);
    ProgramResult run = Fake(kEchoMask, {in, folder / "out.png", "--mask", maskFile});
    ASSERT_EQ(run.status, 0) << run.err;
    Raster output = ReadImage(folder / "out.png");
    ASSERT_EQ(output.channels, 4);
    for (size_t i = 0; i < mask.pixels.size(); ++i) {
        for (int c = 0; c < 4; ++c) ASSERT_EQ(output.pixels[i * 4 + c], mask.pixels[i]) << i;
    }
    // Without a mask the host serves no selection at all.
    run = Fake(kEchoMask, {in, folder / "out.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    output = ReadImage(folder / "out.png");
    EXPECT_EQ(output.pixels, std::vector<uint8_t>(output.pixels.size(), 0));

    // The real plug-in scans the selection for its bounds.
    run = Apply(realPlugin, {in, folder / "real.png", "--mask", maskFile});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadImage(folder / "real.png").pixels, input.pixels);

    const std::string small = Input("small.png", Pattern(16, 11, 1));
    const std::string colour = Input("colour.png", Pattern(17, 11, 3));
    for (const std::string& bad : {small, colour}) {
        run = Apply(realPlugin, {in, folder / "bad.png", "--mask", bad});
        EXPECT_EQ(run.status, 1) << bad;
        EXPECT_TRUE(Contains(run.err, bad)) << run.err;
        EXPECT_FALSE(fs::exists(folder / "bad.png"));
    }
}

TEST_F(CliProgram, SavedBlockHoldsTheOptionsAndRoundTrips) {
    const std::string in = Input("in.png", Pattern(8, 8, 3));
    const std::string object = Input("leaf.png", Pattern(4, 4, 4));
    ProgramResult run =
        Apply(realPlugin, {in, folder / "o.png", "--scale", "1.5", "--seed", "77", "--rotation", "12.5",
                           "--no-overlap", "--object", object, "--save-params", folder / "first.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<uint8_t> first = ReadBytes(folder / "first.bin");
    EffectParameters p = Block(first);
    EXPECT_EQ(p.scale, 1.5);
    EXPECT_EQ(p.randomSeed, 77);
    EXPECT_EQ(p.rotationAngle, 12.5);
    EXPECT_EQ(p.noOverlap, 1);
    EXPECT_EQ(std::string(p.path), object);
    EXPECT_EQ(p.multipleImages, 0);
    EXPECT_EQ(p.presetCategory, -1);
    // Fields not named keep the plug-in's defaults.
    EXPECT_EQ(p.density, 10);
    EXPECT_EQ(p.randomScale, 1.0);
    EXPECT_EQ(p.textureAmount, 50);
    EXPECT_EQ(p.opacity, 255);

    // A saved block comes back whole, and an option on top changes only its field.
    run = Apply(realPlugin, {in, folder / "o.png", "--params", folder / "first.bin", "--density", "20",
                             "--save-params", folder / "second.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<uint8_t> second = ReadBytes(folder / "second.bin");
    ASSERT_EQ(second.size(), first.size());
    EXPECT_EQ(Block(second).density, 20);
    std::memcpy(second.data() + offsetof(EffectParameters, density),
                first.data() + offsetof(EffectParameters, density), 4);
    EXPECT_EQ(second, first);

    run = Apply(realPlugin, {in, folder / "o.png", "--params", folder / "second.bin", "--save-params",
                             folder / "third.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder / "third.bin"), ReadBytes(folder / "second.bin"));
}

TEST_F(CliProgram, PresetsComeFromTheLibraryBesideThePlugin) {
    const fs::path plugin = PluginWithSmallLibrary();
    const fs::path library = plugin.parent_path() / "Varnel";

    ProgramResult run = Varnel({"presets", "--plugin", plugin.string(), "--names"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("Flowers/Daisy"), 0u) << run.out;
    EXPECT_TRUE(Contains(run.out, "Leaves/Fall")) << run.out;
    EXPECT_LT(run.out.find("Leaves/Fall"), run.out.find("Leaves/Oak")) << run.out;
    run = Varnel({"presets", "--plugin", plugin.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Fall  (folder of images)")) << run.out;

    const std::string in = Input("in.png", Pattern(8, 8, 3));
    run = Apply(plugin.string(),
                {in, folder / "o.png", "--preset", "Leaves/Oak", "--save-params", folder / "p.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    EffectParameters p = Block(ReadBytes(folder / "p.bin"));
    EXPECT_EQ(p.presetCategory, 1);
    EXPECT_EQ(p.multipleImages, 0);
    EXPECT_TRUE(fs::equivalent(p.path, library / "Leaves" / "Oak.png")) << p.path;

    run = Apply(plugin.string(),
                {in, folder / "o.png", "--preset", "Leaves/Fall", "--save-params", folder / "p.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    p = Block(ReadBytes(folder / "p.bin"));
    EXPECT_EQ(p.multipleImages, 1);
    EXPECT_TRUE(fs::equivalent(p.path, library / "Leaves" / "Fall")) << p.path;

    run = Apply(plugin.string(), {in, folder / "none.png", "--preset", "Leaves/Elm"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "Leaves/Elm")) << run.err;
    EXPECT_FALSE(fs::exists(folder / "none.png"));

    run = Varnel({"presets", "--plugin", (folder.Path() / "elsewhere" / "Varnel.so").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Contains(run.err, "no preset library")) << run.err;
}

TEST_F(CliProgram, ABlockNamingACategoryWithoutAPathGetsTheCategorysFirstPreset) {
    const fs::path plugin = PluginWithSmallLibrary();
    const fs::path library = plugin.parent_path() / "Varnel";
    const std::string in = Input("in.png", Pattern(8, 8, 3));
    // The plug-in's own defaults name the first category.
    ProgramResult run = Apply(plugin.string(), {in, folder / "o.png", "--save-params", folder / "p.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<uint8_t> bytes = ReadBytes(folder / "p.bin");
    EffectParameters p = Block(bytes);
    EXPECT_EQ(p.presetCategory, 0);
    EXPECT_EQ(p.multipleImages, 0);
    EXPECT_TRUE(fs::equivalent(p.path, library / "Flowers" / "Daisy.png")) << p.path;

    p.presetCategory = 1;
    p.path[0] = 0;
    std::memcpy(bytes.data(), &p, sizeof p);
    WriteBytes(folder / "leaves.bin", bytes);
    run = Apply(plugin.string(),
                {in, folder / "o.png", "--params", folder / "leaves.bin", "--save-params", folder / "p.bin"});
    ASSERT_EQ(run.status, 0) << run.err;
    p = Block(ReadBytes(folder / "p.bin"));
    EXPECT_EQ(p.presetCategory, 1);
    EXPECT_EQ(p.multipleImages, 1);
    EXPECT_TRUE(fs::equivalent(p.path, library / "Leaves" / "Fall")) << p.path;

    // A category past the end shows the last one; below the custom entry, nothing is touched.
    for (int32_t category : {7, -5}) {
        p.presetCategory = category;
        p.path[0] = 0;
        std::memcpy(bytes.data(), &p, sizeof p);
        WriteBytes(folder / "odd.bin", bytes);
        run = Apply(plugin.string(), {in, folder / "o.png", "--params", folder / "odd.bin", "--save-params",
                                      folder / "p.bin"});
        ASSERT_EQ(run.status, 0) << run.err;
        const EffectParameters saved = Block(ReadBytes(folder / "p.bin"));
        EXPECT_EQ(saved.presetCategory, category);
        if (category > 0) {
            EXPECT_TRUE(fs::equivalent(saved.path, library / "Leaves" / "Fall")) << saved.path;
        } else {
            EXPECT_EQ(std::string(saved.path), "");
        }
    }
}

TEST_F(CliProgram, FailuresLeaveNoOutputAndSayWhy) {
    const std::string in = Input("in.png", Pattern(8, 8, 3));
    CliTest::WriteBytes(folder / "kept.png", {'o', 'l', 'd'});
    CliTest::WriteBytes(folder / "bad.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    CliTest::WriteBytes(folder / "picture.bmp", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0});
    CliTest::WriteBytes(folder / "short.bin", std::vector<uint8_t>(100, 0));
    const std::string missingPlugin = folder / "NoSuchPlugin.bin";
    struct Case {
        ProgramResult run;
        int status;
        std::string said;
    };
    const std::vector<Case> cases = {
        {Apply(missingPlugin, {in, folder / "kept.png"}), 1, missingPlugin},
        {Apply(in, {in, folder / "kept.png"}), 1, "cannot load the plug-in"},
        {Apply(realPlugin, {folder / "missing.png", folder / "kept.png"}), 1, folder / "missing.png"},
        {Apply(realPlugin, {folder / "bad.png", folder / "kept.png"}), 1, folder / "bad.png"},
        {Apply(realPlugin, {folder / "picture.bmp", folder / "kept.png"}), 1, folder / "picture.bmp"},
        {Apply(realPlugin, {in, folder / "kept.png", "--params", folder / "short.bin"}), 1,
         folder / "short.bin"},
        {Apply(realPlugin, {in, folder / "kept.png", "--object", folder / "gone.png"}), 1,
         folder / "gone.png"},
        {Fake(kReportText, {in, folder / "kept.png"}), 2, "Fake plug-in failure"},
        {Fake(kReportCode, {in, folder / "kept.png"}), 2, "-108"},
        {Fake(kCancel, {in, folder / "kept.png"}), 130, "cancelled"},
        {Fake(kReportText, {in, folder / "new.png", "--save-params", folder / "new.bin"}), 2, "Fake"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.run.status, c.status) << c.said << ": " << c.run.err;
        EXPECT_TRUE(Contains(c.run.err, c.said)) << c.run.err;
    }
    EXPECT_EQ(ReadBytes(folder / "kept.png"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    // No temporary file is left behind either.
    EXPECT_EQ(FilesInFolder(),
              (std::vector<std::string>{"bad.png", "in.png", "kept.png", "picture.bmp", "short.bin"}));
}

TEST_F(CliProgram, CancelPressesTheDialogsCancel) {
    const std::string in = Input("in.png", Pattern(8, 8, 3));
    const ProgramResult run = Apply(realPlugin, {in, folder / "out.png", "--cancel"});
    if (VarnHost::DialogResponder::DialogsShown()) {
        EXPECT_EQ(run.status, 130) << run.err;
        EXPECT_TRUE(Contains(run.err, "cancelled")) << run.err;
    } else {
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_TRUE(Contains(run.err, "shows no dialog")) << run.err;
    }
    EXPECT_FALSE(fs::exists(folder / "out.png"));
}

TEST_F(CliProgram, InterruptCancelsTheRun) {
    if (!PosixSystem()) GTEST_SKIP() << "SIGINT is a POSIX signal";
    const ProgramResult run = Fake(kInterrupt, {Input("in.png", Pattern(8, 8, 3)), folder / "out.png"});
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_TRUE(Contains(run.err, "cancelled")) << run.err;
    EXPECT_FALSE(fs::exists(folder / "out.png"));
}

TEST_F(CliProgram, ProgressBarOnlyOnATerminalAndNotWhenQuiet) {
    const std::string in = Input("in.png", Pattern(8, 8, 3));
    ProgramResult run = Fake(kProgress, {in, folder / "out.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    if (!PosixSystem()) GTEST_SKIP() << "no pseudo terminals";
    const std::string varnel = BesideTestProgram(ProgramName("varnel"));
    const std::vector<std::string> args = {varnel,      "apply",
                                           "--plugin",  fakePlugin,
                                           in,          folder / "out.png",
                                           "--density", std::to_string(int(kProgress))};
    run = RunProgramOnTerminal(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, "\r")) << run.err;
    EXPECT_TRUE(Contains(run.err, " 50%")) << run.err;
    EXPECT_TRUE(Contains(run.err, "100%")) << run.err;
    std::vector<std::string> quiet = args;
    quiet.push_back("--quiet");
    run = RunProgramOnTerminal(quiet);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

TEST_F(CliProgram, HelpAndBadUsage) {
    ProgramResult run = Varnel({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "apply INPUT OUTPUT")) << run.out;
    run = Varnel({"apply", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "--save-params")) << run.out;
    run = Varnel({"presets", "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.out, "--names")) << run.out;

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"frobnicate"}, {"apply", "only-one.png"}, {"apply", "a.png", "b.png", "--seed", "0"}}) {
        run = Varnel(args);
        EXPECT_EQ(run.status, 1) << ::testing::PrintToString(args);
        EXPECT_FALSE(run.err.empty());
    }
}

TEST_F(CliProgram, DefaultPluginIsTheOneBesideTheTool) {
    const ProgramResult run = Varnel({"apply", Input("in.png", Pattern(4, 4, 3)), folder / "out.png"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(folder / "out.png"));
}

}  // namespace
