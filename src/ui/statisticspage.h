#pragma once
// Page "Statistik": how many beads of each colour the pattern needs.

#include <QWidget>

#include "engine/chart.h"

class QPlainTextEdit;

namespace tessora {

class StatisticsPage : public QWidget {
    Q_OBJECT
  public:
    explicit StatisticsPage(QWidget* parent = nullptr);

    void showCounts(const BeadCounts& counts);

    QPlainTextEdit* beadCountsText = nullptr;
};

}  // namespace tessora
