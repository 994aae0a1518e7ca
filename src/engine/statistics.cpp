#include "engine/chart.h"

namespace tessora {

QStringList statisticsLines(const BeadCounts& counts, const BeadRange& range) {
    QStringList lines;
    for (int k = 0; k < range.size(); ++k) {
        if (counts[static_cast<std::size_t>(k)] == 0) continue;
        lines << QString::fromStdString(range.colors[static_cast<std::size_t>(k)].number) +
                     QStringLiteral(": ") + QString::number(counts[static_cast<std::size_t>(k)]);
    }
    return lines;
}

QStringList statisticsLines(const BeadCounts& counts) {
    return statisticsLines(counts, standardRange());
}

}  // namespace tessora
