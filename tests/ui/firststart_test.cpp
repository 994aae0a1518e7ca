#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "engine/datapaths.h"
#include "tempdir.h"
#include "ui/filedialogfolders.h"
#include "ui/firststart.h"
#include "ui/loadpage.h"
#include "ui/mainwindow.h"

using namespace tessora;
using namespace tessora::test;

namespace {

QString canonical(const QString& folder) {
    return QFileInfo(folder).canonicalFilePath();
}

// Points the program's settings at a fresh folder for one test and back afterwards.
class FirstStartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           settingsDir.path(QString()));
    }
    void TearDown() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           qEnvironmentVariable("XDG_CONFIG_HOME"));
    }
    TempDir settingsDir;
    TempDir folders;
};

}  // namespace

TEST_F(FirstStartTest, SampleMotifsOnlyWhenNeverStartedAndPresent) {
    const QString usual = folders.path(QStringLiteral("usual"));
    const QString motifs = folders.path(QStringLiteral("motive"));
    const QString missing = folders.path(QStringLiteral("fehlt"));
    QDir().mkpath(motifs);
    struct Case {
        const char* what;
        bool startedBefore;
        QString motifFolder;
        QString expected;
    } const cases[] = {
        {"first start", false, motifs, motifs},
        {"later start", true, motifs, usual},
        {"motifs not installed", false, missing, usual},
    };
    for (const Case& c : cases) {
        QSettings settings(folders.path(QStringLiteral("%1.conf").arg(c.what)),
                           QSettings::IniFormat);
        if (c.startedBefore) LoadPageStartFolder(settings, usual, c.motifFolder);
        EXPECT_EQ(LoadPageStartFolder(settings, usual, c.motifFolder), c.expected) << c.what;
    }
}

TEST_F(FirstStartTest, WindowOpensTheSampleMotifsOnTheFirstStartOnly) {
    {
        const MainWindow first;
        EXPECT_EQ(canonical(first.loadPage->fileListFolder()), canonical(motifDir()));
    }
    const MainWindow later;
    const QString usual = DialogStartFolder(QCoreApplication::applicationDirPath() + u'/');
    EXPECT_EQ(canonical(later.loadPage->fileListFolder()), canonical(usual));
}
