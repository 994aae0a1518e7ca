#include "ui/statisticspage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/boardcountsview.h"
#include "ui/pageframe.h"

namespace tessora {
namespace {

enum Column { kSwatch, kNumber, kName, kCount, kColumnCount };

QIcon swatchIcon(const PalEntry& entry) {
    QPixmap swatch(16, 16);
    swatch.fill(QColor(entry.peRed, entry.peGreen, entry.peBlue));
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(swatch);
}

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidget* makeCountsTable() {
    auto* table = new QTableWidget(0, kColumnCount);
    table->setObjectName(QStringLiteral("countsTable"));
    table->setHorizontalHeaderLabels({StatisticsPage::tr("Farbe"), StatisticsPage::tr("Nr."),
                                      StatisticsPage::tr("Name"), StatisticsPage::tr("Anzahl")});
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
    return table;
}

}  // namespace

StatisticsPage::StatisticsPage(const LPAL& palette, QWidget* parent)
    : QWidget(parent), palette_(palette) {
    QWidget* body = MakePageFrame(
        this, tr("Statistik - Wie viele Perlen von welcher Sorte werden benötigt?"), QString(), 0);
    auto* layout = new QVBoxLayout(body);
    countsTable = makeCountsTable();
    totalsLabel = new QLabel;
    totalsLabel->setObjectName(QStringLiteral("totalsLabel"));
    copyButton = new QPushButton(tr("Kopieren"));
    copyButton->setObjectName(QStringLiteral("copyButton"));
    copyButton->setToolTip(tr("Kopiert die Anzahlen als Text in die Zwischenablage"));
    connect(copyButton, &QPushButton::clicked, this, &StatisticsPage::copyCounts);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(totalsLabel, 1);
    bottom->addWidget(copyButton);
    layout->addWidget(countsTable, 1);
    layout->addLayout(bottom);
    boardCountsView = new BoardCountsView;
    layout->addWidget(new QLabel(tr("Perlen je Platte (wie in der Vorlage in Originalgröße):")));
    layout->addWidget(boardCountsView);
}

void StatisticsPage::showCounts(const BeadCounts& counts, const BeadRange& range) {
    countsText_ = statisticsLines(counts, range).join(u'\n');
    countsTable->setRowCount(0);
    std::int64_t beads = 0;
    int colours = 0;
    for (int i = 0; i < range.size() && i < kMaxRangeColors; ++i) {
        if (counts[i] == 0) continue;
        addCountsRow(i, range.colors[i], counts[i]);
        beads += counts[i];
        ++colours;
    }
    totalsLabel->setText(tr("Perlen insgesamt: %1    Farben: %2")
                             .arg(QString::number(beads), QString::number(colours)));
}

void StatisticsPage::addCountsRow(int colour, const BeadColor& bead, int count) {
    const int row = countsTable->rowCount();
    countsTable->insertRow(row);
    auto* swatch = readOnlyItem(QString());
    if (colour < palette_.num) swatch->setIcon(swatchIcon(palette_.rgb0[colour]));
    countsTable->setItem(row, kSwatch, swatch);
    countsTable->setItem(row, kNumber, readOnlyItem(QString::fromStdString(bead.number)));
    countsTable->setItem(row, kName, readOnlyItem(QString::fromStdString(bead.name)));
    auto* number = readOnlyItem(QString::number(count));
    number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    countsTable->setItem(row, kCount, number);
}

void StatisticsPage::copyCounts() {
    QGuiApplication::clipboard()->setText(countsText_);
}

void StatisticsPage::showBoardCounts(const BeadPattern& pattern, const BoardGrid& boards) {
    boardCountsView->showBoards(pattern, boards);
}

}  // namespace tessora
