#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include "engine/sizecoupling.h"
#include "imagelib/imagelib.h"
#include "modal.h"
#include "tempdir.h"
#include "ui/loadpage.h"
#include "ui/mainwindow.h"
#include "ui/progressbar.h"
#include "ui/sizepage.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// Replaces the window's picture with a blank one of the given size and depth.
void givePicture(MainWindow& window, int width, int height, int bits = 24) {
    dib picture{};
    newdib(&picture, width, height, bits, nullptr, 0);
    ASSERT_NE(picture.poi, nullptr);
    window.loadPage->acceptLoadedPicture(picture);
}

QString writePng(const TempDir& dir, const QString& name, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    const QString file = dir.path(name);
    image.save(file, "PNG");
    return file;
}

bool waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 300 && !condition(); ++i)
        QTest::qWait(10);
    return condition();
}

}  // namespace

TEST(SizeCoupling, HeightFollowsTheWidthWithTheAspectLock) {
    MainWindow window;
    ASSERT_EQ(window.sizePage->pictureWidthField->text(), QStringLiteral("320 Pixels"));
    ASSERT_EQ(window.sizePage->pictureHeightField->text(), QStringLiteral("200 Pixels"));
    EXPECT_EQ(window.sizePage->pictureColoursField->text(), QStringLiteral("16777216"));
    EXPECT_EQ(window.sizePage->beadsHighSpin->value(), 19);  // 200 * 30 / 320 = 18.75
    const std::pair<int, int> cases[] = {
        {100, 62} /* 62.5 goes to the even 62 */, {1000, 625}, {30, 19}};
    for (const auto& [width, height] : cases) {
        window.sizePage->beadsWideSpin->setValue(width);
        EXPECT_EQ(window.sizePage->beadsHighSpin->value(), height) << width;
    }
    givePicture(window, 1000, 10);
    window.sizePage->beadsWideSpin->setValue(31);
    EXPECT_EQ(window.sizePage->beadsHighSpin->value(),
              1);  // 0.31 is limited to the smallest height
}

TEST(SizeCoupling, WidthFollowsTheHeightAndTheLockCanBeOff) {
    MainWindow window;
    window.sizePage->beadsHighSpin->setValue(100);
    EXPECT_EQ(window.sizePage->beadsWideSpin->value(), 160);
    window.sizePage->keepAspectCheck->setChecked(false);
    window.sizePage->beadsWideSpin->setValue(50);
    EXPECT_EQ(window.sizePage->beadsHighSpin->value(), 100);
    window.sizePage->beadsHighSpin->setValue(7);
    EXPECT_EQ(window.sizePage->beadsWideSpin->value(), 50);
    window.sizePage->keepAspectCheck->setChecked(true);  // checking alone recomputes nothing
    EXPECT_EQ(window.sizePage->beadsHighSpin->value(), 7);
    window.sizePage->beadsWideSpin->setValue(32);
    EXPECT_EQ(window.sizePage->beadsHighSpin->value(), 20);
}

TEST(SizeCoupling, TypingUpdatesTheHeightAfterEveryCharacter) {
    MainWindow window;
    window.show();
    QLineEdit* edit = window.sizePage->beadsWideSpin->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    const std::pair<char, int> typed[] = {{'1', 1}, {'0', 6}, {'0', 62}};
    for (const auto& [key, height] : typed) {
        QTest::keyClick(edit, key);
        EXPECT_EQ(window.sizePage->beadsHighSpin->value(), height) << "after typing " << key;
    }
}

TEST(PictureInfo, ColourCountFollowsTheDepth) {
    MainWindow window;
    const std::pair<int, const char*> cases[] = {
        {1, "2"}, {4, "16"}, {8, "256"}, {24, "16777216"}, {32, "4294967296"} /* no overflow */};
    for (const auto& [bits, text] : cases) {
        givePicture(window, 7, 5, bits);
        EXPECT_EQ(window.sizePage->pictureColoursField->text(), QString::fromLatin1(text)) << bits;
        EXPECT_EQ(window.sizePage->pictureWidthField->text(), QStringLiteral("7 Pixels"));
        EXPECT_EQ(window.sizePage->pictureHeightField->text(), QStringLiteral("5 Pixels"));
    }
}

TEST(Preview, KeepsTheAspectInTheTopLeftCorner) {
    MainWindow window;
    givePicture(window, 640, 480);
    EXPECT_EQ(window.loadPage->previewRect(376, 398), QRect(0, 0, 376, 282));
    givePicture(window, 100, 400);
    EXPECT_EQ(window.loadPage->previewRect(376, 398), QRect(0, 0, 99, 398));
    givePicture(window, 10, 10);
    EXPECT_EQ(window.loadPage->previewRect(376, 398),
              QRect(0, 0, 376, 376));  // small pictures are enlarged
}

