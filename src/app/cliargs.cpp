#include "app/cliargs.h"

#include <algorithm>

#include "engine/beadrange.h"
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

int colorLimit(const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0)
        throw CliUsageError{
            QStringLiteral("--max-colors braucht eine ganze Zahl ab 0, nicht \"%1\"").arg(text)};
    // More colours than a range holds is no limit at all.
    return static_cast<int>(std::min<long long>(value, kMaxRangeColors));
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
        } else if (takeValue(arguments, i, QStringLiteral("--range"), value)) {
            if (value.trimmed().isEmpty())
                throw CliUsageError{QStringLiteral("--range braucht einen Namen")};
            options.rangeName = value;
        } else if (takeValue(arguments, i, QStringLiteral("--palette"), value)) {
            requireFileName(QStringLiteral("--palette"), value);
            options.paletteFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--max-colors"), value)) {
            options.maxColors = colorLimit(value);
        } else if (takeValue(arguments, i, QStringLiteral("--export-palette"), value)) {
            requireFileName(QStringLiteral("--export-palette"), value);
            options.exportPaletteFile = value;
        } else if (argument == QLatin1String("--list-ranges")) {
            options.listRanges = true;
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
    if (!options.rangeName.isEmpty() && !options.paletteFile.isEmpty())
        throw CliUsageError{QStringLiteral("--range und --palette schließen einander aus")};
    if (!havePicture && !options.needsNoPicture())
        throw CliUsageError{QStringLiteral("Kein Bild angegeben")};
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
        "                   [--save-colors DATEI] [--range NAME | --palette DATEI]\n"
        "                   [--max-colors N] [--export-palette DATEI]\n"
        "       tessora-cli --list-ranges\n"
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
        "  --grid               das Perlenraster ausgeben, eine Zeile je Reihe von oben\n"
        "  --stats              die Perlenstatistik ausgeben\n"
        "  --list-ranges        die Namen der Perlensortimente ausgeben, einen je Zeile\n"
        "  --range NAME         dieses Perlensortiment verwenden (Standard:\n"
        "                       \"Hama Midi (Standard)\")\n"
        "  --palette DATEI      eine GIMP-Palette (.gpl) als Perlensortiment, alle Farben\n"
        "                       ausgewählt\n"
        "  --max-colors N       höchstens N der ausgewählten Farben verwenden, die für das\n"
        "                       Bild am besten passenden (0: keine Grenze)\n"
        "  --export-palette DATEI  die ausgewählten Farben des Sortiments als GIMP-Palette\n"
        "                       (.gpl) speichern\n"
        "\n"
        "Ohne BILD werden nur --list-ranges, --export-palette und --save-colors ausgeführt.\n");
}

}  // namespace tessora
