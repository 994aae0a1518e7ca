#include "imagelib/painterdevice.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <optional>
#include <set>

#include "drawtestfixture.h"
#include "imagelib/drawinview.h"
#include "imagelib/stretchdrawdib.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) return ::testing::AssertionFailure() << "sizes differ";
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                return ::testing::AssertionFailure()
                       << "first difference at " << x << ", " << y << ": " << std::hex
                       << actual.pixel(x, y) << " instead of " << expected.pixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

bool contains(const IntRect& r, std::int64_t x, std::int64_t y) {
    return x >= r.x && x < r.right() && y >= r.y && y < r.bottom();
}

// What nearest-neighbour drawing of the source rectangle (y from the bottom) into `dest` must
// show on a canvas whose (0, 0) is the logical point `origin`, touching only `exposed`.
QImage expectedDrawing(QSize canvasSize, const dib& image, const IntRect& dest,
                       const IntRect& source, const QPoint& origin, const IntRect& exposed) {
    QImage canvas = blankCanvas(canvasSize.width(), canvasSize.height());
    const int topRow = DibHeight(image) - source.y - source.height;
    for (int cy = 0; cy < canvas.height(); ++cy) {
        for (int cx = 0; cx < canvas.width(); ++cx) {
            const std::int64_t x = std::int64_t{cx} + origin.x();
            const std::int64_t y = std::int64_t{cy} + origin.y();
            if (!contains(dest, x, y) || !contains(exposed, x, y)) continue;
            const auto column =
                static_cast<int>(source.x + source.width * (x - dest.x) / dest.width);
            const auto row = static_cast<int>(topRow + source.height * (y - dest.y) / dest.height);
            canvas.setPixel(cx, cy, pixelColour(image, column, row));
        }
    }
    return canvas;
}

IntRect wholeImage(const dib& image) {
    return IntRect{0, 0, DibWidth(image), DibHeight(image)};
}

// Passes every call on to a real device but refuses the stretching calls a test names.
class Refusing final : public Device {
  public:
    Refusing(Device& inner, std::set<Call> refused) : inner_(inner), refused_(std::move(refused)) {}
    DeviceTechnology technology() const override { return DeviceTechnology::Printer; }
    bool takesUnscaledDib() const override { return inner_.takesUnscaledDib(); }
    IntRect clipBox() const override { return inner_.clipBox(); }
    StretchMode setStretchMode(StretchMode mode) override { return inner_.setStretchMode(mode); }
    int stretchDIBits(const IntRect& dest, const IntRect& source, const std::uint8_t* bits,
                      const BitmapInfoHeader* header, std::uint32_t rop) override {
        return refused_.count(Call::StretchDIBits)
                   ? kGdiError
                   : inner_.stretchDIBits(dest, source, bits, header, rop);
    }
    int setDIBitsToDevice(const IntRect& dest, int sourceX, int sourceY, int startScan,
                          int scanLines, const std::uint8_t* bits,
                          const BitmapInfoHeader* header) override {
        if (refused_.count(Call::SetDIBitsToDevice)) return 0;
        return inner_.setDIBitsToDevice(dest, sourceX, sourceY, startScan, scanLines, bits, header);
    }
    BitmapHandle createCompatibleBitmap(int width, int height) override {
        return inner_.createCompatibleBitmap(width, height);
    }
    MemoryDeviceHandle createCompatibleDC() override { return inner_.createCompatibleDC(); }
    int setDIBits(MemoryDeviceHandle memory, BitmapHandle bitmap, int startScan, int scanLines,
                  const std::uint8_t* bits, const BitmapInfoHeader* header) override {
        return inner_.setDIBits(memory, bitmap, startScan, scanLines, bits, header);
    }
    BitmapHandle selectBitmap(MemoryDeviceHandle memory, BitmapHandle bitmap) override {
        return inner_.selectBitmap(memory, bitmap);
    }
    bool stretchBlt(const IntRect& dest, MemoryDeviceHandle memory, const IntRect& source,
                    std::uint32_t rop) override {
        return inner_.stretchBlt(dest, memory, source, rop);
    }
    void deleteDC(MemoryDeviceHandle memory) override { inner_.deleteDC(memory); }
    void deleteBitmap(BitmapHandle bitmap) override { inner_.deleteBitmap(bitmap); }

