// Page "Motiv laden": folder tree, file list with the file-type box, and the preview; loading
// a picture into the document.

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "engine/calculate.h"
#include "imagelib/imagelib.h"
#include "imagelib/painterdevice.h"
#include "imagelib/stretchdrawdib.h"
#include "ui/mainform.h"
#include "ui/pageframe.h"
#include "ui/paintbox.h"

namespace tessora {
namespace {

// Enter on the file list acts like a double-click. While an item name is being edited the keys
// go to the editor, not to the list, so renaming keeps its Enter.
class EnterKeyFilter : public QObject {
  public:
    EnterKeyFilter(TMainForm* form, QListView* list) : QObject(list), form_(form), list_(list) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched == list_) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                return form_->JamShellList1KeyPress(13);
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    TMainForm* form_;
    QListView* list_;
};

QStringList nameFiltersOfMask(const QString& mask) {
    QStringList filters;
    for (const QString& pattern : mask.split(u';', Qt::SkipEmptyParts)) {
        // "*.*" means every file here, also those without a dot.
        filters << (pattern.trimmed() == QLatin1String("*.*") ? QStringLiteral("*")
                                                              : pattern.trimmed());
    }
    return filters.isEmpty() ? QStringList{QStringLiteral("*")} : filters;
}

void fillFilterBox(QComboBox* box, const QString& filter) {
    const QStringList parts = filter.split(u'|');
    for (int i = 0; i + 1 < parts.size(); i += 2)
        box->addItem(parts[i], parts[i + 1]);
}

}  // namespace

QWidget* TMainForm::buildLoadPage() {
    const PageParts parts =
        MakePage(QStringLiteral("Motiv laden - Suchen sie die Grafikdatei mit dem Muster und "
                                "öffnen Sie diese per Doppelklick"),
                 QString(), 0);
    auto* layout = new QHBoxLayout(parts.body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal);

    auto* browser = new QWidget;
    auto* browserLayout = new QVBoxLayout(browser);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    auto* browserSplitter = new QSplitter(Qt::Vertical);

    folderModel = new QFileSystemModel(this);
    folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folderModel->setRootPath(QDir::rootPath());
    JamShellTree1 = new QTreeView;
    JamShellTree1->setObjectName(QStringLiteral("JamShellTree1"));
    JamShellTree1->setModel(folderModel);
    JamShellTree1->setHeaderHidden(true);
    JamShellTree1->setSortingEnabled(true);
    JamShellTree1->sortByColumn(0, Qt::AscendingOrder);
    for (int column = 1; column < folderModel->columnCount(); ++column)
        JamShellTree1->hideColumn(column);
    QFont treeFont(QStringLiteral("DejaVu Sans"));
    treeFont.setPixelSize(12);
    JamShellTree1->setFont(treeFont);

    fileModel = new QFileSystemModel(this);
    fileModel->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDot);
    fileModel->setNameFilterDisables(false);
    fileModel->setReadOnly(false);  // F2 renames, as in a file manager
    // Folders first, then files by name; a folder's entries arrive in the background.
    connect(fileModel, &QFileSystemModel::directoryLoaded, this, [this] { fileModel->sort(0); });
    JamShellList1 = new QListView;
    JamShellList1->setObjectName(QStringLiteral("JamShellList1"));
    JamShellList1->setModel(fileModel);
    JamShellList1->setEditTriggers(QAbstractItemView::EditKeyPressed);
    JamShellList1->installEventFilter(new EnterKeyFilter(this, JamShellList1));
    connect(JamShellList1, &QListView::doubleClicked, this, [this] { JamShellList1DblClick(); });
    connect(JamShellTree1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) ShowFolderInFileList(folderModel->filePath(current));
            });

    browserSplitter->addWidget(JamShellTree1);
    browserSplitter->addWidget(JamShellList1);
    browserSplitter->setSizes({185, 200});
    FilterComboBox1 = new QComboBox;
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->setToolTip(
        QStringLiteral("Hier können Sie die angezeigten Dateitypen wählen"));
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this,
            [this] { FilterComboBox1Change(); });
    browserLayout->addWidget(browserSplitter, 1);
    browserLayout->addWidget(FilterComboBox1);
    browser->setMinimumWidth(200);

    auto* previewSide = new QWidget;
    auto* previewLayout = new QVBoxLayout(previewSide);
    previewLayout->setContentsMargins(4, 4, 4, 4);
    previewLayout->addWidget(new QLabel(QStringLiteral("Preview:")));
    auto* sunken = new QFrame;
    sunken->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sunken->setBackgroundRole(QPalette::Dark);
    sunken->setAutoFillBackground(true);
    auto* sunkenLayout = new QVBoxLayout(sunken);
    sunkenLayout->setContentsMargins(2, 2, 2, 2);
    DibPrevPaint = new PaintBox;
    DibPrevPaint->setObjectName(QStringLiteral("DibPrevPaint"));
    DibPrevPaint->setToolTip(QStringLiteral("Zeigt eine Vorschau des geladenen Bildes"));
    DibPrevPaint->onPaint = [this](QPainter& canvas, const QRect&) { DibPrevPaintPaint(canvas); };
    sunkenLayout->addWidget(DibPrevPaint);
    previewLayout->addWidget(sunken, 1);

    splitter->addWidget(browser);
    splitter->addWidget(previewSide);
    splitter->setSizes({373, 380});
    layout->addWidget(splitter);
    return parts.page;
}

