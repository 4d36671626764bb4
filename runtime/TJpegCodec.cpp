#include "TJpegCodec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "TError.h"
#include "TPictureLimits.h"
#include "TPictureScale.h"

// libjpeg reports errors through a callback that must not return. It jumps back to the
// setjmp of the small function that made the failing call; those functions hold only plain
// data, so no C++ object is skipped by the jump.

namespace {

// Progressive files may hold any number of scans; a hostile one makes decoding endless.
constexpr int MaxScans = 1000;
// Progressive pictures keep every coefficient in memory (up to 6 bytes a pixel); beyond this
// libjpeg fails cleanly instead of taking more.
constexpr long MaxDecoderMemory = 1L << 30;

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->Message);
    std::longjmp(error->Jump, 1);
}

bool IsDamage(int code) {
    return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC ||
           code == JWRN_HUFF_BAD_CODE;
}

// libjpeg only warns about truncated or corrupt entropy data and fills the picture with
// grey; those warnings are errors here. Others (odd header fields) are harmless.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && IsDamage(cinfo->err->msg_code))
        ErrorExit(cinfo);
}

void InstallErrorHandler(TJpegError& error) {
    jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ErrorExit;
    error.Manager.emit_message = EmitMessage;
    error.Message[0] = '\0';
}

QString Detail(const TJpegError& error) {
    return QString::fromLatin1(error.Message);
}

[[noreturn]] void ThrowDamaged(const TJpegError& error) {
    throw TError(
        QString("JPEG 画像のデータが壊れているか、途中で切れています。（%1）").arg(Detail(error)));
}

void LimitScans(j_common_ptr cinfo) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number > MaxScans) {
        auto* error = reinterpret_cast<TJpegError*>(cinfo->err);
        std::snprintf(error->Message, sizeof error->Message, "more than %d scans", MaxScans);
        std::longjmp(error->Jump, 1);
    }
}

class TJpegReader {
public:
    TJpegReader() {
        InstallErrorHandler(FError);
        FInfo.err = &FError.Manager;
        FProgress.progress_monitor = LimitScans;
        if (!Create())
            ThrowDamaged(FError);
        FInfo.progress = &FProgress;
        FInfo.mem->max_memory_to_use = MaxDecoderMemory;
    }
    ~TJpegReader() { jpeg_destroy_decompress(&FInfo); }
    TJpegReader(const TJpegReader&) = delete;
    TJpegReader& operator=(const TJpegReader&) = delete;

