#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QFile>
#include <csignal>
#include <cstring>

#include "engine/project.h"
#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "tempdir.h"

using namespace tessora;
using tessora::test::TempDir;

namespace {

// Every byte of the record, padding of the rows included, filled from a seed; the pixels do
// not compress.
dib scrambledImage(int width, int height, int bits, std::uint8_t seed) {
    dib d{};
    newdib(&d, width, height, bits, nullptr, 0);
    std::uint32_t random = seed + 1u;
    for (std::uint32_t i = 0; i < d.pmi->biSizeImage; ++i) {
        random = random * 1664525u + 1013904223u;
        d.poi[i] = static_cast<std::uint8_t>(random >> 24);
    }
    auto* table = reinterpret_cast<std::uint8_t*>(DibColorTable(d));
    for (int i = 0; bits <= 8 && i < DibColorCount(d) * 4; ++i)
        table[i] = static_cast<std::uint8_t>(i * 7 + seed);
    for (int i = 0; i < d.pal.num; ++i)
        d.pal.rgb0[i] = PalEntry{static_cast<std::uint8_t>(i), 3, static_cast<std::uint8_t>(seed),
                                 static_cast<std::uint8_t>(i & 1)};
    d.pmi->biXPelsPerMeter = 2835;
    d.pmi->biClrUsed = 3;
    return d;
}

// A state unlike the defaults in every field.
ProjectState sampleState(int pictureBits = 24) {
    ProjectState state;
    state.picture = scrambledImage(13, 7, pictureBits, 5);
    state.grid = scrambledImage(9, 4, 8, 10);
    state.pal = StartPalette();
    state.pal.rgb0[3] = PalEntry{1, 2, 3, 0};
    for (std::size_t i = 0; i < kBeadColorCount; i += 3)
        state.ticks[i] = true;
    state.notfoundis = 3;
    state.colornr = 62;
    state.beadsWide = 9;
    state.beadsHigh = 1000;
    state.aspectLock = false;
    state.rolmod = 1;
    state.zoom = 10000;
    state.page = 5;
    state.distance = ColourDistance::Ciede2000;
    state.keepTransparentEmpty = false;
    state.removeBackground = 0;  // the very colour, not off
    state.alpha = {13, 7, std::vector<std::uint8_t>(13 * 7, 255)};
    state.alpha.alpha[12] = 0;
    return state;
}

QByteArray bytesOf(const ProjectState& state) {
    QByteArray bytes;
    EXPECT_EQ(projectFileBytes(state, bytes), ProjectError::None);
    return bytes;
}

ProjectError openBytes(const QByteArray& bytes, ProjectState& state) {
    return openProjectFromBytes({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size())},
                                state);
}

ProjectError openError(const QByteArray& bytes) {
    ProjectState state;
    const ProjectError error = openBytes(bytes, state);
    FreeProjectImages(state);
    return error;
}

bool sameRecord(const dib& a, const dib& b) {
    const std::size_t tableBytes = DibBits(a) <= 8 ? 4u << DibBits(a) : 0;
    return std::memcmp(a.pmi, b.pmi, sizeof(BitmapInfoHeader) + tableBytes) == 0 &&
           std::memcmp(&a.pal, &b.pal, sizeof(LPAL)) == 0 &&
           std::memcmp(a.poi, b.poi, a.pmi->biSizeImage) == 0 && a.bytew == b.bytew;
}

// The project's bytes changed by SQL run on a writable copy.
QByteArray changed(const QByteArray& project, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(":memory:", &db);
    auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(project.size()));
    std::memcpy(copy, project.constData(), static_cast<std::size_t>(project.size()));
    sqlite3_deserialize(db, "main", copy, project.size(), project.size(),
                        SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_int64 size = 0;
    unsigned char* data = sqlite3_serialize(db, "main", &size, 0);
    QByteArray result(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    sqlite3_free(data);
    sqlite3_close(db);
    return result;
}

}  // namespace

