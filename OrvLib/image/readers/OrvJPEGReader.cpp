#include "OrvLib/image/readers/OrvJPEGReader.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <exception>
#include <vector>

// jpeglib.h uses size_t and FILE without declaring them; jerror.h needs jpeglib.h.
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#ifndef JCS_EXTENSIONS
#error "blue-first output needs libjpeg-turbo's extended colour spaces"
#endif

#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/OrvPalette.h"
#include "OrvLib/image/readers/OrvReaderFile.h"

namespace {

// Plain data only, like the library's own records: a jump back from the error exit
// skips no destructor.
struct JpegDecode {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_source_mgr source;
    std::jmp_buf jump;
    const uint8_t* block;
    size_t count;
};

JpegDecode* Owner(j_common_ptr cinfo) { return static_cast<JpegDecode*>(cinfo->client_data); }

// A reader shows nothing: errors end the read, warnings about damaged data are dropped.
void ErrorExit(j_common_ptr cinfo) { std::longjmp(Owner(cinfo)->jump, 1); }
void NoMessage(j_common_ptr) {}

void InitSource(j_decompress_ptr cinfo) {
    JpegDecode* d = Owner(reinterpret_cast<j_common_ptr>(cinfo));
    cinfo->src->next_input_byte = d->block;
    cinfo->src->bytes_in_buffer = d->count;
}

// The whole block is in the buffer from the start, so being asked for more means the
// data ended early. Supplying nothing, or suspending, would leave the decoder reading
// past the block or waiting forever: end the read instead.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
    ERREXIT(cinfo, JERR_INPUT_EOF);
    return FALSE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* src = cinfo->src;
    // A segment length running past the data stops at its end.
    size_t n = size_t(count) < src->bytes_in_buffer ? size_t(count) : src->bytes_in_buffer;
    src->next_input_byte += n;
    src->bytes_in_buffer -= n;
}

void TermSource(j_decompress_ptr) {}

bool ReadHeader(JpegDecode* d) {
    if (setjmp(d->jump)) return false;
    jpeg_create_decompress(&d->cinfo);
    d->source.init_source = InitSource;
    d->source.fill_input_buffer = FillInputBuffer;
    d->source.skip_input_data = SkipInputData;
    d->source.resync_to_restart = jpeg_resync_to_restart;
    d->source.term_source = TermSource;
    d->cinfo.src = &d->source;
    jpeg_read_header(&d->cinfo, TRUE);
    if (d->cinfo.out_color_space == JCS_RGB) d->cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&d->cinfo);
    return true;
}

bool DecodeRows(JpegDecode* d, OrvDIBBuffer* target) {
    if (setjmp(d->jump)) return false;
    jpeg_start_decompress(&d->cinfo);
    if (d->cinfo.output_components != 1 && d->cinfo.output_components != 3) return false;
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        JSAMPROW row = target->RowAddress(int(d->cinfo.output_scanline));
        // Nothing read means the decoder suspended, which this source never asks for.
        if (row == nullptr || jpeg_read_scanlines(&d->cinfo, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&d->cinfo);
    return true;
}

class JpegStructures {
public:
    JpegStructures(const uint8_t* block, size_t count) : decode() {
        decode.cinfo.err = jpeg_std_error(&decode.errors);
        // Before the decompressor exists: an error while creating it jumps through here.
        decode.cinfo.client_data = &decode;
        decode.errors.error_exit = ErrorExit;
        decode.errors.output_message = NoMessage;
        decode.block = block;
        decode.count = count;
    }
    ~JpegStructures() { jpeg_destroy_decompress(&decode.cinfo); }
    JpegStructures(const JpegStructures&) = delete;
    JpegStructures& operator=(const JpegStructures&) = delete;

    JpegDecode decode;
};

bool Decode(const uint8_t* block, size_t count, OrvDIBBuffer& target) {
    JpegStructures structures(block, count);
    JpegDecode& d = structures.decode;
    if (!ReadHeader(&d)) return false;
    const int components = d.cinfo.out_color_components;
    if (components != 1 && components != 3) return false;
    const int depth = components * 8;
    const int64_t width = d.cinfo.output_width, height = d.cinfo.output_height;
    if (target.IsEmpty()) {
        if (!OrvReaderImageAllowed(width, height, depth)) return false;
        OrvPalette grey;
        grey.MakeGreyRamp();
        target.Create(int32_t(width), -int32_t(height), depth, depth == 8 ? &grey : nullptr);
    } else if (target.Width() != width || target.AbsHeight() != height || target.BitCount() != depth) {
        return false;
    }
    return DecodeRows(&d, &target);
}

}  // namespace

bool DecodeJPEGMemory(const uint8_t* block, size_t count, OrvDIBBuffer& target) {
    if (block == nullptr) return false;
    const bool wasEmpty = target.IsEmpty();
    bool ok = false;
    try {
        ok = Decode(block, count, target);
    } catch (const std::exception&) {
        ok = false;
    }
    // A bitmap made here is not left half decoded.
    if (!ok && wasEmpty) target.Empty();
    return ok;
}

bool ReadJPEGFile(const std::string& path, OrvImage2& image) {
    image.Release();
    try {
        std::vector<uint8_t> block;
        {
            OrvReaderFile file(path);
            const int64_t length = file.Length();
            if (length < 0 || length > INT_MAX) return false;
            block.resize(size_t(length));
            if (!file.Read(block.data(), block.size())) return false;
        }
        if (!DecodeJPEGMemory(block.data(), block.size(), image)) return false;
    } catch (const std::exception&) {
        return false;
    }
    if (image.GetHeight() < 0) image.MakeTopDown();
    return true;
}
