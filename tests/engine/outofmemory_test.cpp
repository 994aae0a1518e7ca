// Memory running out for real (the allocator refuses, not the pixel budget) at every allocation
// of the calculate command and the chart: the command reports it, and the document keeps what
// it had.

#include <gtest/gtest.h>

#include <QByteArray>
#include <functional>

#include "engine/calculate.h"
#include "engine/catalogue.h"
#include "engine/chart.h"
#include "imagelib/memory.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

// Refuses blocks from `fromBytes` on after `grantedFirst` of them, for one scope.
class MemoryShortage {
  public:
    MemoryShortage(std::size_t fromBytes, int grantedFirst) {
        simulateOutOfMemory(fromBytes, grantedFirst);
    }
    ~MemoryShortage() { simulateOutOfMemory(0); }
    MemoryShortage(const MemoryShortage&) = delete;
    MemoryShortage& operator=(const MemoryShortage&) = delete;
};

struct StartedDocument {
    Document doc;
    std::array<bool, 64> selection = allTicks();
    StartedDocument() {
        EXPECT_EQ(createStartImages(doc), EngineError::None);
        doc.pal = StartPalette();
        replaceSourcePicture(doc, picture24(90, 60, [](int x, int y) {
                                 return Rgb{x * 2, y * 4, (x + y) % 256};
                             }));
        doc.notfoundis = 7;
    }
    ~StartedDocument() { FreeDocument(doc); }
};

// An 8-bit picture of the given pixel values (its colour table stays black).
dib grid8(int width, int height, const std::function<int(int, int)>& value) {
    dib d{};
    newdib(&d, width, height, 8, nullptr, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setpixel(d, x, y, static_cast<std::uint32_t>(value(x, y)));
    return d;
}

QByteArray pixelsOf(const dib& d) {
    return QByteArray(reinterpret_cast<const char*>(d.poi),
                      static_cast<qsizetype>(d.pmi->biSizeImage));
}

}  // namespace

// Each allocation of the command in turn is the one that fails, with both methods, for a
// 24-bit and an 8-bit picture (the 8-bit one is expanded first, one allocation more).
TEST(OutOfMemory, CalculateFailingAtAnyAllocationKeepsTheDocument) {
    for (const int rolmod : {0, 1}) {
        for (const int bits : {24, 8}) {
            bool succeeded = false;
            for (int granted = 0; !succeeded && granted < 10; ++granted) {
                SCOPED_TRACE(testing::Message()
                             << "rolmod " << rolmod << " bits " << bits << " granted " << granted);
                StartedDocument started;
                if (bits == 8) {
                    replaceSourcePicture(
                        started.doc, grid8(50, 40, [](int x, int y) { return 10 + (x + y) % 64; }));
                }
                const dib oldGrid = started.doc.di3;
                const QByteArray oldPixels = pixelsOf(oldGrid);
                const CalculateInputs inputs{31, 23, rolmod, started.selection};
                EngineError error;
                {
                    const MemoryShortage shortage(1, granted);
                    error = calculatePattern(started.doc, inputs, {});
                }
                succeeded = error == EngineError::None;
                if (succeeded) {
                    EXPECT_EQ(DibWidth(started.doc.di3), 31);
                    continue;
                }
                EXPECT_EQ(error, EngineError::OutOfMemory);
                EXPECT_EQ(started.doc.di3.poi, oldGrid.poi);
                EXPECT_EQ(pixelsOf(started.doc.di3), oldPixels);
                EXPECT_EQ(started.doc.notfoundis, 7);
            }
            EXPECT_TRUE(succeeded) << "the command needs only a few blocks";
        }
    }
}

TEST(OutOfMemory, ChartThatCannotBeAllocatedIsReportedAndCountsAreMade) {
    OwnedDib grid(grid8(40, 30, [](int x, int) { return 10 + x % 3; }));
    const ChartGeometry g = chartGeometry(40, 30);
    const std::size_t chartBytes = static_cast<std::size_t>((g.width * 3 + 3) / 4 * 4) * g.height;
    dib rdi{};
    BeadCounts counts{};
    {
        const MemoryShortage shortage(chartBytes, 0);
        EXPECT_EQ(drawChart(grid.get(), 40, 30, 0, rdi, counts), EngineError::OutOfMemory);
    }
    EXPECT_EQ(rdi.poi, nullptr);
    EXPECT_EQ(counts[0] + counts[1] + counts[2], 1200);
    EXPECT_EQ(drawChart(grid.get(), 40, 30, 0, rdi, counts), EngineError::None);
    EXPECT_EQ(DibWidth(rdi), g.width);
    FreeDib(rdi);
}

// A chart of the same size reuses its memory, so it is drawn even when no new block is given.
TEST(OutOfMemory, RedrawingAChartOfTheSameSizeNeedsNoNewBlock) {
    OwnedDib grid(grid8(20, 10, [](int, int y) { return 10 + y; }));
    dib rdi{};
    BeadCounts counts{};
    ASSERT_EQ(drawChart(grid.get(), 20, 10, 0, rdi, counts), EngineError::None);
    {
        const MemoryShortage shortage(1, 0);
        EXPECT_EQ(drawChart(grid.get(), 20, 10, 0, rdi, counts), EngineError::None);
    }
    EXPECT_NE(rdi.poi, nullptr);
    FreeDib(rdi);
}

TEST(OutOfMemory, StartImagesThatCannotBeMadeAreReported) {
    Document doc;
    {
        const MemoryShortage shortage(1, 2);
        EXPECT_EQ(createStartImages(doc), EngineError::OutOfMemory);
    }
    FreeDocument(doc);
}
