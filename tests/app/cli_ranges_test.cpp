#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

#include "clirunner.h"
#include "engine/gplpalette.h"
#include "tempdir.h"

using tessora::test::CliRun;
using tessora::test::runCli;
using tessora::test::TempDir;

namespace {

// 8 x 4: four black beads at the top left, one red at the bottom right, white elsewhere.
QString writePicture(const TempDir& dir) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, qRgb(0, 0, 0));
    image.setPixel(7, 3, qRgb(176, 41, 48));
    const QString file = dir.path(QStringLiteral("motiv.png"));
    EXPECT_TRUE(image.save(file));
    return file;
}

QStringList lines(const QString& text) {
    return text.split(u'\n', Qt::SkipEmptyParts);
}

int countSum(const QStringList& statistics) {
    int sum = 0;
    for (const QString& line : statistics)
        sum += line.section(QStringLiteral(": "), 1).toInt();
    return sum;
}

}  // namespace

TEST(CliRanges, EveryRangeCalculatesDrawsAndCountsInItsOwnNumbers) {
    const CliRun list = runCli({QStringLiteral("--list-ranges")});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_EQ(lines(list.out),
              (QStringList{QStringLiteral("Hama Midi (Standard)"),
                           QStringLiteral("Artkal S (5 mm)"), QStringLiteral("Hama Midi"),
                           QStringLiteral("Nabbi"), QStringLiteral("Perler")}));
    TempDir dir;
    const QString picture = writePicture(dir);
    const struct {
        const char *range, *prefix;
    } cases[] = {{"Hama Midi (Standard)", "01: 27"},
                 {"Artkal S (5 mm)", "S"},
                 {"hama midi", "H"},
                 {"Nabbi", "N"},
                 {"Perler", "80-"}};
    for (const auto& c : cases) {
        const QString chart = dir.path(QStringLiteral("vorlage.png"));
        const CliRun run = runCli({picture, QStringLiteral("--range"), QString::fromUtf8(c.range),
                                   QStringLiteral("--width"), QStringLiteral("8"),
                                   QStringLiteral("--stats"), QStringLiteral("--chart"), chart});
        ASSERT_EQ(run.exitCode, 0) << c.range << run.err.toStdString();
        const QStringList statistics = lines(run.out);
        ASSERT_FALSE(statistics.isEmpty()) << c.range;
        EXPECT_TRUE(statistics.first().startsWith(QString::fromUtf8(c.prefix))) << c.range;
        EXPECT_EQ(countSum(statistics), 32) << c.range;
        EXPECT_EQ(QImage(chart).size(), QSize(8 * 15 + 120, 4 * 30 + 20)) << c.range;
    }
}

TEST(CliRanges, PaletteFileAsTheRangeAndExportedAgain) {
    TempDir dir;
    const QString palette = dir.write(QStringLiteral("kiste.gpl"),
                                      "GIMP Palette\n0 0 0 Schwarz\n255 255 255 W1 Weiß\n");
    const QString exported = dir.path(QStringLiteral("export.gpl"));
    const CliRun run =
        runCli({writePicture(dir), QStringLiteral("--palette"), palette, QStringLiteral("--width"),
                QStringLiteral("8"), QStringLiteral("--grid"), QStringLiteral("--stats"),
                QStringLiteral("--export-palette"), exported});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(lines(run.out), (QStringList{QStringLiteral("0 0 0 0 11 11 11 11"),
                                           QStringLiteral("11 11 11 11 11 11 11 11"),
                                           QStringLiteral("11 11 11 11 11 11 11 11"),
                                           QStringLiteral("11 11 11 11 11 11 11 0"),
                                           QStringLiteral("1: 5"), QStringLiteral("W1: 27")}));
    const tessora::PaletteRead back = tessora::readGimpPalette(exported);
    ASSERT_TRUE(back.range);
    EXPECT_EQ(back.range->name, "kiste");
    ASSERT_EQ(back.range->size(), 2);
    EXPECT_EQ(back.range->colors[1].number, "W1");
    EXPECT_EQ(back.range->colors[1].name, "Weiß");
}

TEST(CliRanges, ColourLimitKeepsTheBestColours) {
    TempDir dir;
    const CliRun run =
        runCli({writePicture(dir), QStringLiteral("--width"), QStringLiteral("8"),
                QStringLiteral("--max-colors"), QStringLiteral("2"), QStringLiteral("--stats")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(lines(run.out), (QStringList{QStringLiteral("01: 27"), QStringLiteral("18: 5")}));
    EXPECT_TRUE(run.err.contains(QStringLiteral("Höchstens 2 Farben: 01 18")))
        << run.err.toStdString();
}

TEST(CliRanges, RefusalsSayWhy) {
    TempDir dir;
    const QString picture = writePicture(dir);
    const QString broken = dir.write(QStringLiteral("kaputt.gpl"), "GIMP Palette\n1 2 300 x\n");
    const struct {
        QStringList arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {{picture, QStringLiteral("--range"), QStringLiteral("Gibt es nicht")},
         1,
         "Perlensortiment \"Gibt es nicht\""},
        {{picture, QStringLiteral("--palette"), broken}, 1, "Zeile 2 der Palette"},
        {{picture, QStringLiteral("--range"), QStringLiteral("Nabbi"), QStringLiteral("--palette"),
          broken},
         2,
         "schließen einander aus"},
        {{picture, QStringLiteral("--max-colors"), QStringLiteral("-1")}, 2, "--max-colors"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.message;
    }
}
