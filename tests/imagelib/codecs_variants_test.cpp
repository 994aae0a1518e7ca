// Files our writers never produce, read by our decoders: written by netpbm's writers, or built
// byte by byte for the variants (orientation, depths, masks, padding) other programs write.

#include <gtest/gtest.h>

#include <QStringList>
#include <string>
#include <vector>

#include "codectestsupport.h"
#include "filebytes.h"
#include "imagelib/codecs/bmprle.h"
#include "imagelib/codecs/byterun1.h"
#include "imagelib/codecs/iffpbm.h"
#include "imagelib/codecs/ilbm.h"
#include "imagelib/codecs/pcx.h"
#include "imagelib/codecs/tga.h"

using namespace tessora;
using namespace tessora::test;

namespace {

using ReadFn = ImageError (*)(std::span<const std::uint8_t>, dib*, const ProgressFn&);

std::string rowName(const char* name) {
    std::string out;
    for (const char ch : std::string(name))
        out += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return out;
}

// --- Written by netpbm ---

enum class Source { Chart, SixteenColours, ManyColours, Grey };

struct NetpbmCase {
    const char* name;
    const char* tool;
    QStringList arguments;
    ReadFn read;
    Source source;
    int bits;  // depth our reader gives
};

void PrintTo(const NetpbmCase& c, std::ostream* out) {
    *out << c.name;
}

Pixels sourcePixels(Source source) {
    OwnedDib d;
    switch (source) {
        case Source::Chart:
            makeChart(d, 13, 11);
            break;
        case Source::SixteenColours:
            makeIndexed(d, 5, 3, 4);
            break;
        case Source::ManyColours:
            makeManyColours(d, 20, 16);
            break;
        case Source::Grey: {
            Pixels grey{6, 2, {}};
            for (int i = 0; i < 12; ++i)
                grey.colours.push_back(Rgb8{i * 21, i * 21, i * 21});
            return grey;
        }
    }
    return pixelsOf(d.d);
}

const NetpbmCase kNetpbmCases[] = {
    {"ppmtopcx few colours", "ppmtopcx", {}, readPcx, Source::Chart, 4},
    {"ppmtopcx 16 colours", "ppmtopcx", {}, readPcx, Source::SixteenColours, 4},
    {"ppmtopcx packed", "ppmtopcx", {"-packed"}, readPcx, Source::SixteenColours, 4},
    {"ppmtopcx 8 bit", "ppmtopcx", {"-8bit"}, readPcx, Source::Chart, 8},
    {"ppmtopcx 24 bit", "ppmtopcx", {"-24bit"}, readPcx, Source::ManyColours, 24},
    {"ppmtoilbm few colours", "ppmtoilbm", {}, readIlbm, Source::Chart, 4},
    {"ppmtoilbm uncompressed", "ppmtoilbm", {"-nocompress"}, readIlbm, Source::SixteenColours, 4},
    {"ppmtoilbm 24 planes", "ppmtoilbm", {"-24force"}, readIlbm, Source::ManyColours, 24},
    {"pamtotga colour map", "pamtotga", {"-cmap"}, readTga, Source::Chart, 8},
    {"pamtotga colour map plain",
     "pamtotga",
     {"-cmap", "-norle"},
     readTga,
     Source::SixteenColours,
     8},
    {"pamtotga true colour", "pamtotga", {"-rgb"}, readTga, Source::ManyColours, 24},
    {"pamtotga true colour plain", "pamtotga", {"-rgb", "-norle"}, readTga, Source::Chart, 24},
    {"pamtotga grey", "pamtotga", {"-mono"}, readTga, Source::Grey, 8},
};

class NetpbmWritten : public testing::TestWithParam<NetpbmCase> {};

TEST_P(NetpbmWritten, ReadsAsThePictureItWasMadeFrom) {
    const NetpbmCase& c = GetParam();
    if (!haveTool(QString::fromLatin1(c.tool))) GTEST_SKIP() << c.tool << " is not installed";
    const Pixels picture = sourcePixels(c.source);
    const QByteArray file = writeWithNetpbm(QString::fromLatin1(c.tool), c.arguments, picture);
    ASSERT_FALSE(file.isEmpty()) << c.tool << " failed";
    OwnedDib decoded;
    const ImageError error = c.read(bytesOf(file), &decoded.d, nullptr);
    ASSERT_EQ(error, ImageError::None) << ImageErrorText(error).toStdString();
    EXPECT_EQ(DibBits(decoded.d), c.bits);
    EXPECT_EQ(compare(pixelsOf(decoded.d), picture).largest, 0);
}

INSTANTIATE_TEST_SUITE_P(Codecs, NetpbmWritten, testing::ValuesIn(kNetpbmCases),
                         [](const testing::TestParamInfo<NetpbmCase>& row) {
                             return rowName(row.param.name);
                         });

// --- Built byte by byte ---

struct VariantCase {
    const char* name;
    ReadFn read;
    QByteArray bytes;
    int bits;
    Pixels expected;
};

void PrintTo(const VariantCase& c, std::ostream* out) {
    *out << c.name;
}

const Rgb8 kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0},
    kBlue{0, 0, 255};