    // Reads the header, checks the size, and starts decoding into 4-byte pixels.
    QSize Open(const QByteArray& bytes) {
        if (!ReadHeader(reinterpret_cast<const unsigned char*>(bytes.constData()),
                        static_cast<unsigned long>(bytes.size()))) {
            ThrowDamaged(FError);
        }
        TPictureLimits::CheckSize(FInfo.image_width, FInfo.image_height, "JPEG");
        FCmyk = FInfo.jpeg_color_space == JCS_CMYK || FInfo.jpeg_color_space == JCS_YCCK;
        FInfo.out_color_space = FCmyk ? JCS_CMYK : JCS_EXT_BGRX;
        if (!Start())
            ThrowDamaged(FError);
        return QSize(static_cast<int>(FInfo.output_width), static_cast<int>(FInfo.output_height));
    }
    int NextRow() const { return static_cast<int>(FInfo.output_scanline); }
    // One row of width × 4 bytes, blue, green, red, unused.
    void ReadRow(unsigned char* row) {
        if (!Read(row))
            ThrowDamaged(FError);
        if (FCmyk)
            CmykToBgrx(row);
    }
    void SkipRows(int count) {
        if (!Skip(static_cast<JDIMENSION>(count)))
            ThrowDamaged(FError);
    }

private:
    bool Create() {
        if (setjmp(FError.Jump))
            return false;
        jpeg_create_decompress(&FInfo);
        return true;
    }
    bool ReadHeader(const unsigned char* data, unsigned long size) {
        if (setjmp(FError.Jump))
            return false;
        jpeg_mem_src(&FInfo, data, size);
        jpeg_read_header(&FInfo, TRUE);
        return true;
    }
    bool Start() {
        if (setjmp(FError.Jump))
            return false;
        jpeg_start_decompress(&FInfo);
        return true;
    }
    bool Read(unsigned char* row) {
        if (setjmp(FError.Jump))
            return false;
        JSAMPROW rows[1] = {row};
        return jpeg_read_scanlines(&FInfo, rows, 1) == 1;
    }
    bool Skip(JDIMENSION count) {
        if (setjmp(FError.Jump))
            return false;
        return jpeg_skip_scanlines(&FInfo, count) == count;
    }
    // Adobe writes CMYK inverted (0 is full ink) and marks such files with its APP14
    // marker; other writers store plain ink values.
    void CmykToBgrx(unsigned char* row) const {
        const bool inverted = FInfo.saw_Adobe_marker;
        for (JDIMENSION x = 0; x < FInfo.output_width; ++x, row += 4) {
            int c = row[0], m = row[1], y = row[2], k = row[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            row[0] = static_cast<unsigned char>((y * k + 127) / 255);
            row[1] = static_cast<unsigned char>((m * k + 127) / 255);
            row[2] = static_cast<unsigned char>((c * k + 127) / 255);
            row[3] = 255;
        }
    }

    jpeg_decompress_struct FInfo{};
    TJpegError FError{};
    jpeg_progress_mgr FProgress{};
    bool FCmyk = false;
};

QImage NewBitmap(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw TError("画像を読み込むためのメモリが足りません。");
    return image;
}

bool Compress(jpeg_compress_struct& info, TJpegError& error, const QImage& rgb,
              unsigned char** buffer, unsigned long* size) {
    if (setjmp(error.Jump))
        return false;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, TJpegCodec::Quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {const_cast<JSAMPROW>(rgb.constScanLine(info.next_scanline))};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

bool TJpegCodec::IsJpeg(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xD8\xFF");
}

QImage TJpegCodec::Decode(const QByteArray& bytes) {
    TJpegReader reader;
    const QSize size = reader.Open(bytes);
    QImage image = NewBitmap(size);
    for (int y = 0; y < size.height(); ++y)
        reader.ReadRow(image.scanLine(y));
    return image;
}

QImage TJpegCodec::DecodeToFit(const QByteArray& bytes, int maxHeight, int maxWidth) {
    TJpegReader reader;
    const QSize size = reader.Open(bytes);
    const QSize target = TPictureScale::FitSize(size, maxHeight, maxWidth).value_or(size);
    QImage image = NewBitmap(target);
    const bool allColumns = target.width() == size.width();
    const std::vector<int> columns = TPictureScale::SourceIndices(size.width(), target.width());
    std::vector<unsigned char> line(allColumns ? 0 : static_cast<size_t>(size.width()) * 4);
    for (int y = 0; y < target.height(); ++y) {
        const int source = TPictureScale::SourceIndex(y, size.height(), target.height());
        if (source > reader.NextRow())
            reader.SkipRows(source - reader.NextRow());
        if (allColumns) {
            reader.ReadRow(image.scanLine(y));
            continue;
        }
        reader.ReadRow(line.data());
        const auto* from = reinterpret_cast<const quint32*>(line.data());
        auto* to = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < target.width(); ++x)
            to[x] = from[columns[x]];
    }
    return image;
}

QByteArray TJpegCodec::Encode(const QImage& image) {
    if (image.isNull())
        throw TError("空の画像は JPEG に変換できません。");
    if (image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION) {
        throw TError(
            QString("JPEG で保存できるのは縦横 %1 ピクセルまでです。").arg(JPEG_MAX_DIMENSION));
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct info{};
    TJpegError error{};
    InstallErrorHandler(error);
    info.err = &error.Manager;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool done = Compress(info, error, rgb, &buffer, &size);
    jpeg_destroy_compress(&info);
    QByteArray result;
    if (done)
        result = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (!done)
        throw TError(QString("JPEG 画像を作れませんでした。（%1）").arg(Detail(error)));
    return result;
}
