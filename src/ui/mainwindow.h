#pragma once
// The main window. It only composes: it holds the document, builds the pages, the bottom bar and
// the status bar, and wires their signals together. The pages never see one another; whatever
// one page's work means for another passes through here.

#include <QMainWindow>

#include "engine/document.h"
#include "engine/engineerror.h"
#include "imagelib/alphaplane.h"

class QTabWidget;

namespace tessora {

class BottomBar;
class CalculatePage;
class ColourPage;
class LoadPage;
class ProgressStatusBar;
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
    bool confirmClose();
    // A German message box for an engine command that could not do all of its work.
    void showEngineError(EngineError error);
};

}  // namespace tessora