  private:
    Device& inner_;
    std::set<Call> refused_;
};

// Draws on a blank canvas through a painter device, refusing the named calls when asked.
QImage drawnOnCanvas(QSize canvasSize, DeviceKind kind, const dib& image, const IntRect& dest,
                     const IntRect& source, const QPoint& origin, const IntRect& exposed,
                     const std::set<Call>& refused = {}) {
    QImage canvas = blankCanvas(canvasSize.width(), canvasSize.height());
    QPainter painter(&canvas);
    PainterDevice device(painter, kind, QRect(exposed.x, exposed.y, exposed.width, exposed.height),
                         origin);
    Refusing refusing(device, refused);
    Device& target = refused.empty() ? static_cast<Device&>(device) : refusing;
    StretchDrawDib(target, dest.x, dest.y, dest.width, dest.height, image, source.x, source.y,
                   source.width, source.height, false, kSrcCopy);
    return canvas;
}

void makeTestImage(OwnedDib& image, int bits, int width, int height) {
    if (bits == 24) {
        makeTrueColour(image, width, height);
    } else {
        makeIndexed(image, width, height, bits,
                    [bits](int x, int y) { return (x * 7 + y * 3) % (1 << bits); });
    }
}

// --- Pixel-exact drawing into an image ----------------------------------------------------------

struct PixelRow {
    const char* name;
    int bits;
    QSize imageSize;
    QSize canvas;
    IntRect dest;
    QPoint origin;
    std::optional<IntRect> exposed;  // logical; the whole canvas when absent
    friend void PrintTo(const PixelRow& row, std::ostream* os) { *os << row.name; }
};

using PixelExact = DrawTableTest<PixelRow>;

TEST_P(PixelExact, MatchesNearestNeighbourMapping) {
    const PixelRow& row = GetParam();
    OwnedDib image;
    makeTestImage(image, row.bits, row.imageSize.width(), row.imageSize.height());
    const IntRect exposed = row.exposed.value_or(
        IntRect{row.origin.x(), row.origin.y(), row.canvas.width(), row.canvas.height()});
    const IntRect source = wholeImage(image.get());
    const QImage drawn = drawnOnCanvas(row.canvas, DeviceKind::Image, image.get(), row.dest, source,
                                       row.origin, exposed);
    EXPECT_TRUE(samePixels(
        drawn, expectedDrawing(row.canvas, image.get(), row.dest, source, row.origin, exposed)));
}

constexpr IntRect kHugeView{0, 0, 57000, 47000};

INSTANTIATE_TEST_SUITE_P(
    Drawings, PixelExact,
    ::testing::Values(
        PixelRow{"TrueColourEnlarged", 24, {13, 7}, {60, 40}, {3, 2, 50, 29}, {}, {}},
        PixelRow{"TrueColourReduced", 24, {37, 23}, {30, 20}, {1, 1, 16, 9}, {}, {}},
        PixelRow{"EightBitEnlarged", 8, {13, 7}, {60, 40}, {3, 2, 50, 29}, {}, {}},
        PixelRow{"EightBitReduced", 8, {37, 23}, {30, 20}, {1, 1, 16, 9}, {}, {}},
        PixelRow{"FourBitByDevice", 4, {9, 5}, {40, 30}, {2, 3, 31, 23}, {}, {}},
        PixelRow{"OneBitByDevice", 1, {9, 5}, {40, 30}, {2, 3, 31, 23}, {}, {}},
        PixelRow{"TrueColourExposedPart",
                 24,
                 {37, 23},
                 {60, 50},
                 {0, 0, 57, 41},
                 {},
                 IntRect{10, 5, 20, 17}},
        PixelRow{"EightBitExposedPart",
                 8,
                 {37, 23},
                 {60, 50},
                 {0, 0, 57, 41},
                 {},
                 IntRect{10, 5, 20, 17}},
        PixelRow{
            "TrueColourScrolledFar", 24, {570, 470}, {300, 200}, kHugeView, {40000, 30000}, {}},
        PixelRow{"EightBitScrolledFar", 8, {570, 470}, {300, 200}, kHugeView, {40000, 30000}, {}},
        PixelRow{"FourBitScrolledFar", 4, {570, 470}, {300, 200}, kHugeView, {40000, 30000}, {}},
        PixelRow{"TrueColourScrolledToTheEnd",
                 24,
                 {570, 470},
                 {300, 200},
                 kHugeView,
                 {56800, 46850},
                 {}},
        PixelRow{"EightBitScrolledFarExposedPart",
                 8,
                 {570, 470},
                 {300, 200},
                 kHugeView,
                 {40000, 30000},
                 IntRect{40123, 30077, 51, 33}}),
    RowName());

