// The run-length decoders on hand-written codes: every escape, and data that tries to
// move or write outside the picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/image/readers/OrvRunLength.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The picture as text, top row first: one hex digit per pixel at 4 bits, two at 8.
std::string Dump(const OrvDIBBuffer& b) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (int y = 0; y < b.AbsHeight(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            int shift = 0;
            const uint8_t v = *b.PixelAddress(x, y, &shift);
            if (b.BitCount() == 4) {
                out += digits[(v >> (shift * 4)) & 0xF];
            } else {
                out += digits[v >> 4];
                out += digits[v & 0xF];
            }
        }
        out += '|';
    }
    return out;
}

std::string Rle8(int width, int height, const Bytes& codes) {
    OrvDIBBuffer b;
    b.Create(width, height, 8, nullptr);
    DecodeRLE8(codes.data(), codes.size(), b);
    return Dump(b);
}

std::string Rle4(int width, int height, const Bytes& codes) {
    OrvDIBBuffer b;
    b.Create(width, height, 4, nullptr);
    DecodeRLE4(codes.data(), codes.size(), b);
    return Dump(b);
}

TEST(RunLength, EightBitCodesFillFromTheBottomRowUp) {
    const Bytes codes = {2,    0x11, 0, 3,   0xA1, 0xA2,
                         0xA3, 0x00, 0, 0,                // run, odd absolute run + pad, end of line
                         0,    2,    1, 1,   1,    0x22,  // delta right 1 and up 1
                         0,    1,    5, 0x33};            // end of bitmap: the last run is not read
    EXPECT_EQ(Rle8(5, 3, codes), "0022000000|0000000000|1111A1A2A3|");
    // The same picture stored the other way up decodes to the same logical rows.
    EXPECT_EQ(Rle8(5, -3, codes), "0022000000|0000000000|1111A1A2A3|");
}

TEST(RunLength, FourBitRunsAlternateNibblesAndAbsoluteRunsPadToWords) {
    const Bytes codes = {5, 0x12, 0,    0,                 // 1 2 1 2 1
                         0, 3,    0x34, 0x50,              // 3 nibbles from two bytes, no pad
                         0, 5,    0x67, 0x89, 0xA0, 0x00,  // 5 nibbles from three bytes and a pad
                         0, 0,    2,    0xBC};
    EXPECT_EQ(Rle4(9, 3, codes), "BC0000000|3456789A0|121210000|");
}

TEST(RunLength, RunsAreClippedToTheirRow) {
    EXPECT_EQ(Rle8(3, 2, {200, 0x44, 0, 4, 1, 2, 3, 4}), "000000|444444|");
    EXPECT_EQ(Rle4(3, 2, {255, 0x12, 0, 0, 0, 6, 0x34, 0x56, 0x78}), "345|121|");
}

TEST(RunLength, MovesAboveTheTopEndTheDecoding) {
    EXPECT_EQ(Rle8(2, 2, {1, 7, 0, 0, 1, 8, 0, 0, 0, 0, 2, 9}), "0800|0700|");
    EXPECT_EQ(Rle8(2, 2, {1, 7, 0, 2, 0, 200, 2, 9}), "0000|0700|");
    // Far to the right only clips; the next line starts at column 0 again.
    EXPECT_EQ(Rle4(3, 2, {0, 2, 250, 0, 2, 0x99, 0, 0, 3, 0xAB}), "ABA|000|");
}

TEST(RunLength, CodesCutShortReadNothingPastTheData) {
    // Each vector is its own allocation, so ASan sees a read one byte past it.
    EXPECT_EQ(Rle8(3, 1, {2, 5, 0}), "050500|");
    EXPECT_EQ(Rle8(3, 1, {2, 5, 3}), "050500|");
    EXPECT_EQ(Rle8(3, 1, {2, 5, 0, 2, 1}), "050500|");
    // An absolute run longer than the data costs only its two code bytes.
    EXPECT_EQ(Rle8(3, 1, {0, 5, 1, 2}), "020000|");
    EXPECT_EQ(Rle4(4, 1, {0, 6, 0x12}), "0000|");
    EXPECT_EQ(Rle8(3, 1, {}), "000000|");
}

TEST(RunLength, TargetsOfTheWrongDepthAreLeftAlone) {
    OrvDIBBuffer b;
    b.Create(4, 1, 4, nullptr);
    const Bytes codes = {4, 0xFF};
    DecodeRLE8(codes.data(), codes.size(), b);
    EXPECT_EQ(Dump(b), "0000|");
}

}  // namespace
