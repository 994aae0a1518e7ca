#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include <QFile>
#include <QImage>
#include <QProcess>

#include "clirunner.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "engine/colorsettings.h"
#include "engine/project.h"
#include "fulldisk.h"
#include "imagelib/imagelib.h"
#include "tempdir.h"

using tessora::test::CliRun;
using tessora::test::runCli;
using tessora::test::TempDir;

namespace {

// 8 x 4: a black run at the top left, one "Rot" pixel at the bottom right, white elsewhere.
QString writeDesignedPicture(const TempDir& dir, const QString& name) {
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, qRgb(0, 0, 0));
    image.setPixel(7, 3, qRgb(176, 41, 48));
    const QString file = dir.path(name);
    EXPECT_TRUE(image.save(file));
    return file;
}

QString writeGreyPicture(const TempDir& dir, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(128, 128, 128));
    const QString file = dir.path(QStringLiteral("grau.png"));
    EXPECT_TRUE(image.save(file));
    return file;
}

QString writeColours(const TempDir& dir, std::initializer_list<int> ticked) {
    std::array<bool, 64> ticks{};
    for (const int i : ticked)
        ticks[static_cast<std::size_t>(i)] = true;
    return dir.write(QStringLiteral("farben.frb"),
                     tessora::colorSettingsBytes(ticks, tessora::StartPalette()));
}

