#include "output/boardlayout.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace tessora {
namespace {

struct NamedBead {
    BeadSize size;
    const char* name;
    double pitchMm;
    int boardPegs;
};

constexpr NamedBead kBeads[] = {
    {BeadSize::Midi, QT_TRANSLATE_NOOP("BeadSize", "Midi (5 mm)"), 5.0, 29},
    {BeadSize::Mini, QT_TRANSLATE_NOOP("BeadSize", "Mini (2,5 mm)"), 2.5, 48},
    {BeadSize::Maxi, QT_TRANSLATE_NOOP("BeadSize", "Maxi (10 mm)"), 10.0, 28},
};

int ceilDiv(int a, int b) {
    return (a + b - 1) / b;
}

}  // namespace

BookOptions bookOptionsFor(BeadSize size) {
    BookOptions options;
    for (const NamedBead& bead : kBeads) {
        if (bead.size != size) continue;
        options.pitchMm = bead.pitchMm;
        options.boardWide = options.boardHigh = bead.boardPegs;
    }
    return options;
}

QString beadSizeText(double pitchMm) {
    for (const NamedBead& bead : kBeads) {
        if (std::abs(bead.pitchMm - pitchMm) < 1e-9)
            return QCoreApplication::translate("BeadSize", bead.name);
    }
    // Numbers as the language writes them: "2,5" in German, "2.5" in English.
    const QLocale numbers(QLocale().language() == QLocale::English ? QLocale::English
                                                                   : QLocale::German);
    return QCoreApplication::translate("BeadSize", "Rasterabstand %1 mm")
        .arg(numbers.toString(pitchMm));
}

BoardGrid tileBoards(int patternWide, int patternHigh, int boardWide, int boardHigh) {
    BoardGrid grid;
    if (patternWide <= 0 || patternHigh <= 0 || boardWide <= 0 || boardHigh <= 0) return grid;
    grid.rows = ceilDiv(patternHigh, boardHigh);
    grid.columns = ceilDiv(patternWide, boardWide);
    grid.tiles.reserve(static_cast<std::size_t>(grid.rows) * grid.columns);
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            const int left = column * boardWide;
            const int top = row * boardHigh;
            grid.tiles.push_back({row, column, left, top, std::min(boardWide, patternWide - left),
                                  std::min(boardHigh, patternHigh - top)});
        }
    }
    return grid;
}

std::vector<PegSpan> splitPegs(int pegs, int perPage, int overlap) {
    if (pegs <= perPage || perPage <= 0) return {{0, pegs}};
    overlap = std::clamp(overlap, 0, perPage - 1);
    // As few pieces as the page allows, all of one size, so every sheet looks alike.
    const int pieces = ceilDiv(pegs - overlap, perPage - overlap);
    const int size = std::min(perPage, ceilDiv(pegs + (pieces - 1) * overlap, pieces));
    std::vector<PegSpan> spans;
    for (int k = 0; k < pieces; ++k)
        spans.push_back({std::min(k * (size - overlap), pegs - size), size});
    return spans;
}

}  // namespace tessora
