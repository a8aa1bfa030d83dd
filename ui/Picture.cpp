// JPEG decoding with libjpeg into a DIB section.
#include "Picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// jump back to the decoder instead of ending the process.
struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
// Warnings and traces are neither shown nor kept: the decoder goes on.
void OnJpegMessage(j_common_ptr, int) {}
void OnJpegOutput(j_common_ptr) {}
void OnJpegFormat(j_common_ptr, char* text) {
    text[0] = '\0';
}
void OnJpegReset(j_common_ptr info) {
    info->err->num_warnings = 0;
    info->err->msg_code = 0;
}

} // namespace

HBITMAP DecodeJpeg(const void* data, size_t size) {
    if (!data || size == 0)
        return nullptr;

    jpeg_decompress_struct info = {};
    ErrorManager errors = {};
    // Not the standard error manager: it brings every message's text (6 KB), none of which is
    // shown. No message table and no tracing (the rest of the manager is zero).
    errors.base.error_exit = OnJpegError;
    errors.base.emit_message = OnJpegMessage;
    errors.base.output_message = OnJpegOutput;
    errors.base.format_message = OnJpegFormat;
    errors.base.reset_error_mgr = OnJpegReset;
    info.err = &errors.base;
    // Volatile: changed between setjmp and a possible longjmp.
    HBITMAP volatile bitmap = nullptr;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        if (bitmap)
            DeleteObject(bitmap);
        return nullptr;
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR; // the byte order of a 24-bit DIB
    jpeg_start_decompress(&info);

    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height; // top-down rows
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        jpeg_destroy_decompress(&info);
        return nullptr;
    }

    const size_t stride =
        (static_cast<size_t>(width) * 3 + 3) & ~size_t(3); // rows padded to 4 bytes
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = static_cast<unsigned char*>(bits) + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}
