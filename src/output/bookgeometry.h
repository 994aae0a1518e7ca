#pragma once
// Measures of a pattern book page: millimetres to device units, and how many pegs of a board a
// page can show at true size.

#include <QFont>
#include <QPageLayout>
#include <QSizeF>

#include "output/boardlayout.h"

class QPainter;

namespace tessora {

constexpr double kPageMarginMm = 10.0;  // inside most printers' unprintable edge
constexpr double kHeaderMm = 13.0;      // two header lines above the board
constexpr double kLabelBandMm = 8.0;    // row and column numbers around the board
constexpr int kSplitOverlapPegs = 2;

// The page of `options` with margins of 10 mm all round.
QPageLayout bookPageLayout(const BookOptions& options);

struct SheetCapacity {
    int columns;
    int rows;
};

// Pegs of `pitchMm` that fit across and down the printable area `contentMm` with the header
// and the number bands.
SheetCapacity pegsPerPage(QSizeF contentMm, double pitchMm);

// Device units of the painter's page: positions in dots from the printable area's corner.
class PageMetrics {
  public:
    explicit PageMetrics(const QPainter& painter);
    double dots(double mm) const { return mm * dotsPerMm_; }
    double width() const { return width_; }
    double height() const { return height_; }
    QSizeF sizeMm() const { return {width_ / dotsPerMm_, height_ / dotsPerMm_}; }
    // DejaVu Sans with a character height of `mm`.
    QFont font(double mm, bool bold = false) const;

  private:
    double dotsPerMm_;
    double width_;
    double height_;
};

}  // namespace tessora
