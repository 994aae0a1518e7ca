#include <gtest/gtest.h>

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "modal.h"
#include "ui/aboutbox.h"
#include "ui/mainform.h"

using namespace tessora;
using namespace tessora::test;

namespace {

struct ExitButton {
    TMainForm& form;
    QWidget* area() const { return form.findChild<QWidget*>(QStringLiteral("EndeBtnArea")); }
    bool pressedLook() const { return form.EndeBtnDown->isVisible() && !form.EndeBtn->isVisible(); }
    bool normalLook() const { return form.EndeBtn->isVisible() && !form.EndeBtnDown->isVisible(); }
};

}  // namespace

TEST(PictureButtons, PressMoveOutAndReleaseOutsideClosesNothing) {
    TMainForm form;
    form.show();
    ExitButton exit{form};
    ASSERT_NE(exit.area(), nullptr);
    QTest::mousePress(exit.area(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(exit.pressedLook());
    EXPECT_TRUE(form.inEndeBtn);
    QMouseEvent moveOut(QEvent::MouseMove, QPointF(150, 10), QPointF(), Qt::NoButton,
                        Qt::LeftButton, {});
    QApplication::sendEvent(exit.area(), &moveOut);
    EXPECT_TRUE(exit.normalLook());
    EXPECT_TRUE(form.inEndeBtn);
    QMouseEvent moveIn(QEvent::MouseMove, QPointF(20, 20), QPointF(), Qt::NoButton, Qt::LeftButton,
                       {});
    QApplication::sendEvent(exit.area(), &moveIn);
    EXPECT_TRUE(exit.pressedLook());
    QApplication::sendEvent(exit.area(), &moveOut);
    QTest::mouseRelease(exit.area(), Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_TRUE(exit.normalLook());
    EXPECT_FALSE(form.inEndeBtn);
    EXPECT_TRUE(form.isVisible());
}

TEST(PictureButtons, ReleaseInsideAsksBeforeClosing) {
    TMainForm form;
    form.show();
    ExitButton exit{form};
    const auto seen = AnswerNextMessageBox(QMessageBox::Cancel);
    QTest::mouseClick(exit.area(), Qt::LeftButton, {}, QPoint(50, 15));
    EXPECT_TRUE(seen->seen);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(exit.normalLook());
    EXPECT_FALSE(form.inEndeBtn);
}

TEST(PictureButtons, MovesWithoutAPressChangeNothing) {
    TMainForm form;
    form.show();
    form.ueberbtnMouseMove(QPoint(5, 5));
    EXPECT_TRUE(form.ueberbtn->isVisible());
    form.ueberbtnMouseDown();
    EXPECT_TRUE(form.ueberBtn2->isVisible());
    form.ueberbtnMouseMove(QPoint(101, 5));  // the right edge is outside
    EXPECT_TRUE(form.ueberbtn->isVisible());
    form.ueberbtnMouseUp();
    EXPECT_FALSE(form.inUeberBtn);
}

TEST(AboutBox, ShowsTheCurrentYearAndClosesWithOk) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(box.size(), QSize(664, 453));
    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_TRUE(box.notice->text().contains(year));
    EXPECT_FALSE(box.notice->text().contains(QStringLiteral("XXXX")));
    EXPECT_EQ(box.BitBtnXP1->size(), QSize(169, 25));

    TMainForm form;
    form.show();
    bool opened = false;
    OnNextModal<TAboutBox>([&](TAboutBox* about) {
        opened = true;
        about->OKButton->click();
    });
    form.ueberbtnClick();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(form.ueberbtn->isVisible());
}
