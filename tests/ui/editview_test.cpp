#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <optional>

#include "ui/paintbox.h"
#include "ui/viewscrollbox.h"
#include "viewtestsupport.h"

using namespace tessora;
using namespace tessora::test;

namespace {

constexpr int kRenderPage = 3;
constexpr int kResultPage = 4;
constexpr int kStatisticsPage = 5;

QImage drawEditView(TMainForm& form, QSize size) {
    QImage frame(size, QImage::Format_RGB32);
    QPainter painter(&frame);
    form.PaintBox2Draw(painter, QRect(QPoint(0, 0), size), QPoint(0, 0));
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

void clickView(TMainForm& form, QPoint at) {
    form.PaintBox2MouseDown(at);
    form.PaintBox2MouseUp(at);
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
    TMainForm form;
    form.sverhCheck->setChecked(false);
    for (const Case& c : cases) {
        dib grid{};
        newdib(&grid, c.grid.width(), c.grid.height(), 8, nullptr, 0);
        FreeDib(form.di3);
        form.di3 = grid;
        form.maschened->setValue(c.sizePage.width());
        form.reihened->setValue(c.sizePage.height());
        form.EditModeCheck->setChecked(c.editMode);
        EXPECT_EQ(form.PaintBox2->size(), c.view) << c.name;
        EXPECT_EQ(QSize(form.ScrollBox1->horzRange(), form.ScrollBox1->vertRange()), c.view);
        EXPECT_EQ(form.Panel43->isHidden(), !c.editMode) << c.name;
    }
}

TEST(EditView, ViewModeStretchesTheGridToTheSizePage) {
    TMainForm form;
    calculateGrid(form, 30, 30);
    form.colornr = 5;
    form.EditModeCheck->setChecked(true);
    clickView(form, QPoint(29 * 30, 30 + 29 * 30));  // bead (29, 29)
    form.EditModeCheck->setChecked(false);
    form.maschened->setValue(40);
    ASSERT_EQ(form.PaintBox2->size(), QSize(1000, 780));

    const QImage view = drawEditView(form, QSize(1000, 780));
    const QRgb painted = catalogueRgb(form, 5);
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
    TMainForm form;
    calculateGrid(form, 30, 30);
    form.EditModeCheck->setChecked(true);
    form.colornr = 7;
    for (const Case& c : cases) {
        form.RenderBtnClick();
        clickView(form, c.at);
        const std::vector<QPoint> changed = beadsNot(form.di3, 0);
        EXPECT_EQ(changed, c.bead ? std::vector{*c.bead} : std::vector<QPoint>{}) << c.name;
        if (c.bead) {
            EXPECT_EQ(beadValue(form.di3, c.bead->x(), c.bead->y()), 17) << c.name;
        }
        EXPECT_FALSE(form.ziehen2) << c.name;
    }
    form.EditModeCheck->setChecked(false);
    form.RenderBtnClick();
    form.PaintBox2MouseDown(QPoint(45, 75));
    EXPECT_TRUE(form.ziehen2) << "out of edit mode a press starts a drag";
    EXPECT_TRUE(beadsNot(form.di3, 0).empty());
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
    TMainForm form;
    for (const Case& c : cases) {
        form.PaintBox3MouseDown(c.at);
        EXPECT_EQ(form.colornr, c.picked) << c.name;
        QImage picker(form.PaintBox3->size(), QImage::Format_RGB32);
        QPainter painter(&picker);
        form.PaintBox3Paint(painter);
        const QRect square(18 * (c.picked % 18), 18 * (c.picked / 18), 15, 15);
        EXPECT_EQ(picker.pixel(square.topLeft()), qRgb(255, 0, 0)) << c.name;
        EXPECT_EQ(picker.pixel(square.bottomRight()), qRgb(255, 0, 0)) << c.name;
        EXPECT_EQ(picker.pixel(square.center()), catalogueRgb(form, c.picked)) << c.name;
        EXPECT_EQ(picker.pixel(18 * (c.picked == 1 ? 2 : 1), 0), qRgb(0, 0, 0)) << c.name;
    }
}

TEST(EditView, BeadOfAnUnselectedColourShowsTheFirstSelectedButCountsAsItself) {
    TMainForm form;
    for (int i = 0; i < form.CheckListBox1->count(); ++i)
        form.CheckListBox1->item(i)->setCheckState(i == 3 ? Qt::Checked : Qt::Unchecked);
    calculateGrid(form, 30, 30);
    form.EditModeCheck->setChecked(true);
    form.PaintBox3MouseDown(QPoint(18 * 17 + 2, 2));  // colour 17, number "18"
    clickView(form, QPoint(45, 75));
    EXPECT_EQ(beadValue(form.di3, 1, 1), 27);
    EXPECT_EQ(drawEditView(form, QSize(900, 930)).pixel(45, 75), catalogueRgb(form, 3));
    form.PageControl2->setCurrentIndex(kResultPage);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("04: 899\n18: 1"));
}

TEST(EditView, EditsReachChartAndStatisticsOnlyOnEnteringTheResultPage) {
    TMainForm form;
    calculateGrid(form, 30, 30);
    const auto cellOfBead11 = [&] { return getpixel(form.rdi, 60 + 15 + 7, 10 + 15 + 13); };
    const std::uint32_t white = cellOfBead11();
    form.EditModeCheck->setChecked(true);
    form.colornr = 5;
    clickView(form, QPoint(45, 75));
    form.PageControl2->setCurrentIndex(kStatisticsPage);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("01: 900")) << "old counts";
    EXPECT_EQ(cellOfBead11(), white);

