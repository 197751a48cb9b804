#include <gtest/gtest.h>

#include <utility>

#include "product/dialog/ThumbnailList.h"

namespace {

// Seven pixels a byte, as a fixed-pitch font would measure it.
int32_t Pitch7(const std::string& text) { return int32_t(text.size()) * 7; }

// Shift-JIS: lead bytes 0x81-0x9F and 0xE0-0xFC.
bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

TEST(ThumbnailList, MetricsForFixedSizesAndForRowsSharingTheHeight) {
    const ThumbnailMetrics fixed = ThumbnailListMetrics(-1, 13, 300, 17);
    EXPECT_EQ(fixed.columnWidth, 70);
    EXPECT_EQ(fixed.itemHeight, 78);
    EXPECT_EQ(fixed.thumbnailWidth, 60);
    // The page's list: 3 rows in 216 pixels less a 17-pixel scroll bar.
    const ThumbnailMetrics rows = ThumbnailListMetrics(3, 13, 216, 17);
    EXPECT_EQ(rows.itemHeight, 66);
    EXPECT_EQ(rows.thumbnailWidth, 48);
    EXPECT_EQ(rows.thumbnailHeight, 48);
    EXPECT_EQ(rows.columnWidth, 58);
    // Too low a list gives empty thumbnails, never negative ones.
    EXPECT_EQ(ThumbnailListMetrics(3, 13, 20, 17).thumbnailWidth, 0);
}

TEST(ThumbnailList, PicturesFitTheirBoxWithTheAspectKept) {
    const auto fit = [](int32_t w, int32_t h, int32_t bw, int32_t bh) {
        const OrvSize s = FitInBox(OrvSize{w, h}, OrvSize{bw, bh});
        return std::make_pair(s.width, s.height);
    };
    EXPECT_EQ(fit(200, 100, 48, 48), std::make_pair(48, 24));
    EXPECT_EQ(fit(100, 300, 48, 48), std::make_pair(16, 48));
    EXPECT_EQ(fit(7, 7, 48, 48), std::make_pair(48, 48));  // small pictures are enlarged
    // A line of a picture into the chooser's preview: its height truncates to nothing.
    EXPECT_EQ(fit(2000, 1, 106, 127), std::make_pair(106, 0));
    EXPECT_EQ(fit(0, 10, 48, 48), std::make_pair(0, 0));
    EXPECT_EQ(fit(10, 10, 0, 48), std::make_pair(0, 0));
    // No overflow for the largest sides.
    EXPECT_EQ(fit(INT32_MAX, INT32_MAX - 1, 60, 60).first, 60);

    // Centred in the preview's client area less 2 pixels a side.
    const OrvRect r = FitCentred(OrvSize{200, 100}, OrvRect{2, 2, 108, 129});
    EXPECT_EQ(r, (OrvRect{2, 39, 108, 92}));
    EXPECT_TRUE(FitCentred(OrvSize{2000, 1}, OrvRect{2, 2, 108, 129}).IsEmpty());
}

TEST(ThumbnailList, ScrollBarShowsOnlyWhenColumnsOverflowAndHoldsItsPosition) {
    // 20 items in 3 rows: 7 columns, 4 visible.
    const ThumbnailScroll s = ThumbnailScrollLayout(20, 6, 240, 200, 66, 58);
    EXPECT_TRUE(s.shown);
    EXPECT_EQ(s.columns, 7);
    EXPECT_EQ(s.visible, 4);
    EXPECT_EQ(s.position, 2);
    EXPECT_EQ(ScrolledColumn(s, ScrollStep::LineRight, 0), 3);
    EXPECT_EQ(ScrolledColumn(s, ScrollStep::PageRight, 0), 3);
    EXPECT_EQ(ScrolledColumn(s, ScrollStep::PageLeft, 0), 0);
    EXPECT_EQ(ScrolledColumn(s, ScrollStep::ToRight, 0), 3);
    EXPECT_EQ(ScrolledColumn(s, ScrollStep::Thumb, 6), 3);
    EXPECT_EQ(ScrolledColumn(s, ScrollStep::Thumb, -4), 0);
    EXPECT_FALSE(ThumbnailScrollLayout(12, 0, 240, 200, 66, 58).shown);
    // Degenerate sizes neither divide by zero nor show a bar.
    EXPECT_EQ(ThumbnailScrollLayout(5, 0, 240, 10, 66, 58).columns, 5);
    EXPECT_FALSE(ThumbnailScrollLayout(5, 0, 240, 200, 0, 58).shown);
}

TEST(ThumbnailList, LongNamesEndInDotsWithoutSplittingACharacter) {
    EXPECT_EQ(FitItemName("Autumn", 58, Pitch7, nullptr), "Autumn");
    EXPECT_EQ(FitItemName("Autumnal leaves", 58, Pitch7, nullptr), "Autum...");
    EXPECT_EQ(FitItemName("Autumnal", 56, Pitch7, nullptr), "Autumnal");  // exactly the band
    EXPECT_EQ(FitItemName("Autumnal", 20, Pitch7, nullptr), "...");
    // Two-byte characters are kept or dropped whole.
    const std::string kanji = "\x95\x5C\x8E\xA6\x83\x5C\x8E\xA6";
    EXPECT_EQ(FitItemName(kanji, 47, Pitch7, ShiftJisLead), "\x95\x5C...");
    EXPECT_EQ(FitItemName(kanji, 47, Pitch7, nullptr), "\x95\x5C\x8E...");
}

}  // namespace
