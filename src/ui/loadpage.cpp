#include "ui/loadpage.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
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
#include <utility>

#include "engine/calculate.h"
#include "engine/project.h"
#include "imagelib/imagelib.h"
#include "imagelib/painterdevice.h"
#include "imagelib/stretchdrawdib.h"
#include "ui/busycursor.h"
#include "ui/pageframe.h"
#include "ui/paintbox.h"

namespace tessora {
namespace {

// Enter on the file list acts like a double-click. While an item name is being edited the keys
// go to the editor, not to the list, so renaming keeps its Enter.
class EnterKeyFilter : public QObject {
  public:
    EnterKeyFilter(LoadPage* page, QListView* list) : QObject(list), page_(page), list_(list) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched == list_) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                page_->openCurrentEntry();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    LoadPage* page_;
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

LoadPage::LoadPage(Document& document, AlphaPlane& pictureAlpha, QWidget* parent)
    : QWidget(parent), document_(document), pictureAlpha_(pictureAlpha) {
    QWidget* body = MakePageFrame(this,
                                  tr("Motiv laden - Suchen sie die Grafikdatei mit dem Muster und "
                                     "öffnen Sie diese per Doppelklick"),
                                  QString(), 0);
    auto* layout = new QHBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(buildBrowser());
    splitter->addWidget(buildPreview());
    splitter->setSizes({373, 380});
    layout->addWidget(splitter);
    setFileTypes(GetDIBOpenFilter());
}

QWidget* LoadPage::buildBrowser() {
    auto* browser = new QWidget;
    auto* browserLayout = new QVBoxLayout(browser);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    auto* browserSplitter = new QSplitter(Qt::Vertical);

    folderModel = new QFileSystemModel(this);
    folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folderModel->setRootPath(QDir::rootPath());
    folderTree = new QTreeView;
    folderTree->setObjectName(QStringLiteral("folderTree"));
    folderTree->setModel(folderModel);
    folderTree->setHeaderHidden(true);
    folderTree->setSortingEnabled(true);
    folderTree->sortByColumn(0, Qt::AscendingOrder);
    for (int column = 1; column < folderModel->columnCount(); ++column)
        folderTree->hideColumn(column);
    QFont treeFont(QStringLiteral("DejaVu Sans"));
    treeFont.setPixelSize(12);
    folderTree->setFont(treeFont);

    fileModel = new QFileSystemModel(this);
    fileModel->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDot);
    fileModel->setNameFilterDisables(false);
    fileModel->setReadOnly(false);  // F2 renames, as in a file manager
    // Folders first, then files by name; a folder's entries arrive in the background.
    connect(fileModel, &QFileSystemModel::directoryLoaded, this, [this] { fileModel->sort(0); });
    fileList = new QListView;
    fileList->setObjectName(QStringLiteral("fileList"));
    fileList->setModel(fileModel);
    fileList->setEditTriggers(QAbstractItemView::EditKeyPressed);
    fileList->installEventFilter(new EnterKeyFilter(this, fileList));
    connect(fileList, &QListView::doubleClicked, this, &LoadPage::openCurrentEntry);
    connect(folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) showFolderInFileList(folderModel->filePath(current));
            });

    browserSplitter->addWidget(folderTree);
    browserSplitter->addWidget(fileList);
    browserSplitter->setSizes({185, 200});
    fileTypeBox = new QComboBox;
    fileTypeBox->setObjectName(QStringLiteral("fileTypeBox"));
    fileTypeBox->setToolTip(tr("Hier können Sie die angezeigten Dateitypen wählen"));
    connect(fileTypeBox, &QComboBox::currentIndexChanged, this, &LoadPage::onFileTypeChanged);
    browserLayout->addWidget(browserSplitter, 1);
    browserLayout->addWidget(fileTypeBox);
    browser->setMinimumWidth(200);
    return browser;
}

QWidget* LoadPage::buildPreview() {
    auto* previewSide = new QWidget;
    auto* previewLayout = new QVBoxLayout(previewSide);
    previewLayout->setContentsMargins(4, 4, 4, 4);
    previewLayout->addWidget(new QLabel(tr("Preview:")));
    auto* sunken = new QFrame;
    sunken->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sunken->setBackgroundRole(QPalette::Dark);
    sunken->setAutoFillBackground(true);
    auto* sunkenLayout = new QVBoxLayout(sunken);
    sunkenLayout->setContentsMargins(2, 2, 2, 2);
    preview = new PaintBox;
    preview->setObjectName(QStringLiteral("preview"));
    preview->setToolTip(tr("Zeigt eine Vorschau des geladenen Bildes"));
    preview->onPaint = [this](QPainter& canvas, const QRect&) { paintPreview(canvas); };
    sunkenLayout->addWidget(preview);
    previewLayout->addWidget(sunken, 1);
    return previewSide;
}

