// Bitmap files, written byte by byte so that every header field can be set at will.
#include <climits>

#include "Corpus.h"

namespace ReaderCorpus {
namespace {

struct Bmp {
    int headerSize = 40;
    int32_t width = 13;
    int32_t height = 7;  // negative: top-down
    int depth = 24;
    uint32_t compression = 0;
    int64_t sizeImage = -1;  // -1: the real size of the data
    uint32_t clrUsed = 0;
    int64_t offBits = -1;    // -1: right after the table
    Bytes data;              // rows, or run-length codes; empty: the pattern
    size_t keep = SIZE_MAX;  // cut the file after this many bytes
};

int TableEntries(const Bmp& b) {
    if (b.depth > 8) return 0;
    return b.clrUsed != 0 ? int(b.clrUsed) : 1 << b.depth;
}

Bytes PatternRows(const Bmp& b) {
    const int rows = b.height < 0 ? -b.height : b.height;
    const int stride = (b.width * b.depth + 31) / 32 * 4;
    const int entries = TableEntries(b) > 0 ? TableEntries(b) : 1;
    Bytes out(size_t(stride) * rows);
    for (int s = 0; s < rows; ++s) {
        const int y = b.height < 0 ? s : rows - 1 - s;  // logical row of stored row s
        uint8_t* row = out.data() + size_t(s) * stride;
        for (int x = 0; x < b.width; ++x) {
            if (b.depth <= 8) {
                const int index = Pattern(x, y, 0) % entries;
                const int perByte = 8 / b.depth;
                const int shift = (perByte - 1 - x % perByte) * b.depth;
                row[x / perByte] |= uint8_t(index << shift);
            } else if (b.depth == 16) {
                const unsigned v =
                    (Pattern(x, y, 0) >> 3) | (Pattern(x, y, 1) >> 3) << 5 | (Pattern(x, y, 2) >> 3) << 10;
                row[2 * x] = uint8_t(v);
                row[2 * x + 1] = uint8_t(v >> 8);
            } else {
                const int bytes = b.depth / 8;
                for (int c = 0; c < bytes; ++c) row[x * bytes + c] = Pattern(x, y, c);
            }
        }
    }
    return out;
}

Bytes Build(const Bmp& b) {
    const Bytes data = b.data.empty() && b.compression == 0 ? PatternRows(b) : b.data;
    const int entries = TableEntries(b);
    const int entrySize = b.headerSize == 12 ? 3 : 4;
    const uint32_t offBits =
        b.offBits >= 0 ? uint32_t(b.offBits) : uint32_t(14 + b.headerSize + entries * entrySize);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, uint32_t(offBits + data.size()));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, uint32_t(b.headerSize));
    if (b.headerSize == 12) {
        Put16(out, unsigned(b.width));
        Put16(out, unsigned(b.height));
        Put16(out, 1);
        Put16(out, unsigned(b.depth));
    } else {
        Put32(out, uint32_t(b.width));
        Put32(out, uint32_t(b.height));
        Put16(out, 1);
        Put16(out, unsigned(b.depth));
        Put32(out, b.compression);
        Put32(out, b.sizeImage >= 0 ? uint32_t(b.sizeImage) : uint32_t(data.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, b.clrUsed);
        Put32(out, 0);
        // Later header forms: masks, colour space and the rest, all zero here.
        for (int i = 40; i < b.headerSize; i += 4) Put32(out, 0);
    }
    for (int i = 0; i < entries; ++i) {
        out.push_back(uint8_t(i * 7));
        out.push_back(uint8_t(i * 13 + 40));
        out.push_back(uint8_t(255 - i * 3));
        if (entrySize == 4) out.push_back(0);
    }
    while (out.size() < offBits) out.push_back(0xEE);
    out.insert(out.end(), data.begin(), data.end());
    if (out.size() > b.keep) out.resize(b.keep);
    return out;
}

Bmp WithDepth(int depth) {
    Bmp b;
    b.depth = depth;
    return b;
}

// Every code of the 8-bit form on an 8 x 6 picture; the top row is never reached.
const Bytes kRle8All = {
    3, 0x11, 0,    4,    0xA1, 0xA2, 0xA3, 0xA4, 0, 0,  // run, even absolute run, end of line
    0, 3,    0xB1, 0xB2, 0xB3, 0x00, 2,    0x22, 0, 0,  // odd absolute run with its pad byte
    1, 0x33, 0,    2,    3,    1,                       // delta right 3, up 1
    2, 0x44, 0,    0,                                   // lands on the next row up
    8, 0x55, 0,    1,                                   // full row, end of bitmap
    9, 0x66,                                            // never read
};

// The 4-bit form on a 9 x 5 picture: runs alternate nibbles, absolute runs pad to words.
const Bytes kRle4All = {
    5, 0x12, 0,    3,    0x34, 0x50, 0, 0,     // run, 3 nibbles from 2 bytes (no pad)
    0, 5,    0x67, 0x89, 0xA0, 0x00, 2, 0xBC,  // 5 nibbles from 3 bytes and a pad
    0, 2,    1,    1,    3,    0xDE, 0, 0,     // delta, then a run on the new row
    9, 0xF1, 0,    1,                          // full row, end of bitmap
};

Bmp Rle(int depth, int32_t width, int32_t height, Bytes codes) {
    Bmp b;
    b.depth = depth;
    b.width = width;
    b.height = height;
    b.compression = depth == 8 ? 1 : 2;
    b.data = std::move(codes);
    return b;
}

}  // namespace

