// Which pictures a batch takes, where each goes, which share a shard takes, which seed a
// picture gets, and the lines its workers are spoken to in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "host/cli/BatchPlan.h"
#include "host/cli/BatchReport.h"
#include "host/cli/ChildProcess.h"
#include "tests/cli/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using namespace VarnCli;

std::vector<std::string> Relatives(const std::vector<BatchItem>& items) {
    std::vector<std::string> names;
    for (const BatchItem& item : items) names.push_back(item.relative);
    return names;
}

class CliBatchPlan : public ::testing::Test {
protected:
    CliTest::ScratchFolder folder;
    BatchOptions options;

    CliBatchPlan() {
        for (const char* name : {"in/b.png", "in/a.JPG", "in/notes.txt", "in/sub/c.bmp", "in/sub/deep/d.png",
                                 "in/out/old.png", "e.jpeg"}) {
            fs::create_directories((folder.Path() / name).parent_path());
            CliTest::WriteBytes(folder / name, {1});
        }
        options.inputs = {folder / "in", folder / "e.jpeg"};
        options.outFolder = folder / "in/out";
    }
    std::vector<std::string> Plan() {
        std::vector<BatchItem> items;
        std::string error;
        EXPECT_TRUE(PlanBatch(options, items, error)) << error;
        return Relatives(items);
    }
};

TEST_F(CliBatchPlan, FoldersGiveTheirPicturesSortedAndNeverTheOutputFolder) {
    EXPECT_EQ(Plan(), (std::vector<std::string>{"a.png", "b.png", "e.png"}));
    options.recursive = true;
    EXPECT_EQ(Plan(), (std::vector<std::string>{"a.png", "b.png", "e.png", "sub/c.png", "sub/deep/d.png"}));
    options.format = OutputFormat::Jpeg;
    EXPECT_EQ(Plan(), (std::vector<std::string>{"a.jpg", "b.jpg", "e.jpg", "sub/c.jpg", "sub/deep/d.jpg"}));

    // Two inputs that would make one output, and a missing input, are refused.
    std::vector<BatchItem> items;
    std::string error;
    CliTest::WriteBytes(folder / "in/b.jpg", {1});
    EXPECT_FALSE(PlanBatch(options, items, error));
    EXPECT_NE(error.find("b.jpg"), std::string::npos) << error;
    options.inputs = {folder / "missing"};
    EXPECT_FALSE(PlanBatch(options, items, error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

TEST_F(CliBatchPlan, ShardsAddUpToTheWholeAndSeedsDoNotDependOnThem) {
    options.recursive = true;
    options.seedPerImage = true;
    std::vector<BatchItem> all;
    std::string error;
    ASSERT_TRUE(PlanBatch(options, all, error)) << error;
    for (int32_t count : {1, 2, 3, 7}) {
        std::vector<BatchItem> joined;
        for (int32_t k = 1; k <= count; ++k) {
            for (const BatchItem& item : TakeShard(all, k, count)) joined.push_back(item);
        }
        std::sort(joined.begin(), joined.end(),
                  [](const BatchItem& a, const BatchItem& b) { return a.relative < b.relative; });
        ASSERT_EQ(Relatives(joined), Relatives(all)) << count;
        for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(joined[i].seed, all[i].seed) << all[i].relative;
    }
}

TEST(CliBatchSeed, SeedsComeFromThePathAloneAndSpreadOverTheRange) {
    // Fixed values: a seed must never change between builds, machines or versions.
    EXPECT_EQ(SeedForPicture("a.png", std::nullopt), SeedForPicture("a.png", std::nullopt));
    EXPECT_EQ(SeedForPicture("shoot/IMG_0001.png", std::nullopt), 8704);
    EXPECT_EQ(SeedForPicture("shoot/IMG_0001.png", 7), 7097);
    std::set<int32_t> seen;
    for (int i = 0; i < 200; ++i) {
        const int32_t seed = SeedForPicture("p" + std::to_string(i) + ".png", std::nullopt);
        EXPECT_GE(seed, 1);
        EXPECT_LE(seed, 10000);
        seen.insert(seed);
    }
    EXPECT_GT(seen.size(), 190u);
}

TEST(CliBatchLines, JobsAndRepliesSurviveTabsLineEndsAndBackslashes) {
    BatchItem job;
    job.input = "in\\odd\tname\n.png";
    job.output = "out/x.png";
    job.seed = 42;
    BatchItem read;
    ASSERT_TRUE(ParseJobLine(JobLine(job), read));
    EXPECT_EQ(JobLine(job).find('\n'), std::string::npos);
    EXPECT_EQ(read.input, job.input);
    EXPECT_EQ(read.output, job.output);
    EXPECT_EQ(read.seed, job.seed);
    job.seed.reset();
    ASSERT_TRUE(ParseJobLine(JobLine(job), read));
    EXPECT_FALSE(read.seed.has_value());

    PictureResult result;
    result.status = PictureStatus::Failed;
    result.exitStatus = 2;
    result.seconds = 1.25;
    result.error = "bad\tthing\nhere";
    PictureResult back;
    ASSERT_TRUE(ParseReplyLine(ReplyLine(result), back));
    EXPECT_EQ(back.status, result.status);
    EXPECT_EQ(back.exitStatus, 2);
    EXPECT_DOUBLE_EQ(back.seconds, 1.25);
    EXPECT_EQ(back.error, result.error);
    EXPECT_FALSE(ParseReplyLine("ready", back));
}

TEST(CliBatchLines, WindowsCommandLineArgumentsAreQuotedForTheRuntimesSplit) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain", "plain"},
        {"", "\"\""},
        {"C:\\dir\\a.png", "C:\\dir\\a.png"},  // backslashes alone stay as they are
        {"a b", "\"a b\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\my dir\\", "\"C:\\my dir\\\\\""},  // doubled before the closing quote
        {"a\\\"b c", "\"a\\\\\\\"b c\""},
    };
    for (const auto& [arg, quoted] : cases) EXPECT_EQ(QuoteArgument(arg), quoted) << arg;
}

}  // namespace
