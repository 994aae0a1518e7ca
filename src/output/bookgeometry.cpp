#include "output/bookgeometry.h"

#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tessora {

QPageLayout bookPageLayout(const BookOptions& options) {
    const QPageSize size(options.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
    return QPageLayout(size, options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                       QPageLayout::Millimeter);
}

SheetCapacity pegsPerPage(QSizeF contentMm, double pitchMm) {
    const auto fit = [pitchMm](double mm) {
        // A hair of tolerance so that an exact fit is not lost to rounding.
        return std::max(1, static_cast<int>(std::floor(mm / pitchMm + 1e-9)));
    };
    return {fit(contentMm.width() - 2 * kLabelBandMm),
            fit(contentMm.height() - kHeaderMm - 2 * kLabelBandMm)};
}

PageMetrics::PageMetrics(const QPainter& painter)
    : dotsPerMm_(painter.device()->logicalDpiX() / 25.4),
      width_(painter.device()->width()),
      height_(painter.device()->height()) {}

QFont PageMetrics::font(double mm, bool bold) const {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(dots(mm)))));
    font.setBold(bold);
    return font;
}

}  // namespace tessora
