#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QTabWidget>

#include "ui/mainform.h"

using namespace tessora;

TEST(MainFormFrame, CaptionSizeAndPages) {
    TMainForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kelvara Tessora 1.0"));
    EXPECT_EQ(form.size(), QSize(764, 541));
    ASSERT_EQ(form.PageControl2->count(), 6);
    const QStringList captions = {QStringLiteral("Motiv laden"),
                                  QStringLiteral("Größe"),
                                  QStringLiteral("Farben"),
                                  QStringLiteral("Berechnen"),
                                  QStringLiteral("Ergebnis verarbeiten"),
                                  QStringLiteral("Statistik")};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(form.PageControl2->tabText(i), captions[i]);
    EXPECT_EQ(form.PageControl2->currentIndex(), 0);
}

TEST(MainFormFrame, EveryPageHasItsHeadingAndTheMiddleOnesAColumn) {
    TMainForm form;
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
        QWidget* page = form.PageControl2->widget(i);
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

TEST(MainFormFrame, BottomBarAndStatusBar) {
    TMainForm form;
    form.show();
    const auto* bar = form.findChild<QWidget*>(QStringLiteral("bottomBar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), 41);
    EXPECT_EQ(form.StatusBar1->height(), 19);
    EXPECT_TRUE(form.ueberbtn->isVisible());
    EXPECT_FALSE(form.ueberBtn2->isVisible());
    EXPECT_TRUE(form.EndeBtn->isVisible());
    EXPECT_FALSE(form.EndeBtnDown->isVisible());
    EXPECT_EQ(form.EndeBtn->geometry(), QRect(105, 4, 101, 30));
}

TEST(MainFormFrame, SelectionListHasAllSixtyFourColoursTicked) {
    TMainForm form;
    ASSERT_EQ(form.CheckListBox1->count(), 64);
    EXPECT_EQ(form.CheckListBox1->item(0)->text(), QStringLiteral("Weiß 01"));
    EXPECT_EQ(form.CheckListBox1->item(63)->text(), QStringLiteral("Nougat 76"));
    for (const bool selected : form.SelectedColors())
        EXPECT_TRUE(selected);
}
