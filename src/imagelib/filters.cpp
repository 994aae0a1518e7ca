#include <QCoreApplication>
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
    {QT_TRANSLATE_NOOP("ImageFilters", "Windows-Bitmap (*.bmp;*.dib;*.rle)"), "*.bmp;*.dib;*.rle"},
    {QT_TRANSLATE_NOOP("ImageFilters", "PNG-Bild (*.png)"), "*.png"},
    {QT_TRANSLATE_NOOP("ImageFilters", "JPEG-Bild (*.jpg;*.jpeg;*.jpe;*.jif;*.jfif)"),
     "*.jpg;*.jpeg;*.jpe;*.jif;*.jfif"},
    {QT_TRANSLATE_NOOP("ImageFilters", "GIF-Bild (*.gif)"), "*.gif"},
    {QT_TRANSLATE_NOOP("ImageFilters", "TIFF-Bild (*.tif;*.tiff)"), "*.tif;*.tiff"},
    {QT_TRANSLATE_NOOP("ImageFilters", "Targa-Bild (*.tga)"), "*.tga"},
    {QT_TRANSLATE_NOOP("ImageFilters", "WebP-Bild (*.webp)"), "*.webp"},
    {QT_TRANSLATE_NOOP("ImageFilters", "Portable Anymap (*.pbm;*.pgm;*.ppm;*.pnm)"),
     "*.pbm;*.pgm;*.ppm;*.pnm"},
    {QT_TRANSLATE_NOOP("ImageFilters", "PC Paintbrush (*.pcx)"), "*.pcx"},
    {QT_TRANSLATE_NOOP("ImageFilters", "Amiga IFF (*.iff;*.lbm;*.ilbm)"), "*.iff;*.lbm;*.ilbm"},
};

}  // namespace

QString GetDIBOpenFilter() {
    QStringList all;
    QStringList entries;
    for (const OpenFormat& format : kOpenFormats) {
        all << QString::fromLatin1(format.patterns);
        entries << QCoreApplication::translate("ImageFilters", format.description)
                << QString::fromLatin1(format.patterns);
    }
    const QString allPatterns = all.join(u';');
    entries.prepend(allPatterns);
    entries.prepend(QCoreApplication::translate("ImageFilters", "Alle Bilddateien"));
    entries << QCoreApplication::translate("ImageFilters", "Alle Dateien (*.*)")
            << QStringLiteral("*.*");
    return entries.join(u'|');
}

}  // namespace tessora
