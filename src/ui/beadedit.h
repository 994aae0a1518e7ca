#pragma once
// Editing single beads of the grid. Each edit keeps only its bead and the two values, so a
// stroke's undo step stays small.

#include <QPoint>
#include <cstdint>
#include <optional>

#include "imagelib/dib.h"

namespace tessora {

// Sets the bead (column, row from the top) of an 8-bit grid and returns its previous value;
// nothing for a grid without pixel memory or a bead outside it.
std::optional<std::uint8_t> setBead(const dib& grid, QPoint bead, std::uint8_t value);

struct BeadEdit {
    QPoint bead;
    std::uint8_t before;
    std::uint8_t after;
};

}  // namespace tessora
