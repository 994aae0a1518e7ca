#include "output/boardcounts.h"

namespace tessora {

std::vector<BeadCounts> boardCounts(const BeadPattern& pattern, const BoardGrid& boards) {
    std::vector<BeadCounts> counts;
    counts.reserve(boards.tiles.size());
    for (const BoardTile& tile : boards.tiles)
        counts.push_back(countBeadsIn(pattern, tile.left, tile.top, tile.wide, tile.high));
    return counts;
}

QStringList boardStatisticsLines(const BeadPattern& pattern, const BoardGrid& boards) {
    const std::vector<BeadCounts> counts = boardCounts(pattern, boards);
    QStringList lines;
    for (std::size_t k = 0; k < boards.tiles.size(); ++k) {
        lines << QStringLiteral("Platte %1/%2")
                     .arg(boards.tiles[k].boardRow + 1)
                     .arg(boards.tiles[k].boardColumn + 1);
        lines << statisticsLines(counts[k], pattern.range);
    }
    return lines;
}

}  // namespace tessora
