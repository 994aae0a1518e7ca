#include "output/boardpage.h"

#include <QCoreApplication>

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "output/beadlookup.h"
#include "output/bookgeometry.h"
#include "output/cellnumbers.h"

namespace tessora {
namespace {

constexpr double kThinLineMm = 0.1;
constexpr double kStrongLineMm = 0.35;
constexpr double kMarkMm = 3.0;
constexpr int kBrightnessForBlack = 128;  // the chart's contrast rule
const QString kDash = QStringLiteral("–");

// A pattern span [first, first + count) as 1-based numbers "a–b"; rows count from the bottom.
QString spanText(int first, int count, int patternLength, bool fromBottom) {
    if (count <= 0) return QCoreApplication::translate("BoardPage", "keine");
    const int low = fromBottom ? patternLength - (first + count - 1) : first + 1;
    return QString::number(low) + kDash + QString::number(low + count - 1);
}

// The part of board-local pegs [span] that the pattern covers, as pattern positions.
PegSpan patternPart(const PegSpan& span, int boardStart, int covered) {
    const int first = std::min(span.first, covered);
    const int end = std::min(span.first + span.count, covered);
    return {boardStart + first, end - first};
}

QString rowsAndColumns(const BeadPattern& pattern, PegSpan rows, PegSpan columns) {
    return QCoreApplication::translate("BoardPage", "Reihen %1, Spalten %2")
        .arg(spanText(rows.first, rows.count, pattern.high, true),
             spanText(columns.first, columns.count, pattern.wide, false));
}

// Where the sheet's cells lie, and the pattern position of its first cell.
struct SheetGrid {
    double left, top, pitch;
    PegSpan columns, rows;  // board-local
    int patternLeft, patternTop;

