#include "ui/statisticspage.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

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
}

void StatisticsPage::showCounts(const BeadCounts& counts) {
    beadCountsText->setPlainText(statisticsLines(counts).join(u'\n'));
}

}  // namespace tessora
