// The bar shows what the host's progress callback reports, redrawn only on change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "host/cli/ProgressBar.h"
#include "tests/cli/TestFiles.h"

namespace {

using VarnCli::ProgressBar;
using VarnCli::ProgressLine;

TEST(CliProgressBar, LineShowsTheShareDone) {
    EXPECT_EQ(ProgressLine(0, 4, 8), "[........]   0%");
    EXPECT_EQ(ProgressLine(1, 4, 8), "[##......]  25%");
    EXPECT_EQ(ProgressLine(1, 3, 8), "[##......]  33%");
    EXPECT_EQ(ProgressLine(4, 4, 8), "[########] 100%");
    // Whatever a plug-in reports, the line stays whole.
    EXPECT_EQ(ProgressLine(9, 4, 8), "[########] 100%");
    EXPECT_EQ(ProgressLine(-3, 4, 8), "[........]   0%");
    EXPECT_EQ(ProgressLine(5, 0, 8), "[........]   0%");
    EXPECT_EQ(ProgressLine(2000000000, 2100000000, 8), "[#######.]  95%");
}

std::string Drawn(bool enabled, void (*steps)(ProgressBar&)) {
    CliTest::ScratchFolder folder;
    std::FILE* file = std::fopen((folder / "err").c_str(), "w+b");
    EXPECT_NE(file, nullptr);
    {
        ProgressBar bar(file, enabled);
        steps(bar);
    }
    std::fclose(file);
    const std::vector<uint8_t> bytes = CliTest::ReadBytes(folder / "err");
    return std::string(bytes.begin(), bytes.end());
}

TEST(CliProgressBar, DrawsInPlaceOnlyWhenEnabledAndEndsTheLine) {
    const auto run = [](ProgressBar& bar) {
        bar.Update(0, 200);
        bar.Update(1, 200);  // same line: not drawn again
        bar.Update(100, 200);
        bar.Finish();
    };
    const std::string drawn = Drawn(true, run);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\r'), 3) << drawn;
    EXPECT_NE(drawn.find(" 50%"), std::string::npos);
    ASSERT_GE(drawn.size(), 5u);
    EXPECT_EQ(drawn.substr(drawn.size() - 5), "100%\n");
    EXPECT_EQ(Drawn(false, run), "");
    // Nothing reported, nothing drawn, not even a line end.
    EXPECT_EQ(Drawn(true, [](ProgressBar& bar) { bar.Finish(); }), "");
    // A failed run keeps the bar where it stopped.
    const std::string abandoned = Drawn(true, [](ProgressBar& bar) {
        bar.Update(1, 4);
        bar.Abandon();
    });
    EXPECT_EQ(abandoned.find("100%"), std::string::npos);
    EXPECT_EQ(abandoned.back(), '\n');
}

}  // namespace
