#include "ReaderTestSupport.h"

#include <cinttypes>
#include <cstdio>

#include "OrvLib/image/OrvImage2.h"

namespace ReaderTest {

std::string CorpusFile(const std::string& name) { return std::string(VARNEL_READER_CORPUS) + "/" + name; }

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

uint64_t PixelHash(const OrvDIBBuffer& image) {
    uint64_t h = 14695981039346656037ull;
    auto add = [&h](const uint8_t* p, size_t n) {
        for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
    };
    if (image.IsEmpty()) return 0;
    add(reinterpret_cast<const uint8_t*>(image.Info()->bmiColors), size_t(image.TableEntries()) * 4);
    const size_t rowBytes = (size_t(image.Width()) * size_t(image.BitCount()) + 7) / 8;
    for (int y = 0; y < image.AbsHeight(); ++y) add(image.RowAddress(y), rowBytes);
    return h;
}

std::string Describe(bool loaded, const OrvImage2& image) {
    char line[160];
    if (!loaded) return "false\t0\t0\t0\t0\t-1\t0";
    std::snprintf(line, sizeof line, "true\t%d\t%d\t%d\t%d\t%d\t%016" PRIx64, image.GetWidth(),
                  image.GetHeight(), image.GetBitCount(), image.HasAlpha() ? 1 : 0,
                  int(int32_t(image.GetTransparent())), PixelHash(image));
    return line;
}

}  // namespace ReaderTest
