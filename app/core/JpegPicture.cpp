#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the decoder, which gives up on the picture.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->back, 1);
}

void ignoreMessage(j_common_ptr) { }

// The decoding itself holds no C++ object in its frame, so the error jump skips no destructor;
// the picture lives with the caller.
bool readJpeg(const unsigned char *data, unsigned long size, QImage *picture)
{
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpBack;
    errors.base.output_message = ignoreMessage;
    if (setjmp(errors.back)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *picture = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    // A picture cut short is filled in with grey and reported only as a warning.
    return errors.base.num_warnings == 0;
}

} // namespace

QImage decodeJpeg(const QByteArray &bytes)
{
    QImage picture;
    if (bytes.isEmpty()
        || !readJpeg(reinterpret_cast<const unsigned char *>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()), &picture))
        return {};
    return picture;
}
