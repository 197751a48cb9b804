// JPEG through libjpeg. Its error exit unwinds with longjmp, so every setjmp sits in a
// small function whose frame owns nothing with a destructor.
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

}  // namespace VarnCli
