#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "engine/datapaths.h"
#include "tempdir.h"

using namespace tessora;

TEST(DataPaths, ProgramFolderChoosesTheDataFolder) {
    const test::TempDir root;
    for (const char* folder :
         {"build/tests/engine", "build-release", "prefix/bin", "prefix/share/tessora", "other/bin"})
        ASSERT_TRUE(QDir().mkpath(root.path(QString::fromLatin1(folder))));
    ASSERT_TRUE(QFile::link(root.path(QStringLiteral("build")), root.path(QStringLiteral("link"))));
    const DataDirLayout layout{
        root.path(QStringLiteral("build")), root.path(QStringLiteral("source/data")),
        QStringLiteral("../share/tessora"), QStringLiteral("/usr/share/tessora")};
    const QString source = layout.sourceDataDir;
    const QString installed = layout.installedDataDir;
    const QString relocated = root.path(QStringLiteral("prefix/share/tessora"));
    struct Case {
        const char* name;
        QString applicationDir;
        QString expected;
    };
    const Case cases[] = {
        {"program in the build folder", root.path(QStringLiteral("build")), source},
        {"test program below it", root.path(QStringLiteral("build/tests/engine")), source},
        {"build folder reached through a link", root.path(QStringLiteral("link/tests")), source},
        {"folder whose name only begins like it", root.path(QStringLiteral("build-release")),
         installed},
        {"installed under another prefix", root.path(QStringLiteral("prefix/bin")), relocated},
        {"prefix without data", root.path(QStringLiteral("other/bin")), installed},
        {"program folder unknown", QString(), installed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dataDirFor(c.applicationDir, layout).toStdString(), c.expected.toStdString())
            << c.name;
}

// The test programs run from the build folder, so they must see the checkout's files.
TEST(DataPaths, BuildTreeProgramsFindTheShippedMotifs) {
    EXPECT_EQ(dataDir().toStdString(), builtDataDirLayout().sourceDataDir.toStdString());
    EXPECT_TRUE(QFileInfo(motifDir() + QStringLiteral("/herz.png")).isFile())
        << motifDir().toStdString();
    EXPECT_EQ(rangesDir().toStdString(), (dataDir() + QStringLiteral("/ranges")).toStdString());
}
