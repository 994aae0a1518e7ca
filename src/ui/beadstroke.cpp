#include "ui/beadstroke.h"

#include <cstdlib>

namespace tessora {

std::vector<QPoint> beadsAlongPointer(QPoint from, QPoint to, const EditViewLayout& layout) {
    std::vector<QPoint> beads;
    const auto visit = [&](QPoint pixel) {
        const std::optional<QPoint> bead = beadAt(pixel, layout);
        if (bead && (beads.empty() || beads.back() != *bead)) beads.push_back(*bead);
    };
    // Bresenham's line: every pixel of the path, so no bead it crosses is skipped.
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint pixel = from;
    for (;;) {
        visit(pixel);
        if (pixel == to) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            pixel.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            pixel.ry() += stepY;
        }
    }
    return beads;
}

}  // namespace tessora
