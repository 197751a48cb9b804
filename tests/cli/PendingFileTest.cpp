// An output appears whole or not at all, and a failed run leaves an older file alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "host/cli/PendingFile.h"
#include "tests/cli/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using varncli::PendingFile;

size_t FileCount(const fs::path& folder) {
    return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(CliPendingFile, CommitReplacesTheTargetAndLeavesNothingElse) {
    clitest::ScratchFolder folder;
    clitest::WriteBytes(folder / "out.png", {1, 2, 3});
    std::string error;
    {
        PendingFile file(folder / "out.png");
        EXPECT_EQ(fs::path(file.TemporaryPath()).parent_path(), folder.Path());
        EXPECT_NE(file.TemporaryPath(), file.Target());
        clitest::WriteBytes(file.TemporaryPath(), {9, 9});
        ASSERT_TRUE(file.Commit(error)) << error;
    }
    EXPECT_EQ(clitest::ReadBytes(folder / "out.png"), (std::vector<uint8_t>{9, 9}));
    EXPECT_EQ(FileCount(folder.Path()), 1u);
}

TEST(CliPendingFile, WithoutCommitTheTemporaryGoesAndTheOldFileStays) {
    clitest::ScratchFolder folder;
    clitest::WriteBytes(folder / "out.png", {1, 2, 3});
    {
        PendingFile file(folder / "out.png");
        clitest::WriteBytes(file.TemporaryPath(), {9, 9});
    }
    { PendingFile neverWritten(folder / "other.png"); }
    EXPECT_EQ(clitest::ReadBytes(folder / "out.png"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(FileCount(folder.Path()), 1u);
}

TEST(CliPendingFile, TwoPendingFilesForOneTargetDoNotShareATemporary) {
    clitest::ScratchFolder folder;
    PendingFile a(folder / "out.png"), b(folder / "out.png");
    EXPECT_NE(a.TemporaryPath(), b.TemporaryPath());
}

TEST(CliPendingFile, ACommitThatCannotRenameReportsIt) {
    clitest::ScratchFolder folder;
    fs::create_directories(folder.Path() / "taken" / "inside");
    PendingFile file(folder / "taken");
    clitest::WriteBytes(file.TemporaryPath(), {1});
    std::string error;
    EXPECT_FALSE(file.Commit(error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
