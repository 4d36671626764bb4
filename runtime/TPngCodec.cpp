#include "TPngCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <png.h>

#include "TError.h"
#include "TPictureLimits.h"

// libpng reports errors through a callback that must not return. It jumps back to the
// setjmp of the small function that made the failing call; those functions hold only plain
// data, so no C++ object is skipped by the jump.

namespace {

struct TPngState {
    const unsigned char* Data = nullptr;
    size_t Size = 0;
    size_t Position = 0;
    std::vector<unsigned char>* Output = nullptr;
    std::jmp_buf Jump;
    char Message[256] = "";
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* state = static_cast<TPngState*>(png_get_error_ptr(png));
    std::snprintf(state->Message, sizeof state->Message, "%s", message);
    std::longjmp(state->Jump, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadData(png_structp png, png_bytep out, size_t count) {
    auto* state = static_cast<TPngState*>(png_get_io_ptr(png));
    if (count > state->Size - state->Position)
        png_error(png, "unexpected end of file");
    std::memcpy(out, state->Data + state->Position, count);
    state->Position += count;
}

void WriteData(png_structp png, png_bytep data, size_t count) {
    auto* state = static_cast<TPngState*>(png_get_io_ptr(png));
    state->Output->insert(state->Output->end(), data, data + count);
}

void FlushData(png_structp) {}

QString Detail(const TPngState& state) {
    return QString::fromLatin1(state.Message);
}

class TPngReader {
public:
    explicit TPngReader(const QByteArray& bytes) {
        FState.Data = reinterpret_cast<const unsigned char*>(bytes.constData());
        FState.Size = static_cast<size_t>(bytes.size());
        FPng = png_create_read_struct(PNG_LIBPNG_VER_STRING, &FState, OnError, OnWarning);
        if (FPng)
            FInfo = png_create_info_struct(FPng);
        if (!FInfo) {
            png_destroy_read_struct(&FPng, nullptr, nullptr);
            throw TError("PNG 画像を読み込むためのメモリが足りません。");
        }
    }
    ~TPngReader() { png_destroy_read_struct(&FPng, &FInfo, nullptr); }
    TPngReader(const TPngReader&) = delete;
    TPngReader& operator=(const TPngReader&) = delete;

    QImage Read() {
        if (!ReadHeader())
            ThrowDamaged();
        TPictureLimits::CheckSize(FWidth, FHeight, "PNG");
        QImage image(static_cast<int>(FWidth), static_cast<int>(FHeight),
                     FAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (image.isNull())
            throw TError("画像を読み込むためのメモリが足りません。");
        std::vector<png_bytep> rows(FHeight);
        for (png_uint_32 y = 0; y < FHeight; ++y)
            rows[y] = image.scanLine(static_cast<int>(y));
        if (!ReadRows(rows.data()))
            ThrowDamaged();
        return image;
    }

private:
    [[noreturn]] void ThrowDamaged() const {
        throw TError(QString("PNG 画像のデータが壊れているか、途中で切れています。（%1）")
                         .arg(Detail(FState)));
    }
    // Every colour type is turned into 8-bit blue, green, red, alpha-or-filler, the byte
    // order of QImage's 32-bit formats.
    bool ReadHeader() {
        if (setjmp(FState.Jump))
            return false;
        png_set_read_fn(FPng, &FState, ReadData);
        png_read_info(FPng, FInfo);
        FWidth = png_get_image_width(FPng, FInfo);
        FHeight = png_get_image_height(FPng, FInfo);
        const int colorType = png_get_color_type(FPng, FInfo);
        FAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 ||
                 png_get_valid(FPng, FInfo, PNG_INFO_tRNS) != 0;
        png_set_expand(FPng);
        png_set_scale_16(FPng);
        if ((colorType & PNG_COLOR_MASK_COLOR) == 0)
            png_set_gray_to_rgb(FPng);
        png_set_bgr(FPng);
        if (!FAlpha)
            png_set_filler(FPng, 0xFF, PNG_FILLER_AFTER);
        png_set_interlace_handling(FPng);
        png_read_update_info(FPng, FInfo);
        return true;
    }
    bool ReadRows(png_bytepp rows) {
        if (setjmp(FState.Jump))
            return false;
        png_read_image(FPng, rows);
        return true;
    }

    TPngState FState;
    png_structp FPng = nullptr;
    png_infop FInfo = nullptr;
    png_uint_32 FWidth = 0;
    png_uint_32 FHeight = 0;
    bool FAlpha = false;
};

bool Write(png_structp png, png_infop info, TPngState& state, const QImage& rgb) {
    if (setjmp(state.Jump))
        return false;
    png_set_write_fn(png, &state, WriteData, FlushData);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb.width()),
                 static_cast<png_uint_32>(rgb.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, TPngCodec::CompressionLevel);
    // libpng writes one IDAT chunk each time its compression buffer fills.
    png_set_compression_buffer_size(png, TPngCodec::MaxChunkBytes);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < rgb.height(); ++y) {
        png_write_row(png, const_cast<png_bytep>(rgb.constScanLine(y)));
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool TPngCodec::IsPng(const QByteArray& bytes) {
    return bytes.startsWith("\x89PNG\r\n\x1A\n");
}

QImage TPngCodec::Decode(const QByteArray& bytes) {
    return TPngReader(bytes).Read();
}

QByteArray TPngCodec::Encode(const QImage& image) {
    if (image.isNull())
        throw TError("空の画像は PNG に変換できません。");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<unsigned char> output;
    TPngState state;
    state.Output = &output;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnError, OnWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool done = info && Write(png, info, state, rgb);
    png_destroy_write_struct(&png, &info);
    if (!done)
        throw TError(QString("PNG 画像を作れませんでした。（%1）").arg(Detail(state)));
    return QByteArray(reinterpret_cast<const char*>(output.data()),
                      static_cast<qsizetype>(output.size()));
}
