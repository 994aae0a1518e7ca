#include "output/cellnumbers.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

#include "output/beadlookup.h"

namespace tessora {
namespace {

constexpr double kWidthShare = 0.84;   // of the cell, left to the number
constexpr double kHeightShare = 0.62;  // of the cell, for the digits' height
constexpr double kMeasureSize = 1000.0;

double advanceOf(const QRawFont& font, const QString& text) {
    const QList<quint32> indexes = font.glyphIndexesForString(text);
    double width = 0;
    for (const QPointF& advance : font.advancesForGlyphIndexes(indexes))
        width += advance.x();
    return width;
}

// The largest pixel size at which every colour number fits the cell.
double fittedPixelSize(QRawFont& font, double cell, const BeadRange& range) {
    font.setPixelSize(kMeasureSize);
    double widest = 1;
    for (int k = 0; k < range.size(); ++k)
        widest = std::max(widest, advanceOf(font, bookColourNumber(range, k)));
    const double byWidth = kWidthShare * cell * kMeasureSize / widest;
    const double byHeight = kHeightShare * cell * kMeasureSize / std::max(1.0, font.capHeight());
    return std::min(byWidth, byHeight);
}

}  // namespace

CellNumbers::CellNumbers(double cellDots, const BeadRange& range) : cell_(cellDots), range_(range) {
    QFont face(QStringLiteral("DejaVu Sans"));
    face.setPixelSize(100);
    font_ = QRawFont::fromFont(face);
    font_.setPixelSize(fittedPixelSize(font_, cell_, range_));
}

const CellNumbers::Glyphs& CellNumbers::glyphsOf(int colour) {
    auto found = glyphs_.find(colour);
    if (found != glyphs_.end()) return found->second;
    Glyphs glyphs;
    glyphs.indexes = font_.glyphIndexesForString(bookColourNumber(range_, colour));
    const QList<QPointF> advances = font_.advancesForGlyphIndexes(glyphs.indexes);
    double width = 0;
    for (const QPointF& advance : advances)
        width += advance.x();
    QPointF pen((cell_ - width) / 2, (cell_ + font_.capHeight()) / 2);
    for (const QPointF& advance : advances) {
        glyphs.offsets.push_back(pen);
        pen.rx() += advance.x();
    }
    return glyphs_.emplace(colour, std::move(glyphs)).first->second;
}

void CellNumbers::add(int colour, QPointF cellTopLeft, bool whiteInk) {
    const Glyphs& glyphs = glyphsOf(colour);
    Run& run = whiteInk ? white_ : black_;
    run.indexes.append(glyphs.indexes);
    for (const QPointF& offset : glyphs.offsets)
        run.positions.push_back(cellTopLeft + offset);
}

void CellNumbers::flush(QPainter& painter) {
    for (Run* run : {&black_, &white_}) {
        if (run->indexes.isEmpty()) continue;
        QGlyphRun glyphs;
        glyphs.setRawFont(font_);
        glyphs.setGlyphIndexes(run->indexes);
        glyphs.setPositions(run->positions);
        painter.setPen(run == &black_ ? Qt::black : Qt::white);
        painter.drawGlyphRun(QPointF(0, 0), glyphs);
        run->indexes.clear();
        run->positions.clear();
    }
}

}  // namespace tessora
