#include "ui/beadedit.h"

#include <utility>

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

void BeadEditHistory::beginStroke() {
    endStroke();
}

void BeadEditHistory::record(const BeadEdit& edit) {
    open_.push_back(edit);
    undone_.clear();
}

void BeadEditHistory::endStroke() {
    if (!open_.empty()) done_.push_back(std::move(open_));
    open_.clear();
}

bool BeadEditHistory::undo(const dib& grid) {
    endStroke();
    if (done_.empty()) return false;
    const Stroke& stroke = done_.back();
    for (auto edit = stroke.rbegin(); edit != stroke.rend(); ++edit)
        setBead(grid, edit->bead, edit->before);
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return true;
}

bool BeadEditHistory::redo(const dib& grid) {
    endStroke();
    if (undone_.empty()) return false;
    for (const BeadEdit& edit : undone_.back())
        setBead(grid, edit.bead, edit.after);
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return true;
}

void BeadEditHistory::clear() {
    done_.clear();
    undone_.clear();
    open_.clear();
}

}  // namespace tessora
