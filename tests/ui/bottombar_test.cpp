#include <gtest/gtest.h>

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "modal.h"
#include "ui/aboutbox.h"
#include "ui/bottombar.h"
#include "ui/imagebutton.h"
#include "ui/mainwindow.h"

using namespace tessora;
using namespace tessora::test;

namespace {

struct ExitButton {
    MainWindow& window;
    QWidget* area() const { return window.findChild<QWidget*>(QStringLiteral("exitButton")); }
    bool pressedLook() const {
        return window.bottomBar->exitButton->pressedPicture->isVisible() &&
               !window.bottomBar->exitButton->normalPicture->isVisible();
    }
    bool normalLook() const {
        return window.bottomBar->exitButton->normalPicture->isVisible() &&
               !window.bottomBar->exitButton->pressedPicture->isVisible();
    }
};

}  // namespace

TEST(PictureButtons, PressMoveOutAndReleaseOutsideClosesNothing) {
    MainWindow window;
    window.show();
    ExitButton exit{window};
    ASSERT_NE(exit.area(), nullptr);
    QTest::mousePress(exit.area(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(exit.pressedLook());
    EXPECT_TRUE(window.bottomBar->exitButton->isHeld());
    QMouseEvent moveOut(QEvent::MouseMove, QPointF(150, 10), QPointF(), Qt::NoButton,
                        Qt::LeftButton, {});
    QApplication::sendEvent(exit.area(), &moveOut);
    EXPECT_TRUE(exit.normalLook());
    EXPECT_TRUE(window.bottomBar->exitButton->isHeld());
    QMouseEvent moveIn(QEvent::MouseMove, QPointF(20, 20), QPointF(), Qt::NoButton, Qt::LeftButton,
                       {});
    QApplication::sendEvent(exit.area(), &moveIn);
    EXPECT_TRUE(exit.pressedLook());
    QApplication::sendEvent(exit.area(), &moveOut);
    QTest::mouseRelease(exit.area(), Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_TRUE(exit.normalLook());
    EXPECT_FALSE(window.bottomBar->exitButton->isHeld());
    EXPECT_TRUE(window.isVisible());
}

TEST(PictureButtons, ReleaseInsideAsksBeforeClosing) {
    MainWindow window;
    window.show();
    ExitButton exit{window};
    const auto seen = AnswerNextMessageBox(QMessageBox::Cancel);
    QTest::mouseClick(exit.area(), Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_TRUE(seen->seen);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(exit.normalLook());
    EXPECT_FALSE(window.bottomBar->exitButton->isHeld());
}

TEST(PictureButtons, MovesWithoutAPressChangeNothing) {
    MainWindow window;
    window.show();
    window.bottomBar->aboutButton->onPointerMoved(QPoint(5, 5));
    EXPECT_TRUE(window.bottomBar->aboutButton->normalPicture->isVisible());
    window.bottomBar->aboutButton->onPressed();
    EXPECT_TRUE(window.bottomBar->aboutButton->pressedPicture->isVisible());
    window.bottomBar->aboutButton->onPointerMoved(QPoint(101, 5));  // the right edge is outside
    EXPECT_TRUE(window.bottomBar->aboutButton->normalPicture->isVisible());
    window.bottomBar->aboutButton->onReleased();
    EXPECT_FALSE(window.bottomBar->aboutButton->isHeld());
}

TEST(AboutBox, ShowsTheCurrentYearAndClosesWithOk) {
    AboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(box.size(), QSize(664, 453));
    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_TRUE(box.notice->text().contains(year));
    EXPECT_FALSE(box.notice->text().contains(QStringLiteral("XXXX")));
    EXPECT_EQ(box.homePageButton->size(), QSize(169, 25));

    MainWindow window;
    window.show();
    bool opened = false;
    OnNextModal<AboutBox>([&](AboutBox* about) {
        opened = true;
        about->okButton->click();
    });
    window.bottomBar->showAbout();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(window.bottomBar->aboutButton->normalPicture->isVisible());
}
