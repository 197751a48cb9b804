#include "ReaderTargets.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvBMPReader.h"
#include "OrvLib/image/readers/OrvImageLoad.h"
#include "OrvLib/image/readers/OrvReaderFile.h"

namespace {

// Tiny inputs may declare huge pictures, and decoding millions of pixels per input would
// leave the fuzzer a few hundred runs a second. 1 MB of rows (a 512 x 512 picture at 32
// bits) keeps every input cheap while every size check still runs.
const bool limited = [] {
    OrvSetReaderImageLimit(int64_t(1) << 20);
    return true;
}();

volatile uint8_t sink;

void Touch(const OrvImage2& image) {
    if (image.IsEmpty()) return;
    uint8_t sum = 0;
    const size_t rowBytes = (size_t(image.Width()) * size_t(image.BitCount()) + 7) / 8;
    for (int y = 0; y < image.AbsHeight(); ++y) {
        const uint8_t* row = image.RowAddress(y);
        for (size_t i = 0; i < rowBytes; ++i) sum = uint8_t(sum + row[i]);
    }
    for (int i = 0; i < image.TableEntries(); ++i) sum = uint8_t(sum + image.Info()->bmiColors[i].rgbRed);
    sink = sum;
}

int FromFile(const uint8_t* data, size_t size, const char* extension) {
    const std::string path = "/tmp/varnel_fuzz_" + std::to_string(getpid()) + extension;
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    OrvImage2 image;
    if (LoadImageFile(path, image, true)) Touch(image);
    std::remove(path.c_str());
    return 0;
}

int FromMemory(const uint8_t* data, size_t size, const char* hint) {
    OrvImage2 image;
    if (LoadImageMemory(data, size, hint, image)) Touch(image);
    return 0;
}

}  // namespace

int FuzzBmpMemory(const uint8_t* data, size_t size) {
    OrvImage2 image;
    if (ReadBMPMemory(data, size, image)) Touch(image);
    return 0;
}
int FuzzPngFile(const uint8_t* data, size_t size) { return FromFile(data, size, ".png"); }
int FuzzPngMemory(const uint8_t* data, size_t size) { return FromMemory(data, size, ".png"); }
int FuzzJpegFile(const uint8_t* data, size_t size) { return FromFile(data, size, ".jpg"); }
int FuzzJpegMemory(const uint8_t* data, size_t size) { return FromMemory(data, size, ".jpg"); }
