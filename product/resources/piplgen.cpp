// Writes Varnel's PIPL resource bytes for the resource compiler.
// Usage: piplgen win32|win64 OUTPUT
#include <cstdio>
#include <cstring>

#include "product/resources/VarnelPipl.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "win32") != 0 && std::strcmp(argv[1], "win64") != 0)) {
        std::fprintf(stderr, "usage: piplgen win32|win64 OUTPUT\n");
        return 1;
    }
    const std::vector<uint8_t> bytes = BuildPipl(VarnelPiplDescription(std::strcmp(argv[1], "win64") == 0));
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "piplgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
