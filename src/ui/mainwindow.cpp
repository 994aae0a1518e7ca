#include "ui/mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "engine/datapaths.h"
#include "imagelib/drawmessage.h"
#include "imagelib/imagelib.h"
#include "imagelib/qtdecodecost.h"
#include "output/bookchoices.h"
#include "ui/artwork.h"
#include "ui/bottombar.h"
#include "ui/busycursor.h"
#include "ui/calculatepage.h"
#include "ui/colourpage.h"
#include "ui/filedialogfolders.h"
#include "ui/firststart.h"
#include "ui/loadpage.h"
#include "ui/matchingoptions.h"
#include "ui/progressbar.h"
#include "ui/recentprojects.h"
#include "ui/recoveryfile.h"
#include "ui/resultpage.h"
#include "ui/sizepage.h"
#include "ui/statisticspage.h"

namespace tessora {
namespace {

// Room for the chart beside the source picture, which stays for the next calculation: the two
// together take no more than a load may (a 16000 x 16000 picture and the chart of 1000 x 1000
// beads would take 1.45 GB).
std::uint64_t chartRoom(const dib& picture, const AlphaPlane& alpha) {
    const std::uint64_t held =
        (picture.pmi == nullptr ? 0 : std::uint64_t{picture.pmi->biSizeImage}) + alpha.alpha.size();
    const std::uint64_t budget = LoadMemoryBudget();
    return held < budget ? budget - held : 0;
}

QString engineErrorMessage(EngineError error) {
    switch (error) {
        case EngineError::None:
            return QString();
        case EngineError::NoPicture:
            return MainWindow::tr(
                "Es ist kein Bild geladen, aus dem ein Muster berechnet werden könnte.");
        case EngineError::OutOfMemory:
            return MainWindow::tr(
                "Nicht genügend Arbeitsspeicher! Das Bild konnte nicht angelegt werden. "
                "Versuchen Sie es mit weniger Perlen.");
    }
    return QString();
}

bool anyTicked(const QList<bool>& selection) {
    return std::find(selection.begin(), selection.end(), true) != selection.end();
}

// A finished change reaches the recovery file within this time.
constexpr int kAutosaveDelayMs = 5000;

bool isProjectFile(const QString& fileName) {
    return QFileInfo(fileName).suffix().compare(QLatin1String(kProjectSuffix),
                                                Qt::CaseInsensitive) == 0;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowIcon(ProgramIcon());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setAcceptDrops(true);
    // The drawing routine's rare messages: no caption of their own, just OK.
    setDrawMessageHandler([](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok);
        box.exec();
    });
    undoStack = new QUndoStack(this);
    recovery_ = std::make_unique<RecoveryFile>();
    autosaveTimer.setSingleShot(true);
    autosaveTimer.setInterval(kAutosaveDelayMs);
    connect(&autosaveTimer, &QTimer::timeout, this, &MainWindow::autosave);
    buildPages();
    connectPages();
    buildProjectActions();
    resize(764, 541);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    startUp();
}

MainWindow::~MainWindow() {
    // The commands refer to the document; they go first.
    delete undoStack;
    undoStack = nullptr;
    recovery_->discard();
    FreeDocument(document);
}

void MainWindow::buildPages() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pageTabs = new QTabWidget;
    pageTabs->setObjectName(QStringLiteral("pageTabs"));
    loadPage = new LoadPage(document, pictureAlpha);
    sizePage = new SizePage(document);
    colourPage = new ColourPage(document);
    calculatePage = new CalculatePage(document);
    resultPage = new ResultPage(document);
    statisticsPage = new StatisticsPage(document.pal);
    const std::pair<QWidget*, int> pages[] = {{loadPage, 0},   {sizePage, 1},
                                              {colourPage, 2}, {calculatePage, 4},
                                              {resultPage, 3}, {statisticsPage, 5}};
    const char* captions[] = {QT_TR_NOOP("Motiv laden"),
                              QT_TR_NOOP("Größe"),
                              QT_TR_NOOP("Farben"),
                              QT_TR_NOOP("Berechnen"),
                              QT_TR_NOOP("Ergebnis verarbeiten"),
                              QT_TR_NOOP("Statistik")};
    for (int i = 0; i < 6; ++i) {
        pageTabs->addTab(pages[i].first, TabIcon(pages[i].second), tr(captions[i]));
    }
    bottomBar = new BottomBar;
    layout->addWidget(pageTabs, 1);
    layout->addWidget(bottomBar);
    setCentralWidget(central);
    progressBar = new ProgressStatusBar;
    setStatusBar(progressBar);
}

