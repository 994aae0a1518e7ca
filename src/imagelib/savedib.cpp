#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "imagelib/imagelib.h"
#include "imagelib/qimageconvert.h"

namespace tessora {

const std::array<const char*, kSaveFormatCount> SaveExtensions = {
    ".bmp", ".dib", ".gif", ".iff", ".jif", ".jpg", ".lbm", ".pcx", ".rle", ".tga", ".tif", ".png"};

namespace {

struct SaveEntry {
    const char* description;
    const char* qtFormat;  // nullptr: no writer yet
};

constexpr SaveEntry kSaveEntries[kSaveFormatCount] = {
    {"Windows-Bitmap (*.bmp)", "bmp"},       {"Geräteunabhängige Bitmap (*.dib)", "bmp"},
    {"GIF-Bild (*.gif)", nullptr},           {"Amiga IFF ILBM (*.iff)", nullptr},
    {"JPEG-Bild JFIF (*.jif)", "jpeg"},      {"JPEG-Bild (*.jpg)", "jpeg"},
    {"Amiga IFF PBM (*.lbm)", nullptr},      {"PC Paintbrush (*.pcx)", nullptr},
    {"Windows-Bitmap RLE (*.rle)", nullptr}, {"Targa-Bild (*.tga)", nullptr},
    {"TIFF-Bild (*.tif)", "tiff"},           {"PNG-Bild (*.png)", "png"},
};

int entryIndex(int format) {
    return format - kSaveBmp;
}

}  // namespace

QString GetDIBSaveFilter() {
    QStringList parts;
    for (int i = 0; i < kSaveFormatCount; ++i) {
        parts << QString::fromUtf8(kSaveEntries[i].description)
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
    if (index < 0 || index >= kSaveFormatCount || kSaveEntries[index].qtFormat == nullptr) {
        return ImageError::UnknownFormat;
    }
    if (d.poi == nullptr) return ImageError::Empty;
    if (progress) progress(0);
    const QImage image = QImageFromDib(d);
    if (image.isNull()) return ImageError::OutOfMemory;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return ImageError::CannotWrite;
    QImageWriter writer(&file, kSaveEntries[index].qtFormat);
    if (!writer.write(image)) {
        file.cancelWriting();
        return ImageError::CannotWrite;
    }
    if (progress) progress(0);
    return file.commit() ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
