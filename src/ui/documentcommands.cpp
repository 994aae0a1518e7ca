#include "ui/documentcommands.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "imagelib/imagelib.h"

namespace tessora {

dib copyGrid(const dib& grid) {
    dib copy{};
    if (grid.poi == nullptr || DibBits(grid) != 8) return copy;
    newdib(&copy, DibWidth(grid), DibHeight(grid), 8, nullptr, 0);
    if (copy.poi == nullptr) return copy;
    std::memcpy(copy.pmi, grid.pmi, sizeof(BitmapInfoHeader));
    std::memcpy(DibColorTable(copy), DibColorTable(grid), 256 * sizeof(RgbQuad));
    std::memcpy(copy.poi, grid.poi, grid.pmi->biSizeImage);
    copy.pal = grid.pal;
    return copy;
}

BeadStrokeCommand::BeadStrokeCommand(Document& document, std::vector<BeadEdit> stroke,
                                     DocumentShown changed)
    : document_(document), stroke_(std::move(stroke)), changed_(std::move(changed)) {}

void BeadStrokeCommand::undo() {
    for (auto edit = stroke_.rbegin(); edit != stroke_.rend(); ++edit)
        setBead(document_.di3, edit->bead, edit->before);
    done_ = false;
    changed_();
}

void BeadStrokeCommand::redo() {
    if (done_) return;  // painted while the pointer moved
    for (const BeadEdit& edit : stroke_)
        setBead(document_.di3, edit.bead, edit.after);
    done_ = true;
    changed_();
}

GridSnapshot::GridSnapshot(const Document& document)
    : grid(copyGrid(document.di3)),
      notfoundis(document.notfoundis),
      chosenColors(document.chosenColors) {}

GridSnapshot::~GridSnapshot() {
    FreeDib(grid);
}

GridSnapshot::GridSnapshot(GridSnapshot&& other) noexcept
    : grid(std::exchange(other.grid, dib{})),
      notfoundis(other.notfoundis),
      chosenColors(std::move(other.chosenColors)) {}

bool GridSnapshot::restoreInto(Document& document) const {
    dib copy = copyGrid(grid);
    if (copy.poi == nullptr) return false;
    FreeDib(document.di3);
    document.di3 = copy;
    document.notfoundis = notfoundis;
    document.chosenColors = chosenColors;
    return true;
}

CalculationCommand::CalculationCommand(Document& document, GridSnapshot before,
                                       DocumentShown changed)
    : document_(document),
      before_(std::move(before)),
      after_(document),
      changed_(std::move(changed)) {}

void CalculationCommand::undo() {
    if (before_.restoreInto(document_)) changed_();
    done_ = false;
}

void CalculationCommand::redo() {
    if (done_) return;
    if (after_.restoreInto(document_)) changed_();
    done_ = true;
}

bool sameRange(const BeadRange& first, const BeadRange& second) {
    return first.name == second.name &&
           std::equal(first.colors.begin(), first.colors.end(), second.colors.begin(),
                      second.colors.end(), [](const BeadColor& a, const BeadColor& b) {
                          return a.number == b.number && a.name == b.name &&
                                 a.rgb.red == b.rgb.red && a.rgb.green == b.rgb.green &&
                                 a.rgb.blue == b.rgb.blue;
                      });
}

bool ColourChoices::operator==(const ColourChoices& other) const {
    return ticks == other.ticks && dithering == other.dithering &&
           std::memcmp(&pal, &other.pal, sizeof pal) == 0 && matching == other.matching &&
           sameRange(range, other.range);
}

ColourChangeCommand::ColourChangeCommand(ColourChoices before, ColourChoices after, Apply apply)
    : before_(before), after_(after), apply_(std::move(apply)) {}

void ColourChangeCommand::undo() {
    apply_(before_);
    done_ = false;
}

void ColourChangeCommand::redo() {
    if (done_) return;
    apply_(after_);
    done_ = true;
}

}  // namespace tessora
