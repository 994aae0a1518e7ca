#include <gtest/gtest.h>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "engine/sizecoupling.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// The document as start-up leaves it, without a window.
struct StartedDocument {
    Document doc;
    std::array<bool, 64> selection = allTicks();
    StartedDocument() {
        EXPECT_EQ(createStartImages(doc), EngineError::None);
        doc.pal = StartPalette();
    }
    ~StartedDocument() { FreeDocument(doc); }
    EngineError calculate(int breit, int hoch, int rolmod = 0) {
        return calculatePattern(doc, {breit, hoch, rolmod, selection}, {});
    }
};

std::uint8_t gridValue(const Document& doc, int x, int y) {
    return static_cast<std::uint8_t>(getpixel(doc.di3, x, y));
}

}  // namespace

TEST(StartImages, WhitePicturesAndAGridOfTheFallbackValue) {
    StartedDocument started;
    const Document& doc = started.doc;
    EXPECT_EQ(DibWidth(doc.di), 320);
    EXPECT_EQ(DibHeight(doc.di), 200);
    EXPECT_EQ(DibBits(doc.di), 24);
    EXPECT_EQ(DibWidth(doc.rdi), 320);
    EXPECT_EQ(DibBits(doc.rdi), 24);
    EXPECT_EQ(getpixel(doc.di, 319, 199), 0xFFFFFFu);
    EXPECT_EQ(getpixel(doc.rdi, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(DibWidth(doc.di3), 32);
    EXPECT_EQ(DibHeight(doc.di3), 20);
    EXPECT_EQ(DibBits(doc.di3), 8);
    EXPECT_EQ(gridValue(doc, 31, 19), 255);
    // The first chart: 30 x 19 beads of the fallback colour, catalogue colour 0.
    BeadCounts counts{};
    EXPECT_EQ(drawChart(doc.di3, 30, 19, doc.notfoundis, started.doc.rdi, counts),
              EngineError::None);
    EXPECT_EQ(statisticsLines(counts), QStringList{QStringLiteral("01: 570")});
}

TEST(Calculate, StartStateGivesThirtyByNineteenWhiteBeads) {
    StartedDocument started;
    const int hoch = *coupledBeadCount(200, 320, 30);
    ASSERT_EQ(started.calculate(30, hoch), EngineError::None);
    EXPECT_EQ(DibWidth(started.doc.di3), 30);
    EXPECT_EQ(DibHeight(started.doc.di3), 19);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(gridValue(started.doc, x, y), 0);
    EXPECT_EQ(started.doc.notfoundis, 0);
}

TEST(Calculate, SizesAreClampedToOneToAThousand) {
    StartedDocument started;
    ASSERT_EQ(started.calculate(0, 5000), EngineError::None);
    EXPECT_EQ(DibWidth(started.doc.di3), 1);
    EXPECT_EQ(DibHeight(started.doc.di3), 1000);
}

TEST(Calculate, IndexedPictureIsExpandedFirst) {
    StartedDocument started;
    replaceSourcePicture(started.doc, indexedPicture(4, 2, 8, {{0, 0, 0}, {176, 41, 48}}));
    setpixel(started.doc.di, 3, 0, 1);
    ASSERT_EQ(started.calculate(4, 2), EngineError::None);
    EXPECT_EQ(gridValue(started.doc, 0, 0), 10 + 17);  // black
    EXPECT_EQ(gridValue(started.doc, 3, 0), 10 + 4);   // "Rot"
}

TEST(Calculate, DitheringIsChosenByRolmod) {
    StartedDocument started;
    replaceSourcePicture(started.doc, picture24(6, 3, [](int, int) { return Rgb{128, 128, 128}; }));
    started.selection = ticks({0, 17});
    ASSERT_EQ(started.calculate(6, 3, 1), EngineError::None);
    EXPECT_EQ(gridValue(started.doc, 1, 0), 27);
    ASSERT_EQ(started.calculate(6, 3, 0), EngineError::None);
    EXPECT_EQ(gridValue(started.doc, 1, 0), 0) << "grey 128 is nearer white";
}

TEST(Calculate, TwiceInARowGivesTheSameGrid) {
    StartedDocument started;
    replaceSourcePicture(started.doc, picture24(50, 40, [](int x, int y) {
                             return Rgb{x * 5, y * 6, 90};
                         }));
    ASSERT_EQ(started.calculate(25, 20, 1), EngineError::None);
    const QByteArray first(reinterpret_cast<const char*>(started.doc.di3.poi),
                           started.doc.di3.pmi->biSizeImage);
    setpixel(started.doc.di3, 0, 0, 33);  // an edit, lost by the next command
    ASSERT_EQ(started.calculate(25, 20, 1), EngineError::None);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(started.doc.di3.poi),
                         started.doc.di3.pmi->biSizeImage),
              first);
}

TEST(Calculate, LackOfMemoryKeepsTheOldGridAndFallback) {
    StartedDocument started;
    ASSERT_EQ(started.calculate(30, 19), EngineError::None);
    const dib oldGrid = started.doc.di3;
    started.selection = ticks({5});
    SetPixelBudget(500);  // the picture exists; a grid of 30 x 30 cannot be made
    EXPECT_EQ(started.calculate(30, 30), EngineError::OutOfMemory);
    SetPixelBudget(0);
    EXPECT_EQ(started.doc.di3.poi, oldGrid.poi);
    EXPECT_EQ(DibHeight(started.doc.di3), 19);
    EXPECT_EQ(started.doc.notfoundis, 0) << "the fallback belongs to the grid that stays";
}

TEST(Calculate, NoPictureIsReported) {
    Document doc;
    doc.pal = StartPalette();
    const auto selection = allTicks();
    EXPECT_EQ(calculatePattern(doc, {30, 19, 0, selection}, {}), EngineError::NoPicture);
    EXPECT_EQ(doc.di3.poi, nullptr);
}
