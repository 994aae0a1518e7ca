#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <cstring>

#include "engine/project.h"
#include "modal.h"
#include "projecttestsupport.h"
#include "tempdir.h"
#include "ui/colourpage.h"
#include "ui/recentprojects.h"
#include "ui/resultpage.h"

using namespace tessora;
using namespace tessora::test;

namespace {

QByteArray gridBytes(const dib& grid) {
    return QByteArray(reinterpret_cast<const char*>(grid.poi),
                      static_cast<qsizetype>(grid.pmi->biSizeImage));
}

void setTick(MainWindow& window, int colour, bool ticked) {
    window.colourPage->colourList->item(colour)->setCheckState(ticked ? Qt::Checked
                                                                      : Qt::Unchecked);
    QCoreApplication::processEvents();  // the colour step is recorded once the clicks are done
}

}  // namespace

TEST(ProjectWindow, SavedWorkComesBackAndTheTitleShowsUnsavedChanges) {
    TempDir dir;
    const QString file = dir.path(QStringLiteral("muster.tessora"));
    QByteArray saved;
    {
        MainWindow window;
        calculateAndEdit(window);
        setTick(window, 7, false);
        window.colourPage->ditheringRadio->setChecked(true);
        window.resultPage->zoomSpin->setValue(250);
        window.pageTabs->setCurrentIndex(5);
        ASSERT_TRUE(window.saveProjectTo(file));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("muster - Kelvara Tessora 1.0"));
        saved = gridBytes(window.document.di3);
    }
    MainWindow window;
    ASSERT_TRUE(window.openProjectFile(file));
    EXPECT_EQ(gridBytes(window.document.di3), saved);
    EXPECT_EQ(window.sizePage->beadsWide(), 12);
    EXPECT_EQ(window.sizePage->beadsHigh(), 9);
    EXPECT_FALSE(window.sizePage->keepAspectCheck->isChecked());
    EXPECT_FALSE(window.colourPage->selectedColours()[7]);
    EXPECT_TRUE(window.colourPage->selectedColours()[8]);
    EXPECT_TRUE(window.colourPage->ditheringChosen());
    EXPECT_EQ(window.resultPage->zoomSpin->value(), 250);
    EXPECT_EQ(window.pageTabs->currentIndex(), 5);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("muster - Kelvara Tessora 1.0"));
    EXPECT_FALSE(window.undoStack->canUndo()) << "an opened project starts a history";

    window.pageTabs->setCurrentIndex(MainWindow::kCalculatePage);
    window.calculatePage->editModeCheck->setChecked(true);
    window.document.colornr = 9;
    window.calculatePage->editView->onBeadPressed(QPoint(15, 25));
    window.calculatePage->editView->onPointerReleased(QPoint(15, 25));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("muster* - Kelvara Tessora 1.0"));
    window.calculatePage->editView->undoBeadEdit();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("muster - Kelvara Tessora 1.0"));
}

TEST(ProjectWindow, StrokesCalculationsAndColourChangesAreOneStepEach) {
    MainWindow window;
    const QByteArray start = gridBytes(window.document.di3);
    setTick(window, 3, false);
    setTick(window, 3, false);                    // no change, no step
    window.colourPage->selectAllButton->click();  // 64 items, one step
    QCoreApplication::processEvents();
    calculateAndEdit(window);  // a calculation and two strokes
    const QByteArray edited = gridBytes(window.document.di3);
    EXPECT_EQ(window.undoStack->count(), 5);
    window.calculatePage->editView->undoBeadEdit();
    window.calculatePage->editView->undoBeadEdit();
    window.calculatePage->editView->undoBeadEdit();
    EXPECT_EQ(gridBytes(window.document.di3), start) << "the calculation was undone";
    EXPECT_TRUE(window.colourPage->selectedColours()[3]);
    window.calculatePage->editView->undoBeadEdit();
    EXPECT_FALSE(window.colourPage->selectedColours()[3]);
    window.calculatePage->editView->undoBeadEdit();
    EXPECT_TRUE(window.colourPage->selectedColours()[3]);
    EXPECT_TRUE(window.undoStack->isClean());
    for (int i = 0; i < 5; ++i)
        window.calculatePage->editView->redoBeadEdit();
    EXPECT_EQ(gridBytes(window.document.di3), edited);
}

