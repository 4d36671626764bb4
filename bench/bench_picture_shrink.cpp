// Loading a large JPEG, shrinking it to fit 800 × 600 and storing it as JPEG: straight to the
// shrunk size (rows never kept are skipped in the decoder) and the plain way (decode all,
// then drop rows and columns). scripts/bench-pictures.sh runs it beside ImageMagick and djpeg.
//
//   bench_picture_shrink --make-input=PATH   writes the 4000 × 3000 test JPEG and exits
//   ORVANE_BENCH_JPEG=PATH bench_picture_shrink [benchmark flags]

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <cstring>

#include "TImageFileMaker.h"
#include "TInputImageMaker.h"
#include "TJpegCodec.h"
#include "TPictureLoader.h"

namespace {

constexpr int MaxHeight = 600;
constexpr int MaxWidth = 800;

QString InputPath() {
    return qEnvironmentVariable("ORVANE_BENCH_JPEG");
}
QString OutputPath() {
    return QDir::tempPath() + "/orvane-bench-shrunk.jpg";
}

// Gradients, stripes and noise: detail the JPEG encoder cannot flatten away.
QImage DetailedPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const unsigned noise =
                (static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 2246822519u) >>
                28;
            const int stripe = ((x / 7 + y / 11) % 2) * 50;
            row[x] = qRgb((x * 255 / width + stripe) % 256, (y * 255 / height + noise) % 256,
                          ((x ^ y) / 4 + stripe) % 256);
        }
    }
    return image;
}

QImage PlainShrink(const QString& path) {
    QImage bitmap = TPictureLoader::LoadOnWhite(path);
    TInputImageMaker::ShrinkToFit(bitmap, MaxHeight, MaxWidth);
    return bitmap;
}

void BM_ShrunkLoadThenStoreJpeg(benchmark::State& state) {
    for (auto _ : state) {
        const QImage bitmap = TPictureLoader::LoadShrunkOnWhite(InputPath(), MaxHeight, MaxWidth);
        TImageFileMaker::SavePictureToFile(OutputPath(), bitmap);
    }
}
BENCHMARK(BM_ShrunkLoadThenStoreJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FullLoadShrinkThenStoreJpeg(benchmark::State& state) {
    for (auto _ : state)
        TImageFileMaker::SavePictureToFile(OutputPath(), PlainShrink(InputPath()));
}
BENCHMARK(BM_FullLoadShrinkThenStoreJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    const char* make = "--make-input=";
    if (argc == 2 && std::strncmp(argv[1], make, std::strlen(make)) == 0) {
        QFile file(QString::fromLocal8Bit(argv[1] + std::strlen(make)));
        const QByteArray jpeg = TJpegCodec::Encode(DetailedPicture(4000, 3000));
        return file.open(QIODevice::WriteOnly) && file.write(jpeg) == jpeg.size() ? 0 : 1;
    }
    if (InputPath().isEmpty()) {
        std::fprintf(stderr, "set ORVANE_BENCH_JPEG to a JPEG file (see --make-input)\n");
        return 2;
    }
    // The fast path is only worth having if it gives the plain path's pixels.
    if (TPictureLoader::LoadShrunkOnWhite(InputPath(), MaxHeight, MaxWidth) !=
        PlainShrink(InputPath())) {
        std::fprintf(stderr, "shrunk loading differs from loading then shrinking\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QFile::remove(OutputPath());
    return 0;
}
