// varnel batch run as a user runs it: every output is the one apply makes of its picture,
// whatever the workers, shards and interruptions; bad pictures are reported and skipped.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "host/cli/ImageFile.h"
#include "host/cli/System.h"
#include "tests/cli/RunProgram.h"
#include "tests/cli/TestFiles.h"
#include "tests/cli/VarnelProgram.h"

namespace {

namespace fs = std::filesystem;
using namespace CliTest;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class CliBatch : public VarnelProgramTest {
protected:
    const std::string fakePlugin =
        BesideTestProgram("FakePlugin" + fs::path(VarnCli::kPluginFileName).extension().string());
    // Drawn with the real plug-in, so that seeds show in the pixels.
    const std::vector<std::string> settings = {"--density", "30", "--object", "", "--random-rotation", "90"};

    CliBatch() {
        fs::create_directories(folder.Path() / "in/sub");
        Input("leaf.png", Pattern(6, 9, 4));
        Input("in/a.png", Pattern(40, 30, 3));
        Input("in/b.png", Pattern(33, 21, 4));
        Input("in/sub/c.png", Pattern(25, 25, 1));
        WriteJpeg(folder / "in/d.jpg", Pattern(30, 20, 3), 90);
    }
    std::vector<std::string> Settings() {
        std::vector<std::string> s = settings;
        s[3] = folder / "leaf.png";
        return s;
    }
    ProgramResult Batch(const std::string& plugin, std::vector<std::string> args) {
        args.insert(args.begin(), {"batch", "--plugin", plugin});
        return Varnel(args);
    }
    ProgramResult RealBatch(std::vector<std::string> args) {
        const std::vector<std::string> s = Settings();
        args.insert(args.end(), s.begin(), s.end());
        return Batch(realPlugin, args);
    }
    // Every file below a folder, by its path there.
    std::map<std::string, std::vector<uint8_t>> Files(const std::string& name) {
        std::map<std::string, std::vector<uint8_t>> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder.Path() / name)) {
            if (entry.is_regular_file())
                files[entry.path().lexically_relative(folder.Path() / name).generic_string()] =
                    ReadBytes(entry.path().string());
        }
        return files;
    }
};

TEST_F(CliBatch, EachOutputIsApplysAndABadPictureIsReportedAndSkipped) {
    WriteBytes(folder / "in/sub/broken.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    const ProgramResult run = RealBatch({folder / "in", "--recursive", "--out", folder / "out", "--jobs", "2",
                                         "--report", folder / "r.json"});
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_TRUE(Contains(run.err, "broken.png")) << run.err;
    EXPECT_TRUE(Contains(run.err, "5 pictures: 4 made, 1 failed")) << run.err;
    const std::vector<uint8_t> report = ReadBytes(folder / "r.json");
    EXPECT_TRUE(Contains(std::string(report.begin(), report.end()), "\"status\": \"failed\", \"seconds\""));

    const auto outputs = Files("out");
    ASSERT_EQ(outputs.size(), 4u);
    for (const char* name : {"a.png", "b.png", "d.png", "sub/c.png"}) {
        std::string input = folder / (std::string("in/") + name);
        if (!fs::exists(input)) input = folder / "in/d.jpg";
        std::vector<std::string> args = {input, folder / "single.png"};
        const std::vector<std::string> s = Settings();
        args.insert(args.end(), s.begin(), s.end());
        ASSERT_EQ(Apply(realPlugin, args).status, 0) << name;
        EXPECT_EQ(outputs.at(name), ReadBytes(folder / "single.png")) << name;
    }
}

TEST_F(CliBatch, ShardsTogetherMakeTheOneRunWithTheSameSeedsAsJpeg) {
    const std::vector<std::string> common = {folder / "in", "--recursive", "--seed-per-image", "--format",
                                             "jpeg"};
    std::vector<std::string> whole = common;
    whole.insert(whole.end(), {"--out", folder / "whole"});
    ASSERT_EQ(RealBatch(whole).status, 0);
    for (const char* shard : {"1/3", "2/3", "3/3"}) {
        std::vector<std::string> part = common;
        part.insert(part.end(), {"--out", folder / "shards", "--shard", shard, "--jobs", "1"});
        const ProgramResult run = RealBatch(part);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(Contains(run.err, shard[0] == '1' ? "2 pictures" : "1 picture")) << run.err;
    }
    const auto outputs = Files("whole");
    EXPECT_EQ(Files("shards"), outputs);
    ASSERT_EQ(outputs.size(), 4u);
    for (const auto& [name, bytes] : outputs) {
        const VarnCli::Raster picture = ReadImage(folder / ("whole/" + name));
        EXPECT_EQ(picture.channels, 3) << name;
        EXPECT_TRUE(Contains(name, ".jpg")) << name;
    }
    // One seed for all draws a picture otherwise than a seed per picture does.
    ASSERT_EQ(RealBatch({folder / "in/a.png", "--out", folder / "same", "--format", "jpeg"}).status, 0);
    EXPECT_NE(ReadBytes(folder / "same/a.jpg"), outputs.at("a.jpg"));
}

TEST_F(CliBatch, AnInterruptedRunLeavesWholeFilesOnlyAndARerunGoesOn) {
    if (!PosixSystem()) GTEST_SKIP() << "SIGINT is a POSIX signal";
    fs::create_directories(folder.Path() / "many");
    // Sorted, one worker: a to c are made, d (13 pixels wide) interrupts, e and f wait.
    for (const char* name : {"a", "b", "c", "d", "e", "f"})
        Input(std::string("many/") + name + ".png", Pattern(name[0] == 'd' ? 13 : 12, 5, 3));
    const std::vector<std::string> args = {folder / "many", "--out", folder / "out", "--jobs", "1"};
    std::vector<std::string> first = args;
    first.insert(first.end(), {"--density", "8"});
    ProgramResult run = Batch(fakePlugin, first);
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_TRUE(Contains(run.err, "3 made")) << run.err;
    const auto made = Files("out");
    EXPECT_EQ(made.size(), 3u) << "no temporary file is left, and nothing after the interrupt is made";
    for (const auto& [name, bytes] : made) {
        const VarnCli::Raster output = ReadImage(folder / ("out/" + name));
        EXPECT_EQ(output.pixels[0], uint8_t(255 - Pattern(12, 5, 3).pixels[0])) << name;
    }

    std::vector<std::string> again = args;
    again.insert(again.end(), {"--density", "1", "--report", folder / "r.json"});
    run = Batch(fakePlugin, again);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, "6 pictures: 3 made, 3 skipped")) << run.err;
    EXPECT_EQ(Files("out").size(), 6u);
    EXPECT_EQ(Files("out").at("a.png"), made.at("a.png"));
}

}  // namespace
