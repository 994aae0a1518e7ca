#include <gtest/gtest.h>

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>
#include <QTabWidget>
#include <QUndoStack>

#include "engine/emptypegs.h"
#include "engine/gplpalette.h"
#include "modal.h"
#include "tempdir.h"
#include "ui/boardcountsview.h"
#include "ui/colourpage.h"
#include "ui/colourpicker.h"
#include "ui/editview.h"
#include "ui/matchingoptions.h"
#include "ui/statisticspage.h"
#include "ui/swatchgrid.h"
#include "viewtestsupport.h"

using namespace tessora;
using tessora::test::calculateGrid;

namespace {

constexpr int kResultPage = 4;

int rangeIndex(const MainWindow& window, const char* name) {
    return window.colourPage->rangeBox->findText(QString::fromUtf8(name));
}

QByteArray gridBytes(const dib& grid) {
    return QByteArray(reinterpret_cast<const char*>(grid.poi),
                      static_cast<qsizetype>(grid.pmi->biSizeImage));
}

}  // namespace

TEST(BeadRanges, ChoosingARangeRenamesListSwatchesAndCounts) {
    MainWindow window;
    const int perler = rangeIndex(window, "Perler");
    ASSERT_GT(perler, 0);
    window.colourPage->chooseRange(perler);
    const BeadRange& range = window.document.range;
    ASSERT_EQ(range.name, "Perler");
    ASSERT_GT(range.size(), 72);  // more than four rows of swatches
    EXPECT_EQ(window.colourPage->colourList->count(), range.size());
    EXPECT_EQ(window.colourPage->colourList->item(1)->text(),
              QString::fromStdString(range.colors[1].name + ' ' + range.colors[1].number));
    EXPECT_EQ(window.colourPage->rangeTicks(), QList<bool>(range.size(), true));
    EXPECT_EQ(window.colourPage->swatchGrid->height(), 18 * ((range.size() + 17) / 18));
    // The last swatch answers the pointer.
    const int last = range.size() - 1;
    window.colourPage->swatchGrid->onPointerMoved(
        QPoint(18 * (last % 18) + 2, 18 * (last / 18) + 2));
    EXPECT_TRUE(window.colourPage->swatchInfoLabel->text().contains(
        QString::fromStdString(range.colors.back().number)));

    // The white start picture is calculated again in the range's colours.
    calculateGrid(window, 10, 10);
    const QStringList lines = window.statisticsPage->countsText().split(u'\n');
    ASSERT_EQ(lines.size(), 1);
    const int white = tessora::test::beadValue(window.document.di3, 0, 0) - PaletteSlotBase;
    ASSERT_GE(white, 0);
    EXPECT_EQ(lines[0],
              QString::fromStdString(range.colors[static_cast<std::size_t>(white)].number) +
                  QStringLiteral(": 100"));

    window.colourPage->chooseRange(0);
    EXPECT_EQ(window.colourPage->colourList->count(), 64);
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 100"));
}

// Every range offered calculates, draws its chart and counts every bead in its own numbers.
TEST(BeadRanges, EveryOfferedRangeCalculatesDrawsAndCounts) {
    MainWindow window;
    for (int index = 0; index < window.colourPage->rangeBox->count(); ++index) {
        SCOPED_TRACE(window.colourPage->rangeBox->itemText(index).toStdString());
        window.colourPage->chooseRange(index);
        calculateGrid(window, 12, 8, true);
        window.drawChart();
        ASSERT_NE(window.document.rdi.poi, nullptr);
        int beads = 0;
        for (const QString& line : window.statisticsPage->countsText().split(u'\n')) {
            const QStringList parts = line.split(QStringLiteral(": "));
            ASSERT_EQ(parts.size(), 2) << line.toStdString();
            EXPECT_TRUE(std::any_of(
                window.document.range.colors.begin(), window.document.range.colors.end(),
                [&](const BeadColor& c) { return QString::fromStdString(c.number) == parts[0]; }))
                << line.toStdString();
            beads += parts[1].toInt();
        }
        EXPECT_EQ(beads, 12 * 8);
    }
}

