#include "ui/boardcountsview.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

#include "output/boardcounts.h"
#include "output/boardpage.h"
#include "output/colourtable.h"

namespace tessora {
namespace {

QIcon swatchIcon(QRgb colour) {
    QPixmap swatch(16, 16);
    swatch.fill(QColor(colour));
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(swatch);
}

void setCount(QTreeWidgetItem* item, int count) {
    item->setText(BoardCountsView::kCountColumn, QString::number(count));
    item->setTextAlignment(BoardCountsView::kCountColumn, Qt::AlignRight | Qt::AlignVCenter);
}

}  // namespace

BoardCountsView::BoardCountsView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("boardCountsView"));
    setColumnCount(4);
    setHeaderLabels({tr("Platte"), tr("Nr."), tr("Name"), tr("Anzahl")});
    header()->setSectionResizeMode(kBoardColumn, QHeaderView::ResizeToContents);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemExpanded, this, &BoardCountsView::fillBoard);
}

void BoardCountsView::showBoards(const BeadPattern& pattern, const BoardGrid& boards) {
    clear();
    colours_.palette = pattern.palette;
    colours_.notfoundis = pattern.notfoundis;
    colours_.range = pattern.range;
    counts_ = boardCounts(pattern, boards);
    const int boardCount = static_cast<int>(boards.tiles.size());
    QList<QTreeWidgetItem*> items;
    for (int k = 0; k < boardCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        auto* board = new QTreeWidgetItem;
        board->setText(kBoardColumn, boardTitle(pattern, boards.tiles[index], k + 1, boardCount));
        board->setData(kBoardColumn, Qt::UserRole, k);
        board->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        int beads = 0;
        for (const int count : counts_[index])
            beads += count;
        setCount(board, beads);
        items << board;
    }
    addTopLevelItems(items);
}

// A large pattern has a thousand boards or more, so a board's colours are listed when it opens.
void BoardCountsView::fillBoard(QTreeWidgetItem* board) {
    if (board->childCount() > 0) return;
    const auto index = static_cast<std::size_t>(board->data(kBoardColumn, Qt::UserRole).toInt());
    if (index >= counts_.size()) return;
    for (const TableEntry& entry : tableEntries(counts_[index], colours_)) {
        auto* colour = new QTreeWidgetItem(board);
        colour->setIcon(kNumberColumn, swatchIcon(entry.swatch));
        colour->setText(kNumberColumn, entry.number);
        colour->setText(kNameColumn, entry.name);
        setCount(colour, entry.count);
    }
}

}  // namespace tessora
