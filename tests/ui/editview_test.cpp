#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <optional>

#include "ui/calculatepage.h"
#include "ui/colourpage.h"
#include "ui/colourpicker.h"
#include "ui/editview.h"
#include "ui/resultpage.h"
#include "ui/resultview.h"
#include "ui/sizepage.h"
#include "ui/statisticspage.h"
#include "ui/viewscrollbox.h"
#include "viewtestsupport.h"

using namespace tessora;
using namespace tessora::test;

namespace {

constexpr int kRenderPage = 3;
constexpr int kResultPage = 4;
constexpr int kStatisticsPage = 5;

QImage drawEditView(MainWindow& window, QSize size) {
    QImage frame(size, QImage::Format_RGB32);
    QPainter painter(&frame);
    window.calculatePage->editView->draw(painter, QRect(QPoint(0, 0), size), QPoint(0, 0));
    return frame;
}

// The beads (column, row) whose value is not `unchanged`, row by row.
std::vector<QPoint> beadsNot(const dib& grid, std::uint8_t unchanged) {
    std::vector<QPoint> beads;
    for (int row = 0; row < DibHeight(grid); ++row)
        for (int column = 0; column < DibWidth(grid); ++column)
            if (beadValue(grid, column, row) != unchanged) beads.emplace_back(column, row);
    return beads;
}

void clickView(MainWindow& window, QPoint at) {
    window.calculatePage->editView->onBeadPressed(at);
    window.calculatePage->editView->onPointerReleased(at);
}

}  // namespace

TEST(EditView, SizeFollowsTheGridWhileEditingAndTheSizePageOtherwise) {
    struct Case {
        const char* name;
        QSize grid;
        bool editMode;
        QSize sizePage;
        QSize view;
    };
    const Case cases[] = {
        {"thirty per bead of the grid", {30, 30}, true, {40, 30}, {900, 930}},
        {"twenty-five per bead of the size page", {30, 30}, false, {40, 30}, {1000, 780}},
        {"largest grid", {1000, 1000}, true, {1000, 1000}, {30000, 31000}},
    };
    MainWindow window;
    window.sizePage->keepAspectCheck->setChecked(false);
    for (const Case& c : cases) {
        dib grid{};
        newdib(&grid, c.grid.width(), c.grid.height(), 8, nullptr, 0);
        FreeDib(window.document.di3);
        window.document.di3 = grid;
        window.sizePage->beadsWideSpin->setValue(c.sizePage.width());
        window.sizePage->beadsHighSpin->setValue(c.sizePage.height());
        window.calculatePage->editModeCheck->setChecked(c.editMode);
        EXPECT_EQ(window.calculatePage->editView->view()->size(), c.view) << c.name;
        EXPECT_EQ(QSize(window.calculatePage->editView->horzRange(),
                        window.calculatePage->editView->vertRange()),
                  c.view);
        EXPECT_EQ(window.calculatePage->editToolbar->isHidden(), !c.editMode) << c.name;
    }
}

TEST(EditView, ViewModeStretchesTheGridToTheSizePage) {
    MainWindow window;
    calculateGrid(window, 30, 30);
    window.document.colornr = 5;
    window.calculatePage->editModeCheck->setChecked(true);
    clickView(window, QPoint(29 * 30, 30 + 29 * 30));  // bead (29, 29)
    window.calculatePage->editModeCheck->setChecked(false);
    window.sizePage->beadsWideSpin->setValue(40);
    ASSERT_EQ(window.calculatePage->editView->view()->size(), QSize(1000, 780));

    const QImage view = drawEditView(window, QSize(1000, 780));
    const QRgb painted = catalogueRgb(window, 5);
    EXPECT_EQ(view.pixel(29, 29), painted) << "one pixel per bead at the top";
    EXPECT_NE(view.pixel(28, 29), painted);
    // 30 beads over 1000 x 750 pixels from y = 30: bead 29 covers x 967 to 999, y 755 to 779.
    EXPECT_EQ(view.pixel(967, 755), painted);
    EXPECT_EQ(view.pixel(999, 779), painted);
    EXPECT_NE(view.pixel(966, 755), painted);
    EXPECT_NE(view.pixel(967, 754), painted);
}

