// Page "Motiv laden": folder tree, file list with the file-type box, and the preview.

#include <QComboBox>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "ui/mainform.h"
#include "ui/pageframe.h"
#include "ui/paintbox.h"

namespace tessora {

QWidget* TMainForm::buildLoadPage() {
    const PageParts parts = MakePage(
        QStringLiteral("Motiv laden - Suchen sie die Grafikdatei mit dem Muster und öffnen Sie diese per Doppelklick"),
        QString(), 0);
    auto* layout = new QHBoxLayout(parts.body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal);

    auto* browser = new QWidget;
    auto* browserLayout = new QVBoxLayout(browser);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    auto* browserSplitter = new QSplitter(Qt::Vertical);
    JamShellTree1 = new QTreeView;
    JamShellTree1->setObjectName(QStringLiteral("JamShellTree1"));
    JamShellList1 = new QListView;
    JamShellList1->setObjectName(QStringLiteral("JamShellList1"));
    browserSplitter->addWidget(JamShellTree1);
    browserSplitter->addWidget(JamShellList1);
    browserSplitter->setSizes({185, 200});
    FilterComboBox1 = new QComboBox;
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->setToolTip(QStringLiteral("Hier können Sie die angezeigten Dateitypen wählen"));
    browserLayout->addWidget(browserSplitter, 1);
    browserLayout->addWidget(FilterComboBox1);

    auto* previewSide = new QWidget;
    auto* previewLayout = new QVBoxLayout(previewSide);
    previewLayout->setContentsMargins(4, 4, 4, 4);
    previewLayout->addWidget(new QLabel(QStringLiteral("Preview:")));
    DibPrevPaint = new PaintBox;
    DibPrevPaint->setObjectName(QStringLiteral("DibPrevPaint"));
    DibPrevPaint->setToolTip(QStringLiteral("Zeigt eine Vorschau des geladenen Bildes"));
    previewLayout->addWidget(DibPrevPaint, 1);

    splitter->addWidget(browser);
    splitter->addWidget(previewSide);
    splitter->setSizes({373, 380});
    layout->addWidget(splitter);
    return parts.page;
}

}  // namespace tessora
