#pragma once
// The command line of tessora-cli.

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

#include "engine/colourdistance.h"

namespace tessora {

struct CliOptions {
    QString picture;            // empty when a project is opened instead
    QString projectFile;        // the project to open; empty: none
    QString saveProjectFile;    // where to write the project; empty: nowhere
    std::optional<int> width;   // beads, limited to 1..1000
    std::optional<int> height;  // beads, limited to 1..1000
    bool dither = false;
    QString colorsFile;      // colour settings to load; empty: none
    QString saveColorsFile;  // where to write the colour settings; empty: nowhere
    QString chartFile;       // where to save the chart; empty: nowhere
    QString pdfFile;         // where to print the chart as a PDF page; empty: nowhere
    bool printGrid = false;
    bool printStats = false;
    // The pattern book at true size and the counts per board.
    QString templatePdfFile;                // empty: none
    QString bead = QStringLiteral("midi");  // midi, mini or maxi
    std::optional<double> pitchMm;          // overrides the bead's pitch
    std::optional<int> boardWide;           // pegs; both or neither
    std::optional<int> boardHigh;
    QString paper = QStringLiteral("a4");  // a4 or letter
    bool printBoardStats = false;

    // Whether the pattern is calculated again rather than taken from the project.
    bool calculates() const {
        return width || height || dither || !colorsFile.isEmpty() || !rangeName.isEmpty() ||
               !paletteFile.isEmpty() || maxColors > 0 || distance.has_value() ||
               keepTransparentEmpty.has_value() || removeBackground.has_value();
    }
    bool listRanges = false;
    QString rangeName;          // the bead range to use; empty: the standard range
    QString paletteFile;        // a .gpl file as the range, every colour ticked; empty: none
    int maxColors = 0;          // "Höchstens N Farben"; 0: no limit
    QString exportPaletteFile;  // where to write the ticked colours as .gpl; empty: nowhere
    // Something to do without a picture: listing the ranges or writing colour files.
    bool needsNoPicture() const {
        return listRanges || !exportPaletteFile.isEmpty() || !saveColorsFile.isEmpty();
    }
    // Unset: a project's own choice, otherwise RGB and on.
    std::optional<ColourDistance> distance;
    std::optional<bool> keepTransparentEmpty;
    std::optional<int> removeBackground;  // tolerance 0..100
};

struct CliHelp {};  // --help: print the usage and succeed

struct CliUsageError {
    QString reason;
};

using CliParse = std::variant<CliOptions, CliHelp, CliUsageError>;

// `arguments` without the program name.
CliParse parseCliArguments(const QStringList& arguments);

QString cliUsageText();

}  // namespace tessora
