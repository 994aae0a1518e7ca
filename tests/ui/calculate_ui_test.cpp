#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "engine/catalogue.h"
#include "engine/chart.h"
#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "imagelib/qtdecodecost.h"
#include "ui/calculatepage.h"
#include "ui/colourpage.h"
#include "ui/mainwindow.h"
#include "ui/progressbar.h"
#include "ui/sizepage.h"
#include "ui/statisticspage.h"

using namespace tessora;

namespace {

void tickOnly(MainWindow& window, std::initializer_list<int> selected) {
    for (int i = 0; i < window.colourPage->colourList->count(); ++i)
        window.colourPage->colourList->item(i)->setCheckState(Qt::Unchecked);
    for (const int i : selected)
        window.colourPage->colourList->item(i)->setCheckState(Qt::Checked);
}

void useGreyPicture(MainWindow& window, int width, int height) {
    dib grey{};
    newdib(&grey, width, height, 24, nullptr, 0);
    std::memset(grey.poi, 128, grey.pmi->biSizeImage);
    FreeDib(window.document.di);
    window.document.di = grey;
}

}  // namespace

TEST(CalculateInWindow, StartUpShowsTheWhitePattern) {
    MainWindow window;
    EXPECT_EQ(window.sizePage->pictureWidthField->text(), QStringLiteral("320 Pixels"));
    EXPECT_EQ(window.sizePage->pictureHeightField->text(), QStringLiteral("200 Pixels"));
    EXPECT_EQ(window.sizePage->pictureColoursField->text(), QStringLiteral("16777216"));
    EXPECT_EQ(window.sizePage->beadsWideSpin->value(), 30);
    EXPECT_EQ(window.sizePage->beadsHighSpin->value(), 19);
    EXPECT_EQ(DibWidth(window.document.di3), 30);
    EXPECT_EQ(DibHeight(window.document.di3), 19);
    EXPECT_EQ(DibWidth(window.document.rdi), 570);
    EXPECT_EQ(DibHeight(window.document.rdi), 19 * 23 + 20);
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 570"));
    EXPECT_EQ(window.progressBar->percent(), 0) << "every stage ends at 0";
}

TEST(CalculateInWindow, ButtonRunsTheCommandWithTheChosenMethodAndColours) {
    MainWindow window;
    useGreyPicture(window, 6, 3);
    window.sizePage->beadsWideSpin->setValue(6);
    window.sizePage->beadsHighSpin->setValue(3);
    tickOnly(window, {0, 17});
    window.colourPage->ditheringRadio->setChecked(true);
    window.calculatePage->calculateButton->click();
    EXPECT_EQ(getpixel(window.document.di3, 0, 0), 0u);
    EXPECT_EQ(getpixel(window.document.di3, 1, 0), 27u);
    EXPECT_EQ(getpixel(window.document.di3, 0, 1), 27u);
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 9\n18: 9"));
    window.colourPage->nearestColourRadio->setChecked(true);
    window.calculatePage->calculateButton->click();
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 18"));
}

TEST(CalculateInWindow, LackOfMemoryKeepsTheGridAndSaysSoInGerman) {
    MainWindow window;
    const dib oldGrid = window.document.di3;
    window.sizePage->beadsWideSpin->setValue(300);
    window.sizePage->beadsHighSpin->setValue(300);
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    SetPixelBudget(5000);
    window.calculate();
    SetPixelBudget(0);
    EXPECT_TRUE(shown.contains(QStringLiteral("Nicht genügend Arbeitsspeicher")))
        << shown.toStdString();
    EXPECT_EQ(window.document.di3.poi, oldGrid.poi);
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 570"));
}

// The picture stays for the next calculation; a chart that would not fit beside it within the
// load budget gives way, with the German message, and the grid and the counts stay.
TEST(CalculateInWindow, ChartThatWouldNotFitBesideThePictureGivesWay) {
    const struct {
        std::int64_t spare;
        bool drawn;
    } cases[] = {{0, true}, {-1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.spare);
        MainWindow window;
        useGreyPicture(window, 400, 300);
        window.sizePage->beadsWideSpin->setValue(40);
        window.sizePage->beadsHighSpin->setValue(30);
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        SetLoadMemoryBudget(window.document.di.pmi->biSizeImage + chartBytes(40, 30) + c.spare);
        window.calculate();
        SetLoadMemoryBudget(0);
        EXPECT_EQ(window.document.rdi.poi != nullptr, c.drawn);
        EXPECT_EQ(shown.contains(QStringLiteral("weniger Perlen")), !c.drawn)
            << shown.toStdString();
        EXPECT_EQ(DibWidth(window.document.di3), 40);
        EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("17: 1200"));
    }
}

