#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "clirunner.h"
#include "tempdir.h"

using tessora::test::CliRun;
using tessora::test::runCli;
using tessora::test::TempDir;

namespace {

// Four colour bands, so that boards differ in their counts.
QString writeBands(const TempDir& dir) {
    QImage image(40, 30, QImage::Format_RGB32);
    const QRgb bands[] = {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(176, 41, 48), qRgb(30, 60, 160)};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, bands[(x / 7 + y / 9) % 4]);
    }
    const QString file = dir.path(QStringLiteral("streifen.png"));
    EXPECT_TRUE(image.save(file));
    return file;
}

// "NN: count" lines added up per colour number.
std::map<QString, int> addUp(const QStringList& lines) {
    std::map<QString, int> totals;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("Platte"))) continue;
        totals[line.section(u':', 0, 0)] += line.section(u':', 1).trimmed().toInt();
    }
    return totals;
}

}  // namespace

TEST(CliBook, BoardStatisticsAddUpToTheStatistics) {
    TempDir dir;
    const QString picture = writeBands(dir);
    const CliRun stats = runCli(
        {picture, QStringLiteral("--width"), QStringLiteral("40"), QStringLiteral("--stats")});
    const CliRun boards =
        runCli({picture, QStringLiteral("--width"), QStringLiteral("40"), QStringLiteral("--board"),
                QStringLiteral("29x20"), QStringLiteral("--board-stats")});
    ASSERT_EQ(boards.exitCode, 0) << boards.err.toStdString();
    const QStringList lines = boards.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.filter(QStringLiteral("Platte")),
              QStringList({"Platte 1/1", "Platte 1/2", "Platte 2/1", "Platte 2/2"}));
    EXPECT_EQ(addUp(lines), addUp(stats.out.split(u'\n', Qt::SkipEmptyParts)));
}

TEST(CliBook, WritesTheBookAndRefusesBadChoices) {
    TempDir dir;
    const QString picture = writeBands(dir);
    const QString pdf = dir.path(QStringLiteral("vorlage.pdf"));
    const CliRun run =
        runCli({picture, QStringLiteral("--template-pdf"), pdf, QStringLiteral("--bead"),
                QStringLiteral("maxi"), QStringLiteral("--paper"), QStringLiteral("letter")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));

    for (const QStringList& bad : {QStringList{"--bead", "riesig"}, QStringList{"--board", "29"},
                                   QStringList{"--board", "0x5"}, QStringList{"--pitch", "0,5"},
                                   QStringList{"--paper", "a3"}}) {
        EXPECT_EQ(runCli(QStringList{picture} << bad).exitCode, 2) << bad.join(' ').toStdString();
    }
    const CliRun failed = runCli(
        {picture, QStringLiteral("--template-pdf"), QStringLiteral("/nonexistent-folder/v.pdf")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("konnte nicht angelegt werden")));
}
