// PNG read through libpng. Its errors unwind with longjmp, so every setjmp sits in a small
// function whose frame owns nothing with a destructor; buffers are made outside them.
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "host/cli/ImageFile.h"

namespace VarnCli {

namespace {

struct PngContext {
    std::jmp_buf jump;
    bool armed = false;  // false while libpng still owns error handling (during creation)
    char message[256] = "";
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t at = 0;
};

void OnError(png_structp png, png_const_charp message) {
    auto* c = static_cast<PngContext*>(png_get_error_ptr(png));
    std::snprintf(c->message, sizeof c->message, "%s", message);
    if (c->armed) std::longjmp(c->jump, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* c = static_cast<PngContext*>(png_get_io_ptr(png));
    if (count > c->size - c->at) png_error(png, "the file ends early");
    std::memcpy(out, c->data + c->at, count);
    c->at += count;
}

// Sets up the transformations to 8-bit grey, grey and alpha, RGB or RGBA.
bool ReadHeader(png_structp png, png_infop info, PngContext& c, png_uint_32& width, png_uint_32& height,
                int& channels) {
    if (setjmp(c.jump)) return false;
    c.armed = true;
    png_set_read_fn(png, &c, &ReadFromMemory);
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    channels = png_get_channels(png, info);
    return true;
}

bool ReadRows(png_structp png, PngContext& c, png_bytepp rows) {
    if (setjmp(c.jump)) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

std::vector<png_bytep> RowPointers(uint8_t* pixels, int32_t width, int32_t height, int32_t channels) {
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y)
        rows[size_t(y)] = pixels + size_t(y) * size_t(width) * size_t(channels);
    return rows;
}

}  // namespace

bool DecodePng(const std::vector<uint8_t>& bytes, Raster& image, std::string& error) {
    PngContext c;
    c.data = bytes.data();
    c.size = bytes.size();
    // The headers' own version: libpng refuses a reader made for another one.
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &c, &OnError, &OnWarning);
    png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(png == nullptr ? nullptr : &png, nullptr, nullptr);
        error = "libpng " PNG_LIBPNG_VER_STRING " cannot start a reader";
        return false;
    }
    png_uint_32 width = 0, height = 0;
    int channels = 0;
    bool ok = ReadHeader(png, info, c, width, height, channels);
    size_t size = ok ? RasterBytes(width, height, channels) : 0;
    if (ok && (size == 0 || channels < 1 || channels > 4)) {
        std::snprintf(c.message, sizeof c.message, "unsupported PNG layout");
        ok = false;
    }
    if (ok) {
        image.width = int32_t(width);
        image.height = int32_t(height);
        image.channels = channels;
        image.pixels.assign(size, 0);
        std::vector<png_bytep> rows = RowPointers(image.pixels.data(), image.width, image.height, channels);
        ok = ReadRows(png, c, rows.data());
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        image = Raster{};
        error = std::string("damaged PNG: ") + c.message;
    }
    return ok;
}

}  // namespace VarnCli
