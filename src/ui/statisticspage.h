#pragma once
// Page "Statistik": how many beads of each colour the pattern needs.

#include <QWidget>

#include "engine/chart.h"
#include "output/beadpattern.h"
#include "output/boardlayout.h"

class QPlainTextEdit;

namespace tessora {

class BoardCountsView;

class StatisticsPage : public QWidget {
    Q_OBJECT
  public:
    explicit StatisticsPage(QWidget* parent = nullptr);

    void showCounts(const BeadCounts& counts);
    // The beads of each board, numbered as in the pattern book.
    void showBoardCounts(const BeadPattern& pattern, const BoardGrid& boards);

    QPlainTextEdit* beadCountsText = nullptr;
    BoardCountsView* boardCountsView = nullptr;
};

}  // namespace tessora