TEST(Project, EveryDepthAndEveryFieldComesBackExactly) {
    for (const int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        ProjectState saved = sampleState(bits);
        ProjectState opened;
        ASSERT_EQ(openBytes(bytesOf(saved), opened), ProjectError::None);
        EXPECT_TRUE(sameRecord(saved.picture, opened.picture));
        EXPECT_TRUE(sameRecord(saved.grid, opened.grid));
        EXPECT_EQ(std::memcmp(&saved.pal, &opened.pal, sizeof(LPAL)), 0);
        EXPECT_EQ(saved.ticks, opened.ticks);
        EXPECT_EQ(std::tie(saved.notfoundis, saved.colornr, saved.beadsWide, saved.beadsHigh,
                           saved.aspectLock, saved.rolmod, saved.zoom, saved.page, saved.distance,
                           saved.keepTransparentEmpty, saved.removeBackground),
                  std::tie(opened.notfoundis, opened.colornr, opened.beadsWide, opened.beadsHigh,
                           opened.aspectLock, opened.rolmod, opened.zoom, opened.page,
                           opened.distance, opened.keepTransparentEmpty, opened.removeBackground));
        EXPECT_EQ(std::tie(saved.alpha.width, saved.alpha.height, saved.alpha.alpha),
                  std::tie(opened.alpha.width, opened.alpha.height, opened.alpha.alpha));
        FreeProjectImages(saved);
        FreeProjectImages(opened);
    }
}

TEST(Project, HostileContentIsRefusedWithItsReason) {
    ProjectState state = sampleState();
    const QByteArray project = bytesOf(state);
    FreeProjectImages(state);
    const struct {
        const char* name;
        QByteArray bytes;
        ProjectError expected;
    } cases[] = {
        {"text", "Dies ist eine Textdatei und kein Projekt.\n", ProjectError::NotAProject},
        {"empty", {}, ProjectError::NotAProject},
        {"other database", changed(project, "PRAGMA application_id = 7"),
         ProjectError::NotAProject},
        {"newer", changed(project, "PRAGMA user_version = 2"), ProjectError::NewerVersion},
        {"no version", changed(project, "PRAGMA user_version = 0"), ProjectError::Damaged},
        {"no tables", changed(project, "DROP TABLE images; DROP TABLE settings"),
         ProjectError::Damaged},
        {"width beyond 1000",
         changed(project, "UPDATE settings SET value = 1001 WHERE key = 'beads_wide'"),
         ProjectError::Damaged},
        {"zoom as text", changed(project, "UPDATE settings SET value = '100' WHERE key = 'zoom'"),
         ProjectError::Damaged},
        {"page missing", changed(project, "DELETE FROM settings WHERE key = 'page'"),
         ProjectError::Damaged},
        {"a colour missing", changed(project, "DELETE FROM bead_colours WHERE position = 63"),
         ProjectError::Damaged},
        {"a colour beyond 255", changed(project, "UPDATE bead_colours SET red = 256"),
         ProjectError::Damaged},
        {"picture wider than its pixels", changed(project, "UPDATE images SET width = width + 1"),
         ProjectError::Damaged},
        {"grid of 24 bits", changed(project, "UPDATE images SET bits = 24 WHERE role = 'grid'"),
         ProjectError::Damaged},
        {"pixels cut short",
         changed(project, "UPDATE images SET pixels = substr(pixels, 1, length(pixels) - 1)"),
         ProjectError::Damaged},
        {"pixels changed", changed(project, "UPDATE images SET pixels = zeroblob(length(pixels))"),
         ProjectError::Damaged},
        {"unknown encoding", changed(project, "UPDATE images SET encoding = 'lzma'"),
         ProjectError::Damaged},
        {"a range colour missing",
         changed(project, "DELETE FROM range_colours WHERE position = 10"), ProjectError::Damaged},
        {"a range without a name", changed(project, "DELETE FROM bead_range"),
         ProjectError::Damaged},
        {"a range colour number too long",
         changed(project, "UPDATE range_colours SET number = hex(zeroblob(600))"),
         ProjectError::Damaged},
        {"a bead colour beyond the range",
         changed(project, "INSERT INTO bead_colours VALUES (64, 1, 2, 3, 1)"),
         ProjectError::Damaged},
        {"a colour distance beyond OKLab",
         changed(project, "UPDATE settings SET value = 3 WHERE key = 'colour_distance'"),
         ProjectError::Damaged},
        {"a background tolerance beyond 100",
         changed(project, "UPDATE settings SET value = 101 WHERE key = 'remove_background'"),
         ProjectError::Damaged},
        {"alpha of another size",
         changed(project, "UPDATE images SET height = height - 1 WHERE role = 'alpha'"),
         ProjectError::Damaged},
        {"alpha cut short",
         changed(project, "UPDATE images SET pixels = substr(pixels, 2) WHERE role = 'alpha'"),
         ProjectError::Damaged},
        {"a colour limit beyond 246",
         changed(project, "UPDATE settings SET value = 247 WHERE key = 'max_colors'"),
         ProjectError::Damaged},
        {"huge claimed size",
         changed(project, "UPDATE images SET width = 2000000000, height = 2000000000"),
         ProjectError::PictureTooLarge},
        {"settings as an endless view",
         changed(project,
                 "DROP TABLE settings; CREATE VIEW settings AS WITH RECURSIVE n(key, value) AS "
                 "(SELECT 'a', 0 UNION ALL SELECT key, value + 1 FROM n) SELECT * FROM n"),
         ProjectError::Damaged},
    };
    for (const auto& c : cases)
        EXPECT_EQ(openError(c.bytes), c.expected) << c.name;
}

