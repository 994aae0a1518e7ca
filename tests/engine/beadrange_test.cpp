#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <set>

#include "engine/calculate.h"
#include "engine/chart.h"
#include "engine/rangelibrary.h"
#include "photopicture.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

BeadRange rangeOf(int count) {
    BeadRange range{"Test", {}};
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        range.colors.push_back({"N" + std::to_string(i), "Farbe", {v, v, v}});
    }
    return range;
}

}  // namespace

TEST(BeadRange, StandardRangeIsTheCatalogue) {
    const BeadRange& range = standardRange();
    EXPECT_EQ(range.name, "Hama Midi (Standard)");
    ASSERT_EQ(range.size(), kBeadColorCount);
    const LPAL pal = rangePalette(range);
    const LPAL start = StartPalette();
    EXPECT_EQ(std::memcmp(&pal, &start, sizeof pal), 0);
    EXPECT_EQ(range.colors[49].number, "55");
    EXPECT_EQ(range.colors[63].name, "Nougat");
}

TEST(BeadRange, PixelValuesNameColoursOfTheRangeOrTheFallback) {
    const BeadRange range = rangeOf(100);
    const struct {
        int value, notfoundis, expected;
    } cases[] = {
        {10, 5, 0},    {109, 5, 99}, {110, 5, 5},    {0, 5, 5},
        {255, 99, 99}, {74, 3, 64},  {200, 100, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rangeIndexOfPixel(range, c.value, c.notfoundis), c.expected)
            << "value " << c.value << ", fallback " << c.notfoundis;
    }
    EXPECT_EQ(beadOfPixel(range, 200, 100), nullptr);
    EXPECT_EQ(beadOfPixel(range, 12, 0)->number, "N2");
}

// A grid value beyond the 64 standard slots counts as its own colour once the range has it.
TEST(BeadRange, ChartAndStatisticsOfALargeRange) {
    const BeadRange range = rangeOf(120);
    OwnedDib beads{};
    newdib(&*beads, 3, 1, 8, nullptr, 0);
    setpixel(*beads, 0, 0, 10 + 119);
    setpixel(*beads, 1, 0, 10 + 119);
    setpixel(*beads, 2, 0, 0);  // the fallback
    OwnedDib chart{};
    BeadCounts counts{};
    ASSERT_EQ(drawChart(beads.get(), 3, 1, 70, *chart, counts, range), EngineError::None);
    EXPECT_EQ(statisticsLines(counts, range),
              (QStringList{QStringLiteral("N70: 1"), QStringLiteral("N119: 2")}));
    BeadCounts standardCounts{};
    ASSERT_EQ(drawChart(beads.get(), 3, 1, 0, *chart, standardCounts), EngineError::None);
    EXPECT_EQ(statisticsLines(standardCounts), QStringList{QStringLiteral("01: 3")});
}

// Every offered range: sound data, and the whole way from a picture to the counted chart.
TEST(BeadRange, EveryShippedRangeLoadsCalculatesAndCounts) {
    const std::vector<BeadRange> ranges = availableRanges(QString());
    std::vector<std::string> names;
    for (const BeadRange& r : ranges)
        names.push_back(r.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Hama Midi (Standard)", "Artkal S (5 mm)",
                                               "Hama Midi", "Nabbi", "Perler"}));
    OwnedDib photo(photoPicture(40, 30));
    for (const BeadRange& range : ranges) {
        SCOPED_TRACE(range.name);
        ASSERT_GE(range.size(), 20);
        ASSERT_LE(range.size(), kMaxRangeColors);
        std::set<std::string> numbers;
        std::set<std::uint32_t> colours;
        for (const BeadColor& c : range.colors) {
            EXPECT_FALSE(c.name.empty()) << c.number;
            EXPECT_TRUE(numbers.insert(c.number).second) << "number twice: " << c.number;
            EXPECT_TRUE(colours.insert(c.rgb.red << 16 | c.rgb.green << 8 | c.rgb.blue).second)
                << "two beads with the colour of " << c.number;
        }
        Document doc;
        ASSERT_EQ(createStartImages(doc), EngineError::None);
        installRange(doc, range);
        dib copy{};
        newdib(&copy, 40, 30, 24, nullptr, 0);
        std::memcpy(copy.poi, photo.get().poi, photo.get().pmi->biSizeImage);
        replaceSourcePicture(doc, copy);
        std::array<bool, kMaxRangeColors> ticks{};
        ticks.fill(true);
        const std::span<const bool> ticked =
            std::span<const bool>(ticks).first(static_cast<std::size_t>(range.size()));
        ASSERT_EQ(calculatePattern(doc, {40, 30, 1, ticked}, {}), EngineError::None);
        BeadCounts counts{};
        ASSERT_EQ(drawChart(doc.di3, 40, 30, doc.notfoundis, doc.rdi, counts, doc.range),
                  EngineError::None);
        EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0), 40 * 30);
        const QStringList lines = statisticsLines(counts, doc.range);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(numbers.count(lines.first().section(QStringLiteral(": "), 0, 0).toStdString()));
        FreeDocument(doc);
    }
}
