#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

#include "codecs.h"

namespace nimbus::image {
namespace {

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
    cinfo.out_color_space = JCS_RGB;
    // Check the size before the pixel buffer exists; libjpeg itself allows 65500 x 65500.
    if (!SizeAcceptable(cinfo.image_width, cinfo.image_height, 3) ||
        !Allocate(out, cinfo.image_width, cinfo.image_height, 24)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 3 || cinfo.output_width != out.width || cinfo.output_height != out.height) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const size_t stride = size_t(out.width) * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
        // JPEG rows come top first; ours are stored bottom row first.
        JSAMPROW row = out.pixels.data() + stride * (out.height - 1 - cinfo.output_scanline);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            break;
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
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
