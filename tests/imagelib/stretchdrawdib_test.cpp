#include "imagelib/stretchdrawdib.h"

#include <gtest/gtest.h>

#include "drawtestfixture.h"
#include "testimages.h"

using namespace tessora;
using namespace tessora::test;

namespace {

enum class Way { Nothing, Halftone, RowOutput, DeviceStretch, Unexpected };

Way observedWay(const FakeDevice& device, const dib& image) {
    const auto stretches = device.callsOf(Call::StretchDIBits);
    const auto rows = device.callsOf(Call::SetDIBitsToDevice);
    if (!stretches.empty()) {
        if (stretches[0].bits == image.poi) return Way::DeviceStretch;
        return stretches[0].imageBits == 8 && rows.empty() ? Way::Halftone : Way::Unexpected;
    }
    if (rows.empty()) return Way::Nothing;
    for (const RecordedCall& row : rows) {
        if (row.dest.height != 1) return Way::Unexpected;
    }
    return Way::RowOutput;
}

void makeImage(OwnedDib& image, int bits, int width, int height) {
    if (bits == 24) {
        makeTrueColour(image, width, height);
    } else {
        makeIndexed(image, width, height, bits,
                    [bits](int x, int y) { return (x + 2 * y) % (1 << bits); });
    }
}

void drawWhole(FakeDevice& device, const dib& image, const IntRect& dest, bool halftone = true) {
    StretchDrawDib(device, dest.x, dest.y, dest.width, dest.height, image, 0, 0, DibWidth(image),
                   DibHeight(image), halftone, kSrcCopy);
}

// --- The way chosen by depth, device and screen -------------------------------------------------

struct RouteRow {
    const char* name;
    int bits;
    DeviceTechnology technology;
    int screenBits;
    bool halftoneAllowed;
    Way expected;
    friend void PrintTo(const RouteRow& row, std::ostream* os) { *os << row.name; }
};

using Route = DrawTableTest<RouteRow>;

TEST_P(Route, IsChosenByDepthDeviceAndScreen) {
    const RouteRow& row = GetParam();
    SetScreenBitsPerPixelOverride(row.screenBits);
    device.technologyAnswer = row.technology;
    OwnedDib image;
    makeImage(image, row.bits, 4, 3);
    drawWhole(device, image.get(), {2, 3, 8, 6}, row.halftoneAllowed);
    ASSERT_FALSE(device.calls.empty());
    EXPECT_EQ(device.calls[0].call, Call::SetStretchMode);
    EXPECT_EQ(device.calls[0].mode, StretchMode::ColorOnColor);
    EXPECT_EQ(observedWay(device, image.get()), row.expected);
}

constexpr auto kDisplay = DeviceTechnology::Display;
constexpr auto kPrinter = DeviceTechnology::Printer;

INSTANTIATE_TEST_SUITE_P(
    Ways, Route,
    ::testing::Values(
        RouteRow{"TrueColour_Screen24_HalftoneAllowed", 24, kDisplay, 24, true, Way::RowOutput},
        RouteRow{"TrueColour_Screen16_HalftoneAllowed", 24, kDisplay, 16, true, Way::RowOutput},
        RouteRow{"TrueColour_Screen8_HalftoneAllowed", 24, kDisplay, 8, true, Way::Halftone},
        RouteRow{"TrueColour_Screen4_HalftoneAllowed", 24, kDisplay, 4, true, Way::Halftone},
        RouteRow{"TrueColour_Screen8_HalftoneRefused", 24, kDisplay, 8, false, Way::RowOutput},
        RouteRow{"TrueColour_Printer_Screen8_HalftoneAllowed", 24, kPrinter, 8, true,
                 Way::Halftone},
        RouteRow{"TrueColour_Printer_Screen8_HalftoneRefused", 24, kPrinter, 8, false,
                 Way::DeviceStretch},
        RouteRow{"TrueColour_Printer_Screen24", 24, kPrinter, 24, true, Way::DeviceStretch},
        RouteRow{"EightBit_Screen8_HalftoneAllowed", 8, kDisplay, 8, true, Way::RowOutput},
        RouteRow{"EightBit_Screen24", 8, kDisplay, 24, false, Way::RowOutput},
        RouteRow{"EightBit_Printer_Screen8", 8, kPrinter, 8, true, Way::DeviceStretch},
        RouteRow{"FourBit_Screen24", 4, kDisplay, 24, true, Way::DeviceStretch},
        RouteRow{"FourBit_Screen8", 4, kDisplay, 8, true, Way::DeviceStretch},
        RouteRow{"FourBit_Printer", 4, kPrinter, 24, false, Way::DeviceStretch},
        RouteRow{"OneBit_Screen8", 1, kDisplay, 8, true, Way::DeviceStretch},
        RouteRow{"OneBit_Printer", 1, kPrinter, 8, true, Way::DeviceStretch}),
    RowName());

// --- Clipping the source rectangle to the image -------------------------------------------------

struct ClipRow {
    const char* name;
    int imageWidth;
    int imageHeight;
    IntRect dest;
    IntRect source;
    IntRect expectedDest;
    IntRect expectedSource;
    friend void PrintTo(const ClipRow& row, std::ostream* os) { *os << row.name; }
};

using Clipping = DrawTableTest<ClipRow>;

TEST_P(Clipping, ScalesTheDestinationWithTheSource) {
    const ClipRow& row = GetParam();
    device.technologyAnswer = kPrinter;  // the device gets the rectangles unchanged
    OwnedDib image;
    makeTrueColour(image, row.imageWidth, row.imageHeight);
    StretchDrawDib(device, row.dest.x, row.dest.y, row.dest.width, row.dest.height, image.get(),
                   row.source.x, row.source.y, row.source.width, row.source.height, false,
                   kSrcCopy);
    const auto stretches = device.callsOf(Call::StretchDIBits);
    ASSERT_EQ(stretches.size(), 1u);
    EXPECT_EQ(stretches[0].dest, row.expectedDest);
    EXPECT_EQ(stretches[0].source, row.expectedSource);
    EXPECT_EQ(stretches[0].rop, kSrcCopy);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, Clipping,
    ::testing::Values(
        ClipRow{"Inside",
                100,
                50,
                {10, 20, 200, 100},
                {0, 0, 100, 50},
                {10, 20, 200, 100},
                {0, 0, 100, 50}},
        ClipRow{"RightEdge",
                100,
                50,
                {10, 20, 200, 50},
                {50, 0, 100, 50},
                {10, 20, 100, 50},
                {50, 0, 50, 50}},
        ClipRow{"LeftEdge",
                100,
                50,
                {10, 20, 200, 50},
                {-25, 0, 100, 50},
                {60, 20, 150, 50},
                {0, 0, 75, 50}},
        ClipRow{"BottomEdge",
                50,
                100,
                {10, 20, 50, 300},
                {0, -10, 50, 100},
                {10, 20, 50, 270},
                {0, 0, 50, 90}},
        ClipRow{"TopEdge",
                50,
                100,
                {10, 20, 50, 300},
                {0, 20, 50, 100},
                {10, 80, 50, 240},
                {0, 20, 50, 80}},
        ClipRow{"AllFourEdges",
                10,
                10,
                {0, 0, 40, 40},
                {-5, -5, 20, 20},
                {10, 10, 20, 20},
                {0, 0, 10, 10}},
        ClipRow{
            "HalfRoundsDownToEven", 5, 5, {0, 0, 5, 5}, {4, 0, 2, 5}, {0, 0, 2, 5}, {4, 0, 1, 5}},
        ClipRow{
            "HalfRoundsUpToEven", 5, 5, {0, 0, 7, 5}, {4, 0, 2, 5}, {0, 0, 4, 5}, {4, 0, 1, 5}}),
    RowName());

struct NothingRow {
    const char* name;
    IntRect dest;
    IntRect source;
    friend void PrintTo(const NothingRow& row, std::ostream* os) { *os << row.name; }
};

using NothingToDraw = DrawTableTest<NothingRow>;

TEST_P(NothingToDraw, OnlySetsTheStretchMode) {
    const NothingRow& row = GetParam();
    OwnedDib image;
    makeTrueColour(image, 10, 10);
    for (const auto technology : {kDisplay, kPrinter}) {
        device.technologyAnswer = technology;
        StretchDrawDib(device, row.dest.x, row.dest.y, row.dest.width, row.dest.height, image.get(),
                       row.source.x, row.source.y, row.source.width, row.source.height, true,
                       kSrcCopy);
    }
    EXPECT_EQ(device.sequence(), (std::vector{Call::SetStretchMode, Call::SetStretchMode}));
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, NothingToDraw,
    ::testing::Values(NothingRow{"SourceRightOfImage", {0, 0, 10, 10}, {10, 0, 5, 10}},
                      NothingRow{"SourceAboveImage", {0, 0, 10, 10}, {0, 12, 10, 5}},
                      NothingRow{"SourceBelowImage", {0, 0, 10, 10}, {0, -8, 10, 5}},
                      NothingRow{"EmptySource", {0, 0, 10, 10}, {0, 0, 0, 10}},
                      NothingRow{"EmptyDestination", {0, 0, 10, 0}, {0, 0, 10, 10}},
                      NothingRow{"ShrunkToNothing", {0, 0, 1, 10}, {-9, 0, 10, 10}}),
    RowName());

TEST_F(DrawTest, ImageWithoutPixelsOnlySetsTheStretchMode) {
    const dib empty{};
    StretchDrawDib(device, 0, 0, 10, 10, empty, 0, 0, 10, 10, true, kSrcCopy);
    EXPECT_EQ(device.sequence(), std::vector{Call::SetStretchMode});
}

// --- Halftone conversion ------------------------------------------------------------------------

struct HalftoneRow {
    const char* name;
    IntRect dest;
    IntRect source;
    int convertedWidth;
    int convertedHeight;
    IntRect copiedSource;
    friend void PrintTo(const HalftoneRow& row, std::ostream* os) { *os << row.name; }
};

using Halftone = DrawTableTest<HalftoneRow>;

TEST_P(Halftone, ConvertsAtTheScaleOfTheDestinationWhenShrinking) {
    const HalftoneRow& row = GetParam();
    SetScreenBitsPerPixelOverride(8);
    OwnedDib image;
    makeTrueColour(image, 400, 300);
    StretchDrawDib(device, row.dest.x, row.dest.y, row.dest.width, row.dest.height, image.get(),
                   row.source.x, row.source.y, row.source.width, row.source.height, true, kSrcCopy);
    const auto stretches = device.callsOf(Call::StretchDIBits);
    ASSERT_EQ(stretches.size(), 1u);
    EXPECT_EQ(stretches[0].imageBits, 8);
    EXPECT_EQ(stretches[0].imageWidth, row.convertedWidth);
    EXPECT_EQ(stretches[0].imageHeight, row.convertedHeight);
    EXPECT_EQ(stretches[0].dest, row.dest);
    EXPECT_EQ(stretches[0].source, row.copiedSource);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, Halftone,
    ::testing::Values(
        HalftoneRow{"Whole400x300Into200x150",
                    {7, 9, 200, 150},
                    {0, 0, 400, 300},
                    200,
                    150,
                    {0, 0, 200, 150}},
        HalftoneRow{
            "PartShrunkByHalf", {0, 0, 100, 75}, {100, 50, 200, 150}, 200, 150, {50, 25, 100, 75}},
        HalftoneRow{
            "ShrunkOnlyInHeight", {0, 0, 800, 150}, {0, 0, 400, 300}, 800, 150, {0, 0, 800, 150}},
        HalftoneRow{"EnlargedConvertsAtImageSize",
                    {0, 0, 800, 600},
                    {0, 0, 400, 300},
                    400,
                    300,
                    {0, 0, 400, 300}}),
    RowName());

// --- Devices that refuse to stretch -------------------------------------------------------------

struct RefusalRow {
    const char* name;
    std::set<Call> refused;
    bool takesUnscaled;
    std::vector<Call> expectedAfterStretch;
    const char* expectedMessage;  // nullptr: none
    friend void PrintTo(const RefusalRow& row, std::ostream* os) { *os << row.name; }
};

using Refusal = DrawTableTest<RefusalRow>;

const std::vector<Call> kBitmapRoute{Call::CreateCompatibleBitmap,
                                     Call::CreateCompatibleDC,
                                     Call::SetDIBits,
                                     Call::SelectBitmap,
                                     Call::StretchBlt,
                                     Call::SelectBitmap,
                                     Call::DeleteDC,
                                     Call::DeleteBitmap};

std::vector<Call> concat(std::vector<Call> a, const std::vector<Call>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_P(Refusal, FallsBackInOrderAndReportsTheBitmapRoute) {
    const RefusalRow& row = GetParam();
    device.technologyAnswer = kPrinter;
    device.takesUnscaled = row.takesUnscaled;
    device.refused = row.refused;
    OwnedDib image;
    makeTrueColour(image, 6, 4);
    drawWhole(device, image.get(), {3, 5, 12, 8});
    EXPECT_EQ(device.sequence(),
              concat({Call::SetStretchMode, Call::StretchDIBits}, row.expectedAfterStretch));
    if (row.expectedMessage == nullptr) {
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
    } else {
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(row.expectedMessage)});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fallbacks, Refusal,
    ::testing::Values(RefusalRow{"StretchRefused_OwnStretch",
                                 {Call::StretchDIBits},
                                 true,
                                 {Call::SetDIBitsToDevice},
                                 nullptr},
                      RefusalRow{"StretchRefused_NoUnscaledOutput_Bitmap",
                                 {Call::StretchDIBits},
                                 false,
                                 kBitmapRoute,
                                 nullptr},
                      RefusalRow{"StretchAndUnscaledRefused_Bitmap",
                                 {Call::StretchDIBits, Call::SetDIBitsToDevice},
                                 true,
                                 concat({Call::SetDIBitsToDevice}, kBitmapRoute),
                                 nullptr},
                      RefusalRow{"NoBitmap",
                                 {Call::StretchDIBits, Call::CreateCompatibleBitmap},
                                 false,
                                 {Call::CreateCompatibleBitmap},
                                 "Could not create bitmap."},
                      RefusalRow{"SetDIBitsRefused",
                                 {Call::StretchDIBits, Call::SetDIBits},
                                 false,
                                 {Call::CreateCompatibleBitmap, Call::CreateCompatibleDC,
                                  Call::SetDIBits, Call::DeleteDC, Call::DeleteBitmap},
                                 "The device does not support the Funtkion setdibits!"},
                      RefusalRow{"StretchBltRefused",
                                 {Call::StretchDIBits, Call::StretchBlt},
                                 false,
                                 kBitmapRoute,
                                 "The device does not support the function StretchBlt!"}),
    RowName());

TEST_F(DrawTest, OwnStretchOutputsAnImageOfTheDestinationSize) {
    device.technologyAnswer = kPrinter;
    device.refused = {Call::StretchDIBits};
    OwnedDib image;
    makeIndexed(image, 6, 4, 8, [](int x, int y) { return x + 10 * y; });
    drawWhole(device, image.get(), {3, 5, 12, 8});
    const auto outputs = device.callsOf(Call::SetDIBitsToDevice);
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].dest, (IntRect{3, 5, 12, 8}));
    EXPECT_EQ(outputs[0].scanLines, 8);
    EXPECT_EQ(outputs[0].imageWidth, 12);
    EXPECT_EQ(outputs[0].imageHeight, 8);
    EXPECT_EQ(outputs[0].imageBits, 8);
    EXPECT_EQ(outputs[0].colorTable[7].rgbRed, qRed(paletteColour(7)));
}

