#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

#include "imagelib/imagelib.h"
#include "output/printform.h"
#include "tempdir.h"

using namespace tessora;
using tessora::test::TempDir;

namespace {

// Settings go to a folder of the test, never to the user's own.
class PrintFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           settingsDir.path(QString()));
        newdib(&chart, 570, 470, 24, nullptr, 0);
        ASSERT_NE(chart.poi, nullptr);
    }
    void TearDown() override { FreeDib(chart); }

    std::unique_ptr<TPrintForm> openForm() {
        auto form = std::make_unique<TPrintForm>(nullptr, &printer);
        form->pageSize = [] { return QSize(4800, 6800); };
        form->di = chart;
        form->show();
        return form;
    }

    TempDir settingsDir;
    QPrinter printer;
    dib chart{};
};

}  // namespace

TEST_F(PrintFormTest, StartsWithFullPageAspectAndCentre) {
    auto form = openForm();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Bild drucken..."));
    EXPECT_EQ(form->size(), QSize(427, 328));
    EXPECT_TRUE(form->UseFullCheck->isChecked());
    EXPECT_FALSE(form->UserdefCheck->isChecked());
    EXPECT_TRUE(form->SverhCheck->isChecked());
    EXPECT_TRUE(form->ZentrCheck->isChecked());
    EXPECT_EQ(form->BreitEdit->value(), 50);
    EXPECT_EQ(form->HochEdit->value(), 29);  // coupled on show: 470 * 50 / 570 * 4800 / 6800
    EXPECT_TRUE(form->OkBitBtn1->isEnabled());
    EXPECT_EQ(form->Preview().page, QRect(28, 0, 134, 190));
    EXPECT_EQ(form->PrintPaintBox->size(), QSize(190, 190));
}

TEST_F(PrintFormTest, TypedWidthCouplesTheHeightOnlyWithTheAspectKept) {
    auto form = openForm();
    form->BreitEdit->setValue(80);
    EXPECT_EQ(form->HochEdit->value(), 46);
    EXPECT_FALSE(form->inedit);
    form->SverhCheck->setChecked(false);
    form->BreitEdit->setValue(20);
    EXPECT_EQ(form->HochEdit->value(), 46);
    form->HochEdit->setValue(90);
    EXPECT_EQ(form->BreitEdit->value(), 20);
}

TEST_F(PrintFormTest, RemembersThePercentagesAcrossOpenings) {
    {
        auto form = openForm();
        form->BreitEdit->setValue(80);  // couples the height to 46
        form->reject();
    }
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QStringLiteral("tessora"));
        EXPECT_EQ(settings.value(QStringLiteral("TPrintForm/BreitEdit_Value")).toString(),
                  QStringLiteral("80"));
        EXPECT_EQ(settings.value(QStringLiteral("TPrintForm/HochEdit_Value")).toString(),
                  QStringLiteral("46"));
    }
    auto form = openForm();
    EXPECT_EQ(form->BreitEdit->value(), 80);
    EXPECT_EQ(form->HochEdit->value(), 46);
}

TEST_F(PrintFormTest, PercentagesSavedWithoutTheAspectAreCoupledAgainOnOpening) {
    {
        auto form = openForm();
        form->SverhCheck->setChecked(false);
        form->BreitEdit->setValue(70);
        form->HochEdit->setValue(33);
        form->accept();
    }
    // The aspect option is on again at every opening: the width 70 gives the height 40, the
    // stored height 33 gives the width Trunc(56.7), and showing couples the height to 32.
    auto form = openForm();
    EXPECT_TRUE(form->SverhCheck->isChecked());
    EXPECT_EQ(form->BreitEdit->value(), 56);
    EXPECT_EQ(form->HochEdit->value(), 32);
}

TEST_F(PrintFormTest, EmptyChartDisablesOk) {
    auto form = std::make_unique<TPrintForm>(nullptr, &printer);
    form->pageSize = [] { return QSize(4800, 6800); };
    form->show();
    EXPECT_FALSE(form->OkBitBtn1->isEnabled());
    EXPECT_TRUE(form->Preview().chart.isEmpty());
    form->BreitEdit->setValue(90);  // no division by zero anywhere
    form->PrintPaintBox->repaint();
}
