#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>

#include "modal.h"
#include "output/templatedialog.h"
#include "tempdir.h"

using namespace tessora;
using namespace tessora::test;

namespace {

BeadPattern redPattern(int wide, int high) {
    BeadPattern pattern;
    pattern.wide = wide;
    pattern.high = high;
    pattern.values.assign(static_cast<std::size_t>(wide) * high, 14);  // catalogue colour 4
    pattern.palette.fill(qRgb(200, 0, 0));
    return pattern;
}

void answerSaveDialog(const QString& file) {
    OnNextModal<QFileDialog>([file](QFileDialog* dialog) {
        dialog->setDirectory(QFileInfo(file).absolutePath());
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QFileInfo(file).fileName());
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

QByteArray contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Settings go to a folder of the test, never to the user's own.
class TemplateDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           settingsDir.path(QString()));
    }

    std::unique_ptr<TemplateDialog> openDialog(int wide = 58, int high = 58) {
        return std::make_unique<TemplateDialog>(nullptr, &printer, redPattern(wide, high));
    }

    TempDir settingsDir;
    QPrinter printer;
};

}  // namespace

TEST_F(TemplateDialogTest, BeadSizesBringTheirPitchAndBoard) {
    auto dialog = openDialog();
    EXPECT_EQ(dialog->beadSizeBox->currentText(), QStringLiteral("Midi (5 mm)"));
    EXPECT_EQ(dialog->paperLabel->text(), QStringLiteral("A4, Hochformat"));
    EXPECT_EQ(dialog->boardCountLabel->text(),
              QStringLiteral("58 × 58 Perlen auf 4 Platten (2 × 2)"));
    struct Case {
        int index;
        double pitch;
        int wide;
        int high;
        bool pitchFree;
    };
    // The free pitch keeps what the bead before it had.
    for (const Case c : {Case{1, 2.5, 48, 48, false}, Case{2, 10.0, 28, 28, false},
                         Case{3, 10.0, 28, 28, true}, Case{0, 5.0, 29, 29, false}}) {
        dialog->beadSizeBox->setCurrentIndex(c.index);
        dialog->onBeadSizeChosen(c.index);
        EXPECT_DOUBLE_EQ(dialog->pitchSpin->value(), c.pitch) << c.index;
        EXPECT_EQ(dialog->boardWideSpin->value(), c.wide) << c.index;
        EXPECT_EQ(dialog->boardHighSpin->value(), c.high) << c.index;
        EXPECT_EQ(dialog->pitchSpin->isEnabled(), c.pitchFree) << c.index;
    }
    dialog->boardWideSpin->setValue(60);
    dialog->boardHighSpin->setValue(60);
    EXPECT_EQ(dialog->boardCountLabel->text(), QStringLiteral("58 × 58 Perlen auf einer Platte"));
}

TEST_F(TemplateDialogTest, ChoicesAreRememberedAndBadOnesIgnored) {
    auto dialog = openDialog();
    dialog->beadSizeBox->setCurrentIndex(3);
    dialog->onBeadSizeChosen(3);
    dialog->pitchSpin->setValue(3.3);
    dialog->boardWideSpin->setValue(40);
    dialog->boardHighSpin->setValue(30);
    dialog->closeButton->click();

    auto again = openDialog();
    EXPECT_EQ(again->choices().bead, BeadChoice::Free);
    EXPECT_DOUBLE_EQ(again->pitchSpin->value(), 3.3);
    EXPECT_TRUE(again->pitchSpin->isEnabled());
    EXPECT_EQ(again->boardWideSpin->value(), 40);
    EXPECT_EQ(again->boardHighSpin->value(), 30);
    again->reject();

    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QStringLiteral("tessora"));
        settings.setValue(QStringLiteral("TemplateBook/Bead"), 9);
        settings.setValue(QStringLiteral("TemplateBook/BoardWide"), 0);
        settings.setValue(QStringLiteral("TemplateBook/BoardHigh"), QStringLiteral("viele"));
    }
    const BookChoices fallback = loadBookChoices();
    EXPECT_EQ(fallback.bead, BeadChoice::Midi);
    EXPECT_DOUBLE_EQ(fallback.options.pitchMm, 5.0);
    EXPECT_EQ(fallback.options.boardWide, 29);
    EXPECT_EQ(fallback.options.boardHigh, 29);
}

TEST_F(TemplateDialogTest, SavesTheBookOfItsChoicesAndAsksBeforeReplacing) {
    TempDir dir;
    auto dialog = openDialog();
    dialog->boardWideSpin->setValue(20);
    dialog->boardHighSpin->setValue(20);
    answerSaveDialog(dir.path(QStringLiteral("vorlage")));
    dialog->onSavePdfClicked();
    const QString pdf = dir.path(QStringLiteral("vorlage.pdf"));
    ASSERT_TRUE(contents(pdf).startsWith("%PDF-"));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                    QStringLiteral("2"), pdf, QStringLiteral("-")});
        text.waitForFinished(60000);
        EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput())
                        .contains(QStringLiteral("Platte 1 von 9")));
    }

    // The name without ".pdf" was not what the file dialog asked about.
    const QByteArray first = contents(pdf);
    answerSaveDialog(dir.path(QStringLiteral("vorlage")));
    const auto question = AnswerNextMessageBox(QMessageBox::No);
    dialog->boardWideSpin->setValue(29);
    dialog->onSavePdfClicked();
    EXPECT_TRUE(question->seen);
    EXPECT_EQ(contents(pdf), first);
}
