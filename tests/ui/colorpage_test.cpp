#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "engine/catalogue.h"
#include "ui/mainform.h"
#include "ui/paintbox.h"
#include "ui/swatchgrid.h"

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
    TMainForm form;
    EXPECT_TRUE(form.InfoLabel->text().isEmpty());
    form.PaintBox1MouseMove(QPoint(18 * 3 + 4, 4));
    EXPECT_EQ(form.InfoLabel->text(),
              QStringLiteral("Orange Hama-Farbnummer: 04 ; R: 209 G:93 B:34"));
    form.PaintBox1MouseMove(QPoint(17, 17));  // a gap keeps the last description
    EXPECT_EQ(form.InfoLabel->text(),
              QStringLiteral("Orange Hama-Farbnummer: 04 ; R: 209 G:93 B:34"));
}

TEST(ColorPage, ColourDialogChangesOnlyWhenConfirmed) {
    TMainForm form;
    form.show();
    std::optional<QColor> answer;
    QColor preset;
    form.chooseColor = [&](const QColor& p) {
        preset = p;
        return answer;
    };
    form.PaintBox1MouseDown(QPoint(5, 5));  // cancelled
    EXPECT_EQ(preset, QColor(255, 255, 255));
    EXPECT_EQ(form.pal.rgb0[0].peGreen, 255);

    answer = QColor(255, 0, 0);
    form.PaintBox1MouseDown(QPoint(5, 5));
    EXPECT_EQ(form.pal.rgb0[0].peRed, 255);
    EXPECT_EQ(form.pal.rgb0[0].peGreen, 0);
    EXPECT_EQ(form.pal.rgb0[0].peBlue, 0);
    EXPECT_EQ(form.SelectedColors()[0], true);  // the tick stays

    // The red swatch "01" now carries white text: (255 + 0 + 0) div 3 = 85.
    const QImage shot = form.PaintBox1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect inside = SwatchRect(0, 18).adjusted(1, 1, -1, -1);
    EXPECT_GT(countPixels(shot, inside, qRgb(255, 255, 255)), 3);
    EXPECT_EQ(countPixels(shot, inside, qRgb(0, 0, 0)), 0);
}

TEST(ColorPage, SelectNoneAndSelectAll) {
    TMainForm form;
    form.BitBtnXP1Click();
    for (const bool selected : form.SelectedColors())
        EXPECT_FALSE(selected);
    form.BitBtnXP2Click();
    for (const bool selected : form.SelectedColors())
        EXPECT_TRUE(selected);
}