TEST(Loading, GoodFileReplacesThePictureAndCouplesTheSize) {
    TempDir dir;
    MainWindow window;
    window.loadPage->openPicture(writePng(dir, QStringLiteral("Motiv äöü.png"), QSize(640, 480)));
    EXPECT_EQ(DibWidth(window.document.di), 640);
    EXPECT_EQ(window.sizePage->pictureWidthField->text(), QStringLiteral("640 Pixels"));
    EXPECT_EQ(window.sizePage->pictureHeightField->text(), QStringLiteral("480 Pixels"));
    EXPECT_EQ(window.sizePage->beadsHighSpin->value(),
              22);                                  // 480 * 30 / 640 = 22.5, to the even 22
    EXPECT_EQ(window.pageTabs->currentIndex(), 0);  // loading does not change the page
}

// The chart is drawn again whenever its page opens, so out of sight it gives its memory to the
// picture being loaded; on screen it stays.
TEST(Loading, HiddenChartGivesWayToTheLoadAndComesBackOnItsPage) {
    TempDir dir;
    const QString file = writePng(dir, QStringLiteral("motiv.png"), QSize(64, 48));
    const struct {
        int page;
        bool keptDuringLoad;
    } cases[] = {{0, false}, {MainWindow::kResultPage, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        MainWindow window;
        window.pageTabs->setCurrentIndex(c.page);
        window.loadPage->openPicture(file);
        EXPECT_EQ(window.document.rdi.poi != nullptr, c.keptDuringLoad);
        window.pageTabs->setCurrentIndex(0);
        window.pageTabs->setCurrentIndex(MainWindow::kResultPage);
        EXPECT_EQ(DibWidth(window.document.rdi), 30 * 15 + 120);
    }
}

TEST(Loading, BadFileShowsTheLibraryTextUnderTheFileCaption) {
    TempDir dir;
    MainWindow window;
    const QString file = dir.write(QStringLiteral("kaputt.png"), "kein Bild");
    const auto seen = AnswerNextMessageBox(QMessageBox::Ok);
    window.loadPage->openPicture(file);
    ASSERT_TRUE(seen->seen);
    EXPECT_EQ(seen->title, QStringLiteral("Fehler: Die Datei ") + file +
                               QStringLiteral(" konnte nicht geladen werden!"));
    EXPECT_EQ(seen->text, ImageErrorText(ImageError::UnknownFormat));
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen->buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    EXPECT_EQ(DibWidth(window.document.di), 320);  // the document keeps its picture
}

TEST(Loading, FolderTreeListAndDoubleClick) {
    TempDir dir;
    const QString picture = writePng(dir, QStringLiteral("bild.png"), QSize(64, 32));
    dir.write(QStringLiteral("notiz.txt"), "text");
    QDir(dir.path(QString())).mkdir(QStringLiteral("unterordner"));
    MainWindow window;
    window.show();
    window.loadPage->selectFolder(dir.path(QString()));
    auto rowOf = [&](const QString& name) {
        const QModelIndex root = window.loadPage->fileList->rootIndex();
        for (int r = 0; r < window.loadPage->fileModel->rowCount(root); ++r) {
            const QModelIndex index = window.loadPage->fileModel->index(r, 0, root);
            if (window.loadPage->fileModel->fileName(index) == name) return index;
        }
        return QModelIndex();
    };
    ASSERT_TRUE(waitFor([&] { return rowOf(QStringLiteral("bild.png")).isValid(); }));
    ASSERT_TRUE(waitFor([&] { return rowOf(QStringLiteral("unterordner")).isValid(); }));
    EXPECT_FALSE(
        rowOf(QStringLiteral("notiz.txt")).isValid());  // the first mask shows pictures only

    window.loadPage->fileList->setCurrentIndex(rowOf(QStringLiteral("bild.png")));
    window.loadPage->openCurrentEntry();
    EXPECT_EQ(DibWidth(window.document.di), 64);

    window.loadPage->fileList->setCurrentIndex(rowOf(QStringLiteral("unterordner")));
    QTest::keyClick(window.loadPage->fileList, Qt::Key_Return);  // Enter opens like a double-click
    EXPECT_EQ(window.loadPage->fileListFolder(),
              QDir(dir.path(QStringLiteral("unterordner"))).absolutePath());
    ASSERT_TRUE(waitFor([&] { return rowOf(QStringLiteral("..")).isValid(); }));
    window.loadPage->fileList->setCurrentIndex(rowOf(QStringLiteral("..")));
    window.loadPage->openCurrentEntry();
    EXPECT_EQ(window.loadPage->fileListFolder(), QDir(dir.path(QString())).absolutePath());
}

TEST(Loading, FileTypeBoxSetsTheMaskOfTheList) {
    MainWindow window;
    ASSERT_GT(window.loadPage->fileTypeBox->count(), 2);
    EXPECT_EQ(window.loadPage->fileTypeBox->currentIndex(), 0);
    EXPECT_TRUE(window.loadPage->fileModel->nameFilters().contains(QStringLiteral("*.png")));
    window.loadPage->fileTypeBox->setCurrentIndex(window.loadPage->fileTypeBox->count() -
                                                  1);  // "*.*"
    EXPECT_EQ(window.loadPage->fileModel->nameFilters(), QStringList{QStringLiteral("*")});
    window.loadPage->fileTypeBox->setCurrentIndex(-1);
    EXPECT_EQ(window.loadPage->fileModel->nameFilters(), QStringList{QStringLiteral("*")});
}

TEST(Closing, CancelKeepsTheWindowAndOkCloses) {
    MainWindow window;
    window.show();
    auto seen = AnswerNextMessageBox(QMessageBox::Cancel);
    EXPECT_FALSE(window.close());
    ASSERT_TRUE(seen->seen);
    EXPECT_EQ(seen->title, QStringLiteral("Programm beenden"));
    EXPECT_EQ(
        seen->text,
        QStringLiteral(
            "Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!"));
    EXPECT_EQ(seen->icon, QMessageBox::Information);
    EXPECT_TRUE(window.isVisible());
    seen = AnswerNextMessageBox(QMessageBox::Ok);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

TEST(Loading, FileListForgetsTheFolderItLeft) {
    TempDir dir;
    for (const char* folder : {"apfel", "birne"})
        QDir(dir.path(QString())).mkdir(QString::fromLatin1(folder));
    MainWindow window;
    window.show();
    LoadPage& page = *window.loadPage;
    page.selectFolder(dir.path(QString()));
    const auto entry = [&](const QString& name) { return page.fileModel->index(dir.path(name)); };
    ASSERT_TRUE(waitFor([&] { return entry(QStringLiteral("apfel")).isValid(); }));
    page.fileList->setCurrentIndex(entry(QStringLiteral("apfel")));
    page.openCurrentEntry();
    ASSERT_EQ(page.fileListFolder(), QDir(dir.path(QStringLiteral("apfel"))).absolutePath());
    EXPECT_FALSE(page.fileList->currentIndex().isValid());
    EXPECT_TRUE(page.fileList->selectionModel()->selectedIndexes().isEmpty());
    EXPECT_EQ(page.fileList->verticalScrollBar()->value(), 0);
    // "b" names nothing in the shown folder; the folder left behind holds "birne".
    page.fileList->keyboardSearch(QStringLiteral("b"));
    const QModelIndex current = page.fileList->currentIndex();
    EXPECT_TRUE(!current.isValid() || current.parent() == page.fileList->rootIndex());
    EXPECT_NE(current, entry(QStringLiteral("birne")));
}

TEST(SizeFields, TypedNumbersOutsideTheRangeAreClampedAndCoupled) {
    struct Case {
        const char* name;
        const char* typed;
        int wide;
    };
    const Case cases[] = {{"zero", "0", 1}, {"too many", "99999", 1000}, {"in range", "64", 64}};
    for (const Case& c : cases) {
        MainWindow window;
        givePicture(window, 200, 100);
        QSpinBox* wide = window.sizePage->beadsWideSpin;
        wide->setFocus();
        wide->selectAll();
        QTest::keyClicks(wide, QString::fromLatin1(c.typed));
        QTest::keyClick(wide, Qt::Key_Return);
        EXPECT_EQ(wide->value(), c.wide) << c.name;
        EXPECT_EQ(window.sizePage->beadsHighSpin->value(),
                  std::max(1, coupledBeadCount(100, 200, c.wide).value_or(0)))
            << c.name;
    }
}

TEST(StatusArea, SaysWhatIsLoadingFromTheFirstProgress) {
    TempDir dir;
    const QString picture = writePng(dir, QStringLiteral("bild.png"), QSize(64, 32));
    MainWindow window;
    QStringList seen;
    QObject::connect(window.loadPage, &LoadPage::progressed, window.progressBar,
                     [&] { seen << window.progressBar->statusText(); });
    window.loadPage->openPicture(picture);
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.constFirst(), QStringLiteral("Lade Bild …"));
    EXPECT_TRUE(window.progressBar->statusText().isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
