#include "ui/mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "imagelib/drawmessage.h"
#include "imagelib/imagelib.h"
#include "ui/artwork.h"
#include "ui/bottombar.h"
#include "ui/busycursor.h"
#include "ui/calculatepage.h"
#include "ui/colourpage.h"
#include "ui/filedialogfolders.h"
#include "ui/loadpage.h"
#include "ui/matchingoptions.h"
#include "ui/progressbar.h"
#include "ui/resultpage.h"
#include "ui/sizepage.h"
#include "ui/statisticspage.h"

namespace tessora {
namespace {

QString engineErrorMessage(EngineError error) {
    switch (error) {
        case EngineError::None:
            return QString();
        case EngineError::NoPicture:
            return QStringLiteral(
                "Es ist kein Bild geladen, aus dem ein Muster berechnet werden könnte.");
        case EngineError::OutOfMemory:
            return QStringLiteral(
                "Nicht genügend Arbeitsspeicher! Das Bild konnte nicht angelegt werden. "
                "Versuchen Sie es mit weniger Perlen.");
    }
    return QString();
}

bool anyTicked(const QList<bool>& selection) {
    return std::find(selection.begin(), selection.end(), true) != selection.end();
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kelvara Tessora 1.0"));
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
    buildPages();
    connectPages();
    resize(764, 541);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    startUp();
}

MainWindow::~MainWindow() {
    FreeDocument(document);
}

void MainWindow::buildPages() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    pageTabs = new QTabWidget;
    pageTabs->setObjectName(QStringLiteral("pageTabs"));
    loadPage = new LoadPage(document);
    sizePage = new SizePage(document);
    colourPage = new ColourPage(document);
    calculatePage = new CalculatePage(document);
    resultPage = new ResultPage(document);
    statisticsPage = new StatisticsPage(document.pal, document.range);
    const std::pair<QWidget*, int> pages[] = {{loadPage, 0},   {sizePage, 1},
                                              {colourPage, 2}, {calculatePage, 4},
                                              {resultPage, 3}, {statisticsPage, 5}};
    const char* captions[] = {"Motiv laden",          "Größe",    "Farben", "Berechnen",
                              "Ergebnis verarbeiten", "Statistik"};
    for (int i = 0; i < 6; ++i) {
        pageTabs->addTab(pages[i].first, TabIcon(pages[i].second), QString::fromUtf8(captions[i]));
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
    // Another range: the grid is made again in its colours, the counts follow.
    connect(colourPage, &ColourPage::rangeChanged, this, &MainWindow::calculate);
    connect(bottomBar, &BottomBar::exitRequested, this, &QWidget::close);
}

void MainWindow::startUp() {
    document.progpath = QCoreApplication::applicationDirPath();
    if (!document.progpath.endsWith(u'/')) document.progpath += u'/';
    loadPage->selectFolder(DialogStartFolder(document.progpath));
    showEngineError(createStartImages(document));
    sizePage->onPictureChanged();
    document.pal = StartPalette();
    drawChart();
    calculate();
}

void MainWindow::calculate() {
    // The inputs only borrow the ticks, so they need a home of their own.
    const QList<bool> selection = colourPage->rangeTicks();
    CalculateInputs inputs{
        sizePage->beadsWide(), sizePage->beadsHigh(), colourPage->ditheringChosen() ? 1 : 0,
        std::span<const bool>(selection.constData(), static_cast<std::size_t>(selection.size()))};
    colourPage->matchingOptions->applyTo(inputs);
    inputs.alpha = &pictureAlpha;
    {
        const BusyCursor busy;
        progressBar->setTask(QStringLiteral("Berechne …"));
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
    // The engine falls back to the first colour; the result stays, but the user should know.
    if (!anyTicked(selection)) {
        progressBar->showNote(
            QStringLiteral("Keine Farbe ausgewählt: es wurde Farbe %1 verwendet.")
                .arg(QString::fromStdString(document.range.colors.front().number)));
    }
}

void MainWindow::drawChart() {
    BeadCounts counts{};
    const EngineError error =
        tessora::drawChart(document.di3, sizePage->beadsWide(), sizePage->beadsHigh(),
                           document.notfoundis, document.rdi, counts, document.range);
    statisticsPage->showCounts(counts);
    resultPage->showNewChart();
    showEngineError(error);
}

void MainWindow::onPageChanged(int index) {
    calculatePage->setOnScreen(index == kCalculatePage);
    // Bead edits reach the chart and the counts when the chart comes into view.
    if (index == kResultPage) drawChart();
}

void MainWindow::showEngineError(EngineError error) {
    if (error == EngineError::None) return;
    QMessageBox::warning(this, QStringLiteral("Fehler"), engineErrorMessage(error));
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
            loadPage->openPicture(url.toLocalFile());
            return;
        }
    }
}

bool MainWindow::confirmClose() {
    QMessageBox box(
        QMessageBox::Information, QStringLiteral("Programm beenden"),
        QStringLiteral(
            "Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!"),
        QMessageBox::Ok | QMessageBox::Cancel, this);
    return box.exec() == QMessageBox::Ok;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (confirmClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace tessora
