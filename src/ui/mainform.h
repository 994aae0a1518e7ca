#pragma once
// The main window. It is the document (it derives from Document) and holds the user's choices
// in its controls; its handlers read the controls and call the engine.

#include <QColor>
#include <QMainWindow>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "engine/document.h"
#include "engine/engineerror.h"
#include "ui/beadedit.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QTreeView;

namespace tessora {

class PaintBox;
class ProgressPanel;
class ScrolledView;
class ViewScrollBox;
struct EditViewLayout;

class TMainForm : public QMainWindow, public Document {
    Q_OBJECT
  public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- document life and the calculate command
    void FormCreate();
    void FormDestroy();
    void RenderBtnClick();
    void RenderDib();
    // Selected catalogue colours, read from CheckListBox1.
    std::array<bool, 64> SelectedColors() const;
    // A German message box for an engine command that could not do all of its work.
    void ShowEngineError(EngineError error);

    // --- progress bar in the status bar
    void SetProStatus(int pro);
    void SetProSatus(int pro) { SetProStatus(pro); }
    void WMUser(int wparam) { SetProStatus(wparam); }
    void SBarPaintMore();
    void StatusBar1DrawPanel(QPainter& canvas, const QRect& rect);
    // Right end (exclusive) of the navy part of the bar in `rect`.
    int DonePartRight(const QRect& rect) const;

    // --- page "Motiv laden" and "Größe"
    void openfilenow(const QString& s);
    void AcceptLoadedPicture(const dib& t);
    void JamShellList1DblClick();
    bool JamShellList1KeyPress(int key);
    void FilterComboBox1Change();
    void DibPrevPaintPaint(QPainter& canvas);
    void maschenedChange();
    void reihenedChange();
    void ShowPictureInfo();
    // File browser plumbing.
    void SetOpenFilter(const QString& filter);
    void SelectFolder(const QString& folder);
    void RevealFolder(const QString& folder);
    void ShowFolderInFileList(const QString& folder);
    QString FileListFolder() const;
    // Where the preview draws the picture inside a w x h box: top-left, aspect kept, as large as
    // fits.
    QRect PreviewRect(int w, int h) const;

    // --- page "Berechnen": the edit view and the colour picker. Mouse positions of the edit
    // view are view coordinates (viewport position plus scroll position).
    void PaintBox2Paint();
    // Paints one frame of the edit view: `exposed` in painter coordinates, whose (0, 0) shows
    // the view point `origin`.
    void PaintBox2Draw(QPainter& canvas, const QRect& exposed, QPoint origin);
    void PaintBox2MouseDown(QPoint point);
    void PaintBox2MouseMove(QPoint point);
    void PaintBox2MouseUp(QPoint point);
    void PaintBox3Paint(QPainter& canvas);
    void PaintBox3MouseDown(QPoint point);
    void EditModeCheckClick();
    EditViewLayout currentEditViewLayout() const;
    // Bead edits back to the last calculation; each press-and-drag stroke is one step.
    void undoBeadEdit();
    void redoBeadEdit();

    // --- page "Ergebnis verarbeiten": the result view, as the edit view
    void ErgPaintBoxPaint();
    void ErgPaintBoxDraw(QPainter& canvas, const QRect& exposed, QPoint origin);
    void ErgPaintBoxMouseDown(QPoint point);
    void ErgPaintBoxMouseMove(QPoint point);
    void ErgPaintBoxMouseUp(QPoint point);
    void ZoomEdChange();

    // --- page change
    void PageControl2Change();

    // --- page "Ergebnis verarbeiten": saving
    void SaveAsBtnClick();
    QFileDialog* SaveDialog1 =
        nullptr;  // lives with the window: offers the last name and type again

    // --- page "Ergebnis verarbeiten": printing
    void PrintBtnClick();
    std::unique_ptr<QPrinter> printer;  // the printer chosen in the print dialog, for the whole run

    // --- page "Farben"
    void PaintBox1Paint(QPainter& canvas);
    void PaintBox1MouseDown(QPoint point);
    void PaintBox1MouseMove(QPoint point);
    void BitBtnXP1Click();
    void BitBtnXP2Click();
    void SaveColorBtnClick();
    void OpenColorBtnClick();
    void SaveSettings(const QString& fname);
    void OpenSettings(const QString& fname);
    // The colour dialog of a swatch click; tests may answer it instead of a person.
    std::function<std::optional<QColor>(const QColor& preset)> chooseColor;