TEST(BeadRanges, RangeSwitchIsOneUndoStepAndComesBackWithTheProject) {
    tessora::test::TempDir dir;
    const QString file = dir.path(QStringLiteral("sortiment.tessora"));
    MainWindow window;
    calculateGrid(window, 10, 10, true);
    ASSERT_TRUE(window.saveProjectTo(file));
    const QByteArray standardGrid = gridBytes(window.document.di3);
    const QString standardCounts = window.statisticsPage->countsText();
    const int steps = window.undoStack->count();

    window.colourPage->chooseRange(rangeIndex(window, "Perler"));
    EXPECT_EQ(window.undoStack->count(), steps + 1);
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("sortiment*")));
    const BeadRange perler = window.document.range;
    window.colourPage->colourList->item(2)->setCheckState(Qt::Unchecked);
    MatchingOptions* options = window.colourPage->matchingOptions;
    options->colourLimitCheck->setChecked(true);
    options->colourLimitSpin->setValue(7);
    options->distanceBox->setCurrentIndex(static_cast<int>(ColourDistance::Oklab));
    options->transparentCheck->setChecked(false);
    QCoreApplication::processEvents();  // the clicks become one step
    EXPECT_EQ(window.undoStack->count(), steps + 2);
    window.pictureAlpha = {10, 10, std::vector<std::uint8_t>(100, 77)};
    window.calculate();
    const QByteArray perlerGrid = gridBytes(window.document.di3);
    const QString perlerCounts = window.statisticsPage->countsText();
    ASSERT_TRUE(window.saveProjectTo(file));

    MainWindow reopened;
    ASSERT_TRUE(reopened.openProjectFile(file));
    EXPECT_TRUE(sameRange(reopened.document.range, perler));
    EXPECT_EQ(reopened.colourPage->rangeBox->currentText(), QStringLiteral("Perler"));
    EXPECT_EQ(reopened.colourPage->colourChoices(), window.colourPage->colourChoices());
    EXPECT_EQ(gridBytes(reopened.document.di3), perlerGrid);
    EXPECT_EQ(reopened.pictureAlpha.alpha, window.pictureAlpha.alpha);
    EXPECT_EQ(reopened.statisticsPage->countsText(), perlerCounts);
    // The per-board counts name Perler beads too.
    BoardCountsView* boards = reopened.statisticsPage->boardCountsView;
    ASSERT_GT(boards->topLevelItemCount(), 0);
    boards->fillBoard(boards->topLevelItem(0));
    ASSERT_GT(boards->topLevelItem(0)->childCount(), 0);
    EXPECT_TRUE(boards->topLevelItem(0)
                    ->child(0)
                    ->text(BoardCountsView::kNumberColumn)
                    .startsWith(QStringLiteral("80-")));

    // Back over the calculation, the options and the switch: the standard range and its grid.
    for (int i = 0; i < 3; ++i)
        window.undoStack->undo();
    EXPECT_EQ(window.document.range.name, kStandardRangeName);
    EXPECT_EQ(window.colourPage->rangeBox->currentIndex(), 0);
    EXPECT_EQ(window.colourPage->colourList->count(), 64);
    EXPECT_EQ(gridBytes(window.document.di3), standardGrid);
    EXPECT_EQ(window.statisticsPage->countsText(), standardCounts);
    window.undoStack->redo();
    EXPECT_TRUE(sameRange(window.document.range, perler));
    EXPECT_NE(window.statisticsPage->countsText(), standardCounts);
}

TEST(BeadRanges, PaletteSavedFromTheWindowReadsBackAsTheTickedColours) {
    tessora::test::TempDir dir;
    MainWindow window;
    for (int i = 0; i < 64; ++i)
        window.colourPage->colourList->item(i)->setCheckState(i % 3 == 0 ? Qt::Checked
                                                                         : Qt::Unchecked);
    window.document.pal.rgb0[3].peRed = 1;  // saved as edited
    const QString file = dir.path(QStringLiteral("vorrat.gpl"));
    window.colourPage->savePalette(file);
    window.colourPage->openPalette(file);
    const BeadRange& range = window.document.range;
    ASSERT_EQ(range.size(), 22);
    EXPECT_EQ(window.colourPage->colourList->count(), 22);
    EXPECT_EQ(window.colourPage->rangeBox->currentText(), QString::fromStdString(range.name));
    for (int i = 0; i < range.size(); ++i) {
        const BeadColor& colour = range.colors[static_cast<std::size_t>(i)];
        EXPECT_EQ(colour.number, standardRange().colors[static_cast<std::size_t>(3 * i)].number);
        EXPECT_EQ(window.document.pal.rgb0[i].peRed, colour.rgb.red);
    }
    EXPECT_EQ(range.colors[1].rgb.red, 1);

    // A refused file is told with the engine's reason and changes nothing.
    const auto seen = tessora::test::AnswerNextMessageBox(QMessageBox::Ok);
    window.colourPage->openPalette(dir.write(QStringLiteral("kaputt.gpl"), "kein Palette\n"));
    ASSERT_TRUE(seen->seen);
    EXPECT_TRUE(seen->text.contains(paletteErrorText(PaletteError::NotAPalette)));
    EXPECT_EQ(window.document.range.size(), 22);
    EXPECT_EQ(window.colourPage->rangeBox->currentIndex(),
              window.colourPage->rangeBox->count() - 1);
}

