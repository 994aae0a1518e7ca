#pragma once
// The main window. It only composes: it holds the document, builds the pages, the bottom bar and
// the status bar, and wires their signals together. The pages never see one another; whatever
// one page's work means for another passes through here.

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "engine/document.h"
#include "engine/engineerror.h"
#include "engine/project.h"
#include "imagelib/alphaplane.h"
#include "output/beadpattern.h"
#include "ui/documentcommands.h"

class QAction;
class QMenu;
class QTabWidget;
class QUndoStack;

namespace tessora {

class BottomBar;
class CalculatePage;
class ColourPage;
class LoadPage;
class ProgressStatusBar;
class RecoveryFile;
class ResultPage;
class SizePage;
class StatisticsPage;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Positions of the pages in the page control.
    static constexpr int kCalculatePage = 3;
    static constexpr int kResultPage = 4;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The calculate command: the controls of the size and colour pages into a new bead grid,
    // then the chart and the counts.
    void calculate();
    // Draws the chart of the current grid and counts its beads.
    void drawChart();
    // Releases the chart while its page is not shown; entering the page draws it again.
    void releaseHiddenChart();
    // The counts of each board on "Statistik", with the template dialog's board size.
    void showBoardCounts();

    // Project commands. Each reports failure in a German message box and leaves the open
    // document and any existing file as they were.
    bool openProjectFile(const QString& fileName);
    bool saveProjectTo(const QString& fileName);
    bool saveProjectFile();  // to the open project's file, or asks for one
    bool saveProjectAs();
    void chooseProjectToOpen();
    // What a project file of the window's present state holds; its images are borrowed.
    ProjectState currentProjectState() const;
    QString projectFile() const { return projectFile_; }

    // Writes the recovery file now (the autosave timer's work).
    void autosave();
    // At start: offers the work of a window that did not close ("Letzte Sitzung
    // wiederherstellen?"); true when it was restored.
    bool offerRecovery();
    // A file of either kind: projects open as projects, everything else as a picture.
    void openAnyFile(const QString& fileName);

    // The recovery file lives in `folder` (tests use their own).
    void setRecoveryFolder(const QString& folder);

    // Declared before the pages, which keep references to it.
    Document document;
    // The opacity of the loaded picture, empty for a picture without alpha; the calculation
    // leaves its transparent beads empty.
    AlphaPlane pictureAlpha;

    QTabWidget* pageTabs = nullptr;
    LoadPage* loadPage = nullptr;
    SizePage* sizePage = nullptr;
    ColourPage* colourPage = nullptr;
    CalculatePage* calculatePage = nullptr;
    ResultPage* resultPage = nullptr;
    StatisticsPage* statisticsPage = nullptr;
    BottomBar* bottomBar = nullptr;
    ProgressStatusBar* progressBar = nullptr;
    // Every change to the document is one step here; its clean state means "saved".
    QUndoStack* undoStack = nullptr;
    QAction* openProjectAction = nullptr;
    QAction* saveProjectAction = nullptr;
    QAction* saveProjectAsAction = nullptr;
    QMenu* recentProjectsMenu = nullptr;
    QTimer autosaveTimer;

  signals:
    // A new bead grid replaced the old one; edits of the old grid no longer apply.
    void patternChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildPages();
    void connectPages();
    void startUp();
    void onPageChanged(int index);
    // The bead grid at the size page's bead counts, as the chart shows it.
    BeadPattern currentPattern() const;
    bool confirmClose();
    // "Änderungen am Muster speichern?": true when the window may close.
    bool confirmCloseWithChanges(const QString& caption);
    void buildProjectActions();
    void fillRecentProjectsMenu();
    void applyProjectState(ProjectState& state);
    void adoptProjectFile(const QString& fileName);
    void showProjectError(ProjectError error, const QString& fileName);
    void updateTitle();
    void onUndoStackChanged();
    ColourChoices currentColourChoices() const;
    void applyColourChoices(const ColourChoices& choices);
    void onColoursChanged();
    void onRangeChanged();
    void recordColourChange();
    void showRestoredGrid();

    QString projectFile_;
    std::unique_ptr<RecoveryFile> recovery_;
    ColourChoices lastColours_;
    bool applyingColours_ = false;
    bool colourChangePending_ = false;
    // A German message box for an engine command that could not do all of its work.
    void showEngineError(EngineError error);
};

}  // namespace tessora