Rgb8 grey(int v) {
    return Rgb8{v, v, v};
}
Rgb8 pcxPaletteColour(int i) {
    return Rgb8{i, 255 - i, i / 2};
}

// Blue, green, red, white as 24-bit pixels, the order TGA stores.
FileBytes bgr(FileBytes b, std::initializer_list<Rgb8> colours) {
    for (const Rgb8& c : colours)
        b.u8s({c.b, c.g, c.r});
    return b;
}

std::vector<VariantCase> tgaVariants() {
    return {
        {"TGA rows from the top",
         readTga,
         bgr(tgaHeader(0, 2, 0, 0, 0, 2, 2, 24, 0x20), {kRed, kGreen, kBlue, kWhite}).data(),
         24,
         {2, 2, {kRed, kGreen, kBlue, kWhite}}},
        {"TGA rows from the bottom",
         readTga,
         bgr(tgaHeader(0, 2, 0, 0, 0, 2, 2, 24, 0), {kRed, kGreen, kBlue, kWhite}).data(),
         24,
         {2, 2, {kBlue, kWhite, kRed, kGreen}}},
        {"TGA pixels right to left",
         readTga,
         bgr(tgaHeader(0, 2, 0, 0, 0, 3, 1, 24, 0x10), {kRed, kGreen, kBlue}).data(),
         24,
         {3, 1, {kBlue, kGreen, kRed}}},
        {"TGA 16-bit pixels",
         readTga,
         tgaHeader(0, 2, 0, 0, 0, 3, 1, 16).le16(0x7C00).le16(0x03E0).le16(0x001F).data(),
         24,
         {3, 1, {kRed, kGreen, kBlue}}},
        {"TGA 32-bit pixels with alpha over white",
         readTga,
         tgaHeader(0, 2, 0, 0, 0, 2, 1, 32, 8).u8s({0, 0, 0, 0}).u8s({0, 0, 255, 255}).data(),
         24,
         {2, 1, {kWhite, kRed}}},
        {"TGA 32-bit pixels without alpha bits",
         readTga,
         tgaHeader(0, 2, 0, 0, 0, 1, 1, 32, 0).u8s({0, 0, 255, 0}).data(),
         24,
         {1, 1, {kRed}}},
        {"TGA colour map from entry 5 with 16-bit entries",
         readTga,
         tgaHeader(1, 1, 5, 2, 16, 2, 1, 8).le16(0x7C00).le16(0x001F).u8s({6, 5}).data(),
         8,
         {2, 1, {kBlue, kRed}}},
        {"TGA grey run packets",
         readTga,
         tgaHeader(0, 11, 0, 0, 0, 3, 1, 8).u8s({0x82, 77}).data(),
         8,
         {3, 1, {grey(77), grey(77), grey(77)}}},
        {"TGA with an identification field",
         readTga,
         FileBytes().u8s({3, 0, 3}).zeros(9).le16(1).le16(1).u8s({8, 0}).text("abc").u8(200).data(),
         8,
         {1, 1, {grey(200)}}},
    };
}