void MainWindow::connectPages() {
    connect(pageTabs, &QTabWidget::currentChanged, this, &MainWindow::onPageChanged);
    connect(loadPage, &LoadPage::progressed, progressBar, &ProgressStatusBar::setPercent);
    connect(resultPage, &ResultPage::progressed, progressBar, &ProgressStatusBar::setPercent);
    connect(loadPage, &LoadPage::taskChanged, progressBar, &ProgressStatusBar::setTask);
    connect(resultPage, &ResultPage::taskChanged, progressBar, &ProgressStatusBar::setTask);
    connect(loadPage, &LoadPage::pictureLoaded, sizePage, &SizePage::onPictureChanged);
    // Out of edit mode the edit view's size follows the size page.
    connect(sizePage, &SizePage::beadCountsChanged, calculatePage,
            &CalculatePage::setSizePageBeads);
    calculatePage->setSizePageBeads(sizePage->beadsWide(), sizePage->beadsHigh());
    connect(calculatePage, &CalculatePage::calculateRequested, this, &MainWindow::calculate);
    connect(this, &MainWindow::patternChanged, calculatePage, &CalculatePage::showNewGrid);
    connect(colourPage, &ColourPage::rangeChanged, this, &MainWindow::onRangeChanged);
    connect(bottomBar, &BottomBar::exitRequested, this, &QWidget::close);
    resultPage->currentPattern = [this] { return currentPattern(); };
    connect(resultPage, &ResultPage::templateChoicesChanged, this, &MainWindow::showBoardCounts);
    connect(loadPage, &LoadPage::projectChosen, this, &MainWindow::openProjectFile);
    connect(loadPage, &LoadPage::aboutToLoad, this, &MainWindow::releaseHiddenChart);
    calculatePage->setUndoStack(undoStack);
    connect(undoStack, &QUndoStack::indexChanged, this, &MainWindow::onUndoStackChanged);
    connect(undoStack, &QUndoStack::cleanChanged, this, &MainWindow::updateTitle);
    connect(colourPage, &ColourPage::coloursChanged, this, &MainWindow::onColoursChanged);
}

void MainWindow::buildProjectActions() {
    openProjectAction = new QAction(tr("Projekt öffnen…"), this);
    openProjectAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveProjectAction = new QAction(tr("Projekt speichern"), this);
    saveProjectAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveProjectAsAction = new QAction(tr("Projekt speichern unter…"), this);
    saveProjectAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    for (QAction* action : {openProjectAction, saveProjectAction, saveProjectAsAction}) {
        action->setToolTip(action->text() + QStringLiteral(" (") +
                           action->shortcut().toString(QKeySequence::NativeText) + u')');
        addAction(action);  // the keys work on every page
    }
    connect(openProjectAction, &QAction::triggered, this, &MainWindow::chooseProjectToOpen);
    connect(saveProjectAction, &QAction::triggered, this, &MainWindow::saveProjectFile);
    connect(saveProjectAsAction, &QAction::triggered, this, &MainWindow::saveProjectAs);
    QToolButton* openButton = bottomBar->addCommand(openProjectAction);
    recentProjectsMenu = new QMenu(openButton);
    openButton->setMenu(recentProjectsMenu);
    openButton->setPopupMode(QToolButton::MenuButtonPopup);
    connect(recentProjectsMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentProjectsMenu);
    bottomBar->addCommand(saveProjectAction);
    bottomBar->addCommand(saveProjectAsAction);
}

void MainWindow::fillRecentProjectsMenu() {
    recentProjectsMenu->clear();
    const QStringList recent = recentProjects();
    if (recent.isEmpty()) {
        recentProjectsMenu->addAction(tr("Keine zuletzt geöffneten Projekte"))->setEnabled(false);
    }
    for (const QString& file : recent) {
        recentProjectsMenu
            ->addAction(QFileInfo(file).fileName(), this, [this, file] { openProjectFile(file); })
            ->setToolTip(file);
    }
}

void MainWindow::startUp() {
    document.progpath = QCoreApplication::applicationDirPath();
    if (!document.progpath.endsWith(u'/')) document.progpath += u'/';
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tessora"));
    loadPage->selectFolder(
        LoadPageStartFolder(settings, DialogStartFolder(document.progpath), motifDir()));
    showEngineError(createStartImages(document));
    sizePage->onPictureChanged();
    document.pal = StartPalette();
    drawChart();
    calculate();
    // The start-up grid is where the work begins, not a change to it.
    undoStack->clear();
    autosaveTimer.stop();
    lastColours_ = currentColourChoices();
    updateTitle();
}

