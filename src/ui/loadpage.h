#pragma once
// Page "Motiv laden": folder tree, file list with the file-type box, and the preview; loading
// a picture into the document.

#include <QWidget>

#include "engine/document.h"
#include "imagelib/alphaplane.h"

class QComboBox;
class QFileSystemModel;
class QListView;
class QTreeView;

namespace tessora {

class PaintBox;

class LoadPage : public QWidget {
    Q_OBJECT
  public:
    // A loaded picture's opacity goes to `pictureAlpha` (empty for a picture without alpha).
    LoadPage(Document& document, AlphaPlane& pictureAlpha, QWidget* parent = nullptr);

    // Loads the picture at `path` with its alpha into the document, or says in a message box
    // why not.
    void openPicture(const QString& path);
    void acceptLoadedPicture(const dib& picture, AlphaPlane alpha = {});
    // Double-click or Enter on the file list: a folder opens in place, a file is loaded.
    void openCurrentEntry();
    void selectFolder(const QString& folder);
    QString fileListFolder() const;
    // Where the preview draws the picture inside a w x h box: top-left, aspect kept, as large
    // as fits.
    QRect previewRect(int w, int h) const;
    // The file-type box from a filter text of description|mask pairs; the first is chosen.
    void setFileTypes(const QString& filter);

    QTreeView* folderTree = nullptr;
    QListView* fileList = nullptr;
    QFileSystemModel* folderModel = nullptr;
    QFileSystemModel* fileModel = nullptr;
    QComboBox* fileTypeBox = nullptr;
    PaintBox* preview = nullptr;

  signals:
    // A picture is about to be read; memory that can be had back later may be released.
    void aboutToLoad();
    // The document holds a new source picture.
    void pictureLoaded();
    void progressed(int percent);
    // What the page is busy with, for the status bar; empty when it is done.
    void taskChanged(const QString& text);
    // A project file was double-clicked; the window opens it.
    void projectChosen(const QString& path);

  private:
    QWidget* buildBrowser();
    QWidget* buildPreview();
    void revealFolder(const QString& folder);
    void showFolderInFileList(const QString& folder);
    void onFileTypeChanged();
    void paintPreview(QPainter& canvas);

    Document& document_;
    AlphaPlane& pictureAlpha_;
};

}  // namespace tessora