std::vector<VariantCase> pcxVariants() {
    return {
        {"PCX 2 bits per pixel",
         readPcx,
         pcxHeader(2, 1, 4, 1, 2).u8s({0x1B, 0}).data(),
         4,
         {4, 1, {grey(0), grey(17), grey(34), grey(51)}}},
        {"PCX monochrome with empty header colours",
         readPcx,
         FileBytes()
             .bytes(pcxHeader(1, 1, 3, 1, 2).data().left(16))
             .zeros(48)
             .bytes(pcxHeader(1, 1, 3, 1, 2).data().mid(64))
             .u8s({0xA0, 0})
             .data(),
         1,
         {3, 1, {kWhite, kBlack, kWhite}}},
        {"PCX uncompressed",
         readPcx,
         pcxHeader(8, 1, 2, 2, 2, 0).u8s({0xC5, 1, 2, 3}).bytes(pcxPalette()).data(),
         8,
         {2,
          2,
          {pcxPaletteColour(0xC5), pcxPaletteColour(1), pcxPaletteColour(2), pcxPaletteColour(3)}}},
        {"PCX odd bytes per line",
         readPcx,
         pcxHeader(8, 1, 3, 1, 3).u8s({10, 20, 30}).bytes(pcxPalette()).data(),
         8,
         {3, 1, {pcxPaletteColour(10), pcxPaletteColour(20), pcxPaletteColour(30)}}},
        {"PCX bytes per line beyond the width",
         readPcx,
         pcxHeader(8, 1, 1, 2, 4).u8s({10, 99, 99, 99, 20, 99, 99, 99}).bytes(pcxPalette()).data(),
         8,
         {1, 2, {pcxPaletteColour(10), pcxPaletteColour(20)}}},
        {"PCX four planes of eight bits",
         readPcx,
         pcxHeader(8, 4, 1, 1, 2, 0).u8s({0, 0, 255, 0, 0, 0, 9, 9}).data(),
         24,
         {1, 1, {kGreen}}},
        {"PCX three planes of one bit",
         readPcx,
         pcxHeader(1, 3, 2, 1, 2, 0).u8s({0x80, 0, 0x40, 0, 0xC0, 0}).data(),
         4,
         {2, 1, {grey(5 * 17), grey(6 * 17)}}},
    };
}

QByteArray ilbmFile(const QByteArray& header, const QByteArray& colours, const QByteArray& body,
                    const QByteArray& more = {}) {
    return iffForm("ILBM", FileBytes()
                               .chunk("BMHD", header)
                               .chunk("CMAP", colours)
                               .bytes(more)
                               .chunk("BODY", body)
                               .data());
}

QByteArray rgbTable(std::initializer_list<Rgb8> colours) {
    FileBytes b;
    for (const Rgb8& c : colours)
        b.u8s({c.r, c.g, c.b});
    return b.data();
}

std::vector<VariantCase> iffVariants() {
    QByteArray thirtyTwo;
    for (int i = 0; i < 32; ++i)
        thirtyTwo += rgbTable({Rgb8{i * 8, 200, 100}});
    return {
        {"ILBM with a mask plane",
         readIlbm,
         ilbmFile(bitmapHeader(3, 1, 1, 1, 0), rgbTable({kBlack, kRed}),
                  FileBytes().u8s({0xA0, 0, 0xFF, 0xFF}).data()),
         1,
         {3, 1, {kRed, kBlack, kRed}}},
        {"ILBM extra half-brite",
         readIlbm,
         ilbmFile(bitmapHeader(2, 1, 6), thirtyTwo,
                  FileBytes().u8s({0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0}).data(),
                  FileBytes().chunk("CAMG", FileBytes().be32(0x80).data()).data()),
         8,
         {2, 1, {Rgb8{0, 100, 50}, Rgb8{4, 100, 50}}}},
        {"ILBM uncompressed two planes",
         readIlbm,
         ilbmFile(bitmapHeader(4, 1, 2), rgbTable({kBlack, kRed, kGreen, kBlue}),
                  FileBytes().u8s({0x50, 0, 0x30, 0}).data()),
         4,
         {4, 1, {kBlack, kRed, kGreen, kBlue}}},
        {"PBM odd width with pad bytes",
         readIffPbm,
         iffForm("PBM ", FileBytes()
                             .chunk("BMHD", bitmapHeader(3, 2, 8))
                             .chunk("CMAP", rgbTable({kBlack, kRed, kGreen, kBlue}))
                             .chunk("BODY", FileBytes().u8s({1, 2, 3, 0, 3, 2, 1, 0}).data())
                             .data()),
         8,
         {3, 2, {kRed, kGreen, kBlue, kBlue, kGreen, kRed}}},
        {"PBM odd width packed with pad bytes",
         readIffPbm,
         iffForm("PBM ", FileBytes()
                             .chunk("BMHD", bitmapHeader(3, 2, 8, 0, 1))
                             .chunk("CMAP", rgbTable({kBlack, kRed, kGreen, kBlue}))
                             .chunk("BODY", FileBytes().u8s({0xFD, 1, 0x03, 3, 2, 1, 0}).data())
                             .data()),
         8,
         {3, 2, {kRed, kRed, kRed, kBlue, kGreen, kRed}}},
    };
}