TEST(Project, EveryTruncationAndEveryFlippedByteEndsCleanly) {
    ProjectState state = sampleState();
    const QByteArray project = bytesOf(state);
    FreeProjectImages(state);
    for (qsizetype length = 0; length < project.size(); ++length)
        ASSERT_NE(openError(project.left(length)), ProjectError::None) << length;
    for (qsizetype i = 0; i < project.size(); ++i) {
        QByteArray flipped = project;
        flipped[i] = static_cast<char>(flipped[i] ^ 0xFF);
        ProjectState opened;
        if (openBytes(flipped, opened) != ProjectError::None) continue;
        // A flip in unused bytes may leave a readable project; it must then be whole.
        ASSERT_EQ(DibBits(opened.grid), 8) << i;
        ASSERT_NE(opened.picture.poi, nullptr) << i;
        ASSERT_TRUE(opened.alpha.alpha.empty() || opened.alpha.alpha.size() == 13 * 7) << i;
        FreeProjectImages(opened);
    }
}

TEST(Project, PictureBeyondThePixelBudgetIsNotAllocated) {
    ProjectState state = sampleState();  // 13 x 7 pixels
    const QByteArray project = bytesOf(state);
    FreeProjectImages(state);
    SetPixelBudget(13 * 7 - 1);
    EXPECT_EQ(openError(project), ProjectError::PictureTooLarge);
    SetPixelBudget(0);
}

TEST(Project, FilesThatAreNoProjectsAreRefusedWithoutWaiting) {
    TempDir dir;
    const QString fifo = dir.path(QStringLiteral("warten.tessora"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString file;
        ProjectError expected;
    } cases[] = {
        {dir.path(QStringLiteral("fehlt.tessora")), ProjectError::CannotOpen},
        {dir.path(QString()), ProjectError::NotAProject},
        {fifo, ProjectError::NotAProject},
        {dir.write(QStringLiteral("text.tessora"), QByteArray(200, 'x')),
         ProjectError::NotAProject},
    };
    for (const auto& c : cases) {
        ProjectState state;
        EXPECT_EQ(openProject(c.file, state), c.expected) << c.file.toStdString();
        EXPECT_EQ(state.picture.poi, nullptr);
    }
}

TEST(Project, FailedSavesKeepTheOldFileAndSaySo) {
    TempDir dir;
    ProjectState state = sampleState();
    const QString file = dir.path(QStringLiteral("muster.tessora"));
    ASSERT_EQ(saveProject(state, file), ProjectError::None);
    QFile before(file);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray old = before.readAll();

    EXPECT_EQ(saveProject(state, dir.path(QStringLiteral("fehlt/muster.tessora"))),
              ProjectError::FolderNotWritable);
    EXPECT_EQ(saveProject(ProjectState{}, file), ProjectError::NoPicture);
    // A file size limit stands in for a full disk: writes beyond it fail.
    state.picture = (FreeDib(state.picture), scrambledImage(3000, 100, 24, 1));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const ProjectError full = saveProject(state, file);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_NE(full, ProjectError::None);
    QFile after(file);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), old);
    FreeProjectImages(state);
}

TEST(Project, EveryErrorNamesTheFile) {
    for (int e = static_cast<int>(ProjectError::CannotOpen);
         e <= static_cast<int>(ProjectError::CannotWrite); ++e) {
        const QString text =
            projectErrorText(static_cast<ProjectError>(e), QStringLiteral("/a/b.tessora"));
        EXPECT_TRUE(text.contains(QStringLiteral("/a/b.tessora"))) << e;
    }
}

