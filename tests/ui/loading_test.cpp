#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QSpinBox>
#include <QTest>

#include "imagelib/imagelib.h"
#include "modal.h"
#include "tempdir.h"
#include "ui/mainform.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// Replaces the form's picture with a blank one of the given size and depth.
void givePicture(TMainForm& form, int width, int height, int bits = 24) {
    dib picture{};
    newdib(&picture, width, height, bits, nullptr, 0);
    ASSERT_NE(picture.poi, nullptr);
    form.AcceptLoadedPicture(picture);
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
    TMainForm form;
    ASSERT_EQ(form.Breit->text(), QStringLiteral("320 Pixels"));
    ASSERT_EQ(form.Hoch->text(), QStringLiteral("200 Pixels"));
    EXPECT_EQ(form.tief->text(), QStringLiteral("16777216"));
    EXPECT_EQ(form.reihened->value(), 19);  // 200 * 30 / 320 = 18.75
    const std::pair<int, int> cases[] = {
        {100, 62} /* 62.5 goes to the even 62 */, {1000, 625}, {30, 19}};
    for (const auto& [width, height] : cases) {
        form.maschened->setValue(width);
        EXPECT_EQ(form.reihened->value(), height) << width;
    }
    givePicture(form, 1000, 10);
    form.maschened->setValue(31);
    EXPECT_EQ(form.reihened->value(), 1);  // 0.31 is limited to the smallest height
}

TEST(SizeCoupling, WidthFollowsTheHeightAndTheLockCanBeOff) {
    TMainForm form;
    form.reihened->setValue(100);
    EXPECT_EQ(form.maschened->value(), 160);
    form.sverhCheck->setChecked(false);
    form.maschened->setValue(50);
    EXPECT_EQ(form.reihened->value(), 100);
    form.reihened->setValue(7);
    EXPECT_EQ(form.maschened->value(), 50);
    form.sverhCheck->setChecked(true);  // checking alone recomputes nothing
    EXPECT_EQ(form.reihened->value(), 7);
    form.maschened->setValue(32);
    EXPECT_EQ(form.reihened->value(), 20);
}

TEST(SizeCoupling, TypingUpdatesTheHeightAfterEveryCharacter) {
    TMainForm form;
    form.show();
    QLineEdit* edit = form.maschened->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    const std::pair<char, int> typed[] = {{'1', 1}, {'0', 6}, {'0', 62}};
    for (const auto& [key, height] : typed) {
        QTest::keyClick(edit, key);
        EXPECT_EQ(form.reihened->value(), height) << "after typing " << key;
    }
}

TEST(PictureInfo, ColourCountFollowsTheDepth) {
    TMainForm form;
    const std::pair<int, const char*> cases[] = {
        {1, "2"}, {4, "16"}, {8, "256"}, {24, "16777216"}, {32, "4294967296"} /* no overflow */};
    for (const auto& [bits, text] : cases) {
        givePicture(form, 7, 5, bits);
        EXPECT_EQ(form.tief->text(), QString::fromLatin1(text)) << bits;
        EXPECT_EQ(form.Breit->text(), QStringLiteral("7 Pixels"));
        EXPECT_EQ(form.Hoch->text(), QStringLiteral("5 Pixels"));
    }
}

TEST(Preview, KeepsTheAspectInTheTopLeftCorner) {
    TMainForm form;
    givePicture(form, 640, 480);
    EXPECT_EQ(form.PreviewRect(376, 398), QRect(0, 0, 376, 282));
    givePicture(form, 100, 400);
    EXPECT_EQ(form.PreviewRect(376, 398), QRect(0, 0, 99, 398));
    givePicture(form, 10, 10);
    EXPECT_EQ(form.PreviewRect(376, 398), QRect(0, 0, 376, 376));  // small pictures are enlarged
}

TEST(Loading, GoodFileReplacesThePictureAndCouplesTheSize) {
    TempDir dir;
    TMainForm form;
    form.openfilenow(writePng(dir, QStringLiteral("Motiv äöü.png"), QSize(640, 480)));
    EXPECT_EQ(DibWidth(form.di), 640);
    EXPECT_EQ(form.Breit->text(), QStringLiteral("640 Pixels"));
    EXPECT_EQ(form.Hoch->text(), QStringLiteral("480 Pixels"));
    EXPECT_EQ(form.reihened->value(), 22);            // 480 * 30 / 640 = 22.5, to the even 22
    EXPECT_EQ(form.PageControl2->currentIndex(), 0);  // loading does not change the page
}

