// SPDX-License-Identifier: MIT
#include "platform/JpegImage.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// Pictures larger than this are refused before any pixel memory is taken.
constexpr JDIMENSION kMaxSide = 16384;

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onFatalError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

// libjpeg would print warnings (corrupt data it recovers from) on stderr.
void onMessage(j_common_ptr) {}

struct RawPicture
{
    unsigned char *rgb = nullptr; // width * height * 3 bytes, malloc'd
    int width = 0;
    int height = 0;
};

// Kept free of C++ objects: a libjpeg error leaves through longjmp, which
// must not skip a destructor.
bool decodeRaw(const unsigned char *data, unsigned long size, RawPicture *out)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatalError;
    errors.base.output_message = onMessage;
    jpeg_create_decompress(&info);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        std::free(out->rgb);
        out->rgb = nullptr;
        return false;
    }
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_width == 0 || info.output_height == 0 || info.output_width > kMaxSide
        || info.output_height > kMaxSide || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    const size_t stride = size_t(info.output_width) * 3;
    out->rgb = static_cast<unsigned char *>(std::malloc(stride * info.output_height));
    if (!out->rgb) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out->width = int(info.output_width);
    out->height = int(info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->rgb + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage JpegImage::decode(const QByteArray &data)
{
    if (data.isEmpty())
        return QImage();
    RawPicture raw;
    if (!decodeRaw(reinterpret_cast<const unsigned char *>(data.constData()),
                   static_cast<unsigned long>(data.size()), &raw))
        return QImage();
    QImage image(raw.width, raw.height, QImage::Format_RGB32);
    if (!image.isNull()) {
        for (int y = 0; y < raw.height; ++y) {
            const unsigned char *src = raw.rgb + size_t(y) * size_t(raw.width) * 3;
            auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < raw.width; ++x, src += 3)
                dst[x] = qRgb(src[0], src[1], src[2]);
        }
    }
    std::free(raw.rgb);
    return image;
}

QImage JpegImage::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    return decode(file.readAll());
}
