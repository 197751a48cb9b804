#include "OrvLib/image/readers/OrvPNGReader.h"

#include <png.h>

#include <exception>

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/OrvPalette.h"
#include "OrvLib/image/readers/OrvReaderFile.h"

namespace {

// Plain data only: the functions that set a jump point work on this record, so a jump
// back from libpng skips no destructor.
struct PngDecode {
    png_structp png = nullptr;
    png_infop info = nullptr;
    OrvReaderSource* source = nullptr;
    // Known after the header:
    png_uint_32 width = 0, height = 0;
    int colourType = 0;
    int outputDepth = 0;
    bool outputAlpha = false;
    int passes = 1;
    int transparentIndex = -1;
    size_t rowBytes = 0;
    OrvRgbQuad table[256] = {};
    int tableEntries = 0;
};

// A chunk may declare up to 2 GB beyond the end of the data: the first short read ends
// the decode, so such a chunk costs no more than the bytes that are there.
void ReadFromSource(png_structp png, png_bytep out, size_t length) {
    if (!static_cast<OrvReaderSource*>(png_get_io_ptr(png))->Read(out, length)) png_error(png, "short read");
}

// The index survives only when the first entry that is not fully opaque is also the last
// entry of the chunk; anything else is turned into an alpha channel.
int SingleTransparentIndex(png_structp png, png_infop info) {
    png_bytep alpha = nullptr;
    int count = 0;
    if (png_get_tRNS(png, info, &alpha, &count, nullptr) == 0 || alpha == nullptr) return -1;
    int index = -1;
    for (int i = 0; i < count; ++i) {
        if (index >= 0) return -1;
        if (alpha[i] != 255) index = i;
    }
    return index;
}

bool DecodeHeader(PngDecode* d) {
    if (setjmp(png_jmpbuf(d->png))) return false;
    png_set_read_fn(d->png, d->source, ReadFromSource);
    png_read_info(d->png, d->info);

    int bitDepth = 0, interlace = 0;
    png_get_IHDR(d->png, d->info, &d->width, &d->height, &bitDepth, &d->colourType, &interlace, nullptr,
                 nullptr);
    const bool hasTrns = png_get_valid(d->png, d->info, PNG_INFO_tRNS) != 0;
    if (bitDepth < 8) png_set_packing(d->png);
    if (d->colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand(d->png);
    if (hasTrns && d->colourType == PNG_COLOR_TYPE_PALETTE)
        d->transparentIndex = SingleTransparentIndex(d->png, d->info);
    if (hasTrns && d->transparentIndex < 0) png_set_expand(d->png);
    // Grey with alpha has no layout in the image model: it becomes blue-green-red-alpha.
    if (d->colourType == PNG_COLOR_TYPE_GRAY_ALPHA || (d->colourType == PNG_COLOR_TYPE_GRAY && hasTrns))
        png_set_gray_to_rgb(d->png);
    if (bitDepth == 16) png_set_strip_16(d->png);
    // Blue first for every colour output, expanded palettes included.
    png_set_bgr(d->png);
    if (bitDepth == 16) png_set_swap(d->png);
    if (interlace != PNG_INTERLACE_NONE) d->passes = png_set_interlace_handling(d->png);
    png_read_update_info(d->png, d->info);

    const int channels = png_get_channels(d->png, d->info);
    d->outputDepth = channels * png_get_bit_depth(d->png, d->info);
    d->outputAlpha = channels == 4;
    d->rowBytes = png_get_rowbytes(d->png, d->info);

    if (d->colourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        if (png_get_PLTE(d->png, d->info, &palette, &count) == 0 || palette == nullptr) return false;
        d->tableEntries = count < 256 ? count : 256;
        for (int i = 0; i < d->tableEntries; ++i)
            d->table[i] = OrvRgbQuad{palette[i].blue, palette[i].green, palette[i].red, 0};
    } else if (d->outputDepth == 8) {
        d->tableEntries = 256;
        for (int i = 0; i < 256; ++i) d->table[i] = OrvRgbQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    }
    return true;
}

// rows is the first of height top-down rows, stride bytes apart.
bool DecodeRows(PngDecode* d, uint8_t* rows, size_t stride) {
    if (setjmp(png_jmpbuf(d->png))) return false;
    for (int pass = 0; pass < d->passes; ++pass)
        for (png_uint_32 y = 0; y < d->height; ++y) png_read_row(d->png, rows + y * stride, nullptr);
    png_read_end(d->png, nullptr);
    return true;
}

// A reader shows nothing: errors end the read through the jump, warnings are dropped.
[[noreturn]] void Failed(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void NoWarning(png_structp, png_const_charp) {}

// Owns the library's structures for one read.
class PngStructures {
public:
    PngStructures() {
        decode.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &Failed, &NoWarning);
        if (decode.png != nullptr) decode.info = png_create_info_struct(decode.png);
    }
    ~PngStructures() {
        if (decode.png != nullptr)
            png_destroy_read_struct(&decode.png, decode.info ? &decode.info : nullptr, nullptr);
    }
    PngStructures(const PngStructures&) = delete;
    PngStructures& operator=(const PngStructures&) = delete;
    bool Valid() const { return decode.png != nullptr && decode.info != nullptr; }

    PngDecode decode;
};

}  // namespace

bool ReadPNGFrom(OrvReaderSource& source, OrvImage2& image) {
    PngStructures structures;
    if (!structures.Valid()) return false;
    PngDecode& d = structures.decode;
    d.source = &source;
    if (!DecodeHeader(&d)) return false;
    const int depth = d.outputDepth;
    if ((depth != 8 && depth != 24 && depth != 32) || !OrvReaderImageAllowed(d.width, d.height, depth))
        return false;

    OrvImage2 fresh;
    OrvPalette palette(d.table, d.tableEntries);
    fresh.Create(int32_t(d.width), int32_t(d.height), depth, depth == 8 ? &palette : nullptr);
    if (size_t(fresh.Stride()) < d.rowBytes) return false;
    if (!DecodeRows(&d, fresh.Bits(), size_t(fresh.Stride()))) return false;

    image.Attach(fresh.Detach());
    image.SetHasAlpha(d.outputAlpha);
    image.SetTransparent(d.transparentIndex >= 0 ? OrvColour(d.transparentIndex) : kOrvNoColour);
    return true;
}

bool ReadPNGFile(const std::string& path, OrvImage2& image) {
    try {
        OrvReaderFile file(path);
        return file.IsOpen() && ReadPNGFrom(file, image);
    } catch (const std::exception&) {
        return false;
    }
}

bool ReadPNGMemory(const uint8_t* block, size_t count, OrvImage2& image) {
    if (block == nullptr) return false;
    try {
        OrvReaderBytes source(block, count);
        return ReadPNGFrom(source, image);
    } catch (const std::exception&) {
        return false;
    }
}
