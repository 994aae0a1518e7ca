#include <gtest/gtest.h>

#include "engine/gplpalette.h"
#include "tempdir.h"

using namespace tessora;

namespace {

QByteArray colourLines(int count) {
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += "1 2 3 N" + QByteArray::number(i) + "\n";
    return lines;
}

}  // namespace

// What the program writes reads back as written: ticked colours only, as edited.
TEST(GimpPalette, WrittenPaletteReadsBackIdentically) {
    const BeadRange& standard = standardRange();
    LPAL pal = rangePalette(standard);
    pal.rgb0[49] = {1, 2, 3, 0};
    std::array<bool, 64> ticks{};
    for (const int i : {0, 17, 49, 63})
        ticks[static_cast<std::size_t>(i)] = true;
    tessora::test::TempDir dir;
    const QString file = dir.path(QStringLiteral("eigene.gpl"));
    ASSERT_EQ(writeGimpPalette(file, standard, pal, ticks), PaletteError::None);
    const PaletteRead read = readGimpPalette(file);
    ASSERT_TRUE(read.range) << paletteErrorText(read.error, read.line).toStdString();
    EXPECT_EQ(read.range->name, "Hama Midi (Standard)");
    ASSERT_EQ(read.range->size(), 4);
    int k = 0;
    for (const int i : {0, 17, 49, 63}) {
        const BeadColor& c = read.range->colors[static_cast<std::size_t>(k++)];
        EXPECT_EQ(c.number, standard.colors[static_cast<std::size_t>(i)].number);
        EXPECT_EQ(c.name, standard.colors[static_cast<std::size_t>(i)].name);
        EXPECT_EQ(c.rgb.red, pal.rgb0[i].peRed);
        EXPECT_EQ(c.rgb.blue, pal.rgb0[i].peBlue);
    }
}

TEST(GimpPalette, NameFieldsAndTheFileAround) {
    const PaletteRead read = parseGimpPalette(
        "\xEF\xBB\xBFGIMP Palette\r\nName: Meine Kiste\r\nColumns: 4\r\n# Kommentar\r\n\r\n"
        "255 255 255\tH01 Weiß\r\n  0   0   0 Schwarz\r\n10 20 30\r\n40 50 60 Leuchtfarbe: Grün\n"
        "70 80 90  P5  Hell  blau  \n",
        QStringLiteral("datei"));
    ASSERT_TRUE(read.range);
    EXPECT_EQ(read.range->name, "Meine Kiste");
    const struct {
        const char *number, *name;
    } expected[] = {{"H01", "Weiß"},
                    {"2", "Schwarz"},
                    {"3", ""},
                    {"4", "Leuchtfarbe: Grün"},
                    {"P5", "Hell blau"}};
    ASSERT_EQ(read.range->size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(read.range->colors[static_cast<std::size_t>(i)].number, expected[i].number);
        EXPECT_EQ(read.range->colors[static_cast<std::size_t>(i)].name, expected[i].name);
    }
    EXPECT_EQ(read.range->colors[2].rgb.green, 20);
    EXPECT_EQ(parseGimpPalette("GIMP Palette\n1 2 3 x\n", QStringLiteral("datei")).range->name,
              "datei");
}

// Long name fields are clipped once; what is written then reads back unchanged (found by the
// fuzzer: clipping "NUMBER NAME" as a whole cut the name again on every round).
TEST(GimpPalette, ClippedNamesStayAsTheyAre) {
    for (const QByteArray& field :
         {"P9 " + QByteArray(150, 'x'), QByteArray(150, 'y'), QByteArray(40, 'z') + "7 Name"}) {
        const PaletteRead first =
            parseGimpPalette("GIMP Palette\n1 2 3 " + field + "\n", QStringLiteral("x"));
        ASSERT_TRUE(first.range);
        const std::array<bool, 1> ticked{true};
        const PaletteRead again =
            parseGimpPalette(gimpPaletteBytes(*first.range, rangePalette(*first.range), ticked),
                             QStringLiteral("x"));
        ASSERT_TRUE(again.range);
        EXPECT_LE(first.range->colors[0].name.size(), 100u);
        EXPECT_EQ(again.range->colors[0].number, first.range->colors[0].number);
        EXPECT_EQ(again.range->colors[0].name, first.range->colors[0].name);
    }
}

TEST(GimpPalette, HostileFilesAreRefusedWithTheReason) {
    const QByteArray header = "GIMP Palette\n";
    const struct {
        const char* what;
        QByteArray bytes;
        PaletteError error;
        int line;
    } cases[] = {
        {"empty", "", PaletteError::NotAPalette, 0},
        {"another format", "JASC-PAL\n0100\n", PaletteError::NotAPalette, 0},
        {"no colours", header + "Name: x\n# y\n", PaletteError::NoColors, 0},
        {"channel above 255", header + "1 2 3\n1 256 3\n", PaletteError::BadLine, 3},
        {"negative channel", header + "-1 2 3\n", PaletteError::BadLine, 2},
        {"two numbers", header + "1 2\n", PaletteError::BadLine, 2},
        {"words", header + "rot gruen blau\n", PaletteError::BadLine, 2},
        {"overlong line", header + "1 2 3 " + QByteArray(2000, 'x') + "\n", PaletteError::BadLine,
         2},
        {"247 colours", header + colourLines(247), PaletteError::TooManyColors, 0},
        {"over 1 MiB", header + QByteArray(kMaxPaletteFileBytes, '#'), PaletteError::TooLarge, 0},
    };
    for (const auto& c : cases) {
        const PaletteRead read = parseGimpPalette(c.bytes, QStringLiteral("x"));
        EXPECT_FALSE(read.range) << c.what;
        EXPECT_EQ(read.error, c.error) << c.what;
        EXPECT_EQ(read.line, c.line) << c.what;
        EXPECT_FALSE(paletteErrorText(read.error, read.line).isEmpty()) << c.what;
    }
    EXPECT_EQ(parseGimpPalette(header + colourLines(246), QStringLiteral("x")).range->size(), 246);
    EXPECT_EQ(readGimpPalette(QStringLiteral("/nonexistent/x.gpl")).error,
              PaletteError::CannotOpen);
}
