#include "imagelib/imageerror.h"

#include <QCoreApplication>

namespace tessora {

QString ImageErrorText(ImageError error) {
    switch (error) {
        case ImageError::None:
            return QString();
        case ImageError::FileNotFound:
            return QCoreApplication::translate("ImageError", "Die Datei wurde nicht gefunden.");
        case ImageError::CannotOpen:
            return QCoreApplication::translate(
                "ImageError", "Die Datei kann nicht geöffnet werden (fehlende Leserechte?).");
        case ImageError::UnknownFormat:
            return QCoreApplication::translate(
                "ImageError", "Das Dateiformat ist unbekannt oder wird nicht unterstützt.");
        case ImageError::Damaged:
            return QCoreApplication::translate("ImageError",
                                               "Die Datei ist beschädigt oder unvollständig.");
        case ImageError::TooLarge:
            return QCoreApplication::translate(
                "ImageError", "Das Bild ist zu groß (mehr als 256 Millionen Bildpunkte).");
        case ImageError::TooLargeForFormat:
            return QCoreApplication::translate(
                "ImageError",
                "Das Bild ist für dieses Dateiformat zu groß. Bitte ein anderes Format wählen, "
                "etwa PNG.");
        case ImageError::TooLargeForMemory:
            return QCoreApplication::translate(
                "ImageError", "Das Bild ist zu groß für den verfügbaren Arbeitsspeicher.");
        case ImageError::NotRegularFile:
            return QCoreApplication::translate("ImageError", "Das ist keine gewöhnliche Datei.");
        case ImageError::OutOfMemory:
            return QCoreApplication::translate("ImageError",
                                               "Nicht genügend Arbeitsspeicher für dieses Bild.");
        case ImageError::UnsupportedDepth:
            return QCoreApplication::translate(
                "ImageError", "Die Farbtiefe dieses Bildes wird nicht unterstützt.");
        case ImageError::CannotWrite:
            return QCoreApplication::translate("ImageError",
                                               "Die Datei kann nicht geschrieben werden.");
        case ImageError::EmptyFile:
            return QCoreApplication::translate("ImageError", "Die Datei ist leer.");
        case ImageError::Empty:
            return QCoreApplication::translate(
                "ImageError", "Das Bild hat keine Bildpunkte (Breite oder Höhe 0).");
    }
    return QString();
}

}  // namespace tessora
