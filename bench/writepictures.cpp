// tessora-benchpictures FOLDER: writes the pictures that compare.sh hands to every tool:
// photo-1000.ppm (1000 x 1000, photo-like) and palette.png (the 64 catalogue colours).

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTextStream>

#include "benchpictures.h"
#include "imagelib/imagelib.h"

using namespace tessora;

namespace {

QImage catalogueSwatches() {
    QImage swatches(kBeadColorCount, 1, QImage::Format_RGB32);
    for (int i = 0; i < kBeadColorCount; ++i) {
        const BeadRgb& c = BeadStartColors[static_cast<std::size_t>(i)];
        swatches.setPixel(i, 0, qRgb(c.red, c.green, c.blue));
    }
    return swatches;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: tessora-benchpictures FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    dib photo = bench::photoPicture(1000, 1000);
    const bool saved = bench::savePicture(photo, folder.filePath(QStringLiteral("photo-1000.ppm")));
    FreeDib(photo);
    if (!saved || !catalogueSwatches().save(folder.filePath(QStringLiteral("palette.png")))) {
        err << "tessora-benchpictures: cannot write into " << folder.path() << '\n';
        return 1;
    }
    return 0;
}
