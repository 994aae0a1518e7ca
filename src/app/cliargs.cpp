#include "app/cliargs.h"

#include <algorithm>
#include <tuple>

#include "app/clitext.h"
#include "engine/beadrange.h"
#include "engine/sizecoupling.h"
#include "output/boardlayout.h"

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
        throw CliUsageError{CliText::tr("%1 braucht einen Wert").arg(name)};
    value = arguments[++i];
    return true;
}

int beadCount(const QString& name, const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw CliUsageError{
            CliText::tr("%1 braucht eine ganze Zahl, nicht \"%2\"").arg(name, text)};
    // Like the size fields, a value outside 1..1000 is brought into that range.
    return static_cast<int>(std::clamp<long long>(value, kMinBeads, kMaxBeads));
}

int colorLimit(const QString& text) {
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0)
        throw CliUsageError{
            CliText::tr("--max-colors braucht eine ganze Zahl ab 0, nicht \"%1\"").arg(text)};
    // More colours than a range holds is no limit at all.
    return static_cast<int>(std::min<long long>(value, kMaxRangeColors));
}

ColourDistance distanceNamed(const QString& text) {
    if (text == QLatin1String("rgb")) return ColourDistance::Rgb;
    if (text == QLatin1String("ciede2000")) return ColourDistance::Ciede2000;
    if (text == QLatin1String("oklab")) return ColourDistance::Oklab;
    throw CliUsageError{
        CliText::tr("--match braucht rgb, ciede2000 oder oklab, nicht \"%1\"").arg(text)};
}

bool onOff(const QString& name, const QString& text) {
    if (text == QLatin1String("on")) return true;
    if (text == QLatin1String("off")) return false;
    throw CliUsageError{CliText::tr("%1 braucht on oder off, nicht \"%2\"").arg(name, text)};
}

int tolerance(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 100)
        throw CliUsageError{
            CliText::tr("--remove-background braucht eine Toleranz von 0 bis 100, nicht \"%1\"")
                .arg(text)};
    return value;
}

void requireFileName(const QString& name, const QString& value) {
    if (value.isEmpty()) throw CliUsageError{CliText::tr("%1 braucht einen Dateinamen").arg(name)};
}

QString oneOf(const QString& name, const QString& value, const QStringList& choices) {
    const QString lower = value.trimmed().toLower();
    if (!choices.contains(lower)) {
        throw CliUsageError{
            CliText::tr("%1 erlaubt %2, nicht \"%3\"").arg(name, choices.join(u'|'), value)};
    }
    return lower;
}

// A pitch in millimetres, with a decimal point or comma.
double pitchMm(const QString& text) {
    bool ok = false;
    const double value = QString(text).replace(u',', u'.').trimmed().toDouble(&ok);
    if (!ok || !(value >= kMinPitchMm && value <= kMaxPitchMm)) {
        throw CliUsageError{CliText::tr("--pitch braucht einen Abstand von %1 bis %2 mm, nicht "
                                        "\"%3\"")
                                .arg(kMinPitchMm)
                                .arg(kMaxPitchMm)
                                .arg(text)};
    }
    return value;
}

