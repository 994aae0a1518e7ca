#include "output/overviewpage.h"

#include <QCoreApplication>

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "output/bookgeometry.h"

namespace tessora {
namespace {

constexpr double kInfoLineMm = 5.5;
constexpr double kPictureShare = 0.45;  // of the page height at most
constexpr double kSmallestBoardNumberMm = 1.2;

// One pixel per bead, in the grid palette's colours.
QImage patternImage(const BeadPattern& pattern) {
    QImage image(pattern.wide, pattern.high, QImage::Format_RGB32);
    for (int row = 0; row < pattern.high; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < pattern.wide; ++column)
            line[column] = pattern.palette[pattern.at(column, row)];
    }
    return image;
}

void drawInfo(QPainter& painter, const PageMetrics& page, const BeadPattern& pattern,
              const BoardGrid& boards, const BookOptions& options, int totalBeads) {
    const double line = page.dots(kInfoLineMm);
    painter.setPen(Qt::black);
    painter.setFont(page.font(4.2, true));
    painter.drawText(QRectF(0, 0, page.width(), page.dots(6)), Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::translate("OverviewPage", "Übersicht"));
    const QStringList lines = {
        boards.tiles.size() == 1
            ? QCoreApplication::translate("OverviewPage", "Muster: %1 × %2 Perlen auf einer Platte")
                  .arg(pattern.wide)
                  .arg(pattern.high)
            : QCoreApplication::translate(
                  "OverviewPage", "Muster: %1 × %2 Perlen auf %3 Platten (%4 Reihen × %5 Spalten)")
                  .arg(pattern.wide)
                  .arg(pattern.high)
                  .arg(boards.tiles.size())
                  .arg(boards.rows)
                  .arg(boards.columns),
        QCoreApplication::translate("OverviewPage", "Perlen insgesamt: %1").arg(totalBeads),
        QCoreApplication::translate("OverviewPage",
                                    "Perlengröße: %1 – Plattengröße: %2 × %3 Stifte")
            .arg(beadSizeText(options.pitchMm))
            .arg(options.boardWide)
            .arg(options.boardHigh)};
    painter.setFont(page.font(3.2));
    double y = page.dots(7);
    for (const QString& text : lines) {
        painter.drawText(QRectF(0, y, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += line;
    }
}

// Returns whether the boards carry their numbers, which they do when these are large enough.
bool drawBoardOutlines(QPainter& painter, const PageMetrics& page, const QRectF& area,
                       const BoardGrid& boards, const BookOptions& options, double bead) {
    const double boardWide = options.boardWide * bead;
    const double boardHigh = options.boardHigh * bead;
    // The longest number takes at most 60 % of a board's width.
    const double digits = QString::number(boards.tiles.size()).size();
    const double numberMm =
        std::min(0.35 * std::min(boardWide, boardHigh), 0.6 * boardWide / (0.7 * digits)) /
        page.dots(1);
    painter.setPen(QPen(Qt::black, page.dots(0.3)));
    painter.setBrush(Qt::NoBrush);
    if (numberMm >= kSmallestBoardNumberMm) painter.setFont(page.font(numberMm, true));
    int number = 1;
    for (const BoardTile& tile : boards.tiles) {
        const QRectF rect(area.left() + tile.boardColumn * boardWide,
                          area.top() + tile.boardRow * boardHigh, boardWide, boardHigh);
        painter.drawRect(rect);
        if (numberMm >= kSmallestBoardNumberMm) {
            // Black on a white patch, readable on any colour.
            const QString text = QString::number(number);
            const QRectF label = painter.boundingRect(rect, Qt::AlignCenter, text);
            painter.fillRect(label, Qt::white);
            painter.drawText(rect, Qt::AlignCenter, text);
        }
        ++number;
    }
    return numberMm >= kSmallestBoardNumberMm;
}

}  // namespace

QRectF drawOverview(QPainter& painter, const PageMetrics& page, const BeadPattern& pattern,
                    const BoardGrid& boards, const BookOptions& options, int totalBeads) {
    drawInfo(painter, page, pattern, boards, options, totalBeads);
    const double top = page.dots(7 + 3 * kInfoLineMm + 3);
    const double available = std::min(page.height() * kPictureShare, page.height() - top);
    const int beadsAcross = boards.columns * options.boardWide;
    const int beadsDown = boards.rows * options.boardHigh;
    const double bead = std::min(page.width() / beadsAcross, available / beadsDown);
    const QRectF area((page.width() - beadsAcross * bead) / 2, top, beadsAcross * bead,
                      beadsDown * bead);
    // Flate instead of JPEG, so the overview keeps the exact bead colours.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(QRectF(area.topLeft(), QSizeF(pattern.wide * bead, pattern.high * bead)),
                      patternImage(pattern));
    const bool numbered = drawBoardOutlines(painter, page, area, boards, options, bead);
    double tableTop = area.bottom() + page.dots(6);
    if (!numbered) {
        painter.setFont(page.font(2.8));
        painter.drawText(
            QRectF(0, area.bottom() + page.dots(1), page.width(), page.dots(5)),
            Qt::AlignLeft | Qt::AlignVCenter,
            QCoreApplication::translate("OverviewPage",
                                        "Die Platten sind zeilenweise von links oben gezählt: "
                                        "Platte = (Reihe − 1) × %1 + Spalte.")
                .arg(boards.columns));
        tableTop += page.dots(5);
    }
    return QRectF(0, tableTop, page.width(), page.height() - tableTop);
}

}  // namespace tessora
