// PNG writing of our own on zlib: rows filtered and deflated in strips, each strip on
// whichever thread is free, the strips joined into one zlib stream. A strip but the last
// ends with a sync flush (byte-aligned, not final), so the raw deflate pieces concatenate
// into one valid stream; their Adler-32 sums are combined.
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "host/cli/ImageFile.h"

namespace VarnCli {

namespace {

// Large enough that a strip's fresh dictionary costs little, small enough to share out.
constexpr size_t kStripBytes = size_t(2) << 20;

struct Strip {
    int32_t firstRow = 0;
    int32_t rows = 0;
    std::vector<uint8_t> deflated;
    uLong adler = 1;
    bool ok = false;
};

int Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

uint32_t Cost(const uint8_t* bytes, size_t count) {
    uint32_t sum = 0;
    for (size_t i = 0; i < count; ++i) sum += uint32_t(bytes[i] < 128 ? bytes[i] : 256 - bytes[i]);
    return sum;
}

// The filter of the smallest sum of absolute values of Sub, Up and Paeth (the usual
// heuristic), written after its type byte into out.
void FilterRow(const uint8_t* row, const uint8_t* above, size_t length, size_t bpp, uint8_t* scratch,
               uint8_t* out) {
    uint8_t* sub = scratch;
    uint8_t* up = scratch + length;
    uint8_t* paeth = scratch + 2 * length;
    for (size_t i = 0; i < length; ++i) {
        const uint8_t left = i >= bpp ? row[i - bpp] : 0;
        const uint8_t corner = i >= bpp ? above[i - bpp] : 0;
        sub[i] = uint8_t(row[i] - left);
        up[i] = uint8_t(row[i] - above[i]);
        paeth[i] = uint8_t(row[i] - Paeth(left, above[i], corner));
    }
    const uint32_t costs[3] = {Cost(sub, length), Cost(up, length), Cost(paeth, length)};
    const int best = int(std::min_element(costs, costs + 3) - costs);
    static const uint8_t kTypes[3] = {1, 2, 4};  // Sub, Up, Paeth
    out[0] = kTypes[best];
    std::memcpy(out + 1, scratch + size_t(best) * length, length);
}

void DeflateStrip(const Raster& image, int level, bool last, Strip& strip) {
    const size_t length = size_t(image.width) * size_t(image.channels);
    const std::vector<uint8_t> zeros(length, 0);
    std::vector<uint8_t> scratch(3 * length), filtered(length + 1);
    z_stream z{};
    // Filtering pays for itself only when deflate looks for matches.
    if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, level == 0 ? Z_DEFAULT_STRATEGY : Z_FILTERED) != Z_OK)
        return;
    const uLong raw = uLong(strip.rows) * uLong(length + 1);
    strip.deflated.resize(deflateBound(&z, raw) + 64);
    z.next_out = strip.deflated.data();
    z.avail_out = uInt(strip.deflated.size());
    bool ok = true;
    for (int32_t r = 0; r < strip.rows && ok; ++r) {
        const int32_t y = strip.firstRow + r;
        const uint8_t* row = image.pixels.data() + size_t(y) * length;
        if (level == 0) {
            filtered[0] = 0;
            std::memcpy(filtered.data() + 1, row, length);
        } else {
            FilterRow(row, y == 0 ? zeros.data() : row - length, length, size_t(image.channels),
                      scratch.data(), filtered.data());
        }
        strip.adler = adler32(strip.adler, filtered.data(), uInt(filtered.size()));
        z.next_in = filtered.data();
        z.avail_in = uInt(filtered.size());
        const bool end = r + 1 == strip.rows;
        const int flush = !end ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
        for (;;) {
            if (z.avail_out == 0) {
                const size_t used = strip.deflated.size();
                strip.deflated.resize(used * 2);
                z.next_out = strip.deflated.data() + used;
                z.avail_out = uInt(strip.deflated.size() - used);
            }
            const int result = deflate(&z, flush);
            if (result == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            // Done once zlib has room left over: then nothing of the flush is pending.
            if (flush == Z_FINISH ? result == Z_STREAM_END : z.avail_in == 0 && z.avail_out > 0) break;
        }
    }
    strip.deflated.resize(strip.deflated.size() - z.avail_out);
    deflateEnd(&z);
    strip.ok = ok;
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

bool WriteChunk(std::FILE* file, const char* type, const uint8_t* data, size_t size) {
    std::vector<uint8_t> head;
    Put32(head, uint32_t(size));
    head.insert(head.end(), type, type + 4);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size > 0) crc = crc32(crc, data, uInt(size));
    std::vector<uint8_t> tail;
    Put32(tail, uint32_t(crc));
    return std::fwrite(head.data(), 1, head.size(), file) == head.size() &&
           (size == 0 || std::fwrite(data, 1, size, file) == size) &&
           std::fwrite(tail.data(), 1, tail.size(), file) == tail.size();
}

std::vector<Strip> DeflateImage(const Raster& image, int level, int threads) {
    const size_t rowBytes = size_t(image.width) * size_t(image.channels) + 1;
    const int32_t rowsPerStrip = int32_t(std::max<size_t>(1, kStripBytes / rowBytes));
    std::vector<Strip> strips;
    for (int32_t y = 0; y < image.height; y += rowsPerStrip) {
        Strip strip;
        strip.firstRow = y;
        strip.rows = std::min(rowsPerStrip, image.height - y);
        strips.push_back(std::move(strip));
    }
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < strips.size(); i = next++)
            DeflateStrip(image, level, i + 1 == strips.size(), strips[i]);
    };
    if (threads <= 0) threads = int(std::min(8u, std::max(1u, std::thread::hardware_concurrency())));
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min<int>(threads, int(strips.size())); ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    return strips;
}

}  // namespace

