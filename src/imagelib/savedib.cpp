#include <QCoreApplication>
#include <QFileInfo>

#include "imagelib/codecs/bmp.h"
#include "imagelib/codecs/gif.h"
#include "imagelib/codecs/iffpbm.h"
#include "imagelib/codecs/ilbm.h"
#include "imagelib/codecs/jpeg.h"
#include "imagelib/codecs/pcx.h"
#include "imagelib/codecs/png.h"
#include "imagelib/codecs/tga.h"
#include "imagelib/codecs/tiff.h"
#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "imagelib/replacingfile.h"

namespace tessora {

const std::array<const char*, kSaveFormatCount> SaveExtensions = {
    ".bmp", ".dib", ".gif", ".iff", ".jif", ".jpg", ".lbm", ".pcx", ".rle", ".tga", ".tif", ".png"};

namespace {

using Writer = ImageError (*)(const dib&, QIODevice&, const ProgressFn&);

struct SaveEntry {
    const char* description;
    Writer write;
};

// In the order of SaveExtensions.
constexpr SaveEntry kSaveEntries[kSaveFormatCount] = {
    {QT_TRANSLATE_NOOP("ImageFilters", "Windows-Bitmap (*.bmp)"), writeBmp},
    {QT_TRANSLATE_NOOP("ImageFilters", "Geräteunabhängige Bitmap (*.dib)"), writeBmp},
    {QT_TRANSLATE_NOOP("ImageFilters", "GIF-Bild (*.gif)"), writeGif},
    {QT_TRANSLATE_NOOP("ImageFilters", "Amiga IFF ILBM (*.iff)"), writeIlbm},
    {QT_TRANSLATE_NOOP("ImageFilters", "JPEG-Bild JFIF (*.jif)"), writeJpeg},
    {QT_TRANSLATE_NOOP("ImageFilters", "JPEG-Bild (*.jpg)"), writeJpeg},
    {QT_TRANSLATE_NOOP("ImageFilters", "Amiga IFF PBM (*.lbm)"), writeIffPbm},
    {QT_TRANSLATE_NOOP("ImageFilters", "PC Paintbrush (*.pcx)"), writePcx},
    {QT_TRANSLATE_NOOP("ImageFilters", "Windows-Bitmap RLE (*.rle)"), writeBmpRle8},
    {QT_TRANSLATE_NOOP("ImageFilters", "Targa-Bild (*.tga)"), writeTga},
    {QT_TRANSLATE_NOOP("ImageFilters", "TIFF-Bild (*.tif)"), writeTiff},
    {QT_TRANSLATE_NOOP("ImageFilters", "PNG-Bild (*.png)"), writePng},
};

int entryIndex(int format) {
    return format - kSaveBmp;
}

// A record whose header contradicts its own size would make every writer read out of bounds.
bool isWritableRecord(const dib& d) {
    if (d.poi == nullptr || d.pmi == nullptr) return false;
    const auto size = ComputeImageSize(DibWidth(d), DibHeight(d), DibBits(d));
    return size && size->stride == d.bytew;
}

ImageError writeFile(const dib& d, const QString& fileName, Writer write,
                     const ProgressFn& progress) {
    // The old file stays as it was until the new one is complete; a device node or FIFO is
    // never replaced by a regular file.
    ReplacingFile file(fileName);
    switch (file.open()) {
        case ReplaceError::None:
            break;
        case ReplaceError::NotRegularTarget:
            return ImageError::NotRegularFile;
        default:
            return ImageError::CannotWrite;
    }
    const ImageError error = write(d, file.device(), progress);
    if (error != ImageError::None) return error;
    return file.commit() == ReplaceError::None ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace

QString GetDIBSaveFilter() {
    QStringList parts;
    for (int i = 0; i < kSaveFormatCount; ++i) {
        parts << QCoreApplication::translate("ImageFilters", kSaveEntries[i].description)
              << QStringLiteral("*") + QString::fromLatin1(SaveExtensions[i]);
    }
    return parts.join(u'|');
}

int SaveFormatForFileName(const QString& fileName) {
    const QString suffix = QStringLiteral(".") + QFileInfo(fileName).suffix().toLower();
    for (int i = 0; i < kSaveFormatCount; ++i) {
        if (suffix == QLatin1String(SaveExtensions[i])) return kSaveBmp + i;
    }
    if (suffix == QLatin1String(".jpeg")) return kSaveJpg;
    if (suffix == QLatin1String(".tiff")) return kSaveTif;
    return 0;
}

ImageError SaveDib(const dib& d, const QString& fileName, int format, const ProgressFn& progress) {
    const int index = entryIndex(format);
    if (index < 0 || index >= kSaveFormatCount) return ImageError::UnknownFormat;
    if (d.poi == nullptr) return ImageError::Empty;
    if (!isWritableRecord(d)) return ImageError::UnsupportedDepth;
    if (progress) progress(0);
    const ImageError error = writeFile(d, fileName, kSaveEntries[index].write, progress);
    if (progress) progress(0);
    return error;
}

}  // namespace tessora