TEST(EditView, ClickPaintsTheBeadUnderThePointerOfTheEnlargedGrid) {
    struct Case {
        const char* name;
        QPoint at;
        std::optional<QPoint> bead;
    };
    const Case cases[] = {
        {"inside the enlarged grid", {45, 75}, QPoint(1, 1)},
        {"first row starts below the small image", {45, 30}, QPoint(1, 0)},
        {"on the small image", {45, 20}, std::nullopt},
        {"last row of the small image", {45, 29}, std::nullopt},
        {"last pixel of the view", {899, 929}, QPoint(29, 29)},
        {"right of the grid", {900, 100}, std::nullopt},
    };
    MainWindow window;
    calculateGrid(window, 30, 30);
    window.calculatePage->editModeCheck->setChecked(true);
    window.document.colornr = 7;
    for (const Case& c : cases) {
        window.calculate();
        clickView(window, c.at);
        const std::vector<QPoint> changed = beadsNot(window.document.di3, 0);
        EXPECT_EQ(changed, c.bead ? std::vector{*c.bead} : std::vector<QPoint>{}) << c.name;
        if (c.bead) {
            EXPECT_EQ(beadValue(window.document.di3, c.bead->x(), c.bead->y()), 17) << c.name;
        }
        EXPECT_FALSE(window.calculatePage->editView->isDragScrolling()) << c.name;
    }
    window.calculatePage->editModeCheck->setChecked(false);
    window.calculate();
    window.calculatePage->editView->onBeadPressed(QPoint(45, 75));
    EXPECT_TRUE(window.calculatePage->editView->isDragScrolling())
        << "out of edit mode a press starts a drag";
    EXPECT_TRUE(beadsNot(window.document.di3, 0).empty());
}

TEST(ColourPicker, PicksBySixteenPixelHitAreasAndMarksThePickInRed) {
    struct Case {
        const char* name;
        QPoint at;
        int picked;
    };
    const Case cases[] = {
        {"first swatch", {5, 5}, 0},
        {"one pixel beyond the square", {18 * 5 + 15, 15}, 5},
        {"gap keeps the pick", {18 * 6 + 16, 3}, 5},
        {"second line", {2, 18 + 2}, 18},
        {"last swatch", {9 * 18 + 2, 3 * 18 + 2}, 63},
        {"after the last swatch", {10 * 18 + 2, 3 * 18 + 2}, 63},
    };
    MainWindow window;
    for (const Case& c : cases) {
        window.calculatePage->colourPicker->onSwatchPressed(c.at);
        EXPECT_EQ(window.document.colornr, c.picked) << c.name;
        QImage picker(window.calculatePage->colourPicker->size(), QImage::Format_RGB32);
        QPainter painter(&picker);
        window.calculatePage->colourPicker->paintSwatches(painter);
        const QRect square(18 * (c.picked % 18), 18 * (c.picked / 18), 15, 15);
        EXPECT_EQ(picker.pixel(square.topLeft()), qRgb(255, 0, 0)) << c.name;
        EXPECT_EQ(picker.pixel(square.bottomRight()), qRgb(255, 0, 0)) << c.name;
        EXPECT_EQ(picker.pixel(square.center()), catalogueRgb(window, c.picked)) << c.name;
        EXPECT_EQ(picker.pixel(18 * (c.picked == 1 ? 2 : 1), 0), qRgb(0, 0, 0)) << c.name;
    }
}

TEST(EditView, BeadOfAnUnselectedColourShowsTheFirstSelectedButCountsAsItself) {
    MainWindow window;
    for (int i = 0; i < window.colourPage->colourList->count(); ++i)
        window.colourPage->colourList->item(i)->setCheckState(i == 3 ? Qt::Checked : Qt::Unchecked);
    calculateGrid(window, 30, 30);
    window.calculatePage->editModeCheck->setChecked(true);
    window.calculatePage->colourPicker->onSwatchPressed(
        QPoint(18 * 17 + 2, 2));  // colour 17, number "18"
    clickView(window, QPoint(45, 75));
    EXPECT_EQ(beadValue(window.document.di3, 1, 1), 27);
    EXPECT_EQ(drawEditView(window, QSize(900, 930)).pixel(45, 75), catalogueRgb(window, 3));
    window.pageTabs->setCurrentIndex(kResultPage);
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("04: 899\n18: 1"));
}