TEST(ProgressBar, PanelShowsTheDonePartInNavy) {
    MainWindow window;
    QImage surface(50, 19, QImage::Format_RGB32);
    surface.fill(Qt::red);
    window.progressBar->setPercent(33);
    {
        QPainter painter(&surface);
        window.progressBar->drawProgress(painter, QRect(0, 0, 50, 19));
    }
    EXPECT_EQ(surface.pixelColor(15, 10), QColor(0, 0, 128)) << "50 x 33 div 100 = 16 pixels";
    EXPECT_NE(surface.pixelColor(16, 10), QColor(0, 0, 128));
    EXPECT_NE(surface.pixelColor(49, 0), QColor(Qt::red));
    EXPECT_EQ(window.progressBar->paintedRect(), QRect(0, 0, 50, 19));
}

TEST(ProgressBar, GrowsFallsAndWaitsForItsFirstPaint) {
    MainWindow window;
    window.progressBar->setPercent(40);  // before any paint: kept for the first one
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    const QRect painted = window.progressBar->paintedRect();
    ASSERT_FALSE(painted.isNull()) << "the shown window's first paint draws the panel";
    EXPECT_EQ(window.progressBar->paintedDoneRight(), painted.left() + painted.width() * 40 / 100);
    const int width = window.progressBar->paintedRect().width();
    ASSERT_GT(width, 0);
    for (const int pro : {0, 50, 100, 0}) {
        window.progressBar->setPercent(pro);
        EXPECT_EQ(window.progressBar->percent(), pro);
        EXPECT_EQ(window.progressBar->paintedDoneRight(),
                  window.progressBar->paintedRect().left() + width * pro / 100)
            << pro;
    }
}

TEST(Statistics, TableOfUsedColoursWithTotalsAndTheLinesToCopy) {
    MainWindow window;
    useGreyPicture(window, 6, 3);
    window.sizePage->beadsWideSpin->setValue(6);
    window.sizePage->beadsHighSpin->setValue(3);
    tickOnly(window, {0, 17});
    window.colourPage->ditheringRadio->setChecked(true);
    window.calculate();
    const QTableWidget* table = window.statisticsPage->countsTable;
    ASSERT_EQ(table->rowCount(), 2);
    const QStringList expected[] = {
        {QStringLiteral("01"), QString::fromUtf8(BeadNames[0]), QStringLiteral("9")},
        {QStringLiteral("18"), QString::fromUtf8(BeadNames[17]), QStringLiteral("9")}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 1; column < 4; ++column)
            EXPECT_EQ(table->item(row, column)->text(), expected[row][column - 1]) << row;
        EXPECT_FALSE(table->item(row, 0)->icon().isNull()) << "swatch of row " << row;
    }
    EXPECT_EQ(window.statisticsPage->totalsLabel->text(),
              QStringLiteral("Perlen insgesamt: 18    Farben: 2"));
    QGuiApplication::clipboard()->clear();
    window.statisticsPage->copyButton->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("01: 9\n18: 9"));
}

TEST(StatusArea, NoColourTickedKeepsTheResultAndSaysSoOnce) {
    MainWindow window;
    QString during;
    QObject::connect(&window, &MainWindow::patternChanged, window.progressBar,
                     [&] { during = window.progressBar->statusText(); });
    tickOnly(window, {});
    window.calculatePage->calculateButton->click();
    EXPECT_EQ(window.statisticsPage->countsText(), QStringLiteral("01: 570"));
    EXPECT_EQ(during, QStringLiteral("Berechne …"));
    EXPECT_EQ(window.progressBar->statusText(),
              QStringLiteral("Keine Farbe ausgewählt: es wurde Farbe 01 verwendet."));
    tickOnly(window, {0});
    window.calculatePage->calculateButton->click();
    EXPECT_TRUE(window.progressBar->statusText().isEmpty());
}