TEST(ProjectWindow, ClosingWithUnsavedChangesAsksToSave) {
    MainWindow window;
    window.show();
    calculateAndEdit(window);
    QStringList buttons;
    OnNextModal<QMessageBox>([&buttons](QMessageBox* box) {
        EXPECT_EQ(box->text(), QStringLiteral("Änderungen am Muster speichern?"));
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(window.close());
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("Speichern"),
                                    QStringLiteral("Verwerfen")}));
    const auto seen = AnswerNextMessageBox(QMessageBox::Discard);
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(seen->seen);
}

TEST(ProjectWindow, FilesThatFailSayWhyAndChangeNothing) {
    TempDir dir;
    const QString textFile = dir.path(QStringLiteral("text.tessora"));
    QFile text(textFile);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("kein Projekt\n");
    text.close();
    const QString missingFolder = dir.path(QStringLiteral("fehlt/muster.tessora"));
    const struct {
        const char* name;
        QString file;
        bool save;
        ProjectError error;
    } cases[] = {
        {"text file opened", textFile, false, ProjectError::NotAProject},
        {"saved into a missing folder", missingFolder, true, ProjectError::FolderNotWritable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MainWindow window;
        calculateGrid(window, 6, 5, true);
        const QByteArray before = gridBytes(window.document.di3);
        const auto seen = AnswerNextMessageBox(QMessageBox::Ok);
        if (c.save) {
            EXPECT_FALSE(window.saveProjectTo(c.file));
        } else {
            window.undoStack->setClean();  // no question about unsaved changes first
            EXPECT_FALSE(window.openProjectFile(c.file));
        }
        EXPECT_EQ(seen->text, projectErrorText(c.error, c.file));
        EXPECT_EQ(gridBytes(window.document.di3), before);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvara Tessora 1.0"));
        EXPECT_EQ(window.undoStack->isClean(), !c.save);
    }
}

// A window killed in the middle of its work: the next start offers its last autosave, once,
// and a window that still lives keeps its file to itself.
TEST(Recovery, AKilledWindowsEditsComeBack) {
    TempDir dir;
    const QString folder = dir.path(QStringLiteral("recovery"));
    QProcess helper;
    helper.start(QStringLiteral(TESSORA_RECOVERY_HELPER), {folder});
    ASSERT_TRUE(helper.waitForReadyRead(30000));
    const QStringList pattern{QStringLiteral("*.tessora")};
    for (int waited = 0; QDir(folder).entryList(pattern).isEmpty() && waited < 200; ++waited)
        QTest::qWait(50);
    ASSERT_EQ(QDir(folder).entryList(pattern).size(), 1) << "autosaved within 10 s";
    {
        MainWindow other;
        other.setRecoveryFolder(folder);
        EXPECT_FALSE(other.offerRecovery()) << "the file of a living window";
    }
    helper.kill();
    ASSERT_TRUE(helper.waitForFinished(10000));

    MainWindow expected;
    calculateAndEdit(expected);
    MainWindow restored;
    restored.setRecoveryFolder(folder);
    const auto seen = AnswerNextMessageBox(QMessageBox::Yes);
    ASSERT_TRUE(restored.offerRecovery());
    EXPECT_EQ(seen->text, QStringLiteral("Letzte Sitzung wiederherstellen?"));
    EXPECT_EQ(gridBytes(restored.document.di3), gridBytes(expected.document.di3));
    EXPECT_FALSE(restored.undoStack->isClean()) << "recovered work is not saved anywhere";
    EXPECT_TRUE(QDir(folder).entryList(pattern).isEmpty());
    EXPECT_FALSE(restored.offerRecovery());
}

// Recent projects live in the program's settings file with its other choices, newest first and
// each once, so the list survives into the next start.
TEST(RecentProjects, KeptInTheProgramsSettingsNewestFirst) {
    rememberProject(QStringLiteral("/muster/a.tessora"));
    rememberProject(QStringLiteral("/muster/b.tessora"));
    rememberProject(QStringLiteral("/muster/a.tessora"));
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                             QStringLiteral("tessora"));
    const QStringList expected{QStringLiteral("/muster/a.tessora"),
                               QStringLiteral("/muster/b.tessora")};
    EXPECT_EQ(settings.value(QStringLiteral("Projekte/zuletzt")).toStringList().mid(0, 2),
              expected);
    EXPECT_EQ(recentProjects().mid(0, 2), expected);
}
