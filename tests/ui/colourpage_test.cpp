#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

#include "engine/catalogue.h"
#include "modal.h"
#include "tempdir.h"
#include "ui/colourpage.h"
#include "ui/filedialogfolders.h"
#include "ui/mainwindow.h"
#include "ui/swatchgrid.h"
#include "ui/swatchlayout.h"

using namespace tessora;

namespace {

int countPixels(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

}  // namespace

TEST(SwatchGrid, HitAreasAreSixteenPixelsWithGaps) {
    const int columns = SwatchColumns(337);
    EXPECT_EQ(columns, 18);
    const std::pair<QPoint, int> cases[] = {{{15, 15}, 0},
                                            {{16, 16}, -1},
                                            {{18, 0}, 1},
                                            {{0, 18}, 18},
                                            {{0, 0}, 0},
                                            {{17, 3}, -1},
                                            {{9 * 18 + 2, 3 * 18 + 2}, 63},
                                            {{10 * 18, 3 * 18}, -1} /* row 3 holds ten swatches */};
    for (const auto& [point, swatch] : cases)
        EXPECT_EQ(SwatchAt(point, columns, 64), swatch) << point.x() << "," << point.y();
}

TEST(SwatchGrid, StartColoursGiveThirtyTwoBlackAndThirtyTwoWhiteNumbers) {
    int black = 0;
    for (const BeadRgb& c : BeadStartColors)
        black += ContrastTextColor(QColor(c.red, c.green, c.blue)) == Qt::black;
    EXPECT_EQ(black, 32);
    EXPECT_EQ(ContrastTextColor(QColor(120, 92, 169)), QColor(Qt::white));  // average 127
    EXPECT_EQ(ContrastTextColor(QColor(128, 128, 128)), QColor(Qt::black));
}

TEST(ColorPage, InfoLabelDescribesTheSwatchUnderThePointer) {
    MainWindow window;
    EXPECT_TRUE(window.colourPage->swatchInfoLabel->text().isEmpty());
    window.colourPage->swatchGrid->onPointerMoved(QPoint(18 * 3 + 4, 4));
    EXPECT_EQ(window.colourPage->swatchInfoLabel->text(),
              QStringLiteral("Orange Hama-Farbnummer: 04 ; R: 209 G:93 B:34"));
    window.colourPage->swatchGrid->onPointerMoved(
        QPoint(17, 17));  // a gap keeps the last description
    EXPECT_EQ(window.colourPage->swatchInfoLabel->text(),
              QStringLiteral("Orange Hama-Farbnummer: 04 ; R: 209 G:93 B:34"));
}

TEST(ColorPage, ColourDialogChangesOnlyWhenConfirmed) {
    MainWindow window;
    window.show();
    std::optional<QColor> answer;
    QColor preset;
    window.colourPage->swatchGrid->chooseColour = [&](const QColor& p) {
        preset = p;
        return answer;
    };
    window.colourPage->swatchGrid->onSwatchPressed(QPoint(5, 5));  // cancelled
    EXPECT_EQ(preset, QColor(255, 255, 255));
    EXPECT_EQ(window.document.pal.rgb0[0].peGreen, 255);

    answer = QColor(255, 0, 0);
    window.colourPage->swatchGrid->onSwatchPressed(QPoint(5, 5));
    EXPECT_EQ(window.document.pal.rgb0[0].peRed, 255);
    EXPECT_EQ(window.document.pal.rgb0[0].peGreen, 0);
    EXPECT_EQ(window.document.pal.rgb0[0].peBlue, 0);
    EXPECT_EQ(window.colourPage->selectedColours()[0], true);  // the tick stays

    // The red swatch "01" now carries white text: (255 + 0 + 0) div 3 = 85.
    const QImage shot =
        window.colourPage->swatchGrid->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect inside = SwatchRect(0, 18).adjusted(1, 1, -1, -1);
    EXPECT_GT(countPixels(shot, inside, qRgb(255, 255, 255)), 3);
    EXPECT_EQ(countPixels(shot, inside, qRgb(0, 0, 0)), 0);
}

TEST(ColorPage, SelectNoneAndSelectAll) {
    MainWindow window;
    window.colourPage->selectNoColours();
    for (const bool selected : window.colourPage->selectedColours())
        EXPECT_FALSE(selected);
    window.colourPage->selectAllColours();
    for (const bool selected : window.colourPage->selectedColours())
        EXPECT_TRUE(selected);
}

TEST(ColorSettingsFiles, SavedRightAfterStartUpAndReadBackIntoTheList) {
    tessora::test::TempDir dir;
    MainWindow window;
    const QString file = dir.path(QStringLiteral("farben.frb"));
    window.colourPage->saveColourSettings(file);
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    ASSERT_EQ(bytes.size(), 264);
    EXPECT_EQ(bytes.left(4), QByteArray("\x40\0\0\0", 4));
    EXPECT_EQ(bytes.mid(4, 64), QByteArray(64, '\x01'));
    EXPECT_EQ(bytes.mid(68, 4), QByteArray("\x40\0\0\0", 4));
    EXPECT_EQ(bytes.mid(72, 6), QByteArray("\xFF\xFF\xFF\xF7\xEF\xC1", 6));  // "Weiß", "Creme"
    EXPECT_EQ(bytes.right(3), QByteArray("\xAC\x6E\x3F", 3));                // "Nougat"

    window.colourPage->selectNoColours();
    window.colourPage->saveColourSettings(file);
    QFile resaved(file);  // a new file replaced the old one
    ASSERT_TRUE(resaved.open(QIODevice::ReadOnly));
    EXPECT_EQ(resaved.readAll().mid(4, 64), QByteArray(64, '\0'));

    // Ten ticks and one red colour: only items 0 to 9 change, entry 0 becomes red.
    QByteArray ten("\x0A\0\0\0", 4);
    ten += QByteArray("\x01\x00\x01\x00\x01\x00\x01\x00\x01\x00", 10);
    ten += QByteArray("\x01\0\0\0\xFF\x00\x00", 7);
    window.colourPage->openColourSettings(dir.write(QStringLiteral("zehn.frb"), ten));
    const std::array<bool, 64> ticks = window.colourPage->selectedColours();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(ticks[i], i % 2 == 0) << i;
    for (int i = 10; i < 64; ++i)
        EXPECT_FALSE(ticks[i]) << i;
    EXPECT_EQ(window.document.pal.rgb0[0].peGreen, 0);
    EXPECT_EQ(window.document.pal.num, 64);

    // A file that cannot be opened changes nothing, and says so.
    const auto seen = tessora::test::AnswerNextMessageBox(QMessageBox::Ok);
    window.colourPage->openColourSettings(dir.path(QStringLiteral("fehlt.frb")));
    EXPECT_EQ(window.colourPage->selectedColours(), ticks);
    ASSERT_TRUE(seen->seen);
    EXPECT_EQ(seen->title, QStringLiteral("Farbeinstellungen öffnen"));
    EXPECT_TRUE(seen->text.contains(QStringLiteral("fehlt.frb")));
}

TEST(ColorPage, ListShowsManyColoursAtTheStartSize) {
    MainWindow window;
    window.show();
    window.pageTabs->setCurrentWidget(window.colourPage);
    QApplication::processEvents();
    const QListWidget* list = window.colourPage->colourList;
    int visible = 0;
    for (int i = 0; i < list->count(); ++i)
        visible += list->viewport()->rect().contains(list->visualItemRect(list->item(i)));
    EXPECT_GE(visible, 18);
}

TEST(ColorPage, UntickedSwatchesAreDimmedAndCrossed) {
    MainWindow window;
    window.colourPage->colourList->item(3)->setCheckState(Qt::Unchecked);
    const QImage swatches = window.colourPage->swatchGrid->grab().toImage();
    const QRgb orange = qRgb(209, 93, 34);
    const QRect ticked = SwatchRect(2, SwatchColumns(337)).adjusted(2, 2, -2, -2);
    const QRect unticked = SwatchRect(3, SwatchColumns(337)).adjusted(2, 2, -2, -2);
    EXPECT_LT(countPixels(swatches, unticked, orange), unticked.width() * unticked.height() / 4);
    const PalEntry& third = window.document.pal.rgb0[2];
    EXPECT_GT(countPixels(swatches, ticked, qRgb(third.peRed, third.peGreen, third.peBlue)),
              ticked.width() * ticked.height() / 2);
    window.colourPage->selectAllColours();
    EXPECT_GT(countPixels(window.colourPage->swatchGrid->grab().toImage(), unticked, orange),
              unticked.width() * unticked.height() / 2);
}

TEST(ColorSettingsFiles, AFailedSaveIsReported) {
    MainWindow window;
    const auto seen = tessora::test::AnswerNextMessageBox(QMessageBox::Ok);
    window.colourPage->saveColourSettings(QStringLiteral("/nicht/vorhanden/farben.frb"));
    ASSERT_TRUE(seen->seen);
    EXPECT_EQ(seen->title, QStringLiteral("Farbeinstellungen speichern"));
    EXPECT_TRUE(seen->text.contains(QStringLiteral("/nicht/vorhanden/farben.frb")));
}

TEST(DialogFolders, StartInTheProgramFolderOnlyWhereItIsWritable) {
    tessora::test::TempDir dir;
    const QString writable = dir.path(QString());
    EXPECT_EQ(DialogStartFolder(writable), writable);
    const QString elsewhere = DialogStartFolder(QStringLiteral("/nicht/vorhanden/"));
    EXPECT_TRUE(elsewhere == QDir::homePath() ||
                elsewhere == QStandardPaths::writableLocation(QStandardPaths::PicturesLocation))
        << elsewhere.toStdString();
}
