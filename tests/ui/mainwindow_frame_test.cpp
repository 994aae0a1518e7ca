#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>

#include "ui/bottombar.h"
#include "ui/colourpage.h"
#include "ui/imagebutton.h"
#include "ui/mainwindow.h"
#include "ui/progressbar.h"

using namespace tessora;

TEST(MainWindowFrame, CaptionSizeAndPages) {
    MainWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvara Tessora 1.0"));
    EXPECT_EQ(window.size(), QSize(764, 541));
    ASSERT_EQ(window.pageTabs->count(), 6);
    const QStringList captions = {QStringLiteral("Motiv laden"),
                                  QStringLiteral("Größe"),
                                  QStringLiteral("Farben"),
                                  QStringLiteral("Berechnen"),
                                  QStringLiteral("Ergebnis verarbeiten"),
                                  QStringLiteral("Statistik")};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(window.pageTabs->tabText(i), captions[i]);
    EXPECT_EQ(window.pageTabs->currentIndex(), 0);
}

TEST(MainWindowFrame, EveryPageHasItsHeadingAndTheMiddleOnesAColumn) {
    MainWindow window;
    const QStringList headings = {
        QStringLiteral("Motiv laden - Suchen sie die Grafikdatei mit dem Muster und öffnen Sie "
                       "diese per Doppelklick"),
        QStringLiteral("Größe - Stellen Sie die Garneigenschaften und die gewünschte Größe ein"),
        QStringLiteral("Farben - stellen Sie ein, welche Perlen-Farben sie benutzen möchten"),
        QStringLiteral("Perlenmuster berechnen - Ergebnis bertrachten"),
        QStringLiteral("Ergebnis verarbeiten - Muster bertrachten, speichern und drucken"),
        QStringLiteral("Statistik - Wie viele Perlen von welcher Sorte werden benötigt?")};
    const QStringList titles = {QString(),
                                QStringLiteral("Größe festlegen..."),
                                QStringLiteral("Farben einstellen..."),
                                QStringLiteral("Muster berechnen..."),
                                QStringLiteral("Ergebnis verarbeiten..."),
                                QString()};
    for (int i = 0; i < 6; ++i) {
        QWidget* page = window.pageTabs->widget(i);
        const auto* strip = page->findChild<QLabel*>(QStringLiteral("headerStrip"));
        ASSERT_NE(strip, nullptr);
        EXPECT_EQ(strip->text(), headings[i]);
        EXPECT_EQ(strip->height(), 33);
        EXPECT_TRUE(strip->font().bold());
        EXPECT_EQ(strip->palette().color(QPalette::Window), QColor(240, 202, 166));
        const auto* column = page->findChild<QWidget*>(QStringLiteral("leftColumn"));
        if (titles[i].isEmpty()) {
            EXPECT_EQ(column, nullptr) << i;
            continue;
        }
        ASSERT_NE(column, nullptr) << i;
        EXPECT_EQ(column->width(), 209);
        EXPECT_EQ(column->palette().color(QPalette::Window), QColor(192, 220, 192));
        const auto* title = column->findChild<QLabel*>(QStringLiteral("columnTitle"));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), titles[i]);
    }
}

TEST(MainWindowFrame, BottomBarAndStatusBar) {
    MainWindow window;
    window.show();
    const auto* bar = window.findChild<QWidget*>(QStringLiteral("bottomBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), 41);
    EXPECT_EQ(window.progressBar->height(), 19);
    EXPECT_TRUE(window.bottomBar->aboutButton->normalPicture->isVisible());
    EXPECT_FALSE(window.bottomBar->aboutButton->pressedPicture->isVisible());
    EXPECT_TRUE(window.bottomBar->exitButton->normalPicture->isVisible());
    EXPECT_FALSE(window.bottomBar->exitButton->pressedPicture->isVisible());
    EXPECT_EQ(window.bottomBar->exitButton->normalPicture->geometry(), QRect(105, 4, 101, 30));
}

TEST(MainWindowFrame, SelectionListHasAllSixtyFourColoursTicked) {
    MainWindow window;
    ASSERT_EQ(window.colourPage->colourList->count(), 64);
    EXPECT_EQ(window.colourPage->colourList->item(0)->text(), QStringLiteral("Weiß 01"));
    EXPECT_EQ(window.colourPage->colourList->item(63)->text(), QStringLiteral("Nougat 76"));
    for (const bool selected : window.colourPage->selectedColours())
        EXPECT_TRUE(selected);
}
