#include <QStringList>

#include "imagelib/imagelib.h"

namespace tessora {
namespace {

struct OpenFormat {
    const char* description;
    const char* patterns;
};

// The first entry is built from all the others, so the file list shows every picture at start.
constexpr OpenFormat kOpenFormats[] = {
    {"Windows-Bitmap (*.bmp;*.dib;*.rle)", "*.bmp;*.dib;*.rle"},
    {"PNG-Bild (*.png)", "*.png"},
    {"JPEG-Bild (*.jpg;*.jpeg;*.jpe;*.jif;*.jfif)", "*.jpg;*.jpeg;*.jpe;*.jif;*.jfif"},
    {"GIF-Bild (*.gif)", "*.gif"},
    {"TIFF-Bild (*.tif;*.tiff)", "*.tif;*.tiff"},
    {"Targa-Bild (*.tga)", "*.tga"},
    {"WebP-Bild (*.webp)", "*.webp"},
    {"Portable Anymap (*.pbm;*.pgm;*.ppm;*.pnm)", "*.pbm;*.pgm;*.ppm;*.pnm"},
    {"PC Paintbrush (*.pcx)", "*.pcx"},
    {"Amiga IFF (*.iff;*.lbm;*.ilbm)", "*.iff;*.lbm;*.ilbm"},
};

}  // namespace

QString GetDIBOpenFilter() {
    QStringList all;
    QStringList entries;
    for (const OpenFormat& format : kOpenFormats) {
        all << QString::fromLatin1(format.patterns);
        entries << QString::fromUtf8(format.description) << QString::fromLatin1(format.patterns);
    }
    const QString allPatterns = all.join(u';');
    entries.prepend(allPatterns);
    entries.prepend(QStringLiteral("Alle Bilddateien"));
    entries << QStringLiteral("Alle Dateien (*.*)") << QStringLiteral("*.*");
    return entries.join(u'|');
}

}  // namespace tessora
