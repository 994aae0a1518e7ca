#include "imagelib/imageerror.h"

namespace tessora {

QString ImageErrorText(ImageError error) {
    switch (error) {
        case ImageError::None:
            return QString();
        case ImageError::FileNotFound:
            return QStringLiteral("Die Datei wurde nicht gefunden.");
        case ImageError::CannotOpen:
            return QStringLiteral("Die Datei kann nicht geöffnet werden (fehlende Leserechte?).");
        case ImageError::UnknownFormat:
            return QStringLiteral("Das Dateiformat ist unbekannt oder wird nicht unterstützt.");
        case ImageError::Damaged:
            return QStringLiteral("Die Datei ist beschädigt oder unvollständig.");
        case ImageError::TooLarge:
            return QStringLiteral("Das Bild ist zu groß (mehr als 256 Millionen Bildpunkte).");
        case ImageError::TooLargeForFormat:
            return QStringLiteral(
                "Das Bild ist für dieses Dateiformat zu groß. Bitte ein anderes Format wählen, "
                "etwa PNG.");
        case ImageError::TooLargeForMemory:
            return QStringLiteral("Das Bild ist zu groß für den verfügbaren Arbeitsspeicher.");
        case ImageError::NotRegularFile:
            return QStringLiteral("Das ist keine gewöhnliche Datei.");
        case ImageError::OutOfMemory:
            return QStringLiteral("Nicht genügend Arbeitsspeicher für dieses Bild.");
        case ImageError::UnsupportedDepth:
            return QStringLiteral("Die Farbtiefe dieses Bildes wird nicht unterstützt.");
        case ImageError::CannotWrite:
            return QStringLiteral("Die Datei kann nicht geschrieben werden.");
        case ImageError::EmptyFile:
            return QStringLiteral("Die Datei ist leer.");
        case ImageError::Empty:
            return QStringLiteral("Das Bild hat keine Bildpunkte (Breite oder Höhe 0).");
    }
    return QString();
}

}  // namespace tessora
