#pragma once
// The colour tables of the pattern book: swatch, number, name and count of every used colour,
// set in columns and continued on further pages when they do not fit.

#include <QRectF>
#include <QRgb>
#include <QString>
#include <vector>

#include "engine/chart.h"
#include "output/beadpattern.h"

class QPainter;

namespace tessora {

class PageMetrics;

struct TableEntry {
    QRgb swatch;
    QString number;
    QString name;
    int count;
};

// One entry per colour with a bead, in the order of the pattern's range.
std::vector<TableEntry> tableEntries(const BeadCounts& counts, const BeadPattern& pattern);

// How many entries the area takes.
std::size_t tableCapacity(const PageMetrics& page, const QRectF& area);

// Draws entries from `first` on into `area`; returns the index after the last one drawn.
std::size_t drawColourTable(QPainter& painter, const PageMetrics& page, const QRectF& area,
                            const std::vector<TableEntry>& entries, std::size_t first);

}  // namespace tessora
