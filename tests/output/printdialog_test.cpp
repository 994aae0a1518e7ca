#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

#include "imagelib/imagelib.h"
#include "modal.h"
#include "output/printdialog.h"
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

    std::unique_ptr<PrintDialog> openDialog() {
        auto dialog = std::make_unique<PrintDialog>(nullptr, &printer);
        dialog->pageSize = [] { return QSize(4800, 6800); };
        dialog->chart = chart;
        dialog->show();
        return dialog;
    }

    TempDir settingsDir;
    QPrinter printer;
    dib chart{};
};

}  // namespace

TEST_F(PrintFormTest, StartsWithFullPageAspectAndCentre) {
    auto dialog = openDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Bild drucken..."));
    EXPECT_EQ(dialog->size(), QSize(427, 328));
    EXPECT_TRUE(dialog->fullPageRadio->isChecked());
    EXPECT_FALSE(dialog->customSizeRadio->isChecked());
    EXPECT_TRUE(dialog->keepAspectCheck->isChecked());
    EXPECT_TRUE(dialog->centreCheck->isChecked());
    EXPECT_EQ(dialog->widthPercentSpin->value(), 50);
    EXPECT_EQ(dialog->heightPercentSpin->value(),
              29);  // coupled on show: 470 * 50 / 570 * 4800 / 6800
    EXPECT_TRUE(dialog->okButton->isEnabled());
    EXPECT_EQ(dialog->Preview().page, QRect(28, 0, 134, 190));
    EXPECT_EQ(dialog->previewBox->size(), QSize(190, 190));
}

TEST_F(PrintFormTest, TypedWidthCouplesTheHeightOnlyWithTheAspectKept) {
    auto dialog = openDialog();
    dialog->widthPercentSpin->setValue(80);
    EXPECT_EQ(dialog->heightPercentSpin->value(), 46);
    EXPECT_FALSE(dialog->coupling);
    dialog->keepAspectCheck->setChecked(false);
    dialog->widthPercentSpin->setValue(20);
    EXPECT_EQ(dialog->heightPercentSpin->value(), 46);
    dialog->heightPercentSpin->setValue(90);
    EXPECT_EQ(dialog->widthPercentSpin->value(), 20);
}

TEST_F(PrintFormTest, RemembersThePercentagesAcrossOpenings) {
    {
        auto dialog = openDialog();
        dialog->widthPercentSpin->setValue(80);  // couples the height to 46
        dialog->reject();
    }
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QStringLiteral("tessora"));
        EXPECT_EQ(settings.value(QStringLiteral("TPrintForm/BreitEdit_Value")).toString(),
                  QStringLiteral("80"));
        EXPECT_EQ(settings.value(QStringLiteral("TPrintForm/HochEdit_Value")).toString(),
                  QStringLiteral("46"));
    }
    auto dialog = openDialog();
    EXPECT_EQ(dialog->widthPercentSpin->value(), 80);
    EXPECT_EQ(dialog->heightPercentSpin->value(), 46);
}

TEST_F(PrintFormTest, PercentagesSavedWithoutTheAspectAreCoupledAgainOnOpening) {
    {
        auto dialog = openDialog();
        dialog->keepAspectCheck->setChecked(false);
        dialog->widthPercentSpin->setValue(70);
        dialog->heightPercentSpin->setValue(33);
        dialog->accept();
    }
    // The aspect option is on again at every opening: the width 70 gives the height 40, the
    // stored height 33 gives the width Trunc(56.7), and showing couples the height to 32.
    auto dialog = openDialog();
    EXPECT_TRUE(dialog->keepAspectCheck->isChecked());
    EXPECT_EQ(dialog->widthPercentSpin->value(), 56);
    EXPECT_EQ(dialog->heightPercentSpin->value(), 32);
}

TEST_F(PrintFormTest, EmptyChartDisablesOk) {
    auto dialog = std::make_unique<PrintDialog>(nullptr, &printer);
    dialog->pageSize = [] { return QSize(4800, 6800); };
    dialog->show();
    EXPECT_FALSE(dialog->okButton->isEnabled());
    EXPECT_TRUE(dialog->Preview().chart.isEmpty());
    dialog->widthPercentSpin->setValue(90);  // no division by zero anywhere
    dialog->previewBox->repaint();
}

TEST_F(PrintFormTest, OptionsFitAndThePrinterSetUpDoesNotOfferToPrint) {
    auto dialog = openDialog();
    for (const QCheckBox* check : {dialog->keepAspectCheck, dialog->centreCheck})
        EXPECT_LE(check->sizeHint().width(), check->width()) << check->text().toStdString();
    QString okText = QStringLiteral("not shown");
    tessora::test::OnNextModal<QPrintDialog>([&](QPrintDialog* setup) {
        const auto* buttons = setup->findChild<QDialogButtonBox*>();
        okText = buttons != nullptr ? buttons->button(QDialogButtonBox::Ok)->text() : QString();
        setup->reject();
    });
    dialog->printerSetupButton->click();
    EXPECT_EQ(okText, QStringLiteral("OK"));
}
