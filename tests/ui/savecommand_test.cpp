#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>

#include "imagelib/imagelib.h"
#include "modal.h"
#include "tempdir.h"
#include "ui/mainwindow.h"
#include "ui/progressbar.h"
#include "ui/resultpage.h"
#include "ui/savecommand.h"

using namespace tessora;
using namespace tessora::test;

namespace {

struct DialogSeen {
    QString filter;
    QStringList files;
};

// Answers the save dialog with a file name and the file type at `position` (1-based).
std::shared_ptr<DialogSeen> answerSaveDialog(const QString& file, int position) {
    auto seen = std::make_shared<DialogSeen>();
    OnNextModal<QFileDialog>([=](QFileDialog* dialog) {
        seen->filter = dialog->selectedNameFilter();
        seen->files = dialog->selectedFiles();
        dialog->selectNameFilter(dialog->nameFilters().at(position - 1));
        dialog->setDirectory(QFileInfo(file).absolutePath());
        // selectFile leaves a focused name field alone, as a person may be typing there.
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QFileInfo(file).fileName());
        QMetaObject::invokeMethod(dialog, "accept");
    });
    return seen;
}

QByteArray head(const QString& file, int n) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

}  // namespace

TEST(SaveName, DefaultExtensionOnlyWithoutOne) {
    EXPECT_EQ(CompleteSaveName(QStringLiteral("/a/muster"), 3), QStringLiteral("/a/muster.gif"));
    EXPECT_EQ(CompleteSaveName(QStringLiteral("/a/muster.png"), 1),
              QStringLiteral("/a/muster.png"));
    EXPECT_EQ(CompleteSaveName(QStringLiteral("/a/muster."), 1), QStringLiteral("/a/muster."));
    EXPECT_EQ(CompleteSaveName(QStringLiteral("/a.b/muster"), 12),
              QStringLiteral("/a.b/muster.png"));
}

TEST(SaveName, DialogFiltersFollowTheSaveFormats) {
    const QStringList filters = DialogNameFilters(GetDIBSaveFilter());
    ASSERT_EQ(filters.size(), kSaveFormatCount);
    for (int i = 0; i < kSaveFormatCount; ++i) {
        EXPECT_TRUE(filters[i].contains(QStringLiteral("*") + QLatin1String(SaveExtensions[i])))
            << i;
    }
}

TEST(SaveCommand, TypeFollowsTheDialogAndTheNameIsKept) {
    TempDir dir;
    MainWindow window;
    window.show();
    answerSaveDialog(dir.path(QStringLiteral("Muster")), 1);
    window.resultPage->saveChart();
    EXPECT_EQ(head(dir.path(QStringLiteral("Muster.bmp")), 2), QByteArray("BM"));

    // A foreign extension stays, and the format still follows the chosen type.
    const auto seen = answerSaveDialog(dir.path(QStringLiteral("Muster äö.png")), 1);
    window.resultPage->saveChart();
    EXPECT_EQ(head(dir.path(QStringLiteral("Muster äö.png")), 2), QByteArray("BM"))
        << QDir(dir.path(QString())).entryList().join(u',').toStdString();
    // The second time the dialog offers the previous name and type.
    EXPECT_EQ(seen->filter, DialogNameFilters(GetDIBSaveFilter()).at(0));
    ASSERT_FALSE(seen->files.isEmpty());
    EXPECT_TRUE(seen->files.constFirst().endsWith(QStringLiteral("/Muster")));
}

TEST(SaveCommand, FailureNamesTheFile) {
    MainWindow window;
    window.show();
    // A folder nobody can create files in, not even the superuser (and holding only folders,
    // so the dialog reads no file there).
    const QString file = QStringLiteral("/sys/Muster.bmp");
    answerSaveDialog(file, 1);
    const auto seen = AnswerNextMessageBox(QMessageBox::Ok);
    window.resultPage->saveChart();
    ASSERT_TRUE(seen->seen);
    EXPECT_TRUE(seen->text.contains(file));
    EXPECT_TRUE(seen->text.contains(ImageErrorText(ImageError::CannotWrite)));
}

TEST(SaveCommand, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("Muster.bmp"), "alt");
    MainWindow window;
    window.show();
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        answerSaveDialog(file, 1);
        const auto asked = AnswerNextMessageBox(answer);
        window.resultPage->saveChart();
        ASSERT_TRUE(asked->seen) << answer;
        EXPECT_TRUE(asked->text.contains(QStringLiteral("Muster.bmp")));
        EXPECT_EQ(head(file, 2), answer == QMessageBox::Yes ? QByteArray("BM") : QByteArray("al"));
    }
}

TEST(SaveCommand, WritesWithTheDialogGoneABusyCursorAndAWordInTheStatusArea) {
    TempDir dir;
    MainWindow window;
    window.show();
    const auto seenDialog = answerSaveDialog(dir.path(QStringLiteral("Muster.png")), 12);
    bool dialogShown = true;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    QString status;
    QObject::connect(window.resultPage, &ResultPage::progressed, window.progressBar, [&] {
        const auto dialogs = window.resultPage->findChildren<QFileDialog*>();
        dialogShown = !dialogs.isEmpty() && dialogs.constFirst()->isVisible();
        const QCursor* busy = QGuiApplication::overrideCursor();
        cursor = busy != nullptr ? busy->shape() : Qt::ArrowCursor;
        status = window.progressBar->statusText();
    });
    window.resultPage->saveChart();
    EXPECT_EQ(head(dir.path(QStringLiteral("Muster.png")), 4), QByteArray("\x89PNG"));
    EXPECT_FALSE(dialogShown);
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(status, QStringLiteral("Speichere …"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the cursor is back afterwards";
    EXPECT_TRUE(window.progressBar->statusText().isEmpty());
}
