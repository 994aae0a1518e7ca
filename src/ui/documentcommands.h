#pragma once
// The steps of the window's undo stack: a bead stroke, a calculation and a change of the colour
// choices. Each is pushed after its change was made, so its first redo only records; later
// undos and redos put the document back and call `changed` so the window shows it.

#include <QUndoCommand>
#include <array>
#include <functional>
#include <vector>

#include "engine/beadrange.h"
#include "engine/document.h"
#include "ui/beadedit.h"
#include "ui/matchingchoices.h"

namespace tessora {

using DocumentShown = std::function<void()>;

class BeadStrokeCommand : public QUndoCommand {
  public:
    BeadStrokeCommand(Document& document, std::vector<BeadEdit> stroke, DocumentShown changed);
    void undo() override;
    void redo() override;

  private:
    Document& document_;
    std::vector<BeadEdit> stroke_;
    DocumentShown changed_;
    bool done_ = true;
};

// What a calculation changes in the document. The grid is an owned copy.
struct GridSnapshot {
    GridSnapshot() = default;
    explicit GridSnapshot(const Document& document);
    ~GridSnapshot();
    GridSnapshot(GridSnapshot&& other) noexcept;
    GridSnapshot& operator=(GridSnapshot&&) = delete;
    GridSnapshot(const GridSnapshot&) = delete;
    GridSnapshot& operator=(const GridSnapshot&) = delete;
    // Gives the document a copy; false when there was no memory for it (nothing changes then).
    bool restoreInto(Document& document) const;

    dib grid{};
    std::int32_t notfoundis = 0;
    std::vector<int> chosenColors;
};

class CalculationCommand : public QUndoCommand {
  public:
    CalculationCommand(Document& document, GridSnapshot before, DocumentShown changed);
    void undo() override;
    void redo() override;

  private:
    Document& document_;
    GridSnapshot before_;
    GridSnapshot after_;
    DocumentShown changed_;
    bool done_ = true;
};

// The colour page's choices: the bead range, its ticks, the method, the palette as edited and
// the matching options.
struct ColourChoices {
    BeadRange range = standardRange();
    std::array<bool, kMaxRangeColors> ticks{};  // the first range.size() count
    bool dithering = false;
    LPAL pal{};
    MatchingChoices matching;
    bool operator==(const ColourChoices& other) const;
};

// Same name and the same colours with the same numbers, names and start colours.
bool sameRange(const BeadRange& first, const BeadRange& second);

class ColourChangeCommand : public QUndoCommand {
  public:
    using Apply = std::function<void(const ColourChoices&)>;
    ColourChangeCommand(ColourChoices before, ColourChoices after, Apply apply);
    void undo() override;
    void redo() override;

  private:
    ColourChoices before_;
    ColourChoices after_;
    Apply apply_;
    bool done_ = true;
};

// An owned copy of an 8-bit grid, or an empty record when there is no memory.
dib copyGrid(const dib& grid);

}  // namespace tessora
