// Object files written beside the test program, for runs of the whole plug-in.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace PluginTest {

// A 24-bit bottom-up BMP with a colourful pattern, written beside the test program.
inline std::string WriteObject(const char* name, int w, int h) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<uint8_t> file(54 + size_t(stride) * h, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    file[26] = 1, file[28] = 24;
    put32(34, uint32_t(stride * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &file[54 + size_t(h - 1 - y) * stride + x * 3];
            p[0] = uint8_t(40 + x * 8), p[1] = uint8_t(200 - y * 6), p[2] = uint8_t((x * y) & 255);
        }
    std::FILE* out = std::fopen(name, "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
    return name;
}

}  // namespace PluginTest