    form.PageControl2->setCurrentIndex(kResultPage);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("01: 899\n06: 1"));
    const QRgb red = catalogueRgb(form, 5);
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
    TMainForm form;
    calculateGrid(form, 10, 10);
    form.EditModeCheck->setChecked(true);
    form.colornr = 9;
    for (const Case& c : cases) {
        form.RenderBtnClick();
        form.PaintBox2MouseDown(c.press);
        for (const QPoint& move : c.moves)
            form.PaintBox2MouseMove(move);
        form.PaintBox2MouseUp(c.moves.back());
        form.PaintBox2MouseMove(QPoint(285, 295));  // after the release: bead (9, 9) stays
        EXPECT_EQ(beadsNot(form.di3, 0), c.painted) << c.name;
    }
}

TEST(EditView, MouseOnTheScrolledViewportWorksInViewCoordinates) {
    TMainForm form;
    calculateGrid(form, 40, 40);
    form.EditModeCheck->setChecked(true);
    form.PageControl2->setCurrentIndex(kRenderPage);
    form.show();
    QApplication::processEvents();
    form.ScrollBox1->setHorzPosition(300);
    form.ScrollBox1->setVertPosition(400);
    form.colornr = 2;
    // Viewport (15, 15) is view (315, 415): bead (10, 12) below the 40-pixel small image.
    pressMoveRelease(form.ScrollBox1->viewport(), QPoint(15, 15), {QPoint(75, 15)});
    EXPECT_EQ(beadsNot(form.di3, 0), (std::vector<QPoint>{{10, 12}, {11, 12}, {12, 12}}));
    EXPECT_EQ(form.ScrollBox1->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(BeadUndo, StrokesAreStepsBackToTheLastCalculation) {
    TMainForm form;
    calculateGrid(form, 10, 10);
    form.PageControl2->setCurrentIndex(kRenderPage);
    form.EditModeCheck->setChecked(true);
    EXPECT_FALSE(form.undoAction->isEnabled());
    form.colornr = 4;
    form.PaintBox2MouseDown(QPoint(15, 25));  // beads (0, 0) to (4, 0) in one stroke
    form.PaintBox2MouseMove(QPoint(135, 25));
    form.PaintBox2MouseUp(QPoint(135, 25));
    clickView(form, QPoint(15, 55));  // bead (0, 1)
    clickView(form, QPoint(15, 55));  // the same colour again: no step
    const std::vector<QPoint> stroke = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};

    form.undoBeadEdit();
    EXPECT_EQ(beadsNot(form.di3, 0), stroke);
    form.undoBeadEdit();
    EXPECT_TRUE(beadsNot(form.di3, 0).empty()) << "the whole stroke is one step";
    EXPECT_FALSE(form.undoAction->isEnabled());
    form.redoBeadEdit();
    EXPECT_EQ(beadsNot(form.di3, 0), stroke);
    clickView(form, QPoint(15, 85));  // a new edit forgets what was undone
    EXPECT_FALSE(form.redoAction->isEnabled());

    form.RenderBtnClick();
    EXPECT_FALSE(form.undoAction->isEnabled());
    form.undoBeadEdit();
    EXPECT_TRUE(beadsNot(form.di3, 0).empty());
}

TEST(BeadUndo, ControlZAndControlYWhileTheGridIsShown) {
    TMainForm form;
    calculateGrid(form, 10, 10);
    form.PageControl2->setCurrentIndex(kRenderPage);
    form.EditModeCheck->setChecked(true);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.colornr = 4;
    pressMoveRelease(form.ScrollBox1->viewport(), QPoint(15, 25), {});
    ASSERT_EQ(beadValue(form.di3, 0, 0), 14);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(beadValue(form.di3, 0, 0), 0);
    QTest::keyClick(&form, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(beadValue(form.di3, 0, 0), 14);
    form.PageControl2->setCurrentIndex(kStatisticsPage);
    QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(beadValue(form.di3, 0, 0), 14) << "not while the grid is out of sight";
}

TEST(EditView, ImagesWithoutPixelsShowTheBackgroundAndTakeNoEdits) {
    TMainForm form;
    FreeDib(form.di3);
    FreeDib(form.rdi);
    form.EditModeCheck->setChecked(true);
    clickView(form, QPoint(5, 5));
    form.PageControl2->setCurrentIndex(kRenderPage);
    QImage frame(200, 100, QImage::Format_RGB32);
    QPainter painter(&frame);
    form.PaintBox2Draw(painter, frame.rect(), QPoint(0, 0));
    form.ErgPaintBoxDraw(painter, QRect(100, 0, 100, 100), QPoint(0, 0));
    EXPECT_EQ(frame.pixel(0, 0), form.ScrollBox1->background().rgb());
    EXPECT_EQ(frame.pixel(150, 50), form.ErgScrollBox->background().rgb());
}
