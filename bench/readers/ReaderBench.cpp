// Decoding a 4000 x 3000 picture through the readers against libpng and libjpeg called
// bare with the same output form: the ratio of the two is the readers' own overhead
// (header checks, the zeroed image block, the hand-over to the image).
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/readers/OrvJPEGReader.h"
#include "OrvLib/image/readers/OrvPNGReader.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;
using Bytes = std::vector<uint8_t>;

// A photograph stand-in: smooth gradients with a little texture, so both codecs work as
// they would on real pictures.
Bytes Picture() {
    Bytes rgb(size_t(kWidth) * kHeight * 3);
    uint32_t noise = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1103515245u + 12345u;
            uint8_t* p = &rgb[(size_t(y) * kWidth + x) * 3];
            p[0] = uint8_t(x * 255 / kWidth + (noise >> 28));
            p[1] = uint8_t(y * 255 / kHeight + (noise >> 29));
            p[2] = uint8_t((x + y) / 28);
        }
    return rgb;
}

void Append(png_structp png, png_bytep data, size_t n) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

const Bytes& PngFile() {
    static const Bytes file = [] {
        const Bytes rgb = Picture();
        Bytes out;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) std::abort();
        png_set_write_fn(png, &out, Append, nullptr);
        png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < kHeight; ++y) png_write_row(png, &rgb[size_t(y) * kWidth * 3]);
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        return out;
    }();
    return file;
}

const Bytes& JpegFile() {
    static const Bytes file = [] {
        const Bytes rgb = Picture();
        jpeg_compress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_compress(&cinfo);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = kWidth;
        cinfo.image_height = kHeight;
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, 90, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        for (int y = 0; y < kHeight; ++y) {
            JSAMPROW row = const_cast<uint8_t*>(&rgb[size_t(y) * kWidth * 3]);
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        Bytes out(buffer, buffer + size);
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return out;
    }();
    return file;
}

struct Source {
    const Bytes* bytes;
    size_t offset;
};

void ReadFromSource(png_structp png, png_bytep out, size_t n) {
    auto* s = static_cast<Source*>(png_get_io_ptr(png));
    std::copy_n(s->bytes->data() + s->offset, n, out);
    s->offset += n;
}

void PngReaders(benchmark::State& state) {
    const Bytes& file = PngFile();
    for (auto _ : state) {
        OrvImage2 image;
        if (!ReadPNGMemory(file.data(), file.size(), image)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(image.Bits());
    }
}

void PngBare(benchmark::State& state) {
    const Bytes& file = PngFile();
    for (auto _ : state) {
        Source source{&file, 0};
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) std::abort();
        png_set_read_fn(png, &source, ReadFromSource);
        png_read_info(png, info);
        png_set_bgr(png);
        png_read_update_info(png, info);
        const size_t stride = (png_get_rowbytes(png, info) + 3) & ~size_t(3);
        std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * kHeight]);
        for (int y = 0; y < kHeight; ++y) png_read_row(png, pixels.get() + stride * y, nullptr);
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        benchmark::DoNotOptimize(pixels.get());
    }
}

void JpegReaders(benchmark::State& state) {
    const Bytes& file = JpegFile();
    for (auto _ : state) {
        OrvImage2 image;
        if (!DecodeJPEGMemory(file.data(), file.size(), image)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.Bits());
    }
}

void JpegBare(benchmark::State& state) {
    const Bytes& file = JpegFile();
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, file.data(), file.size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        const size_t stride = (size_t(cinfo.output_width) * 3 + 3) & ~size_t(3);
        std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * cinfo.output_height]);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.get() + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.get());
    }
}

BENCHMARK(PngReaders)->Unit(benchmark::kMillisecond);
BENCHMARK(PngBare)->Unit(benchmark::kMillisecond);
BENCHMARK(JpegReaders)->Unit(benchmark::kMillisecond);
BENCHMARK(JpegBare)->Unit(benchmark::kMillisecond);

}  // namespace
