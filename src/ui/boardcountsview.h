#pragma once
// The beads of every board on "Statistik", in the pattern book's numbering: one line per board
// with its title and bead total, its colours beneath.

#include <QTreeWidget>
#include <vector>

#include "output/beadpattern.h"
#include "output/boardlayout.h"

namespace tessora {

class BoardCountsView : public QTreeWidget {
    Q_OBJECT
  public:
    enum Column { kBoardColumn, kNumberColumn, kNameColumn, kCountColumn };

    explicit BoardCountsView(QWidget* parent = nullptr);

    void showBoards(const BeadPattern& pattern, const BoardGrid& boards);
    // Lists the colours of a board item.
    void fillBoard(QTreeWidgetItem* board);

  private:
    std::vector<BeadCounts> counts_;
    // The shown pattern without its beads: palette, fallback colour and range name the colours.
    BeadPattern colours_;
};

}  // namespace tessora