TEST_F(DrawTest, BitmapRouteCopiesTheWholeImageAndStretchesTheRectangleFromTheTop) {
    device.technologyAnswer = kPrinter;
    device.takesUnscaled = false;
    device.refused = {Call::StretchDIBits};
    OwnedDib image;
    makeTrueColour(image, 10, 8);
    StretchDrawDib(device, 0, 0, 50, 40, image.get(), 2, 1, 5, 4, false, kSrcCopy);
    const auto bitmaps = device.callsOf(Call::CreateCompatibleBitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_EQ(bitmaps[0].dest, (IntRect{0, 0, 10, 8}));
    const auto copies = device.callsOf(Call::SetDIBits);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].scanLines, 8);
    EXPECT_EQ(copies[0].bits, image.get().poi);
    const auto blts = device.callsOf(Call::StretchBlt);
    ASSERT_EQ(blts.size(), 1u);
    // Rows 1 to 4 from the bottom of 8 are rows 3 to 6 from the top.
    EXPECT_EQ(blts[0].source, (IntRect{2, 3, 5, 4}));
    EXPECT_EQ(blts[0].dest, (IntRect{0, 0, 50, 40}));
    EXPECT_EQ(blts[0].bitmap, bitmaps[0].bitmap);
    const auto selects = device.callsOf(Call::SelectBitmap);
    ASSERT_EQ(selects.size(), 2u);
    EXPECT_EQ(selects[1].bitmap, 0u);  // the previous selection is restored
    EXPECT_EQ(device.callsOf(Call::DeleteBitmap)[0].bitmap, bitmaps[0].bitmap);
    EXPECT_EQ(device.callsOf(Call::DeleteDC)[0].memory,
              device.callsOf(Call::CreateCompatibleDC)[0].memory);
}