// Drawing tile by tile, each into its own widget-sized canvas scrolled to the tile, gives the
// pixels of one drawing of the whole.
TEST_F(DrawTest, TilesJoinWithoutSeams) {
    for (const int bits : {24, 8, 4}) {
        SCOPED_TRACE(bits);
        OwnedDib image;
        makeTestImage(image, bits, 37, 23);
        const IntRect dest{0, 0, 121, 89};
        const IntRect source = wholeImage(image.get());
        const QImage whole = drawnOnCanvas({121, 89}, DeviceKind::Widget, image.get(), dest, source,
                                           {}, IntRect{0, 0, 121, 89});
        for (int y = 0; y < 89; y += 13) {
            for (int x = 0; x < 121; x += 17) {
                const IntRect tile{x, y, 17, 13};
                const QImage part = drawnOnCanvas({17, 13}, DeviceKind::Widget, image.get(), dest,
                                                  source, QPoint(x, y), tile);
                QImage expected = whole.copy(x, y, 17, 13);
                // Beyond the drawing's edge the tile canvas stays untouched.
                for (int j = 0; j < 13; ++j) {
                    for (int i = 0; i < 17; ++i) {
                        if (x + i >= 121 || y + j >= 89) expected.setPixel(i, j, kUntouched);
                    }
                }
                ASSERT_TRUE(samePixels(part, expected)) << "tile at " << x << ", " << y;
            }
        }
    }
}

TEST_F(DrawTest, ViewHelperDrawsOnlyTheExposedPartAtTheScrollPosition) {
    OwnedDib image;
    makeTestImage(image, 24, 570, 470);
    QImage widget = blankCanvas(300, 200);
    {
        QPainter painter(&widget);
        drawDibInView(painter, QRect(50, 40, 100, 60), QPoint(40000, 30000), kHugeView, image.get(),
                      true);
    }
    const IntRect exposedLogical{40050, 30040, 100, 60};
    EXPECT_TRUE(samePixels(
        widget, expectedDrawing({300, 200}, image.get(), kHugeView, wholeImage(image.get()),
                                {40000, 30000}, exposedLogical)));
}

TEST_F(DrawTest, PrinterScalesTheCoveredSourcePixelsWithinTheExposedPart) {
    // A whole-number scale, where the printer's own nearest-neighbour scaling is exact too.
    for (const int bits : {24, 8}) {
        SCOPED_TRACE(bits);
        OwnedDib image;
        makeTestImage(image, bits, 10, 8);
        const IntRect dest{5, 4, 30, 24};
        const IntRect exposed{8, 6, 20, 13};
        const IntRect source = wholeImage(image.get());
        const QImage drawn =
            drawnOnCanvas({50, 40}, DeviceKind::Printer, image.get(), dest, source, {}, exposed);
        EXPECT_TRUE(
            samePixels(drawn, expectedDrawing({50, 40}, image.get(), dest, source, {}, exposed)));
    }
}

// --- The fallback ways with real pixels ---------------------------------------------------------

// The own stretch spreads the source so that first and last rows and columns meet exactly.
QImage expectedOwnStretch(QSize canvasSize, const dib& image, const IntRect& dest,
                          const IntRect& source) {
    QImage canvas = blankCanvas(canvasSize.width(), canvasSize.height());
    auto spread = [](int start, int sourceSize, int size, int i) {
        return size == 1 ? start : start + (sourceSize - 1) * i / (size - 1);
    };
    for (int t = 0; t < dest.height; ++t) {
        const int storedRow = spread(source.y, source.height, dest.height, dest.height - 1 - t);
        for (int i = 0; i < dest.width; ++i) {
            const QRgb colour = pixelColour(image, spread(source.x, source.width, dest.width, i),
                                            DibHeight(image) - 1 - storedRow);
            canvas.setPixel(dest.x + i, dest.y + t, colour);
        }
    }
    return canvas;
}

