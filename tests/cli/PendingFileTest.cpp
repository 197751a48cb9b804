// An output appears whole or not at all, and a failed run leaves an older file alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/cli/PendingFile.h"
#include "tests/cli/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using VarnCli::PendingFile;

size_t FileCount(const fs::path& folder) {
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(CliPendingFile, CommitReplacesTheTargetAndLeavesNothingElse) {
    CliTest::ScratchFolder folder;
    CliTest::WriteBytes(folder / "out.png", {1, 2, 3});
    std::string error;
    {
        PendingFile file(folder / "out.png");
        EXPECT_EQ(fs::path(file.TemporaryPath()).parent_path(), folder.Path());
        EXPECT_NE(file.TemporaryPath(), file.Target());
        CliTest::WriteBytes(file.TemporaryPath(), {9, 9});
        ASSERT_TRUE(file.Commit(error)) << error;
    }
    EXPECT_EQ(CliTest::ReadBytes(folder / "out.png"), (std::vector<uint8_t>{9, 9}));
    EXPECT_EQ(FileCount(folder.Path()), 1u);
}

TEST(CliPendingFile, WithoutCommitTheTemporaryGoesAndTheOldFileStays) {
    CliTest::ScratchFolder folder;
    CliTest::WriteBytes(folder / "out.png", {1, 2, 3});
    {
        PendingFile file(folder / "out.png");
        CliTest::WriteBytes(file.TemporaryPath(), {9, 9});
    }
    { PendingFile neverWritten(folder / "other.png"); }
    EXPECT_EQ(CliTest::ReadBytes(folder / "out.png"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(FileCount(folder.Path()), 1u);
}

TEST(CliPendingFile, TwoPendingFilesForOneTargetDoNotShareATemporary) {
    CliTest::ScratchFolder folder;
    PendingFile a(folder / "out.png"), b(folder / "out.png");
    EXPECT_NE(a.TemporaryPath(), b.TemporaryPath());
}

TEST(CliPendingFile, ACommitThatCannotRenameReportsIt) {
    CliTest::ScratchFolder folder;
    fs::create_directories(folder.Path() / "taken" / "inside");
    PendingFile file(folder / "taken");
    CliTest::WriteBytes(file.TemporaryPath(), {1});
    std::string error;
    EXPECT_FALSE(file.Commit(error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
