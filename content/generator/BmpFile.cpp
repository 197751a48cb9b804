#include "BmpFile.h"

#include <fstream>

namespace Art {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int NearestPaletteIndex(const uint8_t* rgb) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        const uint32_t c = StandardPalette16()[static_cast<size_t>(i)];
        const long dr = rgb[0] - static_cast<long>((c >> 16) & 0xFF);
        const long dg = rgb[1] - static_cast<long>((c >> 8) & 0xFF);
        const long db = rgb[2] - static_cast<long>(c & 0xFF);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

const std::array<uint32_t, 16>& StandardPalette16() {
    static const std::array<uint32_t, 16> palette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return palette;
}

std::vector<uint8_t> EncodeBmp(const RgbaImage& image, BmpDepth depth) {
    const uint32_t bits = depth == BmpDepth::Bits24 ? 24 : 4;
    const uint32_t colours = depth == BmpDepth::Bits24 ? 0 : 16;
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * bits + 31) / 32 * 4;
    const uint32_t pixelOffset = 14 + 40 + colours * 4;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);

    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pixelBytes);
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height));  // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);  // no compression
    Put32(out, pixelBytes);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, colours);
    Put32(out, colours);
    for (uint32_t i = 0; i < colours; ++i) {
        const uint32_t c = StandardPalette16()[i];
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
        out.push_back(static_cast<uint8_t>(c >> 16));
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
            if (depth == BmpDepth::Bits24) {
                row[static_cast<size_t>(x) * 3 + 0] = p[2];
                row[static_cast<size_t>(x) * 3 + 1] = p[1];
                row[static_cast<size_t>(x) * 3 + 2] = p[0];
            } else {
                const int index = NearestPaletteIndex(p);
                row[static_cast<size_t>(x) / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool WriteBmp(const std::string& path, const RgbaImage& image, BmpDepth depth) {
    const std::vector<uint8_t> bytes = EncodeBmp(image, depth);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace Art