void WriteBmpFiles(const std::string& folder) {
    for (int depth : {1, 2, 4, 8, 16, 24, 32})
        Save(folder, "bmp_" + std::to_string(depth) + "bit.bmp", Build(WithDepth(depth)));
    for (int depth : {1, 8, 24, 32}) {
        Bmp b = WithDepth(depth);
        b.height = -b.height;
        Save(folder, "bmp_" + std::to_string(depth) + "bit_topdown.bmp", Build(b));
    }
    for (int depth : {1, 4, 8, 24}) {
        Bmp b = WithDepth(depth);
        b.headerSize = 12;
        Save(folder, "bmp_core_" + std::to_string(depth) + "bit.bmp", Build(b));
    }
    Bmp b = WithDepth(8);
    b.clrUsed = 16;
    Save(folder, "bmp_8bit_clrused16.bmp", Build(b));
    b = WithDepth(4);
    b.clrUsed = 5;
    Save(folder, "bmp_4bit_clrused5.bmp", Build(b));
    b = WithDepth(24);
    b.sizeImage = 4;  // ignored for plain rows
    Save(folder, "bmp_24bit_sizeimage4.bmp", Build(b));
    b.sizeImage = 0xFFFFFFF0;
    Save(folder, "bmp_24bit_sizeimage_huge.bmp", Build(b));
    b = WithDepth(24);
    b.width = 1;
    b.height = 1;
    Save(folder, "bmp_24bit_1x1.bmp", Build(b));
    b = WithDepth(24);
    b.offBits = 300;  // rows after a gap
    Save(folder, "bmp_24bit_offbits_gap.bmp", Build(b));

    Save(folder, "bmp_rle8.bmp", Build(Rle(8, 8, 6, kRle8All)));
    Save(folder, "bmp_rle4.bmp", Build(Rle(4, 9, 5, kRle4All)));
    // Ends without an end-of-bitmap code: the rows above stay index 0.
    Save(folder, "bmp_rle8_no_eob.bmp", Build(Rle(8, 8, 6, {4, 0x10, 0, 0, 8, 0x20})));
    // A run longer than its row is clipped; an absolute run too long for the data only
    // costs its two code bytes.
    Save(folder, "bmp_rle8_clipped_run.bmp", Build(Rle(8, 5, 3, {200, 0x31, 0, 0, 2, 0x32, 0, 9, 1, 2})));
    Save(folder, "bmp_rle4_clipped_run.bmp", Build(Rle(4, 5, 3, {200, 0x31, 0, 0, 3, 0x45, 0, 9, 0x12})));
    // Moves past the top of the picture end the decoding.
    Save(folder, "bmp_rle8_eol_past_top.bmp",
         Build(Rle(8, 4, 2, {1, 7, 0, 0, 1, 8, 0, 0, 0, 0, 0, 0, 2, 9})));
    Save(folder, "bmp_rle8_delta_past_top.bmp", Build(Rle(8, 4, 3, {1, 7, 0, 2, 0, 200, 4, 9})));
    Save(folder, "bmp_rle4_delta_far_right.bmp",
         Build(Rle(4, 4, 3, {2, 0x77, 0, 2, 250, 0, 2, 0x99, 0, 0, 4, 0xAB})));
    // Data ending inside a code.
    Save(folder, "bmp_rle8_cut_escape.bmp", Build(Rle(8, 4, 2, {2, 5, 0})));
    Save(folder, "bmp_rle8_cut_count.bmp", Build(Rle(8, 4, 2, {2, 5, 3})));
    Save(folder, "bmp_rle8_cut_delta.bmp", Build(Rle(8, 4, 2, {2, 5, 0, 2, 1})));
    Save(folder, "bmp_rle4_cut_absolute.bmp", Build(Rle(4, 4, 2, {2, 0x56, 0, 6, 0x12})));

    // Everything below must fail.
    b = WithDepth(24);
    b.headerSize = 108;
    Save(folder, "bad_bmp_v4_header.bmp", Build(b));
    b.headerSize = 124;
    Save(folder, "bad_bmp_v5_header.bmp", Build(b));
    b.headerSize = 64;
    Save(folder, "bad_bmp_header64.bmp", Build(b));
    const struct {
        const char* name;
        int32_t width, height;
        int depth;
    } fields[] = {{"width0", 0, 7, 24},   {"width_negative", -5, 7, 24},
                  {"height0", 13, 0, 24}, {"height_min", 13, INT_MIN, 24},
                  {"depth0", 13, 7, 0},   {"depth3", 13, 7, 3},
                  {"depth7", 13, 7, 7},   {"depth64", 13, 7, 64}};
    for (const auto& f : fields) {
        b = Bmp();
        b.width = f.width;
        b.height = f.height;
        b.depth = f.depth;
        b.data = Bytes(64, 0x5A);
        Save(folder, std::string("bad_bmp_") + f.name + ".bmp", Build(b));
    }
    b = WithDepth(32);
    b.width = 0x40000000;
    b.data = Bytes(64, 0x5A);
    Save(folder, "bad_bmp_huge_width.bmp", Build(b));
    for (uint32_t compression : {3u, 4u, 5u, 6u}) {
        b = WithDepth(32);
        b.compression = compression;
        b.data = PatternRows(WithDepth(32));
        Save(folder, "bad_bmp_compression" + std::to_string(compression) + ".bmp", Build(b));
    }
    b = WithDepth(4);
    b.clrUsed = 17;
    Save(folder, "bad_bmp_clrused_too_many.bmp", Build(b));
    Save(folder, "bad_bmp_rle8_depth4.bmp", Build([] {
             Bmp r = Rle(8, 8, 6, kRle8All);
             r.depth = 4;
             return r;
         }()));
    Save(folder, "bad_bmp_rle4_depth8.bmp", Build([] {
             Bmp r = Rle(4, 9, 5, kRle4All);
             r.depth = 8;
             return r;
         }()));
    Save(folder, "bad_bmp_rle8_depth24.bmp", Build([] {
             Bmp r = Rle(8, 8, 6, kRle8All);
             r.depth = 24;
             return r;
         }()));
    Save(folder, "bad_bmp_rle8_topdown.bmp", Build(Rle(8, 8, -6, kRle8All)));
    Save(folder, "bad_bmp_rle8_sizeimage0.bmp", Build([] {
             Bmp r = Rle(8, 8, 6, kRle8All);
             r.sizeImage = 0;
             return r;
         }()));
    Save(folder, "bad_bmp_rle8_sizeimage_past_end.bmp", Build([] {
             Bmp r = Rle(8, 8, 6, kRle8All);
             r.sizeImage = 0xFFFFFFF0;
             return r;
         }()));
    b = WithDepth(24);
    b.keep = 14 + 40 + 13 * 3;
    Save(folder, "bad_bmp_truncated_rows.bmp", Build(b));
    b.keep = 30;
    Save(folder, "bad_bmp_truncated_header.bmp", Build(b));
    b = WithDepth(8);
    b.keep = 14 + 40 + 100;
    Save(folder, "bad_bmp_truncated_table.bmp", Build(b));
    Bytes far = Build(WithDepth(24));
    far[11] = 0x13;  // rows said to start at 4950, past the end
    Save(folder, "bad_bmp_offbits_past_end.bmp", far);
    Bytes wrong = Build(WithDepth(24));
    wrong[1] = 'A';
    Save(folder, "bad_bmp_signature.bmp", wrong);
    Save(folder, "bad_not_an_image.gif", Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'});
}

}  // namespace ReaderCorpus