TEST(Loading, BadFileShowsTheLibraryTextUnderTheFileCaption) {
    TempDir dir;
    TMainForm form;
    const QString file = dir.write(QStringLiteral("kaputt.png"), "kein Bild");
    const auto seen = AnswerNextMessageBox(QMessageBox::Ok);
    form.openfilenow(file);
    ASSERT_TRUE(seen->seen);
    EXPECT_EQ(seen->title, QStringLiteral("Fehler: Die Datei ") + file +
                               QStringLiteral(" konnte nicht geladen werden!"));
    EXPECT_EQ(seen->text, ImageErrorText(ImageError::UnknownFormat));
    EXPECT_EQ(seen->icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen->buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    EXPECT_EQ(DibWidth(form.di), 320);  // the document keeps its picture
}

TEST(Loading, FolderTreeListAndDoubleClick) {
    TempDir dir;
    const QString picture = writePng(dir, QStringLiteral("bild.png"), QSize(64, 32));
    dir.write(QStringLiteral("notiz.txt"), "text");
    QDir(dir.path(QString())).mkdir(QStringLiteral("unterordner"));
    TMainForm form;
    form.show();
    form.SelectFolder(dir.path(QString()));
    auto rowOf = [&](const QString& name) {
        const QModelIndex root = form.JamShellList1->rootIndex();
        for (int r = 0; r < form.fileModel->rowCount(root); ++r) {
            const QModelIndex index = form.fileModel->index(r, 0, root);
            if (form.fileModel->fileName(index) == name) return index;
        }
        return QModelIndex();
    };
    ASSERT_TRUE(waitFor([&] { return rowOf(QStringLiteral("bild.png")).isValid(); }));
    ASSERT_TRUE(waitFor([&] { return rowOf(QStringLiteral("unterordner")).isValid(); }));
    EXPECT_FALSE(
        rowOf(QStringLiteral("notiz.txt")).isValid());  // the first mask shows pictures only

    form.JamShellList1->setCurrentIndex(rowOf(QStringLiteral("bild.png")));
    form.JamShellList1DblClick();
    EXPECT_EQ(DibWidth(form.di), 64);

    form.JamShellList1->setCurrentIndex(rowOf(QStringLiteral("unterordner")));
    QTest::keyClick(form.JamShellList1, Qt::Key_Return);  // Enter opens like a double-click
    EXPECT_EQ(form.FileListFolder(), QDir(dir.path(QStringLiteral("unterordner"))).absolutePath());
    ASSERT_TRUE(waitFor([&] { return rowOf(QStringLiteral("..")).isValid(); }));
    form.JamShellList1->setCurrentIndex(rowOf(QStringLiteral("..")));
    form.JamShellList1DblClick();
    EXPECT_EQ(form.FileListFolder(), QDir(dir.path(QString())).absolutePath());
}

TEST(Loading, FileTypeBoxSetsTheMaskOfTheList) {
    TMainForm form;
    ASSERT_GT(form.FilterComboBox1->count(), 2);
    EXPECT_EQ(form.FilterComboBox1->currentIndex(), 0);
    EXPECT_TRUE(form.fileModel->nameFilters().contains(QStringLiteral("*.png")));
    form.FilterComboBox1->setCurrentIndex(form.FilterComboBox1->count() - 1);  // "*.*"
    EXPECT_EQ(form.fileModel->nameFilters(), QStringList{QStringLiteral("*")});
    form.FilterComboBox1->setCurrentIndex(-1);
    EXPECT_EQ(form.fileModel->nameFilters(), QStringList{QStringLiteral("*")});
}

TEST(Closing, CancelKeepsTheWindowAndOkCloses) {
    TMainForm form;
    form.show();
    auto seen = AnswerNextMessageBox(QMessageBox::Cancel);
    EXPECT_FALSE(form.close());
    ASSERT_TRUE(seen->seen);
    EXPECT_EQ(seen->title, QStringLiteral("Programm beenden"));
    EXPECT_EQ(
        seen->text,
        QStringLiteral(
            "Hiermit beenden Sie das Programm! Alle nicht gespeicherten Daten gehen verloren!"));
    EXPECT_EQ(seen->icon, QMessageBox::Information);
    EXPECT_TRUE(form.isVisible());
    seen = AnswerNextMessageBox(QMessageBox::Ok);
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(form.isVisible());
}