void LoadPage::setFileTypes(const QString& filter) {
    fileTypeBox->clear();
    fillFilterBox(fileTypeBox, filter);
    // Projects are listed beside the pictures of the first (every picture) entry.
    if (fileTypeBox->count() > 0) {
        fileTypeBox->setItemData(0, fileTypeBox->itemData(0).toString() + QStringLiteral(";*.") +
                                        QLatin1String(kProjectSuffix));
    }
    fileTypeBox->setCurrentIndex(fileTypeBox->count() > 0 ? 0 : -1);
    onFileTypeChanged();
}

void LoadPage::revealFolder(const QString& folder) {
    for (QModelIndex index = folderModel->index(QDir(folder).absolutePath()); index.isValid();
         index = index.parent()) {
        folderTree->expand(index);
    }
}

void LoadPage::selectFolder(const QString& folder) {
    const QModelIndex index = folderModel->index(QDir(folder).absolutePath());
    if (!index.isValid()) return;
    revealFolder(QDir::homePath());  // the home folder stays one click away
    folderTree->setCurrentIndex(index);
    folderTree->scrollTo(index);
    folderTree->expand(index);
    showFolderInFileList(folderModel->filePath(index));
}

void LoadPage::showFolderInFileList(const QString& folder) {
    // An unreadable folder simply shows as empty.
    fileList->setRootIndex(fileModel->setRootPath(folder));
    // The model keeps the folder left behind, and with it the old current item: type-ahead,
    // Enter and double-click would act on a folder no longer shown.
    fileList->setCurrentIndex(QModelIndex());
    fileList->selectionModel()->clearSelection();
    fileList->scrollToTop();
}

QString LoadPage::fileListFolder() const {
    return fileModel->rootPath();
}

void LoadPage::onFileTypeChanged() {
    const QString mask = fileTypeBox->currentIndex() < 0 ? QStringLiteral("*.*")
                                                         : fileTypeBox->currentData().toString();
    fileModel->setNameFilters(nameFiltersOfMask(mask));
}

void LoadPage::openCurrentEntry() {
    const QModelIndex current = fileList->currentIndex();
    if (!current.isValid()) return;
    if (fileModel->isDir(current)) {
        // The list's "default" command on a folder: open it in place; ".." goes one level up.
        const QString folder = QDir::cleanPath(fileModel->filePath(current));
        selectFolder(folder);
        return;
    }
    const QString path = fileModel->filePath(current);
    if (QFileInfo(path).suffix().compare(QLatin1String(kProjectSuffix), Qt::CaseInsensitive) == 0) {
        emit projectChosen(path);
        return;
    }
    openPicture(path);
}

void LoadPage::openPicture(const QString& path) {
    dib picture{};
    AlphaPlane alpha;
    ImageError error = ImageError::None;
    emit aboutToLoad();
    {
        const BusyCursor busy;
        emit taskChanged(tr("Lade Bild …"));
        error = OpenDibWithAlpha(&picture, &alpha, path,
                                 [this](int percent) { emit progressed(percent); });
        emit taskChanged(QString());
    }
    if (error == ImageError::None && picture.poi != nullptr) {
        acceptLoadedPicture(picture, std::move(alpha));
        return;
    }
    const QString reason = DibErrorText(picture);
    const QString caption = tr("Fehler: Die Datei %1 konnte nicht geladen werden!").arg(path);
    // A short reason says too little to stand alone; the file caption is then the message.
    const bool longReason = reason.size() >= 6;
    QMessageBox box(QMessageBox::NoIcon, longReason ? caption : tr("Fehler"),
                    longReason ? reason : caption, QMessageBox::Ok, this);
    box.exec();
}

void LoadPage::acceptLoadedPicture(const dib& picture, AlphaPlane alpha) {
    replaceSourcePicture(document_, picture);
    pictureAlpha_ = std::move(alpha);
    emit pictureLoaded();
    preview->repaint();
}

QRect LoadPage::previewRect(int w, int h) const {
    const int dw = DibWidth(document_.di);
    const int dh = DibHeight(document_.di);
    if (dw <= 0 || dh <= 0) return QRect();
    const int c = static_cast<int>(static_cast<std::int64_t>(w) * dh / dw);
    if (c > h) {
        w = static_cast<int>(static_cast<std::int64_t>(h) * dw / dh);
    } else {
        h = c;
    }
    return QRect(0, 0, w, h);
}

void LoadPage::paintPreview(QPainter& canvas) {
    const QRect target = previewRect(preview->width(), preview->height());
    if (target.isEmpty()) return;
    PainterDevice device(canvas, DeviceKind::Widget);
    StretchDrawDib(device, 0, 0, target.width(), target.height(), document_.di, 0, 0,
                   DibWidth(document_.di), DibHeight(document_.di), true, kSrcCopy);
}

}  // namespace tessora