TEST(EditView, EditsReachChartAndStatisticsOnlyOnEnteringTheResultPage) {
    MainWindow window;
    calculateGrid(window, 30, 30);
    const auto cellOfBead11 = [&] {
        return getpixel(window.document.rdi, 60 + 15 + 7, 10 + 15 + 13);
    };
    const std::uint32_t white = cellOfBead11();
    window.calculatePage->editModeCheck->setChecked(true);
    window.document.colornr = 5;
    clickView(window, QPoint(45, 75));
    window.pageTabs->setCurrentIndex(kStatisticsPage);
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 900")) << "old counts";
    EXPECT_EQ(cellOfBead11(), white);

    window.pageTabs->setCurrentIndex(kResultPage);
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 899\n06: 1"));
    const QRgb red = catalogueRgb(window, 5);
    EXPECT_EQ(cellOfBead11(),
              static_cast<std::uint32_t>(qRed(red) | qGreen(red) << 8 | qBlue(red) << 16));
}

TEST(EditView, DraggingWhileEditingPaintsEveryBeadThePointerPasses) {
    struct Case {
        const char* name;
        QPoint press;
        std::vector<QPoint> moves;
        std::vector<QPoint> painted;  // row by row
    };
    // A 10 x 10 grid: the enlarged grid starts at y = 10.
    const Case cases[] = {
        {"one fast move along a row",
         {15, 25},
         {{135, 25}},
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
        {"diagonal through the corners", {15, 25}, {{105, 115}}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {"from the small image into the grid", {15, 5}, {{15, 55}}, {{0, 0}, {0, 1}}},
        {"several moves", {15, 25}, {{45, 25}, {45, 85}}, {{0, 0}, {1, 0}, {1, 1}, {1, 2}}},
        {"out of the grid and back",
         {15, 25},
         {{-200, 25}, {-200, 55}, {15, 55}},
         {{0, 0}, {0, 1}}},
    };
    MainWindow window;
    calculateGrid(window, 10, 10);
    window.calculatePage->editModeCheck->setChecked(true);
    window.document.colornr = 9;
    for (const Case& c : cases) {
        window.calculate();
        window.calculatePage->editView->onBeadPressed(c.press);
        for (const QPoint& move : c.moves)
            window.calculatePage->editView->onPointerMoved(move);
        window.calculatePage->editView->onPointerReleased(c.moves.back());
        window.calculatePage->editView->onPointerMoved(
            QPoint(285, 295));  // after the release: bead (9, 9) stays
        EXPECT_EQ(beadsNot(window.document.di3, 0), c.painted) << c.name;
    }
}

TEST(EditView, MouseOnTheScrolledViewportWorksInViewCoordinates) {
    MainWindow window;
    calculateGrid(window, 40, 40);
    window.calculatePage->editModeCheck->setChecked(true);
    window.pageTabs->setCurrentIndex(kRenderPage);
    window.show();
    QApplication::processEvents();
    window.calculatePage->editView->setHorzPosition(300);
    window.calculatePage->editView->setVertPosition(400);
    window.document.colornr = 2;
    // Viewport (15, 15) is view (315, 415): bead (10, 12) below the 40-pixel small image.
    pressMoveRelease(window.calculatePage->editView->viewport(), QPoint(15, 15), {QPoint(75, 15)});
    EXPECT_EQ(beadsNot(window.document.di3, 0),
              (std::vector<QPoint>{{10, 12}, {11, 12}, {12, 12}}));
    EXPECT_EQ(window.calculatePage->editView->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(BeadUndo, StrokesAreStepsBackToTheLastCalculation) {
    MainWindow window;
    calculateGrid(window, 10, 10);
    window.pageTabs->setCurrentIndex(kRenderPage);
    window.calculatePage->editModeCheck->setChecked(true);
    EXPECT_FALSE(window.calculatePage->undoAction->isEnabled());
    window.document.colornr = 4;
    window.calculatePage->editView->onBeadPressed(
        QPoint(15, 25));  // beads (0, 0) to (4, 0) in one stroke
    window.calculatePage->editView->onPointerMoved(QPoint(135, 25));
    window.calculatePage->editView->onPointerReleased(QPoint(135, 25));
    clickView(window, QPoint(15, 55));  // bead (0, 1)
    clickView(window, QPoint(15, 55));  // the same colour again: no step
    const std::vector<QPoint> stroke = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};

    window.calculatePage->editView->undoBeadEdit();
    EXPECT_EQ(beadsNot(window.document.di3, 0), stroke);
    window.calculatePage->editView->undoBeadEdit();
    EXPECT_TRUE(beadsNot(window.document.di3, 0).empty()) << "the whole stroke is one step";
    EXPECT_FALSE(window.calculatePage->undoAction->isEnabled());
    window.calculatePage->editView->redoBeadEdit();
    EXPECT_EQ(beadsNot(window.document.di3, 0), stroke);
    clickView(window, QPoint(15, 85));  // a new edit forgets what was undone
    EXPECT_FALSE(window.calculatePage->redoAction->isEnabled());

    window.calculate();
    EXPECT_FALSE(window.calculatePage->undoAction->isEnabled());
    window.calculatePage->editView->undoBeadEdit();
    EXPECT_TRUE(beadsNot(window.document.di3, 0).empty());
}

TEST(BeadUndo, ControlZAndControlYWhileTheGridIsShown) {
    MainWindow window;
    calculateGrid(window, 10, 10);
    window.pageTabs->setCurrentIndex(kRenderPage);
    window.calculatePage->editModeCheck->setChecked(true);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.document.colornr = 4;
    pressMoveRelease(window.calculatePage->editView->viewport(), QPoint(15, 25), {});
    ASSERT_EQ(beadValue(window.document.di3, 0, 0), 14);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(beadValue(window.document.di3, 0, 0), 0);
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(beadValue(window.document.di3, 0, 0), 14);
    window.pageTabs->setCurrentIndex(kStatisticsPage);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(beadValue(window.document.di3, 0, 0), 14) << "not while the grid is out of sight";
}

TEST(EditView, ImagesWithoutPixelsShowTheBackgroundAndTakeNoEdits) {
    MainWindow window;
    FreeDib(window.document.di3);
    FreeDib(window.document.rdi);
    window.calculatePage->editModeCheck->setChecked(true);
    clickView(window, QPoint(5, 5));
    window.pageTabs->setCurrentIndex(kRenderPage);
    QImage frame(200, 100, QImage::Format_RGB32);
    QPainter painter(&frame);
    window.calculatePage->editView->draw(painter, frame.rect(), QPoint(0, 0));
    window.resultPage->resultView->draw(painter, QRect(100, 0, 100, 100), QPoint(0, 0));
    EXPECT_EQ(frame.pixel(0, 0), window.calculatePage->editView->background().rgb());
    EXPECT_EQ(frame.pixel(150, 50), window.resultPage->resultView->background().rgb());
}

TEST(EditView, EditModeShowsTheEnlargedGridWithLinesBetweenItsBeads) {
    MainWindow window;
    window.show();
    calculateGrid(window, 200, 200);
    window.pageTabs->setCurrentIndex(kRenderPage);
    QApplication::processEvents();
    EditView& view = *window.calculatePage->editView;
    window.calculatePage->editModeCheck->setChecked(true);
    EXPECT_EQ(view.vertPosition(), 200) << "the enlarged grid starts at the viewport's top";

    const QImage frame = drawEditView(window, QSize(200, 300));
    const QRgb white = catalogueRgb(window, 0);
    const QRgb line = qRgb(128, 128, 128);
    const struct {
        QPoint at;
        QRgb colour;
    } pixels[] = {{{15, 215}, white}, {{30, 215}, line}, {{15, 230}, line},
                  {{0, 215}, white},  {{29, 229}, white}, {{31, 231}, white},
                  {{30, 100}, white} /* the one-pixel image has no lines */};
    for (const auto& p : pixels)
        EXPECT_EQ(frame.pixel(p.at), p.colour) << p.at.x() << "," << p.at.y();
    window.calculatePage->editModeCheck->setChecked(false);
    EXPECT_EQ(drawEditView(window, QSize(200, 300)).pixel(30, 215), white) << "no lines outside";
}