void TMainForm::SetOpenFilter(const QString& filter) {
    FilterComboBox1->clear();
    fillFilterBox(FilterComboBox1, filter);
    FilterComboBox1->setCurrentIndex(FilterComboBox1->count() > 0 ? 0 : -1);
    FilterComboBox1Change();
}

void TMainForm::RevealFolder(const QString& folder) {
    for (QModelIndex index = folderModel->index(QDir(folder).absolutePath()); index.isValid();
         index = index.parent()) {
        JamShellTree1->expand(index);
    }
}

void TMainForm::SelectFolder(const QString& folder) {
    const QModelIndex index = folderModel->index(QDir(folder).absolutePath());
    if (!index.isValid()) return;
    RevealFolder(QDir::homePath());  // the home folder stays one click away
    JamShellTree1->setCurrentIndex(index);
    JamShellTree1->scrollTo(index);
    JamShellTree1->expand(index);
    ShowFolderInFileList(folderModel->filePath(index));
}

void TMainForm::ShowFolderInFileList(const QString& folder) {
    // An unreadable folder simply shows as empty.
    JamShellList1->setRootIndex(fileModel->setRootPath(folder));
}

QString TMainForm::FileListFolder() const {
    return fileModel->rootPath();
}

void TMainForm::FilterComboBox1Change() {
    const QString mask = FilterComboBox1->currentIndex() < 0
                             ? QStringLiteral("*.*")
                             : FilterComboBox1->currentData().toString();
    fileModel->setNameFilters(nameFiltersOfMask(mask));
}

void TMainForm::JamShellList1DblClick() {
    const QModelIndex current = JamShellList1->currentIndex();
    if (!current.isValid()) return;
    if (fileModel->isDir(current)) {
        // The list's "default" command on a folder: open it in place; ".." goes one level up.
        const QString folder = QDir::cleanPath(fileModel->filePath(current));
        SelectFolder(folder);
        return;
    }
    openfilenow(fileModel->filePath(current));
}

bool TMainForm::JamShellList1KeyPress(int key) {
    if (key != 13) return false;
    JamShellList1DblClick();
    return true;
}

void TMainForm::openfilenow(const QString& s) {
    dib t{};
    const ImageError error = OpenDib(&t, s, 0, [this](int percent) { WMUser(percent); });
    if (error == ImageError::None && t.poi != nullptr) {
        AcceptLoadedPicture(t);
        return;
    }
    const QString reason = DibErrorText(t);
    const QString m =
        QStringLiteral("Fehler: Die Datei ") + s + QStringLiteral(" konnte nicht geladen werden!");
    const bool longReason = reason.size() >= 6;
    QMessageBox box(QMessageBox::NoIcon, longReason ? m : QStringLiteral("Fehler"),
                    longReason ? reason : m, QMessageBox::Ok, this);
    box.exec();
}

void TMainForm::AcceptLoadedPicture(const dib& t) {
    replaceSourcePicture(*this, t);
    ShowPictureInfo();
    maschenedChange();
    DibPrevPaint->repaint();
}

QRect TMainForm::PreviewRect(int w, int h) const {
    const int dw = DibWidth(di);
    const int dh = DibHeight(di);
    if (dw <= 0 || dh <= 0) return QRect();
    const int c = static_cast<int>(static_cast<std::int64_t>(w) * dh / dw);
    if (c > h) {
        w = static_cast<int>(static_cast<std::int64_t>(h) * dw / dh);
    } else {
        h = c;
    }
    return QRect(0, 0, w, h);
}

void TMainForm::DibPrevPaintPaint(QPainter& canvas) {
    const QRect target = PreviewRect(DibPrevPaint->width(), DibPrevPaint->height());
    if (target.isEmpty()) return;
    PainterDevice device(canvas, DeviceKind::Widget);
    StretchDrawDib(device, 0, 0, target.width(), target.height(), di, 0, 0, DibWidth(di),
                   DibHeight(di), true, kSrcCopy);
}

}  // namespace tessora
