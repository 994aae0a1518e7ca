#pragma once
// One page of a board at true size: header, cells at the peg pitch with their colour numbers,
// grid lines, the pattern's row and column numbers, empty pegs, and the alignment marks of a
// board cut into several sheets.

#include <QRectF>
#include <QString>
#include <vector>

#include "output/beadpattern.h"
#include "output/boardlayout.h"

class QPainter;

namespace tessora {

class PageMetrics;

struct BoardSheet {
    const BeadPattern& pattern;
    const BookOptions& options;
    const BoardTile& tile;
    int boardNumber;  // from 1, reading order
    int boardCount;
    const std::vector<PegSpan>& columnSpans;
    const std::vector<PegSpan>& rowSpans;
    std::size_t columnPiece;
    std::size_t rowPiece;
};

// "Platte 2 von 6 – Reihen 30–58, Spalten 1–29"; rows are numbered from the pattern's bottom.
QString boardTitle(const BeadPattern& pattern, const BoardTile& tile, int boardNumber,
                   int boardCount);

// Draws the sheet; returns the board's area with its number bands, in device units.
QRectF drawBoardSheet(QPainter& painter, const PageMetrics& page, const BoardSheet& sheet);

}  // namespace tessora
