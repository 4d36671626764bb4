#include "TTestPictures.h"

#include <QtEndian>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace testsupport {

QImage MakeDetailedPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int stripe = ((x / 3 + y / 5) % 2) * 60;
            // Some noise, so the picture does not compress to almost nothing.
            const unsigned noise =
                (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 2246822519u) >>
                27;
            row[x] = qRgb((x * 255 / std::max(1, width - 1) + stripe) % 256,
                          (y * 255 / std::max(1, height - 1) + noise) % 256,
                          ((x ^ y) * 7 + stripe) % 256);
        }
    }
    return image;
}

int ChannelCount(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        default:
            return 1;
    }
}

namespace {

void AppendToBuffer(png_structp png, png_bytep data, size_t count) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
}

// Packs samples into PNG row bytes: big-endian 16-bit, or several per byte below 8 bits.
std::vector<QByteArray> PackRows(const TRawPng& in) {
    const int channels = ChannelCount(in.ColorType);
    std::vector<QByteArray> rows;
    for (int y = 0; y < in.Height; ++y) {
        QByteArray row((in.Width * channels * in.BitDepth + 7) / 8, '\0');
        for (int i = 0; i < in.Width * channels; ++i) {
            const unsigned v = in.Samples[static_cast<size_t>(y) * in.Width * channels + i];
            if (in.BitDepth == 16) {
                row[2 * i] = static_cast<char>(v >> 8);
                row[2 * i + 1] = static_cast<char>(v);
            } else if (in.BitDepth == 8) {
                row[i] = static_cast<char>(v);
            } else {
                const int bit = i * in.BitDepth;
                row[bit / 8] = static_cast<char>(row[bit / 8] | (v << (8 - in.BitDepth - bit % 8)));
            }
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

QByteArray WritePng(const TRawPng& in) {
    std::vector<QByteArray> rows = PackRows(in);
    std::vector<png_bytep> pointers;
    for (QByteArray& row : rows)
        pointers.push_back(reinterpret_cast<png_bytep>(row.data()));
    std::vector<png_color> palette;
    std::vector<png_byte> alphas;
    for (QRgb c : in.Palette) {
        palette.push_back({static_cast<png_byte>(qRed(c)), static_cast<png_byte>(qGreen(c)),
                           static_cast<png_byte>(qBlue(c))});
        alphas.push_back(static_cast<png_byte>(qAlpha(c)));
    }
    png_color_16 transparent{};
    if (in.HasTransparentColour) {
        transparent.gray = in.TransparentColour[0];
        if (in.TransparentColour.size() == 3) {
            transparent.red = in.TransparentColour[0];
            transparent.green = in.TransparentColour[1];
            transparent.blue = in.TransparentColour[2];
        }
    }
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("test PNG could not be written");
    }
    png_set_write_fn(png, &out, AppendToBuffer, nullptr);
    png_set_IHDR(png, info, in.Width, in.Height, in.BitDepth, in.ColorType,
                 in.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    while (!alphas.empty() && alphas.back() == 255)
        alphas.pop_back();
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!alphas.empty()) {
        png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
    }
    if (in.HasTransparentColour)
        png_set_tRNS(png, info, nullptr, 0, &transparent);
    png_set_rows(png, info, pointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

QByteArray WriteJpeg(const TRawJpeg& in) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = in.Width;
    info.image_height = in.Height;
    info.in_color_space = static_cast<J_COLOR_SPACE>(in.InSpace);
    info.input_components = in.InSpace == JCS_GRAYSCALE ? 1 : in.InSpace == JCS_CMYK ? 4 : 3;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, static_cast<J_COLOR_SPACE>(in.JpegSpace));
    info.write_Adobe_marker = in.AdobeMarker ? TRUE : FALSE;
    jpeg_set_quality(&info, in.Quality, TRUE);
    info.comp_info[0].h_samp_factor = in.LumaH;
    info.comp_info[0].v_samp_factor = in.LumaV;
    if (in.Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const size_t rowBytes = static_cast<size_t>(in.Width) * info.input_components;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(in.Samples.data() + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    free(buffer);
    return out;
}

namespace {

void AppendLe(QByteArray& out, quint32 v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

TBmpSample MakeBmp(int bits, int width, int height, bool topDown) {
    const int paletteCount = bits <= 8 ? 1 << bits : 0;
    std::vector<QRgb> palette;
    for (int i = 0; i < paletteCount; ++i)
        palette.push_back(qRgb(i * 37 % 256, 255 - i, i * 5 % 256));
    const int rowBytes = (width * bits + 31) / 32 * 4;
    TBmpSample sample;
    sample.Expected = QImage(width, height, QImage::Format_RGB32);
    QByteArray pixels;
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const int y = topDown ? fileRow : height - 1 - fileRow;
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            QRgb colour;
            if (bits <= 8) {
                const int index = (x + 3 * y) % paletteCount;
                colour = palette[index];
                const int bit = x * bits;
                row[bit / 8] = static_cast<char>(row[bit / 8] | (index << (8 - bits - bit % 8)));
            } else if (bits == 16) {  // 5-5-5
                const int r = (x * 3) % 32, g = (y * 5) % 32, b = (x + y) % 32;
                const quint16 v = static_cast<quint16>((r << 10) | (g << 5) | b);
                qToLittleEndian(v, row.data() + 2 * x);
                colour = qRgb((r * 255 + 15) / 31, (g * 255 + 15) / 31, (b * 255 + 15) / 31);
            } else {
                colour = qRgb(x * 40 % 256, y * 50 % 256, (x + y) * 20 % 256);
                const int at = x * bits / 8;
                row[at] = static_cast<char>(qBlue(colour));
                row[at + 1] = static_cast<char>(qGreen(colour));
                row[at + 2] = static_cast<char>(qRed(colour));
            }
            reinterpret_cast<QRgb*>(sample.Expected.scanLine(y))[x] = colour;
        }
        pixels.append(row);
    }
    const quint32 dataAt = 14 + 40 + paletteCount * 4;
    QByteArray& out = sample.Bytes;
    out.append("BM");
    AppendLe(out, dataAt + pixels.size(), 4);
    AppendLe(out, 0, 4);
    AppendLe(out, dataAt, 4);
    AppendLe(out, 40, 4);
    AppendLe(out, static_cast<quint32>(width), 4);
    AppendLe(out, static_cast<quint32>(topDown ? -height : height), 4);
    AppendLe(out, 1, 2);
    AppendLe(out, static_cast<quint32>(bits), 2);
    AppendLe(out, 0, 4);  // BI_RGB
    AppendLe(out, static_cast<quint32>(pixels.size()), 4);
    for (int i = 0; i < 4; ++i)
        AppendLe(out, 0, 4);  // resolution and palette counts
    for (QRgb c : palette) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    out.append(pixels);
    return sample;
}

std::vector<TPngChunk> ReadPngChunks(const QByteArray& png) {
    std::vector<TPngChunk> chunks;
    qsizetype at = 8;
    while (at + 12 <= png.size()) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        if (at + 12 + static_cast<qsizetype>(length) > png.size())
            throw std::runtime_error("bad chunk");
        chunks.push_back({png.mid(at + 4, 4), png.mid(at + 8, length)});
        at += 12 + length;
    }
    return chunks;
}

QByteArray Inflate(const QByteArray& zlibData) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        throw std::runtime_error("inflateInit");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlibData.constData()));
    stream.avail_in = static_cast<uInt>(zlibData.size());
    QByteArray out;
    char buffer[65536];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - stream.avail_out));
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("inflate failed");
    return out;
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int most = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            most = std::max({most, std::abs(qRed(p[col]) - qRed(q[col])),
                             std::abs(qGreen(p[col]) - qGreen(q[col])),
                             std::abs(qBlue(p[col]) - qBlue(q[col])),
                             std::abs(qAlpha(p[col]) - qAlpha(q[col]))});
        }
    }
    return most;
}

}  // namespace testsupport
