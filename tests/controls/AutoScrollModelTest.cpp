#include "OrvLib/controls/AutoScrollModel.h"

#include <gtest/gtest.h>

namespace {

// Runs ticks with the pointer at x inside a 200-pixel wide control and gives the positions.
std::vector<int> Ticks(ScrollAxisState state, int x, int ticks, const AutoScrollSettings& settings = {}) {
    std::vector<int> positions;
    double accumulator = 0;
    for (int i = 0; i < ticks; ++i) {
        bool relative = false;
        const double speed =
            AxisSpeed(settings.horizontalSpeed, DistanceToEdge(x, 0, 200), settings, relative);
        if (speed != 0) AdvanceAxis(state, speed, relative, settings.intervalMs, accumulator);
        positions.push_back(state.position);
    }
    return positions;
}

TEST(AutoScroll, TenPercentOfTheRangePerSecondNearTheLeftEdge) {
    EXPECT_EQ(Ticks({0, 1000, 0, 500}, 10, 3), (std::vector<int>{490, 480, 470}));
    // Half a unit a tick: one unit every second tick through the accumulator.
    EXPECT_EQ(Ticks({0, 50, 0, 25}, 10, 4), (std::vector<int>{25, 24, 24, 23}));
}

TEST(AutoScroll, RightHalfScrollsForwardAndFarFromTheEdgeNothingMoves) {
    EXPECT_EQ(Ticks({0, 1000, 0, 500}, 190, 1), (std::vector<int>{510}));
    EXPECT_EQ(Ticks({0, 1000, 0, 500}, 179, 2), (std::vector<int>{500, 500}));
    EXPECT_EQ(Ticks({0, 1000, 0, 500}, 180, 1), (std::vector<int>{510}));
}

TEST(AutoScroll, AbsoluteSpeedIsUnitsPerSecondAndOnlyItsWholePartCounts) {
    AutoScrollSettings settings;
    settings.horizontalSpeed = 30.9;  // 3 units a tick at 100 ms
    EXPECT_EQ(Ticks({0, 1000, 0, 500}, 195, 2, settings), (std::vector<int>{503, 506}));
}

TEST(AutoScroll, ProportionalSpeedFallsOffAcrossTheZone) {
    AutoScrollSettings settings;
    settings.proportional = true;
    settings.horizontalSpeed = 100;  // 10 units a tick at full speed
    EXPECT_EQ(Ticks({0, 1000, 0, 500}, 10, 2, settings), (std::vector<int>{495, 490}));
    // Beyond the edge the distance counts as 0: full speed.
    EXPECT_EQ(Ticks({0, 1000, 0, 500}, -30, 1, settings), (std::vector<int>{490}));
}

TEST(AutoScroll, PositionStopsAtTheEndsOfTheRange) {
    // The last position shows a whole page.
    EXPECT_EQ(Ticks({0, 1000, 100, 895}, 195, 2), (std::vector<int>{901, 901}));
    EXPECT_EQ(Ticks({0, 1000, 100, 5}, 5, 2), (std::vector<int>{0, 0}));
    // Without a page the maximum itself is reachable, never passed.
    EXPECT_EQ(Ticks({0, 1000, 0, 995}, 195, 2), (std::vector<int>{1000, 1000}));
}

TEST(AutoScroll, EdgeDistanceAndDirection) {
    EXPECT_EQ(DistanceToEdge(99, 0, 200).direction, -1);
    EXPECT_EQ(DistanceToEdge(99, 0, 200).distance, 99);
    EXPECT_EQ(DistanceToEdge(100, 0, 200).direction, 1);
    EXPECT_EQ(DistanceToEdge(100, 0, 200).distance, 100);
    EXPECT_EQ(DistanceToEdge(-7, 0, 200).distance, -7);
    EXPECT_EQ(DistanceToEdge(215, 0, 200).distance, -15);
}

}  // namespace
