#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>

#include "engine/catalogue.h"
#include "engine/chart.h"
#include "imagelib/imagelib.h"
#include "modal.h"
#include "output/bookchoices.h"
#include "output/templatedialog.h"
#include "tempdir.h"
#include "ui/boardcountsview.h"
#include "ui/colourpage.h"
#include "ui/mainwindow.h"
#include "ui/resultpage.h"
#include "ui/sizepage.h"
#include "ui/statisticspage.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// A picture of many colours, so that boards differ.
void useStripedPicture(MainWindow& window, int width, int height) {
    dib picture{};
    newdib(&picture, width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            setpixel(picture, x, y,
                     (x * 37 % 256) | (y * 53 % 256) << 8 | ((x + y) * 11 % 256) << 16);
    }
    FreeDib(window.document.di);
    window.document.di = picture;
}

// Per catalogue number, the beads of all boards on the page.
QMap<QString, int> boardSums(BoardCountsView& view) {
    QMap<QString, int> sums;
    for (int k = 0; k < view.topLevelItemCount(); ++k) {
        QTreeWidgetItem* board = view.topLevelItem(k);
        view.fillBoard(board);
        for (int c = 0; c < board->childCount(); ++c) {
            sums[board->child(c)->text(BoardCountsView::kNumberColumn)] +=
                board->child(c)->text(BoardCountsView::kCountColumn).toInt();
        }
    }
    return sums;
}

class BoardCountsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           settingsDir.path(QString()));
    }
    TempDir settingsDir;
};

}  // namespace

TEST_F(BoardCountsTest, BoardsOnStatisticsAddUpToTheTotals) {
    BookChoices choices;
    choices.options.boardWide = 7;
    choices.options.boardHigh = 5;
    saveBookChoices(choices);
    MainWindow window;
    window.sizePage->keepAspectCheck->setChecked(false);
    window.sizePage->beadsWideSpin->setValue(30);
    window.sizePage->beadsHighSpin->setValue(12);
    useStripedPicture(window, 60, 24);
    window.colourPage->selectAllButton->click();
    window.calculate();

    BoardCountsView& view = *window.statisticsPage->boardCountsView;
    ASSERT_EQ(view.topLevelItemCount(), 5 * 3);
    EXPECT_EQ(view.topLevelItem(0)->text(BoardCountsView::kBoardColumn),
              QStringLiteral("Platte 1 von 15 – Reihen 8–12, Spalten 1–7"));
    BeadCounts totals{};
    dib chart{};
    ASSERT_EQ(drawChart(window.document.di3, 30, 12, window.document.notfoundis, chart, totals),
              EngineError::None);
    FreeDib(chart);
    QMap<QString, int> expected;
    for (int i = 0; i < kBeadColorCount; ++i) {
        if (totals[i] > 0) expected[QString::fromLatin1(BeadNumbers[i])] = totals[i];
    }
    EXPECT_GT(expected.size(), 3);
    EXPECT_EQ(boardSums(view), expected);
}

TEST_F(BoardCountsTest, ABoardSizeChosenInTheDialogReachesStatistics) {
    MainWindow window;
    window.sizePage->keepAspectCheck->setChecked(false);
    window.sizePage->beadsWideSpin->setValue(30);
    window.sizePage->beadsHighSpin->setValue(30);
    window.calculate();
    ASSERT_EQ(window.statisticsPage->boardCountsView->topLevelItemCount(), 4);  // 29 x 29
    OnNextModal<TemplateDialog>([](TemplateDialog* dialog) {
        dialog->boardWideSpin->setValue(10);
        dialog->closeButton->click();
    });
    window.resultPage->templateButton->click();
    EXPECT_EQ(window.statisticsPage->boardCountsView->topLevelItemCount(), 3 * 2);
}
