#include "engine/chart.h"

namespace tessora {

QStringList statisticsLines(const BeadCounts& counts) {
    QStringList lines;
    for (int k = 0; k < kBeadColorCount; ++k) {
        if (counts[k] == 0) continue;
        lines << QString::fromLatin1(BeadNumbers[k]) + QStringLiteral(": ") +
                     QString::number(counts[k]);
    }
    return lines;
}

}  // namespace tessora
