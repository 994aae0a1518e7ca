#pragma once
// Page "Statistik": how many beads of each colour the pattern needs, as a table with a swatch,
// the number, the name and the count of every used colour, and the totals below it. The plain
// lines ("01: 24") go to the clipboard with "Kopieren".

#include <QString>
#include <QWidget>

#include "engine/chart.h"
#include "imagelib/dib.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tessora {

class StatisticsPage : public QWidget {
    Q_OBJECT
  public:
    // The swatches show the colours of `palette` as they are when the counts arrive.
    // The rows name the colours of `range`, as it is when the counts arrive.
    StatisticsPage(const LPAL& palette, const BeadRange& range, QWidget* parent = nullptr);

    void showCounts(const BeadCounts& counts);
    // One line per used colour, as copied.
    QString countsText() const { return countsText_; }
    void copyCounts();

    QTableWidget* countsTable = nullptr;
    QLabel* totalsLabel = nullptr;
    QPushButton* copyButton = nullptr;

  private:
    void addCountsRow(int colour, int count);

    const LPAL& palette_;
    const BeadRange& range_;
    QString countsText_;
};

}  // namespace tessora
