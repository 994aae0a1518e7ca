#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "ui/mainform.h"
#include "ui/progresspanel.h"

using namespace tessora;

namespace {

void tickOnly(TMainForm& form, std::initializer_list<int> selected) {
    for (int i = 0; i < form.CheckListBox1->count(); ++i)
        form.CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
    for (const int i : selected)
        form.CheckListBox1->item(i)->setCheckState(Qt::Checked);
}

void useGreyPicture(TMainForm& form, int width, int height) {
    dib grey{};
    newdib(&grey, width, height, 24, nullptr, 0);
    std::memset(grey.poi, 128, grey.pmi->biSizeImage);
    FreeDib(form.di);
    form.di = grey;
}

}  // namespace

TEST(CalculateInWindow, StartUpShowsTheWhitePattern) {
    TMainForm form;
    EXPECT_EQ(form.Breit->text(), QStringLiteral("320 Pixels"));
    EXPECT_EQ(form.Hoch->text(), QStringLiteral("200 Pixels"));
    EXPECT_EQ(form.tief->text(), QStringLiteral("16777216"));
    EXPECT_EQ(form.maschened->value(), 30);
    EXPECT_EQ(form.reihened->value(), 19);
    EXPECT_EQ(DibWidth(form.di3), 30);
    EXPECT_EQ(DibHeight(form.di3), 19);
    EXPECT_EQ(DibWidth(form.rdi), 570);
    EXPECT_EQ(DibHeight(form.rdi), 19 * 23 + 20);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("01: 570"));
    EXPECT_EQ(form.StatusPosition, 0) << "every stage ends at 0";
}

TEST(CalculateInWindow, ButtonRunsTheCommandWithTheChosenMethodAndColours) {
    TMainForm form;
    useGreyPicture(form, 6, 3);
    form.maschened->setValue(6);
    form.reihened->setValue(3);
    tickOnly(form, {0, 17});
    form.FSErrCheck->setChecked(true);
    form.BitBtn3->click();
    EXPECT_EQ(getpixel(form.di3, 0, 0), 0u);
    EXPECT_EQ(getpixel(form.di3, 1, 0), 27u);
    EXPECT_EQ(getpixel(form.di3, 0, 1), 27u);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("01: 9\n18: 9"));
    form.NearCheck->setChecked(true);
    form.BitBtn3->click();
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("01: 18"));
}

TEST(CalculateInWindow, LackOfMemoryKeepsTheGridAndSaysSoInGerman) {
    TMainForm form;
    const dib oldGrid = form.di3;
    form.maschened->setValue(300);
    form.reihened->setValue(300);
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    SetPixelBudget(5000);
    form.RenderBtnClick();
    SetPixelBudget(0);
    EXPECT_TRUE(shown.contains(QStringLiteral("Nicht genügend Arbeitsspeicher")))
        << shown.toStdString();
    EXPECT_EQ(form.di3.poi, oldGrid.poi);
    EXPECT_EQ(form.Memo1->toPlainText(), QStringLiteral("01: 570"));
}

TEST(ProgressBar, PanelShowsTheDonePartInNavy) {
    TMainForm form;
    QImage surface(50, 19, QImage::Format_RGB32);
    surface.fill(Qt::red);
    form.StatusPosition = 33;
    {
        QPainter painter(&surface);
        form.StatusBar1DrawPanel(painter, QRect(0, 0, 50, 19));
    }
    EXPECT_EQ(surface.pixelColor(15, 10), QColor(0, 0, 128)) << "50 x 33 div 100 = 16 pixels";
    EXPECT_NE(surface.pixelColor(16, 10), QColor(0, 0, 128));
    EXPECT_NE(surface.pixelColor(49, 0), QColor(Qt::red));
    EXPECT_EQ(form.sbrect, QRect(0, 0, 50, 19));
}

TEST(ProgressBar, GrowsFallsAndWaitsForItsFirstPaint) {
    TMainForm form;
    form.sbrect = QRect();
    form.progressPanel->paintedDoneRight = -1;
    form.SetProStatus(40);
    EXPECT_EQ(form.StatusPosition, 40);
    EXPECT_EQ(form.progressPanel->paintedDoneRight, -1) << "not painted before the first paint";
    form.show();
    QApplication::processEvents();
    form.progressPanel->repaint();
    const int width = form.sbrect.width();
    ASSERT_GT(width, 0);
    for (const int pro : {0, 50, 100, 0}) {
        form.SetProStatus(pro);
        EXPECT_EQ(form.StatusPosition, pro);
        EXPECT_EQ(form.progressPanel->paintedDoneRight, form.sbrect.left() + width * pro / 100)
            << pro;
    }
}
