// JPEG files through libjpeg's compressor, and broken ones cut from them.
#include <cstdio>
#include <cstdlib>

// clang-format off
#include <jpeglib.h>
// clang-format on

#include "Corpus.h"

namespace ReaderCorpus {
namespace {

constexpr int kWidth = 37, kHeight = 23;

}  // namespace

// components: 1 grey, 3 colour, 4 CMYK. Errors abort the generator, so nothing needs
// unwinding carefully here.
Bytes EncodeJpeg(int components, bool progressive, int restartRows) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    errors.error_exit = [](j_common_ptr) { std::fprintf(stderr, "libjpeg failed\n"), std::exit(1); };
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    cinfo.restart_in_rows = restartRows;
    jpeg_start_compress(&cinfo, TRUE);
    Bytes row(size_t(kWidth) * components);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < components; ++c) row[size_t(x * components + c)] = Pattern(x, y, c);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

// The encoder adds an APP14 segment to four-component files; the corpus leaves it out,
// since the four components alone make a file the readers refuse.
Bytes WithoutApp14(const Bytes& jpeg) {
    Bytes out(jpeg.begin(), jpeg.begin() + 2);
    size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
        const size_t length = 2 + (size_t(jpeg[at + 2]) << 8 | jpeg[at + 3]);
        if (jpeg[at + 1] != 0xEE)
            out.insert(out.end(), jpeg.begin() + long(at), jpeg.begin() + long(at + length));
        at += length;
    }
    out.insert(out.end(), jpeg.begin() + long(at), jpeg.end());
    return out;
}

void WriteJpegFiles(const std::string& folder) {
    const Bytes colour = EncodeJpeg(3, false, 0);
    Save(folder, "jpeg_colour.jpg", colour);
    Save(folder, "jpeg_grey.jpg", EncodeJpeg(1, false, 0));
    Save(folder, "jpeg_progressive.jpg", EncodeJpeg(3, true, 0));
    Save(folder, "jpeg_grey_progressive.jpg", EncodeJpeg(1, true, 0));
    Save(folder, "jpeg_restart.jpg", EncodeJpeg(3, false, 1));
    // Extensions that only sniffing reads, or in mixed case.
    Save(folder, "jpeg_grey_long.jpeg", EncodeJpeg(1, false, 0));
    Save(folder, "jpeg_mixed_case.JpG", colour);
    Save(folder, "jpeg_named.png", colour);

    Save(folder, "bad_jpeg_cmyk.jpg", WithoutApp14(EncodeJpeg(4, false, 0)));
    Save(folder, "bad_jpeg_truncated_half.jpg",
         Bytes(colour.begin(), colour.begin() + long(colour.size() / 2)));
    Save(folder, "bad_jpeg_no_eoi.jpg", Bytes(colour.begin(), colour.end() - 2));
    Save(folder, "bad_jpeg_soi_only.jpg", Bytes{0xFF, 0xD8});
    const Bytes progressive = EncodeJpeg(3, true, 0);
    Save(folder, "bad_jpeg_progressive_cut.jpg",
         Bytes(progressive.begin(), progressive.begin() + long(progressive.size() * 2 / 3)));
    // An APP1 segment whose length runs far past the end of the data.
    Save(folder, "bad_jpeg_app1_past_end.jpg",
         Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 'E', 'x', 'i', 'f', 0, 0});
    // A comment segment, right after the start marker, that runs past the end.
    Save(folder, "bad_jpeg_comment_past_end.jpg",
         Bytes{colour[0], colour[1], 0xFF, 0xFE, 0xFF, 0xFF, 'c', 'u', 't'});
}

}  // namespace ReaderCorpus
