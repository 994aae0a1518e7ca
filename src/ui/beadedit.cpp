#include "ui/beadedit.h"

namespace tessora {

std::optional<std::uint8_t> setBead(const dib& grid, QPoint bead, std::uint8_t value) {
    if (grid.poi == nullptr || DibBits(grid) != 8) return std::nullopt;
    const int width = DibWidth(grid);
    const int height = DibHeight(grid);
    if (bead.x() < 0 || bead.x() >= width || bead.y() < 0 || bead.y() >= height) {
        return std::nullopt;
    }
    // Stored rows run bottom-up.
    std::uint8_t& pixel = DibRow(grid, height - 1 - bead.y())[bead.x()];
    const std::uint8_t before = pixel;
    pixel = value;
    return before;
}

}  // namespace tessora
