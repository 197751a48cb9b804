// Plainness of single mask tiles: the rules that decide whether a selection is a
// hard-edged rectangle.
#include <gtest/gtest.h>

#include <vector>

#include "OrvLib/plugin/SelectionScan.h"

namespace {

MaskScan Scan(const std::vector<const char*>& rows) {
    // '#' is 255, '+' a partial value, '.' zero.
    const int32_t w = int32_t(std::string(rows[0]).size());
    std::vector<uint8_t> bytes;
    for (const char* row : rows)
        for (int32_t x = 0; x < w; ++x) bytes.push_back(row[x] == '#' ? 255 : row[x] == '+' ? 100 : 0);
    return ScanMaskTile(bytes.data(), 10, 20, 10 + w, 20 + int32_t(rows.size()), w);
}

TEST(SelectionScanTest, TileRules) {
    MaskScan s = Scan({".....", ".###.", ".###.", "....."});
    EXPECT_TRUE(s.plain);
    EXPECT_EQ(s.bounds, (OrvRect{11, 21, 14, 23}));

    EXPECT_FALSE(Scan({".#.#.", "....."}).plain) << "two runs in a row";
    EXPECT_FALSE(Scan({".##..", "..##."}).plain) << "rows not aligned";
    EXPECT_FALSE(Scan({".##..", ".....", ".##.."}).plain) << "a gap between rows";
    EXPECT_FALSE(Scan({".#+#."}).plain) << "partial value";
    EXPECT_EQ(Scan({"#....", "....#"}).bounds, (OrvRect{10, 20, 15, 22}));

    s = Scan({".....", "....."});
    EXPECT_TRUE(s.plain);
    EXPECT_TRUE(s.bounds.IsEmpty());
}

TEST(SelectionScanTest, TilesJoinIntoOneRectangleOnlyWhenTheyAbut) {
    SelectionBoundsBuilder joined;
    joined.BeginBand();
    joined.AddTile(MaskScan{{0, 0, 256, 256}, true});
    joined.AddTile(MaskScan{{256, 0, 300, 256}, true});
    joined.BeginBand();
    joined.AddTile(MaskScan{{0, 256, 256, 260}, true});
    joined.AddTile(MaskScan{{256, 256, 300, 260}, true});
    MaskScan r = joined.Finish();
    EXPECT_TRUE(r.plain);
    EXPECT_EQ(r.bounds, (OrvRect{0, 0, 300, 260}));

    SelectionBoundsBuilder stepped;
    stepped.BeginBand();
    stepped.AddTile(MaskScan{{10, 0, 256, 256}, true});
    stepped.BeginBand();
    stepped.AddTile(MaskScan{{20, 256, 256, 300}, true});
    r = stepped.Finish();
    EXPECT_FALSE(r.plain);
    EXPECT_EQ(r.bounds, (OrvRect{10, 0, 256, 300}));
}

}  // namespace