std::vector<VariantCase> bmpVariants() {
    return {
        {"RLE4 runs and absolute runs",
         readBmpRle,
         bmpRle(4, 5, 1, FileBytes().u8s({3, 0x12, 0, 3, 0x34, 0x50, 0, 1}).data()),
         4,
         {5, 1, {grey(17), grey(34), grey(17), grey(51), grey(68)}}},
        {"RLE8 rows from the bottom",
         readBmpRle,
         bmpRle(8, 2, 2, FileBytes().u8s({2, 10, 0, 0, 1, 20, 1, 30, 0, 1}).data()),
         8,
         {2, 2, {grey(20), grey(30), grey(10), grey(10)}}},
    };
}

class HandMade : public testing::TestWithParam<VariantCase> {};

TEST_P(HandMade, ReadsAsIntended) {
    const VariantCase& c = GetParam();
    OwnedDib decoded;
    const ImageError error = c.read(bytesOf(c.bytes), &decoded.d, nullptr);
    ASSERT_EQ(error, ImageError::None) << ImageErrorText(error).toStdString();
    EXPECT_EQ(DibBits(decoded.d), c.bits);
    const Pixels got = pixelsOf(decoded.d);
    ASSERT_EQ(got.width, c.expected.width);
    ASSERT_EQ(got.height, c.expected.height);
    for (int y = 0; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            const Rgb8 g = got.at(x, y), e = c.expected.at(x, y);
            EXPECT_TRUE(g == e) << "(" << x << "," << y << ") got " << g.r << " " << g.g << " "
                                << g.b << ", want " << e.r << " " << e.g << " " << e.b;
        }
    }
}

std::string variantName(const testing::TestParamInfo<VariantCase>& row) {
    return rowName(row.param.name);
}

INSTANTIATE_TEST_SUITE_P(Tga, HandMade, testing::ValuesIn(tgaVariants()), variantName);
INSTANTIATE_TEST_SUITE_P(Pcx, HandMade, testing::ValuesIn(pcxVariants()), variantName);
INSTANTIATE_TEST_SUITE_P(Iff, HandMade, testing::ValuesIn(iffVariants()), variantName);
INSTANTIATE_TEST_SUITE_P(Bmp, HandMade, testing::ValuesIn(bmpVariants()), variantName);

// --- ByteRun1 ---

TEST(ByteRun1, EveryRowComesBackAsItWas) {
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> rows = {
        {"one byte", {7}},
        {"two equal", {7, 7}},
        {"all different", {1, 2, 3, 4, 5, 6}},
        {"129 equal", std::vector<std::uint8_t>(129, 9)},
        {"300 different",
         [] {
             std::vector<std::uint8_t> v(300);
             for (std::size_t i = 0; i < v.size(); ++i)
                 v[i] = static_cast<std::uint8_t>(i * 7);
             return v;
         }()},
        {"pairs and runs", {1, 1, 2, 2, 3, 3, 3, 4, 5, 5, 5, 5, 6}},
    };
    for (const auto& [name, row] : rows) {
        SCOPED_TRACE(name);
        std::vector<std::uint8_t> packed;
        encodeByteRun1(row, packed);
        ByteReader in(packed);
        ByteRun1Decoder decoder(in);
        std::vector<std::uint8_t> back(row.size());
        ASSERT_TRUE(decoder.fill(back));
        EXPECT_EQ(back, row);
        EXPECT_EQ(in.remaining(), 0u) << "runs never cross the row's end";
    }
}

TEST(ByteRun1, ControlByteMinus128DoesNothing) {
    const std::vector<std::uint8_t> packed = {0x80, 0x80, 0x01, 5, 6, 0x80, 0xFF, 8};
    ByteReader in(packed);
    ByteRun1Decoder decoder(in);
    std::vector<std::uint8_t> row(4);
    ASSERT_TRUE(decoder.fill(row));
    EXPECT_EQ(row, (std::vector<std::uint8_t>{5, 6, 8, 8}));
}

}  // namespace
