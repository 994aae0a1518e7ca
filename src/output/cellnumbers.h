#pragma once
// The colour numbers in the cells of a board page, as large as a cell allows. A page holds
// hundreds of them, so each row's numbers go out as one glyph run per ink colour instead of a
// text call per cell.

#include <QGlyphRun>
#include <QPointF>
#include <QRawFont>
#include <map>
#include <vector>

#include "engine/beadrange.h"

class QPainter;

namespace tessora {

class CellNumbers {
  public:
    // `cellDots`: the cell's edge in device units; the numbers are those of `range`, which must
    // outlive this object.
    CellNumbers(double cellDots, const BeadRange& range);

    // Queues the number of range colour `colour` centred in the cell at `cellTopLeft`.
    void add(int colour, QPointF cellTopLeft, bool whiteInk);

    // Draws and forgets what was queued.
    void flush(QPainter& painter);

  private:
    struct Glyphs {
        QList<quint32> indexes;
        QList<QPointF> offsets;  // from the cell's top left to each glyph's baseline origin
    };
    struct Run {
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    const Glyphs& glyphsOf(int colour);

    double cell_;
    const BeadRange& range_;
    QRawFont font_;
    std::map<int, Glyphs> glyphs_;
    Run black_, white_;
};

}  // namespace tessora
