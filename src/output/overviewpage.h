#pragma once
// The first page of the pattern book: the whole pattern small with its boards outlined and
// numbered, the totals, the bead and board size, and the room left for the table of colours.

#include <QRectF>

#include "output/beadpattern.h"
#include "output/boardlayout.h"

class QPainter;

namespace tessora {

class PageMetrics;

// Draws the overview; returns the area below it that is free for the colour table.
QRectF drawOverview(QPainter& painter, const PageMetrics& page, const BeadPattern& pattern,
                    const BoardGrid& boards, const BookOptions& options, int totalBeads);

}  // namespace tessora
