#include "TGifCodec.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <gif_lib.h>

#include "TError.h"
#include "TPictureLimits.h"

namespace {

constexpr int MaxGifSide = 65535;
constexpr int PaletteSize = 256;

struct TGifInput {
    const unsigned char* Data;
    size_t Size;
    size_t Position;
};

int ReadGif(GifFileType* gif, GifByteType* out, int count) {
    auto* input = static_cast<TGifInput*>(gif->UserData);
    const size_t n =
        std::min(static_cast<size_t>(std::max(count, 0)), input->Size - input->Position);
    std::memcpy(out, input->Data + input->Position, n);
    input->Position += n;
    return static_cast<int>(n);
}

int WriteGif(GifFileType* gif, const GifByteType* data, int count) {
    auto* output = static_cast<std::vector<unsigned char>*>(gif->UserData);
    output->insert(output->end(), data, data + count);
    return count;
}

QString Detail(int error) {
    const char* text = GifErrorString(error);
    return text ? QString::fromLatin1(text) : QString::number(error);
}

[[noreturn]] void ThrowDamaged(int error) {
    throw TError(
        QString("GIF 画像のデータが壊れているか、途中で切れています。（%1）").arg(Detail(error)));
}

// Closes the file on every exit path.
class TGifFile {
public:
    explicit TGifFile(GifFileType* gif) : FGif(gif) {}
    ~TGifFile() {
        int error = 0;
        if (!FGif)
            return;
        if (FDecoding) {
            DGifCloseFile(FGif, &error);
        } else {
            EGifCloseFile(FGif, &error);
        }
    }
    TGifFile(const TGifFile&) = delete;
    TGifFile& operator=(const TGifFile&) = delete;
    GifFileType* operator->() const { return FGif; }
    GifFileType* Get() const { return FGif; }
    void SetEncoding() { FDecoding = false; }
    // Closing an encoder writes the trailer, so its result must be checked.
    bool CloseEncoder() {
        int error = 0;
        GifFileType* gif = FGif;
        FGif = nullptr;
        return EGifCloseFile(gif, &error) == GIF_OK;
    }

private:
    GifFileType* FGif;
    bool FDecoding = true;
};

struct TFrame {
    int Transparent = -1;  // colour index, or -1
};

// Reads records up to the first image descriptor; remembers the transparent colour of the
// graphic control extension that precedes it.
TFrame ReadToFirstImage(GifFileType* gif) {
    TFrame frame;
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR)
            ThrowDamaged(gif->Error);
        if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR)
                ThrowDamaged(gif->Error);
            return frame;
        }
        if (record == TERMINATE_RECORD_TYPE)
            throw TError("GIF ファイルに画像がありません。");
        if (record != EXTENSION_RECORD_TYPE)
            ThrowDamaged(D_GIF_ERR_WRONG_RECORD);
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
            ThrowDamaged(gif->Error);
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            frame.Transparent = (block[1] & 1) ? block[4] : -1;
        }
        while (block) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                ThrowDamaged(gif->Error);
        }
    }
}

}  // namespace

bool TGifCodec::IsGif(const QByteArray& bytes) {
    return bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a");
}

QImage TGifCodec::Decode(const QByteArray& bytes) {
    TGifInput input{reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<size_t>(bytes.size()), 0};
    int error = 0;
    TGifFile gif(DGifOpen(&input, ReadGif, &error));
    if (!gif.Get())
        ThrowDamaged(error);
    const TFrame frame = ReadToFirstImage(gif.Get());
    const GifImageDesc& desc = gif->Image;
    TPictureLimits::CheckSize(desc.Width, desc.Height, "GIF");
    const int width = gif->SWidth > 0 ? gif->SWidth : desc.Width;
    const int height = gif->SHeight > 0 ? gif->SHeight : desc.Height;
    TPictureLimits::CheckSize(width, height, "GIF");
    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map)
        throw TError("GIF 画像に色の表がありません。");

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        throw TError("画像を読み込むためのメモリが足りません。");
    image.fill(Qt::transparent);
    std::vector<GifPixelType> line(static_cast<size_t>(desc.Width));
    // Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2,
    // then every 2nd from 1.
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    const int passes = desc.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int step = desc.Interlace ? steps[pass] : 1;
        for (int row = desc.Interlace ? starts[pass] : 0; row < desc.Height; row += step) {
            if (DGifGetLine(gif.Get(), line.data(), desc.Width) == GIF_ERROR) {
                ThrowDamaged(gif->Error);
            }
            const int y = desc.Top + row;
            if (y >= height)
                continue;
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int column = 0; column < desc.Width && desc.Left + column < width; ++column) {
                const int index = line[column];
                if (index == frame.Transparent)
                    continue;
                const GifColorType c =
                    index < map->ColorCount ? map->Colors[index] : GifColorType{0, 0, 0};
                out[desc.Left + column] = qRgb(c.Red, c.Green, c.Blue);
            }
        }
    }
    const bool covers =
        desc.Left == 0 && desc.Top == 0 && desc.Width >= width && desc.Height >= height;
    return covers && frame.Transparent < 0 ? image.convertToFormat(QImage::Format_RGB32) : image;
}

QByteArray TGifCodec::Encode(const QImage& image) {
    if (image.isNull())
        throw TError("空の画像は GIF に変換できません。");
    if (image.width() > MaxGifSide || image.height() > MaxGifSide) {
        throw TError(QString("GIF で保存できるのは縦横 %1 ピクセルまでです。").arg(MaxGifSide));
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<GifByteType> red(count), green(count), blue(count), indices(count);
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(y) * width + x;
            red[at] = static_cast<GifByteType>(qRed(in[x]));
            green[at] = static_cast<GifByteType>(qGreen(in[x]));
            blue[at] = static_cast<GifByteType>(qBlue(in[x]));
        }
    }
    GifColorType colors[PaletteSize] = {};
    int colorCount = PaletteSize;
    if (GifQuantizeBuffer(static_cast<unsigned>(width), static_cast<unsigned>(height), &colorCount,
                          red.data(), green.data(), blue.data(), indices.data(),
                          colors) == GIF_ERROR) {
        throw TError("GIF の色数を減らせませんでした。");
    }
    ColorMapObject* map = GifMakeMapObject(PaletteSize, colors);
    if (!map)
        throw TError("GIF 画像を作るためのメモリが足りません。");

    std::vector<unsigned char> output;
    int error = 0;
    TGifFile gif(EGifOpen(&output, WriteGif, &error));
    gif.SetEncoding();
    bool done = gif.Get() && EGifPutScreenDesc(gif.Get(), width, height, 8, 0, map) == GIF_OK &&
                EGifPutImageDesc(gif.Get(), 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; done && y < height; ++y) {
        done = EGifPutLine(gif.Get(), indices.data() + static_cast<size_t>(y) * width, width) ==
               GIF_OK;
    }
    if (gif.Get())
        error = gif->Error;
    done = gif.Get() && gif.CloseEncoder() && done;
    GifFreeMapObject(map);
    if (!done)
        throw TError(QString("GIF 画像を作れませんでした。（%1）").arg(Detail(error)));
    return QByteArray(reinterpret_cast<const char*>(output.data()),
                      static_cast<qsizetype>(output.size()));
}
