// PNG files through libpng's writer, and a few chunks written by hand.
#include <png.h>
#include <zlib.h>

#include <stdexcept>

#include "Corpus.h"

namespace ReaderCorpus {
namespace {

constexpr int kWidth = 19, kHeight = 11;  // odd sizes, and every interlace pass has pixels

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

int Channels(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        default:
            return 1;
    }
}

// One packed row; 16-bit samples get a low byte that differs from the high one.
Bytes Row(int y, int colourType, int bitDepth, int paletteSize) {
    const int channels = Channels(colourType);
    Bytes row((size_t(kWidth) * channels * bitDepth + 7) / 8);
    for (int x = 0; x < kWidth; ++x) {
        for (int c = 0; c < channels; ++c) {
            unsigned v = Pattern(x, y, c);
            if (colourType == PNG_COLOR_TYPE_PALETTE) v %= unsigned(paletteSize);
            if (bitDepth == 16) {
                row[size_t(x * channels + c) * 2] = uint8_t(v);
                row[size_t(x * channels + c) * 2 + 1] = uint8_t(v * 3 + 1);
            } else if (bitDepth == 8) {
                row[size_t(x * channels + c)] = uint8_t(v);
            } else {
                const int perByte = 8 / bitDepth;
                if (colourType != PNG_COLOR_TYPE_PALETTE) v >>= 8 - bitDepth;
                row[size_t(x / perByte)] |= uint8_t(v << ((perByte - 1 - x % perByte) * bitDepth));
            }
        }
    }
    return row;
}

// The setjmp frame owns nothing with a destructor: the rows live in the caller.
bool Encode(Bytes* out, std::vector<Bytes>* rows, int colourType, int bitDepth, bool interlaced,
            const std::vector<uint8_t>& trns, int paletteSize) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, Append, NoFlush);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, kWidth, kHeight, bitDepth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < paletteSize; ++i)
            palette[i] = png_color{uint8_t(255 - i * 5), uint8_t(i * 11), uint8_t(i * 3 + 9)};
        png_set_PLTE(png, info, palette, paletteSize);
    }
    png_color_16 key{};
    if (!trns.empty() && colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_tRNS(png, info, trns.data(), int(trns.size()), nullptr);
    } else if (!trns.empty()) {
        // The key is the colour of the top-left pixel, so some pixels do match it.
        const Bytes& top = (*rows)[0];
        if (colourType == PNG_COLOR_TYPE_RGB) {
            key.red = top[0];
            key.green = top[1];
            key.blue = top[2];
        } else {
            key.gray = bitDepth == 8 ? top[0] : png_uint_16(top[0] >> (8 - bitDepth));
        }
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; ++pass)
        for (Bytes& row : *rows) png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
    const uint32_t n = uint32_t(data.size());
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(n >> s));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    const uint32_t crc = uint32_t(crc32(0, body.data(), uInt(body.size())));
    for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(crc >> s));
}

// A valid header of any size, followed by a few bytes of image data.
Bytes HugeHeader(uint32_t width, uint32_t height) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    for (uint32_t v : {width, height})
        for (int s = 24; s >= 0; s -= 8) ihdr.push_back(uint8_t(v >> s));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    Chunk(out, "IHDR", ihdr);
    Bytes zeros(64, 0);
    Bytes packed(128);
    uLongf packedSize = packed.size();
    compress2(packed.data(), &packedSize, zeros.data(), zeros.size(), 9);
    packed.resize(packedSize);
    Chunk(out, "IDAT", packed);
    Chunk(out, "IEND", {});
    return out;
}

}  // namespace

Bytes EncodePng(int colourType, int bitDepth, bool interlaced, const std::vector<uint8_t>& trns,
                int paletteSize) {
    std::vector<Bytes> rows;
    for (int y = 0; y < kHeight; ++y) rows.push_back(Row(y, colourType, bitDepth, paletteSize));
    Bytes out;
    if (!Encode(&out, &rows, colourType, bitDepth, interlaced, trns, paletteSize))
        throw std::runtime_error("libpng could not write a corpus file");
    return out;
}

void WritePngFiles(const std::string& folder) {
    const struct {
        const char* name;
        int type, depth;
    } forms[] = {{"grey_1", 0, 1},        {"grey_2", 0, 2},    {"grey_4", 0, 4},    {"grey_8", 0, 8},
                 {"grey_16", 0, 16},      {"rgb_8", 2, 8},     {"rgb_16", 2, 16},   {"palette_1", 3, 1},
                 {"palette_2", 3, 2},     {"palette_4", 3, 4}, {"palette_8", 3, 8}, {"greyalpha_8", 4, 8},
                 {"greyalpha_16", 4, 16}, {"rgba_8", 6, 8},    {"rgba_16", 6, 16}};
    for (const auto& f : forms) {
        const int paletteSize = f.type == 3 ? (f.depth == 8 ? 200 : 1 << f.depth) : 0;
        Save(folder, std::string("png_") + f.name + ".png",
             EncodePng(f.type, f.depth, false, {}, paletteSize));
        Save(folder, std::string("png_") + f.name + "_interlaced.png",
             EncodePng(f.type, f.depth, true, {}, paletteSize));
    }
    // Palette transparency: one surviving index, or an alpha channel.
    const struct {
        const char* name;
        std::vector<uint8_t> trns;
    } palettes[] = {{"single", {0}}, {"last_of_three", {255, 255, 0}}, {"partial_last", {255, 128}},
                    {"two", {0, 0}}, {"opaque_after", {0, 255, 255}},  {"graded", {0, 64, 128, 192, 255}}};
    for (const auto& p : palettes) {
        Save(folder, std::string("png_palette_trns_") + p.name + ".png", EncodePng(3, 4, false, p.trns, 16));
        Save(folder, std::string("png_palette_trns_") + p.name + "_interlaced.png",
             EncodePng(3, 4, true, p.trns, 16));
    }
    Save(folder, "png_rgb_trns.png", EncodePng(2, 8, false, {1}, 0));
    Save(folder, "png_rgb16_trns.png", EncodePng(2, 16, false, {1}, 0));
    Save(folder, "png_grey_8_trns.png", EncodePng(0, 8, false, {1}, 0));
    Save(folder, "png_grey_2_trns.png", EncodePng(0, 2, false, {1}, 0));

    // Named for another format, or for none: read by sniffing.
    Save(folder, "png_named.BMP", EncodePng(2, 8, false, {}, 0));
    Save(folder, "png_without_extension", EncodePng(6, 8, false, {}, 0));

    Bytes whole = EncodePng(2, 8, false, {}, 0);
    Save(folder, "bad_png_truncated_half.png", Bytes(whole.begin(), whole.begin() + long(whole.size() / 2)));
    Save(folder, "bad_png_truncated_header.png", Bytes(whole.begin(), whole.begin() + 20));
    Save(folder, "bad_png_no_iend.png", Bytes(whole.begin(), whole.end() - 12));
    Bytes crc = whole;
    crc[whole.size() / 2] ^= 0x40;
    Save(folder, "bad_png_bad_crc.png", crc);
    Bytes signature = whole;
    signature[1] = 'Q';
    Save(folder, "bad_png_signature.png", signature);
    Save(folder, "bad_png_million_square.png", HugeHeader(1000000, 1000000));
    Save(folder, "bad_png_30000_square.png", HugeHeader(30000, 30000));
    Save(folder, "bad_png_width0.png", HugeHeader(0, 5));
}

}  // namespace ReaderCorpus