TEST(MatchingOptions, ControlsReachTheCalculateInputs) {
    struct Case {
        const char* name;
        int distance;
        std::optional<int> limit;
        bool transparent;
        std::optional<int> tolerance;
        ColourDistance wantDistance;
    };
    const Case cases[] = {
        {"defaults", 0, std::nullopt, true, std::nullopt, ColourDistance::Rgb},
        {"CIEDE2000 with a limit", 1, 5, true, std::nullopt, ColourDistance::Ciede2000},
        {"OKLab, background", 2, std::nullopt, false, 0, ColourDistance::Oklab},
    };
    for (const Case& c : cases) {
        MatchingOptions options;
        options.distanceBox->setCurrentIndex(c.distance);
        options.colourLimitCheck->setChecked(c.limit.has_value());
        if (c.limit) options.colourLimitSpin->setValue(*c.limit);
        options.transparentCheck->setChecked(c.transparent);
        options.removeBackgroundCheck->setChecked(c.tolerance.has_value());
        if (c.tolerance) options.toleranceSpin->setValue(*c.tolerance);
        CalculateInputs inputs{30, 30, 0, {}};
        options.applyTo(inputs);
        EXPECT_EQ(inputs.distance, c.wantDistance) << c.name;
        EXPECT_EQ(inputs.maxColors, c.limit.value_or(0)) << c.name;
        EXPECT_EQ(inputs.keepTransparentEmpty, c.transparent) << c.name;
        EXPECT_EQ(inputs.removeBackground, c.tolerance) << c.name;
    }
}

TEST(MatchingOptions, WindowCalculatesWithLimitAlphaAndBackground) {
    MainWindow window;
    calculateGrid(window, 10, 10, true);  // colour (x + 2y) mod 64
    MatchingOptions* options = window.colourPage->matchingOptions;
    options->colourLimitCheck->setChecked(true);
    options->colourLimitSpin->setValue(3);
    window.calculate();
    EXPECT_EQ(window.document.chosenColors.size(), 3u);
    EXPECT_EQ(window.statisticsPage->countsText().count(u'\n'), 2);
    EXPECT_TRUE(options->chosenColoursLabel->text().startsWith(QStringLiteral("Gewählt: ")));
    options->colourLimitCheck->setChecked(false);

    // The left half of the picture transparent: those beads stay empty and are not counted.
    window.pictureAlpha = {10, 10, std::vector<std::uint8_t>(100, 255)};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x)
            window.pictureAlpha.alpha[static_cast<std::size_t>(10 * y + x)] = 0;
    window.calculate();
    EXPECT_EQ(tessora::test::beadValue(window.document.di3, 4, 0), kEmptyPeg);
    EXPECT_NE(tessora::test::beadValue(window.document.di3, 5, 0), kEmptyPeg);
    EXPECT_EQ(window.statisticsPage->totalsLabel->text().section(u' ', 2, 2), QStringLiteral("50"));
    options->transparentCheck->setChecked(false);
    window.calculate();
    EXPECT_EQ(window.statisticsPage->totalsLabel->text().section(u' ', 2, 2),
              QStringLiteral("100"));

    // At tolerance 100 every colour is background.
    window.pictureAlpha = {};
    options->removeBackgroundCheck->setChecked(true);
    options->toleranceSpin->setValue(100);
    window.calculate();
    EXPECT_TRUE(window.statisticsPage->countsText().isEmpty());
}

TEST(EmptyPegs, PickerEntryRemovesABeadDrawnAsInTheChart) {
    MainWindow window;
    calculateGrid(window, 30, 30, true);
    window.calculatePage->editModeCheck->setChecked(true);
    ColourPicker* picker = window.calculatePage->colourPicker;
    picker->onSwatchPressed(picker->emptyPegRect().center());
    EXPECT_EQ(window.document.colornr, kEmptyPegPick);
    window.calculatePage->editView->onBeadPressed(QPoint(45, 75));  // bead (1, 1)
    window.calculatePage->editView->onPointerReleased(QPoint(45, 75));
    EXPECT_EQ(tessora::test::beadValue(window.document.di3, 1, 1), kEmptyPeg);

    QImage frame(QSize(100, 130), QImage::Format_RGB32);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    window.calculatePage->editView->draw(painter, frame.rect(), QPoint(0, 0));
    painter.end();
    EXPECT_EQ(frame.pixel(1, 1), qRgb(255, 255, 255));  // the one-pixel image
    EXPECT_EQ(frame.pixel(2, 1), tessora::test::catalogueRgb(window, 4));
    int ring = 0;
    for (int y = 60; y < 90; ++y)
        for (int x = 30; x < 60; ++x)
            ring += frame.pixel(x, y) == qRgb(192, 192, 192);
    EXPECT_GT(ring, 20);
    EXPECT_EQ(frame.pixel(45, 75), qRgb(255, 255, 255));

    window.pageTabs->setCurrentIndex(kResultPage);
    EXPECT_EQ(window.statisticsPage->totalsLabel->text().section(u' ', 2, 2),
              QStringLiteral("899"));
}
