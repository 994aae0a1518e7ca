#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <random>

#include "engine/catalogue.h"
#include "engine/colorsettings.h"
#include "fulldisk.h"
#include "tempdir.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

QByteArray int32le(std::int32_t v) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
    return b;
}

// A palette record inside guard bytes, to see any write beyond its 256 entries.
struct GuardedPalette {
    std::array<std::uint8_t, 64> before;
    LPAL pal;
    std::array<std::uint8_t, 64> after;
    GuardedPalette() : pal(StartPalette()) {
        before.fill(0xA5);
        after.fill(0xA5);
    }
    bool guardsIntact() const {
        return std::all_of(before.begin(), before.end(), [](auto b) { return b == 0xA5; }) &&
               std::all_of(after.begin(), after.end(), [](auto b) { return b == 0xA5; });
    }
};

}  // namespace

TEST(ColorSettings, StartStateGivesThe264ByteLayout) {
    const QByteArray bytes = colorSettingsBytes(allTicks(), StartPalette());
    ASSERT_EQ(bytes.size(), 264);
    EXPECT_EQ(bytes.left(4), QByteArray::fromHex("40000000"));
    EXPECT_EQ(bytes.mid(4, 64), QByteArray(64, '\x01'));
    EXPECT_EQ(bytes.mid(68, 4), QByteArray::fromHex("40000000"));
    EXPECT_EQ(bytes.mid(72, 6), QByteArray::fromHex("FFFFFFF7EFC1"));  // Weiß, Creme
    EXPECT_EQ(bytes.right(3), QByteArray::fromHex("AC6E3F"));          // Nougat
    EXPECT_EQ(colorSettingsBytes(ticks({}), StartPalette()).mid(4, 64), QByteArray(64, '\0'));
}

TEST(ColorSettings, RoundTripRestoresTicksAndColours) {
    LPAL pal = StartPalette();
    pal.rgb0[0] = {255, 0, 0, 0};
    pal.rgb0[63] = {1, 2, 3, 0};
    const auto saved = ticks({0, 5, 63});
    const QByteArray bytes = colorSettingsBytes(saved, pal);
    std::array<bool, 64> loaded = allTicks();
    LPAL back = StartPalette();
    applyColorSettings(bytes, loaded, back);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(std::memcmp(&back, &pal, sizeof pal), 0);
}

TEST(ColorSettings, OnlyFilesWellFormedByTheirOwnCountsAreApplied) {
    struct Case {
        const char* name;
        QByteArray bytes;
        bool accepted;
        int changedTicks;    // items 0..n-1 unticked by the file
        int changedEntries;  // entries 0..m-1 set to (9, 8, 7) by the file
    };
    auto flags = [](int n) { return QByteArray(n, '\0'); };
    auto colours = [](int m) {
        QByteArray b;
        for (int i = 0; i < m; ++i)
            b.append("\x09\x08\x07", 3);
        return b;
    };
    const Case cases[] = {
        {"empty file", {}, false, 0, 0},
        {"count cut short", QByteArray::fromHex("4000"), false, 0, 0},
        {"no flags and no colours", int32le(0) + int32le(0), true, 0, 0},
        {"n = 10 changes items 0 to 9", int32le(10) + flags(10) + int32le(2) + colours(2), true, 10,
         2},
        {"n = 70 skips the six extra flags", int32le(70) + flags(70) + int32le(64) + colours(64),
         true, 64, 64},
        {"m = 300 stops at entry 255", int32le(0) + int32le(300) + colours(300), true, 0, 256},
        {"flags cut short", int32le(64) + flags(20), false, 0, 0},
        {"second count missing", int32le(2) + flags(2), false, 0, 0},
        {"colours cut short mid-entry",
         int32le(0) + int32le(64) + colours(5) + QByteArray("\x09\x08", 2), false, 0, 0},
        {"one byte beyond the colours", int32le(1) + flags(1) + int32le(1) + colours(1) + "x",
         false, 0, 0},
        {"a picture's bytes", QByteArray::fromHex("89504E470D0A1A0A0000000D49484452"), false, 0, 0},
        {"negative counts", int32le(-5) + int32le(-1) + colours(3), false, 0, 0},
        {"negative n that the length would fit", int32le(-3) + int32le(0) + flags(1), false, 0, 0},
        {"huge n", int32le(0x7FFFFFFF) + flags(3), false, 0, 0},
        {"huge m", int32le(0) + int32le(0x7FFFFFFF) + colours(4), false, 0, 0},
        {"m whose 3 m overflows 32 bits", int32le(0) + int32le(0x55555556) + colours(5), false, 0,
         0},
    };
    for (const Case& c : cases) {
        std::array<bool, 64> items = allTicks();
        GuardedPalette guarded;
        const LPAL before = guarded.pal;
        EXPECT_EQ(applyColorSettings(c.bytes, items, guarded.pal), c.accepted) << c.name;
        for (int i = 0; i < 64; ++i)
            EXPECT_EQ(items[i], i >= c.changedTicks) << c.name << " item " << i;
        for (int i = 0; i < 256; ++i) {
            const PalEntry expected =
                i < c.changedEntries ? PalEntry{9, 8, 7, before.rgb0[i].peFlags} : before.rgb0[i];
            EXPECT_EQ(std::memcmp(&guarded.pal.rgb0[i], &expected, sizeof expected), 0)
                << c.name << " entry " << i;
        }
        EXPECT_EQ(guarded.pal.num, 64) << c.name;
        EXPECT_TRUE(guarded.guardsIntact()) << c.name;
    }
}

