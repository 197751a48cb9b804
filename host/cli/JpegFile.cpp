// JPEG through libjpeg. Its error exit unwinds with longjmp, so every setjmp sits in a
// small function whose frame owns nothing with a destructor.
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared first, and jerror.h needs jpeglib.h.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "host/cli/ImageFile.h"

namespace VarnCli {

namespace {

struct JpegError {
    jpeg_error_mgr manager;  // first: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = "";
    bool truncated = false;
};

void OnErrorExit(j_common_ptr info) {
    auto* e = reinterpret_cast<JpegError*>(info->err);
    info->err->format_message(info, e->message);
    std::longjmp(e->jump, 1);
}

void OnMessage(j_common_ptr) {}

// libjpeg pads a cut-off file with grey and only warns; a host must not filter that.
void OnEmit(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<JpegError*>(info->err)->truncated = true;
}

// Grey stays grey; every other colour space the library can convert arrives as RGB.
bool StartDecoding(jpeg_decompress_struct& info, JpegError& e, const std::vector<uint8_t>& bytes) {
    if (setjmp(e.jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        std::snprintf(e.message, sizeof e.message, "CMYK JPEG images are not supported");
        return false;
    }
    if (info.image_width > JDIMENSION(kMaxImageSide) || info.image_height > JDIMENSION(kMaxImageSide)) {
        std::snprintf(e.message, sizeof e.message, "larger than %d pixels a side", kMaxImageSide);
        return false;
    }
    info.out_color_space = info.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    return true;
}

bool ReadScanlines(jpeg_decompress_struct& info, JpegError& e, uint8_t* pixels, size_t stride) {
    if (setjmp(e.jump)) return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + size_t(info.output_scanline) * stride;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            std::snprintf(e.message, sizeof e.message, "the file ends early");
            return false;
        }
    }
    if (e.truncated) {
        std::snprintf(e.message, sizeof e.message, "the file ends early");
        return false;
    }
    jpeg_finish_decompress(&info);
    return true;
}

// Rows go in as they stand: libjpeg-turbo takes RGBA directly and skips its alpha.
bool Compress(jpeg_compress_struct& info, JpegError& e, std::FILE* file, const Raster& image, int quality,
              const uint8_t* rows, size_t stride) {
    if (setjmp(e.jump)) return false;
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(image.width);
    info.image_height = JDIMENSION(image.height);
    info.input_components = image.channels == 4 ? 4 : image.channels == 1 ? 1 : 3;
    info.in_color_space = image.channels == 4 ? JCS_EXT_RGBA : image.channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(rows + size_t(info.next_scanline) * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

bool DecodeJpeg(const std::vector<uint8_t>& bytes, Raster& image, std::string& error) {
    jpeg_decompress_struct info{};  // zeroed, so that destroying it is safe however early decoding fails
    JpegError e;
    info.err = jpeg_std_error(&e.manager);
    e.manager.error_exit = &OnErrorExit;
    e.manager.output_message = &OnMessage;
    e.manager.emit_message = &OnEmit;
    bool ok = StartDecoding(info, e, bytes);
    size_t size = ok ? RasterBytes(info.output_width, info.output_height, info.output_components) : 0;
    if (ok && size == 0) {
        std::snprintf(e.message, sizeof e.message, "empty image");
        ok = false;
    }
    if (ok) {
        image.width = int32_t(info.output_width);
        image.height = int32_t(info.output_height);
        image.channels = info.output_components;
        image.pixels.assign(size, 0);
        ok = ReadScanlines(info, e, image.pixels.data(), size_t(image.width) * size_t(image.channels));
    }
    jpeg_destroy_decompress(&info);
    if (!ok) {
        image = Raster{};
        error = std::string("damaged or unsupported JPEG: ") + e.message;
    }
    return ok;
}

bool WriteJpegFile(const std::string& path, const Raster& image, std::string& error,
                   const Encoding& encoding) {
    if (image.channels < 1 || image.channels > 4 || image.width <= 0 || image.height <= 0 ||
        RasterBytes(image.width, image.height, image.channels) != image.pixels.size()) {
        error = "no image to write";
        return false;
    }
    // Grey with alpha is the one layout the library takes in no form: its grey alone.
    std::vector<uint8_t> grey;
    Raster view;
    const Raster* source = &image;
    if (image.channels == 2) {
        grey.resize(image.pixels.size() / 2);
        for (size_t i = 0; i < grey.size(); ++i) grey[i] = image.pixels[2 * i];
        view.width = image.width;
        view.height = image.height;
        view.channels = 1;
        source = &view;
    }
    const uint8_t* rows = image.channels == 2 ? grey.data() : image.pixels.data();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    jpeg_compress_struct info{};
    JpegError e;
    info.err = jpeg_std_error(&e.manager);
    e.manager.error_exit = &OnErrorExit;
    e.manager.output_message = &OnMessage;
    const bool ok = Compress(info, e, file, *source, encoding.jpegQuality, rows,
                             size_t(image.width) * size_t(source->channels));
    jpeg_destroy_compress(&info);
    const bool closed = std::fclose(file) == 0;
    if (!ok) error = std::string("JPEG writing failed: ") + e.message;
    if (ok && !closed) error = "write error";
    return ok && closed;
}

}  // namespace VarnCli
