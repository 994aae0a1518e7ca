#pragma once
// Where the chart lands on a printed page and in the page preview, and how the two size
// percentages are tied together. Pure integer and floating-point arithmetic, no printer.

#include <QRect>
#include <optional>

namespace tessora {

struct PrintOptions {
    bool useFullPage = true;  // "Seite voll nutzen" (else "Benutzerdefiniert")
    bool keepAspect = true;   // "Seitenverhältnis beibehalten"
    bool centred = true;      // "Zentrierte Ausgabe"
    int widthPercent = 50;    // "Breite in %:"
    int heightPercent = 50;   // "Höhe in %:"
};

// The chart's rectangle on a page of pageW x pageH device pixels; chart of chartW x chartH
// pixels. An empty chart gives an empty rectangle.
QRect PrintedChartRect(int pageW, int pageH, int chartW, int chartH, const PrintOptions& options);

// The preview of a page inside a square box: the page rectangle and the chart rectangle.
struct PreviewGeometry {
    QRect page;
    QRect chart;
};
PreviewGeometry PreviewLayout(int box, int pageW, int pageH, int chartW, int chartH,
                              const PrintOptions& options);

// With the aspect kept, a new width percentage gives the height percentage that keeps the
// chart's proportions on the page; when that leaves 1 to 100, the width is derived again from
// the limited height. Each result is already limited to 1 to 100.
struct CoupledPercentages {
    int height;
    std::optional<int> width;  // set only when the width had to be derived again
};
CoupledPercentages CoupleHeightToWidth(int widthPercent, int pageW, int pageH, int chartW,
                                       int chartH);
// The mirror image: a new height percentage gives the width.
struct CoupledWidth {
    int width;
    std::optional<int> height;
};
CoupledWidth CoupleWidthToHeight(int heightPercent, int pageW, int pageH, int chartW, int chartH);

}  // namespace tessora