    // --- closing
    bool FormCloseQuery();

    // --- bottom bar; mouse positions are relative to the normal picture
    void wwwBtnClick();
    void EndeBtnClick();
    void EndeBtnMouseDown();
    void EndeBtnMouseMove(QPoint pos);
    void EndeBtnMouseUp();
    void ueberbtnClick();
    void ueberBtn2Click() { ueberbtnClick(); }
    void ueberbtnMouseDown();
    void ueberbtnMouseMove(QPoint pos);
    void ueberbtnMouseUp();

    // Controls. Names follow the window's design so every handler reads as its control.
    QTabWidget* PageControl2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    ProgressPanel* progressPanel = nullptr;

    // page 0 "Motiv laden"
    QTreeView* JamShellTree1 = nullptr;
    QListView* JamShellList1 = nullptr;
    QFileSystemModel* folderModel = nullptr;
    QFileSystemModel* fileModel = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    PaintBox* DibPrevPaint = nullptr;

    // page 1 "Größe"
    QLineEdit* Breit = nullptr;
    QLineEdit* Hoch = nullptr;
    QLineEdit* tief = nullptr;
    QSpinBox* maschened = nullptr;
    QSpinBox* reihened = nullptr;
    QCheckBox* sverhCheck = nullptr;

    // page 2 "Farben"
    PaintBox* PaintBox1 = nullptr;
    QLabel* InfoLabel = nullptr;
    QPushButton* OpenColorBtn = nullptr;
    QPushButton* SaveColorBtn = nullptr;
    QRadioButton* NearCheck = nullptr;
    QRadioButton* FSErrCheck = nullptr;
    QPushButton* BitBtnXP1 = nullptr;
    QPushButton* BitBtnXP2 = nullptr;
    QListWidget* CheckListBox1 = nullptr;

    // page 3 "Berechnen"
    QPushButton* BitBtn3 = nullptr;
    QCheckBox* EditModeCheck = nullptr;
    QWidget* Panel43 = nullptr;
    PaintBox* PaintBox3 = nullptr;
    ViewScrollBox* ScrollBox1 = nullptr;
    ScrolledView* PaintBox2 = nullptr;  // the view inside ScrollBox1
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;

    // page 4 "Ergebnis verarbeiten"
    QSpinBox* ZoomEd = nullptr;
    ViewScrollBox* ErgScrollBox = nullptr;
    ScrolledView* ErgPaintBox = nullptr;  // the view inside ErgScrollBox
    QPushButton* SaveAsBtn = nullptr;
    QPushButton* PrintBtn = nullptr;

    // page 5 "Statistik"
    QPlainTextEdit* Memo1 = nullptr;

    // bottom bar
    QToolButton* wwwBtn = nullptr;
    QLabel* ueberbtn = nullptr;
    QLabel* ueberBtn2 = nullptr;
    QLabel* EndeBtn = nullptr;
    QLabel* EndeBtnDown = nullptr;

    // Window state of the handlers.
    bool init = false;
    std::int32_t StatusPosition = 0;
    QRect sbrect;
    bool inEndeBtn = false;
    bool inUeberBtn = false;
    bool ziehen = false;
    bool ziehen2 = false;
    std::int32_t ziehx = 0, ziehy = 0, ziehx2 = 0, ziehy2 = 0;
    BeadEditHistory beadHistory;
    std::optional<QPoint> strokePointer;  // last pointer position of a painting stroke

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Positions of the pages, in the order buildWindow adds them.
    static constexpr int kRenderPage = 3;
    static constexpr int kResultPage = 4;

    void buildWindow();
    QWidget* buildLoadPage();
    QWidget* buildSizePage();
    QWidget* buildColorPage();
    QWidget* buildRenderPage();
    QWidget* buildResultPage();
    QWidget* buildStatisticsPage();
    QWidget* buildBottomBar();
    void buildStatusBar();
    void buildEditView();
    void buildColourPicker();
    void buildUndoActions();
    void buildResultView();
    void paintBeadsAlong(QPoint from, QPoint to);
    // Paints a bead in the picked colour; true when that changed it.
    bool paintBead(QPoint bead);
    void showBeadEdits();
    void endBeadStroke();
    void updateUndoActions();
};

}  // namespace tessora
