// varnel-sample: writes the sample picture the demo filters.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/cli/SampleImage.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fputs("Usage: varnel-sample OUTPUT.png [WIDTH HEIGHT]\n", stderr);
        return 1;
    }
    int width = 640, height = 427;
    if (argc == 4) {
        width = std::atoi(argv[2]);
        height = std::atoi(argv[3]);
        if (width < 1 || height < 1 || width > VarnCli::kMaxImageSide || height > VarnCli::kMaxImageSide) {
            std::fputs("varnel-sample: WIDTH and HEIGHT are 1 to 32767\n", stderr);
            return 1;
        }
    }
    std::string error;
    if (!VarnCli::WritePngFile(argv[1], VarnCli::MakeSampleImage(width, height, 2024), error)) {
        std::fprintf(stderr, "varnel-sample: cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