TEST(ColorSettings, EveryTickByteOtherThanZeroTicks) {
    QByteArray bytes = int32le(64);
    for (int i = 0; i < 64; ++i)
        bytes.append(static_cast<char>(i % 2 == 0 ? 0 : (i * 37) % 255 + 1));  // 2 to 255 and 1
    bytes.append(int32le(0));
    std::array<bool, 64> items{};
    LPAL pal = StartPalette();
    applyColorSettings(bytes, items, pal);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(items[i], i % 2 == 1) << "byte " << int(static_cast<std::uint8_t>(bytes[4 + i]));
}

TEST(ColorSettings, RandomBytesNeverWriteOutsideThePalette) {
    std::mt19937 rng(99);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(static_cast<int>(rng() % 1200), '\0');
        for (auto& b : bytes)
            b = static_cast<char>(rng());
        if (round % 3 == 0 && bytes.size() >= 8) {  // plausible small counts
            bytes.replace(0, 4, int32le(static_cast<int>(rng() % 100)));
        }
        std::array<bool, 64> items{};
        GuardedPalette guarded;
        applyColorSettings(bytes, items, guarded.pal);
        ASSERT_TRUE(guarded.guardsIntact()) << round;
        ASSERT_EQ(guarded.pal.num, 64);
    }
}

TEST(ColorSettingsFile, SaveAndOpen) {
    TempDir dir;
    const QString file = dir.path(QStringLiteral("farben.frb"));
    LPAL pal = StartPalette();
    pal.rgb0[7] = {1, 2, 3, 0};
    ASSERT_TRUE(saveColorSettings(file, ticks({7}), pal));
    EXPECT_EQ(QFileInfo(file).size(), 264);
    std::array<bool, 64> items = allTicks();
    LPAL loaded = StartPalette();
    ASSERT_TRUE(openColorSettings(file, items, loaded));
    EXPECT_EQ(items, ticks({7}));
    EXPECT_EQ(loaded.rgb0[7].peBlue, 3);
    EXPECT_FALSE(openColorSettings(dir.path(QStringLiteral("fehlt.frb")), items, loaded));
}

TEST(ColorSettingsFile, SavingOverALongerFileLeavesNothingOfIt) {
    TempDir dir;
    const QString file = dir.write(QStringLiteral("alt.frb"), QByteArray(1000, 'x'));
    ASSERT_TRUE(saveColorSettings(file, allTicks(), StartPalette()));
    EXPECT_EQ(QFileInfo(file).size(), 264);
}

TEST(ColorSettingsFile, UnwritableFolderIsReported) {
    EXPECT_FALSE(
        saveColorSettings(QStringLiteral("/nonexistent-folder/x.frb"), allTicks(), StartPalette()));
}

TEST(ColorSettingsFile, RefusalsChangeNothingAndSayWhy) {
    TempDir dir;
    const QString fifo = dir.path(QStringLiteral("fifo.frb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // no writer: open waits
    QByteArray shortFile = colorSettingsBytes(ticks({}), StartPalette());
    shortFile.chop(1);
    struct Case {
        const char* name;
        QString file;
        ColorSettingsError expected;
    } const cases[] = {
        {"missing", dir.path(QStringLiteral("fehlt.frb")), ColorSettingsError::NotFound},
        {"folder", dir.path(QString()), ColorSettingsError::NotRegularFile},
        {"FIFO without a writer", fifo, ColorSettingsError::NotRegularFile},
        {"one byte short", dir.write(QStringLiteral("kurz.frb"), shortFile),
         ColorSettingsError::NotColorSettings},
    };
    for (const Case& c : cases) {
        std::array<bool, 64> items = allTicks();
        LPAL pal = StartPalette();
        EXPECT_EQ(readColorSettingsFile(c.file, items, pal), c.expected) << c.name;
        EXPECT_EQ(items, allTicks()) << c.name;
        const LPAL start = StartPalette();
        EXPECT_EQ(std::memcmp(&pal, &start, sizeof pal), 0) << c.name;
        EXPECT_FALSE(colorSettingsErrorText(c.expected).isEmpty()) << c.name;
    }
}

TEST(ColorSettingsFile, ManyFlagsBeforeTheColours) {
    TempDir dir;
    const int flags = 3'000'000;
    QByteArray bytes = QByteArray::fromHex("C0C62D00") + QByteArray(flags, '\0');
    bytes += QByteArray::fromHex("01000000") + QByteArray("\x01\x02\x03", 3);
    std::array<bool, 64> items = allTicks();
    LPAL pal = StartPalette();
    ASSERT_EQ(readColorSettingsFile(dir.write(QStringLiteral("viele.frb"), bytes), items, pal),
              ColorSettingsError::None);
    EXPECT_EQ(items, ticks({}));
    EXPECT_EQ(pal.rgb0[0].peBlue, 3);
}

TEST(ColorSettingsFile, FailedSavesKeepTheOldFile) {
    FullDisk disk;
    if (!disk.mounted()) GTEST_SKIP() << disk.skipReason().toStdString();
    const QByteArray old = colorSettingsBytes(ticks({3}), StartPalette());
    disk.put(QStringLiteral("alt.frb"), old);
    const QString fifo = disk.path(QStringLiteral("fifo.frb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    disk.fill();
    EXPECT_EQ(
        writeColorSettingsFile(disk.path(QStringLiteral("alt.frb")), allTicks(), StartPalette()),
        ColorSettingsError::CannotWrite);
    QFile file(disk.path(QStringLiteral("alt.frb")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(writeColorSettingsFile(fifo, allTicks(), StartPalette()),
              ColorSettingsError::NotRegularTarget);
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()) << "the FIFO stays";
}
