#pragma once
// Beads per board, in the book's board numbering (reading order), for the book's tables, the
// statistics and `tessora-cli --board-stats`.

#include <QStringList>
#include <vector>

#include "engine/chart.h"
#include "output/beadpattern.h"
#include "output/boardlayout.h"

namespace tessora {

std::vector<BeadCounts> boardCounts(const BeadPattern& pattern, const BoardGrid& boards);

// For each board a line "Platte R/C" (board row from the top, column from the left, both from
// 1) followed by its lines in the statistics' format.
QStringList boardStatisticsLines(const BeadPattern& pattern, const BoardGrid& boards);

}  // namespace tessora