// --- The library cannot create a temporary image ------------------------------------------------

struct ShortOfMemoryRow {
    const char* name;
    DeviceTechnology technology;
    int screenBits;
    std::set<Call> refused;
    std::vector<Call> expected;
    friend void PrintTo(const ShortOfMemoryRow& row, std::ostream* os) { *os << row.name; }
};

using ShortOfMemory = DrawTableTest<ShortOfMemoryRow>;

TEST_P(ShortOfMemory, DrawsNothingMore) {
    const ShortOfMemoryRow& row = GetParam();
    OwnedDib image;
    makeTrueColour(image, 10, 10);
    SetPixelBudget(50);  // the 10 x 10 image exists; nothing of 100 pixels or more can be made
    SetScreenBitsPerPixelOverride(row.screenBits);
    device.technologyAnswer = row.technology;
    device.refused = row.refused;
    drawWhole(device, image.get(), {0, 0, 200, 100});
    EXPECT_EQ(device.sequence(), row.expected);
    EXPECT_TRUE(messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Temporaries, ShortOfMemory,
    ::testing::Values(ShortOfMemoryRow{"RowBuffer", kDisplay, 24, {}, {Call::SetStretchMode}},
                      ShortOfMemoryRow{"HalftoneImage", kDisplay, 8, {}, {Call::SetStretchMode}},
                      ShortOfMemoryRow{"OwnStretchTarget",
                                       kPrinter,
                                       24,
                                       {Call::StretchDIBits},
                                       {Call::SetStretchMode, Call::StretchDIBits}}),
    RowName());

}  // namespace
