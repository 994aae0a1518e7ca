#include "ui/statisticspage.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/boardcountsview.h"
#include "ui/pageframe.h"

namespace tessora {

StatisticsPage::StatisticsPage(QWidget* parent) : QWidget(parent) {
    QWidget* body = MakePageFrame(
        this, QStringLiteral("Statistik - Wie viele Perlen von welcher Sorte werden benötigt?"),
        QString(), 0);
    auto* layout = new QVBoxLayout(body);
    beadCountsText = new QPlainTextEdit;
    beadCountsText->setObjectName(QStringLiteral("beadCountsText"));
    beadCountsText->setReadOnly(true);
    layout->addWidget(beadCountsText);
    boardCountsView = new BoardCountsView;
    layout->addWidget(
        new QLabel(QStringLiteral("Perlen je Platte (wie in der Vorlage in Originalgröße):")));
    layout->addWidget(boardCountsView);
}

void StatisticsPage::showCounts(const BeadCounts& counts) {
    beadCountsText->setPlainText(statisticsLines(counts).join(u'\n'));
}

void StatisticsPage::showBoardCounts(const BeadPattern& pattern, const BoardGrid& boards) {
    boardCountsView->showBoards(pattern, boards);
}

}  // namespace tessora
