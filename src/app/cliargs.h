#pragma once
// The command line of tessora-cli.

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

#include "engine/colourdistance.h"

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
    ColourDistance distance = ColourDistance::Rgb;
    bool keepTransparentEmpty = true;
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
