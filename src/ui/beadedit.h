#pragma once
// Editing single beads of the grid, with an undo history back to the last calculation. One
// press-and-drag stroke is one step; each edit keeps only its bead and the two values.

#include <QPoint>
#include <cstdint>
#include <optional>
#include <vector>

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

class BeadEditHistory {
  public:
    // Closes any open stroke so that the next edits form a step of their own.
    void beginStroke();
    // Adds an edit to the open stroke and forgets what was undone.
    void record(const BeadEdit& edit);
    // Closes the open stroke; a stroke that changed nothing leaves no step.
    void endStroke();

    bool canUndo() const { return !done_.empty() || !open_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // Each takes back or repeats one step on `grid`; false when there is none.
    bool undo(const dib& grid);
    bool redo(const dib& grid);
    void clear();

  private:
    using Stroke = std::vector<BeadEdit>;
    std::vector<Stroke> done_;
    std::vector<Stroke> undone_;
    Stroke open_;
};

}  // namespace tessora
