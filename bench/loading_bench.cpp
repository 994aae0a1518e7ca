// Loading a 4000 x 3000 photograph: OpenDib against Qt's own reading of the same file followed
// by the conversion to the record, and followed by Qt's conversion to 24 bits.

#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include "benchcases.h"
#include "imagelib/imagelib.h"
#include "imagelib/qimageconvert.h"

namespace tessora::bench {
namespace {

// The photograph as a file of the given type, written once per run.
QString photoFile(const char* suffix) {
    static QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("photo.") + QLatin1String(suffix));
    if (!QFile::exists(name)) savePicture(cachedPhoto(4000, 3000), name);
    return name;
}

const char* suffixOf(const benchmark::State& state) {
    return state.range(0) == 0 ? "jpg" : "png";
}

void fileTypes(benchmark::internal::Benchmark* b) {
    // Real time: Qt converts large images on several threads.
    b->ArgName("png")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_Load_OpenDib(benchmark::State& state) {
    const QString file = photoFile(suffixOf(state));
    for (auto _ : state) {
        dib picture{};
        OpenDib(&picture, file, 0, {});
        benchmark::DoNotOptimize(picture.poi);
        FreeDib(picture);
    }
}
BENCHMARK(BM_Load_OpenDib)->Apply(fileTypes);

void BM_Load_QImageThenRecord(benchmark::State& state) {
    const QString file = photoFile(suffixOf(state));
    for (auto _ : state) {
        const QImage image = QImageReader(file).read();
        dib picture{};
        DibFromQImage(image, 0, &picture, {});
        benchmark::DoNotOptimize(picture.poi);
        FreeDib(picture);
    }
}
BENCHMARK(BM_Load_QImageThenRecord)->Apply(fileTypes);

void BM_Load_QImageThenBgr888(benchmark::State& state) {
    const QString file = photoFile(suffixOf(state));
    for (auto _ : state) {
        const QImage image = QImageReader(file).read().convertToFormat(QImage::Format_BGR888);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Load_QImageThenBgr888)->Apply(fileTypes);

}  // namespace
}  // namespace tessora::bench
