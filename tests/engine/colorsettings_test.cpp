#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <random>

#include "engine/catalogue.h"
#include "engine/colorsettings.h"
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

TEST(ColorSettings, ReadingKeepsWhatTheFileLacks) {
    struct Case {
        const char* name;
        QByteArray bytes;
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
        {"empty file", {}, 0, 0},
        {"count cut short", QByteArray::fromHex("4000"), 0, 0},
        {"n = 10 changes items 0 to 9", int32le(10) + flags(10) + int32le(2) + colours(2), 10, 2},
        {"n = 70 skips the six extra flags", int32le(70) + flags(70) + int32le(64) + colours(64),
         64, 64},
        {"flags cut short", int32le(64) + flags(20), 20, 0},
        {"colours cut short mid-entry",
         int32le(0) + int32le(64) + colours(5) + QByteArray("\x09\x08", 2), 0, 5},
        {"negative counts read nothing", int32le(-5) + int32le(-1) + colours(3), 0, 0},
        {"m = 300 stops at entry 255", int32le(0) + int32le(300) + colours(300), 0, 256},
        {"huge n", int32le(0x7FFFFFFF) + flags(3), 3, 0},
        {"huge m", int32le(0) + int32le(0x7FFFFFFF) + colours(4), 0, 4},
        {"n = 0xFFFFFFFF reads no flags", int32le(-1) + int32le(2) + colours(2), 0, 2},
        {"m = 0xFFFFFFFF reads no colours", int32le(0) + int32le(-1) + colours(2), 0, 0},
        {"m whose 3 m overflows 32 bits", int32le(0) + int32le(0x55555556) + colours(5), 0, 5},
        {"n whose 3 n overflows 32 bits", int32le(0x55555556) + flags(70), 64, 0},
    };
    for (const Case& c : cases) {
        std::array<bool, 64> items = allTicks();
        GuardedPalette guarded;
        const LPAL before = guarded.pal;
        applyColorSettings(c.bytes, items, guarded.pal);
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