struct FallbackRow {
    const char* name;
    int bits;
    IntRect dest;
    IntRect source;
    friend void PrintTo(const FallbackRow& row, std::ostream* os) { *os << row.name; }
};

using OwnStretch = DrawTableTest<FallbackRow>;

TEST_P(OwnStretch, MeetsTheSourceEdgesExactly) {
    const FallbackRow& row = GetParam();
    OwnedDib image;
    makeTestImage(image, row.bits, 9, 5);
    const IntRect all{0, 0, 40, 30};
    const QImage drawn = drawnOnCanvas({40, 30}, DeviceKind::Image, image.get(), row.dest,
                                       row.source, {}, all, {Call::StretchDIBits});
    EXPECT_TRUE(samePixels(drawn, expectedOwnStretch({40, 30}, image.get(), row.dest, row.source)));
}

INSTANTIATE_TEST_SUITE_P(
    Depths, OwnStretch,
    ::testing::Values(FallbackRow{"TrueColour", 24, {2, 3, 23, 17}, {0, 0, 9, 5}},
                      FallbackRow{"EightBit", 8, {2, 3, 23, 17}, {0, 0, 9, 5}},
                      FallbackRow{"FourBit", 4, {2, 3, 23, 17}, {0, 0, 9, 5}},
                      FallbackRow{"OneBit", 1, {2, 3, 23, 17}, {0, 0, 9, 5}},
                      FallbackRow{"OneBitPart", 1, {2, 3, 23, 17}, {2, 0, 5, 3}},
                      FallbackRow{"FourBitPart", 4, {2, 3, 23, 17}, {2, 0, 5, 3}},
                      FallbackRow{"OneColumnTakesTheFirst", 8, {2, 3, 1, 17}, {3, 0, 4, 5}},
                      FallbackRow{"OneRowTakesTheFirst", 24, {2, 3, 23, 1}, {0, 2, 9, 3}}),
    RowName());

using BitmapRoute = DrawTableTest<FallbackRow>;

TEST_P(BitmapRoute, StretchesTheSourceRectangleFromTheDeviceBitmap) {
    const FallbackRow& row = GetParam();
    OwnedDib image;
    makeTestImage(image, row.bits, 9, 5);
    const IntRect all{0, 0, 40, 30};
    const QImage drawn =
        drawnOnCanvas({40, 30}, DeviceKind::Image, image.get(), row.dest, row.source, {}, all,
                      {Call::StretchDIBits, Call::SetDIBitsToDevice});
    EXPECT_TRUE(
        samePixels(drawn, expectedDrawing({40, 30}, image.get(), row.dest, row.source, {}, all)));
    EXPECT_TRUE(messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BitmapRoute,
    ::testing::Values(FallbackRow{"TrueColour", 24, {2, 3, 23, 17}, {0, 0, 9, 5}},
                      FallbackRow{"EightBitPart", 8, {2, 3, 23, 17}, {2, 0, 5, 3}},
                      FallbackRow{"OneBitReduced", 1, {2, 3, 5, 3}, {0, 0, 9, 5}}),
    RowName());

TEST_F(DrawTest, DeviceRefusesUnreadablePixelsAndOtherRasterOperations) {
    QImage canvas = blankCanvas(10, 10);
    QPainter painter(&canvas);
    PainterDevice onImage(painter, DeviceKind::Image);
    OwnedDib image;
    makeTestImage(image, 24, 4, 4);
    const dib& d = image.get();
    EXPECT_EQ(onImage.stretchDIBits({0, 0, 8, 8}, {0, 0, 4, 4}, d.poi, d.pmi, 0x00EE0086),
              kGdiError);
    EXPECT_EQ(onImage.stretchDIBits({0, 0, 8, 8}, {0, 0, 4, 4}, nullptr, d.pmi, kSrcCopy),
              kGdiError);
    EXPECT_EQ(onImage.setDIBitsToDevice({0, 0, 4, 4}, 0, 0, 0, 4, d.poi, nullptr), 0);
    painter.end();
    EXPECT_TRUE(samePixels(canvas, blankCanvas(10, 10)));
}

}  // namespace