QStringList lines(const QString& text) {
    return text.split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

TEST(Cli, GridAndStatisticsOfADesignedPicture) {
    TempDir dir;
    const CliRun run =
        runCli({writeDesignedPicture(dir, QStringLiteral("motiv.png")), QStringLiteral("--width"),
                QStringLiteral("8"), QStringLiteral("--grid"), QStringLiteral("--stats")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(
        lines(run.out),
        (QStringList{QStringLiteral("27 27 27 27 0 0 0 0"), QStringLiteral("0 0 0 0 0 0 0 0"),
                     QStringLiteral("0 0 0 0 0 0 0 0"), QStringLiteral("0 0 0 0 0 0 0 14"),
                     QStringLiteral("01: 27"), QStringLiteral("05: 1"), QStringLiteral("18: 4")}));
    EXPECT_EQ(run.err, QString()) << "nothing but results, no notes of Qt";
}

TEST(Cli, SizesFollowThePictureAsTypingWithTheAspectLock) {
    TempDir dir;
    const QString picture = writeGreyPicture(dir, 40, 20);
    struct Case {
        const char* name;
        QStringList options;
        int columns, rows;
    };
    const Case cases[] = {
        {"start width 30", {}, 30, 15},
        {"width 10", {QStringLiteral("--width"), QStringLiteral("10")}, 10, 5},
        {"height 7", {QStringLiteral("--height=7")}, 14, 7},
        {"both as given",
         {QStringLiteral("--width"), QStringLiteral("3"), QStringLiteral("--height"),
          QStringLiteral("9")},
         3,
         9},
        {"width limited to 1000", {QStringLiteral("--width"), QStringLiteral("5000")}, 1000, 500},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli((QStringList{picture, QStringLiteral("--grid")} << c.options));
        ASSERT_EQ(run.exitCode, 0) << c.name;
        const QStringList rows = lines(run.out);
        ASSERT_EQ(rows.size(), c.rows) << c.name;
        EXPECT_EQ(rows.first().split(u' ').size(), c.columns) << c.name;
    }
}

TEST(Cli, DitheringWithAColourFile) {
    TempDir dir;
    const CliRun run =
        runCli({writeGreyPicture(dir, 6, 3), QStringLiteral("--width"), QStringLiteral("6"),
                QStringLiteral("--dither"), QStringLiteral("--colors"), writeColours(dir, {0, 17}),
                QStringLiteral("--grid"), QStringLiteral("--stats")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(lines(run.out),
              (QStringList{QStringLiteral("0 27 0 27 0 27"), QStringLiteral("27 0 27 0 27 0"),
                           QStringLiteral("0 27 0 27 0 27"), QStringLiteral("01: 9"),
                           QStringLiteral("18: 9")}));
}

TEST(Cli, SavesTheColourSettingsAfterLoadingThem) {
    TempDir dir;
    const QString colours = writeColours(dir, {3, 4});
    const QString saved = dir.path(QStringLiteral("kopie.frb"));
    const CliRun run = runCli({writeGreyPicture(dir, 4, 4), QStringLiteral("--colors"), colours,
                               QStringLiteral("--save-colors"), saved});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile a(colours), b(saved);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(b.readAll(), a.readAll());
    const CliRun failed = runCli({writeGreyPicture(dir, 4, 4), QStringLiteral("--save-colors"),
                                  QStringLiteral("/nonexistent-folder/f.frb")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("/nonexistent-folder/f.frb")));
}

TEST(Cli, SavesTheChartInTheFormatOfItsExtension) {
    TempDir dir;
    const QString picture = writeDesignedPicture(dir, QStringLiteral("motiv.png"));
    for (const QString& name : {QStringLiteral("vorlage.png"), QStringLiteral("vorlage.bmp")}) {
        const QString chart = dir.path(name);
        const CliRun run = runCli({picture, QStringLiteral("--width"), QStringLiteral("8"),
                                   QStringLiteral("--chart"), chart});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QImage image(chart);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(8 * 15 + 120, 4 * 30 + 20));
        EXPECT_EQ(image.pixelColor(60 + 7 * 15 + 7, 10 + 3 * 30 + 28), QColor(176, 41, 48))
            << "the red bead";
    }
    const QString unknown = dir.path(QStringLiteral("vorlage.xyz"));
    const CliRun run = runCli({picture, QStringLiteral("--chart"), unknown});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(unknown)) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(unknown));
}

TEST(Cli, PictureThatCannotBeLoaded) {
    TempDir dir;
    const QString broken =
        dir.write(QStringLiteral("kaputt.png"), QByteArray("\x89PNG nothing else"));
    for (const QString& file : {broken, dir.path(QStringLiteral("fehlt.png"))}) {
        const CliRun run = runCli({file, QStringLiteral("--grid")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(QStringLiteral("Fehler: Die Datei ") + file +
                                     QStringLiteral(" konnte nicht geladen werden!")))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(Cli, BadArgumentsGiveTheUsage) {
    const QStringList bad[] = {
        {},
        {QStringLiteral("a.png"), QStringLiteral("--width"), QStringLiteral("breit")},
        {QStringLiteral("a.png"), QStringLiteral("--height")},
        {QStringLiteral("a.png"), QStringLiteral("--farbe")},
        {QStringLiteral("a.png"), QStringLiteral("b.png")}};
    for (const QStringList& arguments : bad) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Aufruf: tessora-cli BILD")));
    }
    const CliRun help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--chart DATEI")));
}

TEST(Cli, PrintsTheChartToAPdfPage) {
    TempDir dir;
    const QString picture = writeDesignedPicture(dir, QStringLiteral("motiv.png"));
    const QString pdf = dir.path(QStringLiteral("Vorlage ä.pdf"));
    const CliRun run = runCli({picture, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Type /Page"));
    EXPECT_TRUE(bytes.contains("595") || bytes.contains("841")) << "an A4 page";

    const CliRun failed =
        runCli({picture, QStringLiteral("--pdf"), QStringLiteral("/nonexistent-folder/v.pdf")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("/nonexistent-folder/v.pdf")));
}

namespace {

QByteArray fileBytes(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList gridLines(const tessora::dib& grid) {
    QStringList rows;
    for (int y = 0; y < tessora::DibHeight(grid); ++y) {
        QStringList row;
        for (int x = 0; x < tessora::DibWidth(grid); ++x)
            row << QString::number(tessora::getpixel(grid, x, y));
        rows << row.join(u' ');
    }
    return rows;
}

}  // namespace

TEST(CliProject, EditedProjectOpensBitForBitWithItsPictureDeleted) {
    using namespace tessora;
    TempDir dir;
    const QString picture = writeDesignedPicture(dir, QStringLiteral("motiv.png"));
    const QString calculated = dir.path(QStringLiteral("berechnet.tessora"));
    ASSERT_EQ(runCli({picture, QStringLiteral("--width"), QStringLiteral("8"),
                      QStringLiteral("--save-project"), calculated})
                  .exitCode,
              0);
    // Bead edits as the edit view makes them, one of them outside the bead range.
    ProjectState state;
    ASSERT_EQ(openProject(calculated, state), ProjectError::None);
    setpixel(state.grid, 0, 0, PaletteSlotBase + 5);
    setpixel(state.grid, 7, 3, PaletteSlotBase + 40);
    setpixel(state.grid, 3, 2, 255);
    const QString edited = dir.path(QStringLiteral("bearbeitet.tessora"));
    ASSERT_EQ(saveProject(state, edited), ProjectError::None);
    dib chart{};
    BeadCounts counts{};
    drawChart(state.grid, state.beadsWide, state.beadsHigh, state.notfoundis, chart, counts);
    const QString expectedChart = dir.path(QStringLiteral("erwartet.bmp"));
    ASSERT_EQ(SaveDib(chart, expectedChart, kSaveBmp, {}), ImageError::None);
    const QStringList expectedOut = gridLines(state.grid) + statisticsLines(counts);
    FreeDib(chart);
    FreeProjectImages(state);
    ASSERT_TRUE(QFile::remove(picture));

    const QString chartFile = dir.path(QStringLiteral("vorlage.bmp"));
    const CliRun run = runCli({QStringLiteral("--project"), edited, QStringLiteral("--grid"),
                               QStringLiteral("--stats"), QStringLiteral("--chart"), chartFile});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(lines(run.out), expectedOut);
    EXPECT_EQ(fileBytes(chartFile), fileBytes(expectedChart));
}

TEST(CliProject, CalculationOptionsCalculateAgainFromTheEmbeddedPicture) {
    TempDir dir;
    const QString picture = writeDesignedPicture(dir, QStringLiteral("motiv.png"));
    const QString project = dir.path(QStringLiteral("muster.tessora"));
    ASSERT_EQ(runCli({picture, QStringLiteral("--width"), QStringLiteral("8"),
                      QStringLiteral("--save-project"), project})
                  .exitCode,
              0);
    const QStringList options = {QStringLiteral("--width"), QStringLiteral("5"),
                                 QStringLiteral("--dither"), QStringLiteral("--grid")};
    const CliRun direct = runCli(QStringList{picture} + options);
    ASSERT_TRUE(QFile::remove(picture));
    const CliRun again = runCli(QStringList{QStringLiteral("--project"), project} + options);
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, direct.out);
    EXPECT_EQ(lines(again.out).first().split(u' ').size(), 5);
}

TEST(CliProject, StoredMatchingOptionsAndAlphaAreUsedWhenCalculatingAgain) {
    TempDir dir;
    // A black block on white with a transparent hole that the background cannot reach: only
    // the kept alpha makes the hole an empty peg.
    QImage image(8, 4, QImage::Format_ARGB32);
    image.fill(qRgb(255, 255, 255));
    for (int y = 1; y < 4; ++y) {
        for (int x = 1; x < 4; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    }
    image.setPixel(2, 2, qRgba(0, 0, 0, 0));
    const QString picture = dir.path(QStringLiteral("sprite.png"));
    ASSERT_TRUE(image.save(picture));
    const QString project = dir.path(QStringLiteral("muster.tessora"));
    const QStringList matching = {QStringLiteral("--match"), QStringLiteral("oklab"),
                                  QStringLiteral("--remove-background"), QStringLiteral("0")};
    ASSERT_EQ(runCli(QStringList{picture, QStringLiteral("--width"), QStringLiteral("8"),
                                 QStringLiteral("--save-project"), project} +
                     matching)
                  .exitCode,
              0);
    const QStringList again = {QStringLiteral("--width"), QStringLiteral("8"),
                               QStringLiteral("--grid")};
    const CliRun direct = runCli(QStringList{picture} + again + matching);
    EXPECT_EQ(lines(direct.out).value(2), QStringLiteral("-- 27 -- 27 -- -- -- --"));
    ASSERT_TRUE(QFile::remove(picture));
    const CliRun stored = runCli(QStringList{QStringLiteral("--project"), project} + again);
    ASSERT_EQ(stored.exitCode, 0) << stored.err.toStdString();
    EXPECT_EQ(stored.out, direct.out);
}

TEST(CliProject, FilesThatAreNoProjectsExitWithOneNamingTheFile) {
    TempDir dir;
    const QString files[] = {
        dir.write(QStringLiteral("text.tessora"), QByteArray("kein Projekt\n").repeated(20)),
        dir.path(QStringLiteral("fehlt.tessora")),
    };
    for (const QString& file : files) {
        const CliRun run = runCli({QStringLiteral("--project"), file, QStringLiteral("--grid")});
        EXPECT_EQ(run.exitCode, 1) << file.toStdString();
        EXPECT_TRUE(run.err.contains(file)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(Cli, RemovedBackgroundIsPrintedAsEmptyPegsAndNotCounted) {
    TempDir dir;
    const QString picture = writeDesignedPicture(dir, QStringLiteral("motiv.png"));
    struct Case {
        const char* match;
        QStringList expected;
    };
    // The white background goes; the black run and the red pixel stay, whatever the distance.
    const QStringList beads{QStringLiteral("27 27 27 27 -- -- -- --"),
                            QStringLiteral("-- -- -- -- -- -- -- --"),
                            QStringLiteral("-- -- -- -- -- -- -- --"),
                            QStringLiteral("-- -- -- -- -- -- -- 14"),
                            QStringLiteral("05: 1"),
                            QStringLiteral("18: 4")};
    for (const char* match : {"rgb", "ciede2000", "oklab"}) {
        const CliRun run = runCli({picture, QStringLiteral("--width"), QStringLiteral("8"),
                                   QStringLiteral("--remove-background"), QStringLiteral("0"),
                                   QStringLiteral("--match"), QString::fromLatin1(match),
                                   QStringLiteral("--grid"), QStringLiteral("--stats")});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(lines(run.out), beads) << match;
    }
}

TEST(Cli, BadMatchingOptionsGiveTheUsage) {
    const QString p = QStringLiteral("a.png");
    for (const QStringList& arguments :
         {QStringList{p, QStringLiteral("--match"), QStringLiteral("lab")},
          QStringList{p, QStringLiteral("--transparent"), QStringLiteral("ja")},
          QStringList{p, QStringLiteral("--remove-background"), QStringLiteral("101")},
          QStringList{p, QStringLiteral("--remove-background=-1")}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Aufruf: tessora-cli BILD")));
    }
}

TEST(Cli, ColourSettingsThatAreNotWellFormedEndTheRun) {
    TempDir dir;
    QByteArray cut = tessora::colorSettingsBytes(std::array<bool, 64>{}, tessora::StartPalette());
    cut.chop(2);
    const QString fifo = dir.path(QStringLiteral("fifo.frb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString picture = writeGreyPicture(dir, 4, 4);
    for (const QString& colours : {dir.write(QStringLiteral("kurz.frb"), cut), picture, fifo}) {
        const CliRun run =
            runCli({picture, QStringLiteral("--colors"), colours, QStringLiteral("--stats")});
        EXPECT_EQ(run.exitCode, 1) << colours.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << colours.toStdString();
        EXPECT_TRUE(run.err.contains(colours)) << run.err.toStdString();
    }
}

// Targets that exist but are no regular file are refused and stay what they are.
TEST(Cli, OutputsOntoAFifoAreRefused) {
    TempDir dir;
    const QString picture = writeGreyPicture(dir, 4, 4);
    const QString fifo = dir.path(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const char* option : {"--chart", "--pdf", "--save-colors"}) {
        const CliRun run = runCli({picture, QString::fromLatin1(option), fifo});
        EXPECT_EQ(run.exitCode, 1) << option;
        struct stat status {};
        ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0) << option;
        EXPECT_TRUE(S_ISFIFO(status.st_mode)) << option;
    }
}

TEST(Cli, FullDiskKeepsTheOldFilesAndFails) {
    tessora::test::FullDisk disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    TempDir dir;
    const QString picture = writeDesignedPicture(dir, QStringLiteral("motiv.png"));
    const QByteArray old = "%PDF-1.4 old file that must survive\n";
    for (const char* name : {"v.pdf", "v.png", "f.frb"})
        disk.put(QString::fromLatin1(name), old);
    disk.fill();
    for (const auto& [option, name] : {std::pair{"--pdf", "v.pdf"}, std::pair{"--chart", "v.png"},
                                       std::pair{"--save-colors", "f.frb"}}) {
        const QString target = disk.path(QString::fromLatin1(name));
        const CliRun run = runCli({picture, QString::fromLatin1(option), target});
        EXPECT_EQ(run.exitCode, 1) << option;
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << option;
        EXPECT_EQ(file.readAll(), old) << option;
    }
}

TEST(Cli, OpensAPictureWhoseNameIsNotUtf8) {
    TempDir dir;
    const QString picture = writeDesignedPicture(dir, QStringLiteral("motiv.png"));
    const QByteArray name = QFile::encodeName(dir.path(QString())) + "latin1_\xe4.png";
    ASSERT_EQ(::rename(QFile::encodeName(picture).constData(), name.constData()), 0);
    const QByteArray command =
        "'" TESSORA_BINARY_DIR "/tessora-cli' '" + name + "' --width 8 --stats";
    FILE* pipe = ::popen(command.constData(), "r");
    ASSERT_NE(pipe, nullptr);
    QByteArray out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        out += buffer;
    EXPECT_EQ(::pclose(pipe), 0);
    EXPECT_EQ(out, "01: 27\n05: 1\n18: 4\n");
}