void MainWindow::calculate() {
    // The inputs only borrow the ticks, so they need a home of their own.
    const QList<bool> selection = colourPage->rangeTicks();
    CalculateInputs inputs{
        sizePage->beadsWide(), sizePage->beadsHigh(), colourPage->ditheringChosen() ? 1 : 0,
        std::span<const bool>(selection.constData(), static_cast<std::size_t>(selection.size()))};
    colourPage->matchingOptions->applyTo(inputs);
    inputs.alpha = &pictureAlpha;
    recordColourChange();  // the colours this calculation uses are a step before it
    GridSnapshot before(document);
    {
        const BusyCursor busy;
        progressBar->setTask(tr("Berechne …"));
        const EngineError error =
            calculatePattern(document, inputs, [this](int pro) { progressBar->setPercent(pro); });
        if (error != EngineError::None) {
            progressBar->setTask(QString());
            showEngineError(error);
            return;
        }
        emit patternChanged();
        drawChart();
        colourPage->showChosenColours();
        progressBar->setTask(QString());
    }
    undoStack->push(
        new CalculationCommand(document, std::move(before), [this] { showRestoredGrid(); }));
    // The engine falls back to the first colour; the result stays, but the user should know.
    if (!anyTicked(selection)) {
        progressBar->showNote(
            tr("Keine Farbe ausgewählt: es wurde Farbe %1 verwendet.")
                .arg(QString::fromStdString(document.range.colors.front().number)));
    }
}

void MainWindow::showRestoredGrid() {
    emit patternChanged();
    drawChart();
    colourPage->showChosenColours();
}

void MainWindow::onRangeChanged() {
    // The grid is made again in the new range's colours; switching and recalculating are one
    // step, so an undo never leaves a grid numbered in another range.
    undoStack->beginMacro(tr("Perlensortiment"));
    calculate();
    undoStack->endMacro();
}

void MainWindow::drawChart() {
    BeadCounts counts{};
    const EngineError error = tessora::drawChart(
        document.di3, sizePage->beadsWide(), sizePage->beadsHigh(), document.notfoundis,
        document.rdi, counts, document.range, chartRoom(document.di, pictureAlpha));
    statisticsPage->showCounts(counts, document.range);
    showBoardCounts();
    resultPage->showNewChart();
    showEngineError(error);
}

// The largest chart takes 681 MB, which a picture being loaded or a project being opened may
// need more.
void MainWindow::releaseHiddenChart() {
    if (pageTabs->currentIndex() != kResultPage) FreeDib(document.rdi);
}

BeadPattern MainWindow::currentPattern() const {
    return beadPatternOf(document.di3, sizePage->beadsWide(), sizePage->beadsHigh(),
                         document.notfoundis, document.range);
}

void MainWindow::showBoardCounts() {
    const BeadPattern pattern = currentPattern();
    const BookOptions book = loadBookChoices().options;
    statisticsPage->showBoardCounts(
        pattern, tileBoards(pattern.wide, pattern.high, book.boardWide, book.boardHigh));
}

void MainWindow::onPageChanged(int index) {
    calculatePage->setOnScreen(index == kCalculatePage);
    // Bead edits reach the chart and the counts when the chart comes into view.
    if (index == kResultPage) drawChart();
}

void MainWindow::showEngineError(EngineError error) {
    if (error == EngineError::None) return;
    QMessageBox::warning(this, tr("Fehler"), engineErrorMessage(error));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    // A dropped picture is loaded as if double-clicked in the file list.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            openAnyFile(url.toLocalFile());
            return;
        }
    }
}

void MainWindow::openAnyFile(const QString& fileName) {
    if (isProjectFile(fileName)) {
        openProjectFile(fileName);
    } else {
        loadPage->openPicture(fileName);
    }
}

bool MainWindow::confirmClose() {
    QMessageBox box(
        QMessageBox::Information, tr("Programm beenden"),
        tr("Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!"),
        QMessageBox::Ok | QMessageBox::Cancel, this);
    return box.exec() == QMessageBox::Ok;
}

bool MainWindow::confirmCloseWithChanges(const QString& caption) {
    QMessageBox box(QMessageBox::Question, caption, tr("Änderungen am Muster speichern?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(tr("Speichern"));
    box.button(QMessageBox::Discard)->setText(tr("Verwerfen"));
    box.button(QMessageBox::Cancel)->setText(tr("Abbrechen"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Discard:
            return true;
        case QMessageBox::Save:
            return saveProjectFile();
        default:
            return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const bool close =
        undoStack->isClean() ? confirmClose() : confirmCloseWithChanges(tr("Programm beenden"));
    if (close) {
        autosaveTimer.stop();
        recovery_->discard();
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tessora