// "WxH" in pegs.
std::pair<int, int> boardSize(const QString& text) {
    const QStringList parts = text.trimmed().toLower().split(u'x');
    bool okWide = false;
    bool okHigh = false;
    const int wide = parts.size() == 2 ? parts[0].toInt(&okWide) : 0;
    const int high = parts.size() == 2 ? parts[1].toInt(&okHigh) : 0;
    if (!okWide || !okHigh || wide < 1 || high < 1 || wide > kMaxBoardPegs ||
        high > kMaxBoardPegs) {
        throw CliUsageError{
            CliText::tr("--board braucht BREITExHÖHE in Stiften (1 bis %1), nicht \"%2\"")
                .arg(kMaxBoardPegs)
                .arg(text)};
    }
    return {wide, high};
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
        } else if (takeValue(arguments, i, QStringLiteral("--template-pdf"), value)) {
            requireFileName(QStringLiteral("--template-pdf"), value);
            options.templatePdfFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--bead"), value)) {
            options.bead =
                oneOf(QStringLiteral("--bead"), value,
                      {QStringLiteral("midi"), QStringLiteral("mini"), QStringLiteral("maxi")});
        } else if (takeValue(arguments, i, QStringLiteral("--pitch"), value)) {
            options.pitchMm = pitchMm(value);
        } else if (takeValue(arguments, i, QStringLiteral("--board"), value)) {
            std::tie(options.boardWide, options.boardHigh) = boardSize(value);
        } else if (takeValue(arguments, i, QStringLiteral("--paper"), value)) {
            options.paper = oneOf(QStringLiteral("--paper"), value,
                                  {QStringLiteral("a4"), QStringLiteral("letter")});
        } else if (argument == QLatin1String("--board-stats")) {
            options.printBoardStats = true;
        } else if (takeValue(arguments, i, QStringLiteral("--project"), value)) {
            requireFileName(QStringLiteral("--project"), value);
            options.projectFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--save-project"), value)) {
            requireFileName(QStringLiteral("--save-project"), value);
            options.saveProjectFile = value;
        } else if (takeValue(arguments, i, QStringLiteral("--range"), value)) {
            if (value.trimmed().isEmpty())
                throw CliUsageError{CliText::tr("--range braucht einen Namen")};
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
            throw CliUsageError{CliText::tr("Unbekannte Option %1").arg(argument)};
        } else if (havePicture) {
            throw CliUsageError{CliText::tr("Nur ein Bild kann angegeben werden")};
        } else {
            options.picture = argument;
            havePicture = true;
        }
    }
    if (havePicture && !options.projectFile.isEmpty())
        throw CliUsageError{CliText::tr("Ein Bild und --project schließen einander aus")};
    if (!options.rangeName.isEmpty() && !options.paletteFile.isEmpty())
        throw CliUsageError{CliText::tr("--range und --palette schließen einander aus")};
    if (!havePicture && options.projectFile.isEmpty() && !options.needsNoPicture())
        throw CliUsageError{CliText::tr("Kein Bild angegeben")};
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
    return CliText::tr(
        "Aufruf: tessora-cli BILD [--width N] [--height N] [--dither] [--colors DATEI]\n"
        "                   [--chart DATEI] [--pdf DATEI] [--grid] [--stats]\n"
        "                   [--save-colors DATEI] [--save-project DATEI]\n"
        "                   [--match rgb|ciede2000|oklab] [--transparent on|off]\n"
        "                   [--remove-background TOLERANZ]\n"
        "                   [--range NAME | --palette DATEI] [--max-colors N]\n"
        "                   [--export-palette DATEI]\n"
        "                   [--template-pdf DATEI] [--bead midi|mini|maxi] [--pitch MM]\n"
        "                   [--board BxH] [--paper a4|letter] [--board-stats]\n"
        "       tessora-cli --project DATEI [Optionen wie oben]\n"
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
        "  --match ABSTAND      Farbabstand: rgb (Vorgabe), ciede2000 oder oklab\n"
        "  --transparent on|off Transparente Stellen frei lassen (Vorgabe: on)\n"
        "  --remove-background TOLERANZ\n"
        "                       Hintergrund entfernen: Perlen am Rand in der Randfarbe\n"
        "                       (Toleranz 0 bis 100 Prozent je Farbkanal) bleiben frei\n"
        "  --grid               das Perlenraster ausgeben, eine Zeile je Reihe von oben,\n"
        "                       -- für eine freie Stelle\n"
        "  --stats              die Perlenstatistik ausgeben\n"
        "  --template-pdf DATEI die Vorlage in Originalgröße als PDF speichern: eine\n"
        "                       Übersicht und jede Steckplatte in echter Größe\n"
        "  --bead GRÖSSE        Perlengröße: midi (5 mm, Platte 29x29, Vorgabe),\n"
        "                       mini (2,5 mm, 48x48) oder maxi (10 mm, 28x28)\n"
        "  --pitch MM           eigener Stiftabstand in mm (1 bis 50)\n"
        "  --board BxH          Plattengröße in Stiften, z. B. 29x29\n"
        "  --paper PAPIER       a4 (Vorgabe) oder letter\n"
        "  --board-stats        die Perlen jeder Platte ausgeben, Zeile \"Platte R/S\"\n"
        "                       (Reihe von oben, Spalte von links) und ihre Statistik\n"
        "  --project DATEI      ein Tessora-Projekt (.tessora) öffnen; ohne --width,\n"
        "                       --height, --dither und --colors gilt sein Perlenraster\n"
        "                       mit allen Änderungen, sonst wird aus seinem Bild neu\n"
        "                       berechnet\n"
        "  --save-project DATEI das Projekt (.tessora) speichern\n"
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