bool WritePngFile(const std::string& path, const Raster& image, std::string& error,
                  const Encoding& encoding) {
    static const uint8_t kColourTypes[5] = {0, 0, 4, 2, 6};
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (image.channels < 1 || image.channels > 4 || image.width <= 0 || image.height <= 0 ||
        RasterBytes(image.width, image.height, image.channels) != image.pixels.size()) {
        error = "no image to write";
        return false;
    }
    const int level = std::clamp(encoding.pngLevel, 0, 9);
    std::vector<Strip> strips = DeflateImage(image, level, encoding.threads);
    uLong adler = 1;
    for (const Strip& strip : strips) {
        if (!strip.ok) {
            error = "zlib failed";
            return false;
        }
        adler = adler32_combine(adler, strip.adler,
                                z_off_t(strip.rows) * z_off_t(size_t(image.width) * image.channels + 1));
    }
    // The zlib header: deflate with a 32 KB window, the level's hint, no dictionary.
    const uint8_t hint = level <= 1 ? 0 : level <= 5 ? 1 : level == 6 ? 2 : 3;
    const uint8_t cmf = 0x78;
    uint8_t flg = uint8_t(hint << 6);
    flg = uint8_t(flg + 31 - (cmf * 256 + flg) % 31);
    strips.front().deflated.insert(strips.front().deflated.begin(), {cmf, flg});
    std::vector<uint8_t> trailer;
    Put32(trailer, uint32_t(adler));
    strips.back().deflated.insert(strips.back().deflated.end(), trailer.begin(), trailer.end());

    std::vector<uint8_t> header;
    Put32(header, uint32_t(image.width));
    Put32(header, uint32_t(image.height));
    header.insert(header.end(), {8, kColourTypes[image.channels], 0, 0, 0});
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(kSignature, 1, sizeof kSignature, file) == sizeof kSignature &&
              WriteChunk(file, "IHDR", header.data(), header.size());
    for (const Strip& strip : strips)
        ok = ok && WriteChunk(file, "IDAT", strip.deflated.data(), strip.deflated.size());
    ok = ok && WriteChunk(file, "IEND", nullptr, 0);
    const bool closed = std::fclose(file) == 0;
    if (!ok || !closed) error = "write error";
    return ok && closed;
}

}  // namespace VarnCli
