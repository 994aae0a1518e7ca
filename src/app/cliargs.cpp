#include "app/cliargs.h"

#include <algorithm>

#include "engine/sizecoupling.h"

namespace tessora {
namespace {

// Options that take a value, in both "--name value" and "--name=value" form.
bool takeValue(const QStringList& arguments, int& i, const QString& name, QString& value) {
    const QString& argument = arguments[i];
    if (argument.startsWith(name + u'=')) {
        value = argument.mid(name.size() + 1);
        return true;
    }
    if (argument != name) return false;
    if (i + 1 >= arguments.size())
        throw CliUsageError{QStringLiteral("%1 braucht einen Wert").arg(name)};
    value = arguments[++i];
    return true;
}

int beadCount(const QString& name, const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw CliUsageError{
            QStringLiteral("%1 braucht eine ganze Zahl, nicht \"%2\"").arg(name, text)};
    // Like the size fields, a value outside 1..1000 is brought into that range.
    return static_cast<int>(std::clamp<long long>(value, kMinBeads, kMaxBeads));
}

ColourDistance distanceNamed(const QString& text) {
    if (text == QLatin1String("rgb")) return ColourDistance::Rgb;
    if (text == QLatin1String("ciede2000")) return ColourDistance::Ciede2000;
    if (text == QLatin1String("oklab")) return ColourDistance::Oklab;
    throw CliUsageError{
        QStringLiteral("--match braucht rgb, ciede2000 oder oklab, nicht \"%1\"").arg(text)};
}

bool onOff(const QString& name, const QString& text) {
    if (text == QLatin1String("on")) return true;
    if (text == QLatin1String("off")) return false;
    throw CliUsageError{QStringLiteral("%1 braucht on oder off, nicht \"%2\"").arg(name, text)};
}

int tolerance(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 100)
        throw CliUsageError{
            QStringLiteral("--remove-background braucht eine Toleranz von 0 bis 100, nicht \"%1\"")
                .arg(text)};
    return value;
}

void requireFileName(const QString& name, const QString& value) {
    if (value.isEmpty())
        throw CliUsageError{QStringLiteral("%1 braucht einen Dateinamen").arg(name)};
}

CliOptions parseOrThrow(const QStringList& arguments) {
    CliOptions options;
    bool havePicture = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString value;
        if (takeValue(arguments, i, QStringLiteral("--width"), value)) {
            options.width = beadCount(QStringLiteral("--width"), value);
        } else if (takeValue(arguments, i, QStringLiteral("--height"), value)) {
            options.height = beadCount(QStringLiteral("--height"), value);
        } else if (takeValue(arguments, i, QStringLiteral("--colors"), value)) {
            requireFileName(QStringLiteral("--colors"), value);
            options.colorsFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--save-colors"), value)) {
            requireFileName(QStringLiteral("--save-colors"), value);
            options.saveColorsFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--chart"), value)) {
            requireFileName(QStringLiteral("--chart"), value);
            options.chartFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--pdf"), value)) {
            requireFileName(QStringLiteral("--pdf"), value);
            options.pdfFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--match"), value)) {
            options.distance = distanceNamed(value);
        } else if (takeValue(arguments, i, QStringLiteral("--transparent"), value)) {
            options.keepTransparentEmpty = onOff(QStringLiteral("--transparent"), value);
        } else if (takeValue(arguments, i, QStringLiteral("--remove-background"), value)) {
            options.removeBackground = tolerance(value);
        } else if (argument == QLatin1String("--dither")) {
            options.dither = true;
        } else if (argument == QLatin1String("--grid")) {
            options.printGrid = true;
        } else if (argument == QLatin1String("--stats")) {
            options.printStats = true;
        } else if (argument.startsWith(u'-') && argument != QLatin1String("-")) {
            throw CliUsageError{QStringLiteral("Unbekannte Option %1").arg(argument)};
        } else if (havePicture) {
            throw CliUsageError{QStringLiteral("Nur ein Bild kann angegeben werden")};
        } else {
            options.picture = argument;
            havePicture = true;
        }
    }
    if (!havePicture) throw CliUsageError{QStringLiteral("Kein Bild angegeben")};
    return options;
}

}  // namespace

CliParse parseCliArguments(const QStringList& arguments) {
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h")))
        return CliHelp{};
    try {
        return parseOrThrow(arguments);
    } catch (const CliUsageError& error) {
        return error;
    }
}

QString cliUsageText() {
    return QStringLiteral(
        "Aufruf: tessora-cli BILD [--width N] [--height N] [--dither] [--colors DATEI]\n"
        "                   [--chart DATEI] [--pdf DATEI] [--grid] [--stats]\n"
        "                   [--save-colors DATEI] [--match rgb|ciede2000|oklab]\n"
        "                   [--transparent on|off] [--remove-background TOLERANZ]\n"
        "\n"
        "Berechnet aus BILD ein Perlenmuster, wie es das Programm Tessora tut.\n"
        "\n"
        "  --width N            Breite in Perlen (1 bis 1000); die Höhe folgt dem Bild\n"
        "  --height N           Höhe in Perlen (1 bis 1000); die Breite folgt dem Bild\n"
        "                       (beide angegeben: beide gelten wie angegeben)\n"
        "  --dither             Dithering statt der am besten passenden Farbe\n"
        "  --colors DATEI       Farbeinstellungen (.frb) laden\n"
        "  --save-colors DATEI  Farbeinstellungen (.frb) speichern\n"
        "  --chart DATEI        die Perlenvorlage speichern (Format nach der Endung)\n"
        "  --pdf DATEI          die Perlenvorlage als PDF-Seite drucken (A4 hoch, Seite\n"
        "                       voll genutzt, Seitenverhältnis beibehalten, zentriert)\n"
        "  --match ABSTAND      Farbabstand: rgb (Vorgabe), ciede2000 oder oklab\n"
        "  --transparent on|off Transparente Stellen frei lassen (Vorgabe: on)\n"
        "  --remove-background TOLERANZ\n"
        "                       Hintergrund entfernen: Perlen am Rand in der Randfarbe\n"
        "                       (Toleranz 0 bis 100 Prozent je Farbkanal) bleiben frei\n"
        "  --grid               das Perlenraster ausgeben, eine Zeile je Reihe von oben,\n"
        "                       -- für eine freie Stelle\n"
        "  --stats              die Perlenstatistik ausgeben\n");
}

}  // namespace tessora
