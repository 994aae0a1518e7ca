#pragma once
// The command line of tessora-cli.

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

namespace tessora {

struct CliOptions {
    QString picture;
    std::optional<int> width;   // beads, limited to 1..1000
    std::optional<int> height;  // beads, limited to 1..1000
    bool dither = false;
    QString colorsFile;      // colour settings to load; empty: none
    QString saveColorsFile;  // where to write the colour settings; empty: nowhere
    QString chartFile;       // where to save the chart; empty: nowhere
    QString pdfFile;         // where to print the chart as a PDF page; empty: nowhere
    bool printGrid = false;
    bool printStats = false;
    bool listRanges = false;
    QString rangeName;          // the bead range to use; empty: the standard range
    QString paletteFile;        // a .gpl file as the range, every colour ticked; empty: none
    int maxColors = 0;          // "Höchstens N Farben"; 0: no limit
    QString exportPaletteFile;  // where to write the ticked colours as .gpl; empty: nowhere
    // Something to do without a picture: listing the ranges or writing colour files.
    bool needsNoPicture() const {
        return listRanges || !exportPaletteFile.isEmpty() || !saveColorsFile.isEmpty();
    }
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
