#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

#include "codecs.h"

namespace nimbus::image {
namespace {

// Every 8 x 8 block costs at least a bit of entropy-coded data, even in a progressive file:
// a header promising more pixels than that would have us allocate for data that is not there.
constexpr uint64_t kMaxPixelsPerByte = 1024;

struct ErrorTrap {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void OnJpegError(j_common_ptr cinfo)
{
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    std::longjmp(trap->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// Four-channel rows (C, M, Y, K, as libjpeg gives CMYK and YCCK files) become R, G, B in
// place. Adobe's writers store the channels inverted, which their marker tells.
void CmykToRgb(SkDecodedImage& image, bool inverted)
{
    const size_t count = size_t(image.width) * image.height;
    uint8_t* p = image.pixels.data();
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* s = p + i * 4;
        unsigned c = s[0], m = s[1], y = s[2], k = s[3];
        if (!inverted)
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        uint8_t* d = p + i * 3;
        d[0] = uint8_t((c * k + 127) / 255);
        d[1] = uint8_t((m * k + 127) / 255);
        d[2] = uint8_t((y * k + 127) / 255);
    }
    image.pixels.resize(count * 3);
    image.bpp = 24;
}

// Plain C-style body: longjmp must not skip destructors.
bool DecodeInto(const uint8_t* data, size_t size, SkDecodedImage& out, jpeg_decompress_struct& cinfo,
                ErrorTrap& trap)
{
    cinfo.err = jpeg_std_error(&trap.mgr);
    trap.mgr.error_exit = OnJpegError;
    trap.mgr.output_message = IgnoreJpegMessage;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    // libjpeg turns YCCK into CMYK but not into RGB; that last step is ours.
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const int components = cmyk ? 4 : 3;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    // Check the size before the pixel buffer exists; libjpeg itself allows 65500 x 65500.
    if (!SizeAcceptable(cinfo.image_width, cinfo.image_height, unsigned(components)) ||
        uint64_t(cinfo.image_width) * cinfo.image_height > uint64_t(size) * kMaxPixelsPerByte ||
        !Allocate(out, cinfo.image_width, cinfo.image_height, uint8_t(components * 8))) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != components || cinfo.output_width != out.width ||
        cinfo.output_height != out.height) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const size_t stride = size_t(out.width) * size_t(components);
    while (cinfo.output_scanline < cinfo.output_height) {
        // JPEG rows come top first; ours are stored bottom row first.
        JSAMPROW row = out.pixels.data() + stride * (out.height - 1 - cinfo.output_scanline);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            break;
    }
    const bool adobe = cinfo.saw_Adobe_marker;
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (cmyk)
        CmykToRgb(out, adobe);
    return true;
}

bool EncodeInto(const ImageView& image, unsigned char*& buffer, unsigned long& length,
                jpeg_compress_struct& cinfo, ErrorTrap& trap, uint8_t* row)
{
    cinfo.err = jpeg_std_error(&trap.mgr);
    trap.mgr.error_exit = OnJpegError;
    trap.mgr.output_message = IgnoreJpegMessage;
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &length);
    cinfo.image_width = image.width;
    cinfo.image_height = image.height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    // Full-resolution chroma: no subsampling.
    for (int c = 0; c < cinfo.num_components; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    const unsigned bytesPerPixel = image.bpp / 8u;
    const size_t srcStride = size_t(image.width) * bytesPerPixel;
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint8_t* src = image.pixels + srcStride * (image.height - 1 - cinfo.next_scanline);
        for (uint32_t x = 0; x < image.width; ++x)
            std::memcpy(row + x * 3, src + x * bytesPerPixel, 3);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, SkDecodedImage& out)
{
    if (!data || size == 0)
        return false;
    jpeg_decompress_struct cinfo{};
    ErrorTrap trap{};
    return DecodeInto(data, size, out, cinfo, trap);
}

bool EncodeJpeg(const ImageView& image, std::vector<uint8_t>& file)
{
    if (!image.pixels || image.width == 0 || image.height == 0 || (image.bpp != 24 && image.bpp != 32) ||
        image.width > JPEG_MAX_DIMENSION || image.height > JPEG_MAX_DIMENSION)
        return false;
    std::vector<uint8_t> row(size_t(image.width) * 3);
    jpeg_compress_struct cinfo{};
    ErrorTrap trap{};
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    const bool ok = EncodeInto(image, buffer, length, cinfo, trap, row.data());
    if (ok && buffer)
        file.assign(buffer, buffer + length);
    std::free(buffer);
    return ok && !file.empty();
}

} // namespace nimbus::image
