#include "PngFile.h"

#include <png.h>

#include <cstdio>

namespace Art {
namespace {

struct File {
    explicit File(const std::string& path, const char* mode) : f(std::fopen(path.c_str(), mode)) {}
    ~File() {
        if (f) std::fclose(f);
    }
    FILE* f;
};

// The setjmp frames below own nothing with a destructor: libpng may jump out of them.
bool Encode(FILE* f, int width, int height, int colourType, png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool Decode(FILE* f, RgbaImage* image, std::vector<png_bytep>* rows) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    image->width = static_cast<int>(png_get_image_width(png, info));
    image->height = static_cast<int>(png_get_image_height(png, info));
    image->pixels.assign(static_cast<size_t>(image->width) * image->height * 4, 0);
    rows->resize(static_cast<size_t>(image->height));
    for (int y = 0; y < image->height; ++y)
        (*rows)[static_cast<size_t>(y)] = image->pixels.data() + static_cast<size_t>(y) * image->width * 4;
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const RgbaImage& image, bool alpha) {
    File file(path, "wb");
    if (!file.f) return false;
    const size_t channels = alpha ? 4 : 3;
    std::vector<uint8_t> copy;
    copy.reserve(image.pixels.size() / 4 * channels);
    for (size_t i = 0; i < image.pixels.size(); i += 4)
        copy.insert(copy.end(), &image.pixels[i], &image.pixels[i] + channels);
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        rows[static_cast<size_t>(y)] = copy.data() + static_cast<size_t>(y) * image.width * channels;
    return Encode(file.f, image.width, image.height, alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                  rows.data());
}

bool ReadPng(const std::string& path, RgbaImage& image) {
    File file(path, "rb");
    if (!file.f) return false;
    std::vector<png_bytep> rows;
    return Decode(file.f, &image, &rows);
}

}  // namespace Art