    double x(int boardColumn) const { return left + (boardColumn - columns.first) * pitch; }
    double y(int boardRow) const { return top + (boardRow - rows.first) * pitch; }
    double right() const { return x(columns.first + columns.count); }
    double bottom() const { return y(rows.first + rows.count); }
};

bool inkIsWhite(QRgb colour) {
    return (qRed(colour) + qGreen(colour) + qBlue(colour)) / 3 < kBrightnessForBlack;
}

// Cells of one row: runs of one value are filled as one rectangle, empty pegs get a circle.
void drawCellRow(QPainter& painter, const PageMetrics& page, const SheetGrid& grid,
                 const BoardSheet& sheet, int boardRow, CellNumbers& numbers) {
    const BeadPattern& pattern = sheet.pattern;
    const int end = grid.columns.first + grid.columns.count;
    const double y = grid.y(boardRow);
    const bool rowInPattern = boardRow < sheet.tile.high;
    int column = grid.columns.first;
    while (column < end) {
        const bool inPattern = rowInPattern && column < sheet.tile.wide;
        const int value =
            inPattern ? pattern.at(sheet.tile.left + column, sheet.tile.top + boardRow) : -1;
        if (!inPattern || !isBeadCell(pattern, value)) {
            const double radius = grid.pitch * 0.3;
            painter.setPen(QPen(QColor(128, 128, 128), page.dots(0.15)));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(grid.x(column) + grid.pitch / 2, y + grid.pitch / 2),
                                radius, radius);
            ++column;
            continue;
        }
        int runEnd = column + 1;
        while (runEnd < end && runEnd < sheet.tile.wide &&
               pattern.at(sheet.tile.left + runEnd, sheet.tile.top + boardRow) == value) {
            ++runEnd;
        }
        const QRgb colour = pattern.palette[static_cast<std::size_t>(value)];
        painter.fillRect(QRectF(grid.x(column), y, grid.x(runEnd) - grid.x(column), grid.pitch),
                         QColor::fromRgb(colour));
        const int beadColour = bookColourOf(pattern, value);
        for (int k = column; k < runEnd; ++k)
            numbers.add(beadColour, QPointF(grid.x(k), y), inkIsWhite(colour));
        column = runEnd;
    }
}

int positiveModulo(int value, int divisor) {
    return ((value % divisor) + divisor) % divisor;
}

// Thin lines between cells, strong ones every five pattern numbers and round the sheet.
void drawGridLines(QPainter& painter, const PageMetrics& page, const SheetGrid& grid,
                   const BeadPattern& pattern) {
    const QPen thin(QColor(64, 64, 64), page.dots(kThinLineMm), Qt::SolidLine, Qt::FlatCap);
    const QPen strong(Qt::black, page.dots(kStrongLineMm), Qt::SolidLine, Qt::SquareCap);
    for (int k = 0; k <= grid.columns.count; ++k) {
        const int numberLeft = grid.patternLeft + grid.columns.first + k;  // column left of line
        const bool edge = k == 0 || k == grid.columns.count;
        painter.setPen(edge || positiveModulo(numberLeft, 5) == 0 ? strong : thin);
        const double x = grid.x(grid.columns.first + k);
        painter.drawLine(QPointF(x, grid.top), QPointF(x, grid.bottom()));
    }
    for (int k = 0; k <= grid.rows.count; ++k) {
        const int numberBelow = pattern.high - (grid.patternTop + grid.rows.first + k);
        const bool edge = k == 0 || k == grid.rows.count;
        painter.setPen(edge || positiveModulo(numberBelow, 5) == 0 ? strong : thin);
        const double y = grid.y(grid.rows.first + k);
        painter.drawLine(QPointF(grid.left, y), QPointF(grid.right(), y));
    }
}

// Pattern numbers on all four sides; every fifth only when the numbers are wider than a cell.
void drawEdgeNumbers(QPainter& painter, const PageMetrics& page, const SheetGrid& grid,
                     const BoardSheet& sheet) {
    const double band = page.dots(kLabelBandMm);
    painter.setFont(page.font(std::min(2.6, 0.7 * sheet.options.pitchMm)));
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font());
    const int widest = std::max(sheet.pattern.wide, sheet.pattern.high);
    const int stride =
        metrics.horizontalAdvance(QString::number(widest)) > 0.95 * grid.pitch ? 5 : 1;
    const auto labelled = [stride](int number) { return stride == 1 || number % stride == 0; };
    for (int c = grid.columns.first; c < grid.columns.first + grid.columns.count; ++c) {
        if (c >= sheet.tile.wide) break;
        const int number = sheet.tile.left + c + 1;
        if (!labelled(number)) continue;
        const QString text = QString::number(number);
        painter.drawText(QRectF(grid.x(c) - grid.pitch, grid.top - band, 3 * grid.pitch, band),
                         Qt::AlignHCenter | Qt::AlignVCenter, text);
        painter.drawText(QRectF(grid.x(c) - grid.pitch, grid.bottom(), 3 * grid.pitch, band),
                         Qt::AlignHCenter | Qt::AlignVCenter, text);
    }
    for (int r = grid.rows.first; r < grid.rows.first + grid.rows.count; ++r) {
        if (r >= sheet.tile.high) break;
        const int number = sheet.pattern.high - (sheet.tile.top + r);
        if (!labelled(number)) continue;
        const QString text = QString::number(number);
        painter.drawText(QRectF(grid.left - band, grid.y(r), band - page.dots(1), grid.pitch),
                         Qt::AlignRight | Qt::AlignVCenter, text);
        painter.drawText(QRectF(grid.right() + page.dots(1), grid.y(r), band, grid.pitch),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

// Where the neighbouring sheets begin and end: dashed lines across the board, triangles in
// the number bands pointing at them.
std::vector<int> alignmentLines(const std::vector<PegSpan>& spans, std::size_t piece) {
    std::vector<int> lines;
    if (piece > 0) lines.push_back(spans[piece - 1].first + spans[piece - 1].count);
    if (piece + 1 < spans.size()) lines.push_back(spans[piece + 1].first);
    return lines;
}

void drawAlignmentMarks(QPainter& painter, const PageMetrics& page, const SheetGrid& grid,
                        const BoardSheet& sheet) {
    const double mark = page.dots(kMarkMm);
    painter.setPen(QPen(Qt::black, page.dots(kStrongLineMm), Qt::DashLine, Qt::FlatCap));
    for (const int column : alignmentLines(sheet.columnSpans, sheet.columnPiece)) {
        const double x = grid.x(column);
        painter.drawLine(QPointF(x, grid.top), QPointF(x, grid.bottom()));
    }
    for (const int row : alignmentLines(sheet.rowSpans, sheet.rowPiece)) {
        const double y = grid.y(row);
        painter.drawLine(QPointF(grid.left, y), QPointF(grid.right(), y));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const int column : alignmentLines(sheet.columnSpans, sheet.columnPiece)) {
        const double x = grid.x(column);
        painter.drawPolygon(QPolygonF({QPointF(x, grid.top), QPointF(x - mark / 2, grid.top - mark),
                                       QPointF(x + mark / 2, grid.top - mark)}));
        painter.drawPolygon(
            QPolygonF({QPointF(x, grid.bottom()), QPointF(x - mark / 2, grid.bottom() + mark),
                       QPointF(x + mark / 2, grid.bottom() + mark)}));
    }
    for (const int row : alignmentLines(sheet.rowSpans, sheet.rowPiece)) {
        const double y = grid.y(row);
        painter.drawPolygon(
            QPolygonF({QPointF(grid.left, y), QPointF(grid.left - mark, y - mark / 2),
                       QPointF(grid.left - mark, y + mark / 2)}));
        painter.drawPolygon(
            QPolygonF({QPointF(grid.right(), y), QPointF(grid.right() + mark, y - mark / 2),
                       QPointF(grid.right() + mark, y + mark / 2)}));
    }
    painter.setBrush(Qt::NoBrush);
}

QString sheetLine(const BoardSheet& sheet, const SheetGrid& grid) {
    const std::size_t sheets = sheet.columnSpans.size() * sheet.rowSpans.size();
    if (sheets <= 1) return QString();
    const std::size_t index = sheet.rowPiece * sheet.columnSpans.size() + sheet.columnPiece + 1;
    const PegSpan rows = patternPart(grid.rows, sheet.tile.top, sheet.tile.high);
    const PegSpan columns = patternPart(grid.columns, sheet.tile.left, sheet.tile.wide);
    return QCoreApplication::translate(
               "BoardPage",
               "Blatt %1 von %2 dieser Platte: %3. Die Blätter überlappen sich um "
               "%4 Stifte; an den gestrichelten Linien und Passmarken ausrichten.")
        .arg(index)
        .arg(sheets)
        .arg(rowsAndColumns(sheet.pattern, rows, columns))
        .arg(kSplitOverlapPegs);
}

void drawHeader(QPainter& painter, const PageMetrics& page, const BoardSheet& sheet,
                const SheetGrid& grid) {
    painter.setPen(Qt::black);
    painter.setFont(page.font(4.2, true));
    painter.drawText(QRectF(0, 0, page.width(), page.dots(6)), Qt::AlignLeft | Qt::AlignVCenter,
                     boardTitle(sheet.pattern, sheet.tile, sheet.boardNumber, sheet.boardCount));
    const QString line = sheetLine(sheet, grid);
    if (line.isEmpty()) return;
    painter.setFont(page.font(2.6));
    painter.drawText(QRectF(0, page.dots(6), page.width(), page.dots(kHeaderMm - 6)),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, line);
}

}  // namespace

QString boardTitle(const BeadPattern& pattern, const BoardTile& tile, int boardNumber,
                   int boardCount) {
    return QCoreApplication::translate("BoardPage", "Platte %1 von %2 %3 %4")
        .arg(boardNumber)
        .arg(boardCount)
        .arg(kDash, rowsAndColumns(pattern, {tile.top, tile.high}, {tile.left, tile.wide}));
}

QRectF drawBoardSheet(QPainter& painter, const PageMetrics& page, const BoardSheet& sheet) {
    const PegSpan columns = sheet.columnSpans[sheet.columnPiece];
    const PegSpan rows = sheet.rowSpans[sheet.rowPiece];
    const double pitch = page.dots(sheet.options.pitchMm);
    const SheetGrid grid{(page.width() - columns.count * pitch) / 2,
                         page.dots(kHeaderMm + kLabelBandMm),
                         pitch,
                         columns,
                         rows,
                         sheet.tile.left,
                         sheet.tile.top};
    drawHeader(painter, page, sheet, grid);
    CellNumbers numbers(pitch, sheet.pattern.range);
    for (int row = rows.first; row < rows.first + rows.count; ++row) {
        drawCellRow(painter, page, grid, sheet, row, numbers);
        numbers.flush(painter);
    }
    drawGridLines(painter, page, grid, sheet.pattern);
    drawEdgeNumbers(painter, page, grid, sheet);
    drawAlignmentMarks(painter, page, grid, sheet);
    const double band = page.dots(kLabelBandMm);
    return QRectF(QPointF(grid.left - band, grid.top - band),
                  QPointF(grid.right() + band, grid.bottom() + band));
}

}  // namespace tessora