// A range other than the standard one, larger than it: numbers, names, start colours, edited
// colours, ticks up to the last colour and the colour limit must all come back, or the project
// reopens with the wrong colours.
TEST(Project, RangesAndColourLimitsComeBack) {
    BeadRange wide{"Eigene Palette", {}};
    for (int i = 0; i < kMaxRangeColors; ++i) {
        const auto byte = static_cast<std::uint8_t>(i);
        wide.colors.push_back({"N" + std::to_string(i), "Farbe " + std::to_string(i) + " ä",
                               BeadRgb{byte, static_cast<std::uint8_t>(255 - i), 7}});
    }
    const struct {
        const char* name;
        BeadRange range;
        const char* sql;  // makes the file one of an older program
    } cases[] = {
        {"standard range", standardRange(), nullptr},
        {"246 colours", wide, nullptr},
        {"a file from before ranges", standardRange(),
         "DROP TABLE bead_range; DROP TABLE range_colours; DELETE FROM settings WHERE key = "
         "'max_colors'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectState saved = sampleState();
        saved.range = c.range;
        saved.pal = rangePalette(c.range);
        saved.pal.rgb0[c.range.size() - 1] = PalEntry{9, 8, 7, 0};
        saved.ticks[static_cast<std::size_t>(c.range.size() - 1)] = true;
        saved.colornr = c.range.size() - 1;
        saved.maxColors = c.sql ? 0 : 12;
        QByteArray bytes = bytesOf(saved);
        if (c.sql) bytes = changed(bytes, c.sql);
        ProjectState opened;
        ASSERT_EQ(openBytes(bytes, opened), ProjectError::None);
        EXPECT_EQ(opened.range.name, c.range.name);
        ASSERT_EQ(opened.range.size(), c.range.size());
        for (int i = 0; i < c.range.size(); ++i) {
            const BeadColor& want = c.range.colors[static_cast<std::size_t>(i)];
            const BeadColor& got = opened.range.colors[static_cast<std::size_t>(i)];
            EXPECT_EQ(std::tie(got.number, got.name, got.rgb.red, got.rgb.green, got.rgb.blue),
                      std::tie(want.number, want.name, want.rgb.red, want.rgb.green, want.rgb.blue))
                << i;
        }
        EXPECT_EQ(std::memcmp(&saved.pal, &opened.pal, sizeof(LPAL)), 0);
        EXPECT_EQ(saved.ticks, opened.ticks);
        EXPECT_EQ(opened.colornr, saved.colornr);
        EXPECT_EQ(opened.maxColors, saved.maxColors);
        FreeProjectImages(saved);
        FreeProjectImages(opened);
    }
}

TEST(Project, MatchingOptionsComeBackAndOlderFilesOpenWithTheDefaults) {
    const struct {
        const char* name;
        ColourDistance distance;
        bool keepTransparentEmpty;
        std::optional<int> removeBackground;
        const char* sql;  // makes the file one of an older program
    } cases[] = {
        {"OKLab, background off", ColourDistance::Oklab, true, std::nullopt, nullptr},
        {"RGB, tolerance 100", ColourDistance::Rgb, false, 100, nullptr},
        {"a file from before matching options", ColourDistance::Rgb, true, std::nullopt,
         "DELETE FROM settings WHERE key IN ('colour_distance', 'keep_transparent_empty', "
         "'remove_background'); DELETE FROM images WHERE role = 'alpha'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectState saved = sampleState();
        if (!c.sql) {
            saved.distance = c.distance;
            saved.keepTransparentEmpty = c.keepTransparentEmpty;
            saved.removeBackground = c.removeBackground;
        }
        QByteArray bytes = bytesOf(saved);
        if (c.sql) bytes = changed(bytes, c.sql);
        ProjectState opened;
        ASSERT_EQ(openBytes(bytes, opened), ProjectError::None);
        EXPECT_EQ(opened.distance, c.distance);
        EXPECT_EQ(opened.keepTransparentEmpty, c.keepTransparentEmpty);
        EXPECT_EQ(opened.removeBackground, c.removeBackground);
        EXPECT_EQ(opened.alpha.alpha.empty(), c.sql != nullptr);
        FreeProjectImages(saved);
        FreeProjectImages(opened);
    }
}
