// Damaged and hostile files for each decoder of ours: every one ends in a clean error (or, where
// the file is still unambiguous, in a complete picture), never in a crash or a half-made image.

#include <gtest/gtest.h>

#include <QBuffer>
#include <functional>
#include <string>

#include "codectestsupport.h"
#include "filebytes.h"
#include "imagelib/codecs/bmp.h"
#include "imagelib/codecs/bmprle.h"
#include "imagelib/codecs/gif.h"
#include "imagelib/codecs/iffpbm.h"
#include "imagelib/codecs/ilbm.h"
#include "imagelib/codecs/jpeg.h"
#include "imagelib/codecs/pcx.h"
#include "imagelib/codecs/png.h"
#include "imagelib/codecs/tga.h"
#include "imagelib/codecs/tiff.h"
#include "imagelib/imagesize.h"

using namespace tessora;
using namespace tessora::test;

namespace {

using ReadFn = ImageError (*)(std::span<const std::uint8_t>, dib*, const ProgressFn&);
using WriteFn = ImageError (*)(const dib&, QIODevice&, const ProgressFn&);

struct Codec {
    const char* name;
    ReadFn read;
    WriteFn write;
    std::size_t optionalTail;  // trailing bytes a reader may do without (TGA's footer)
};

const Codec kCodecs[] = {
    {"PCX", readPcx, writePcx, 0},         {"ILBM", readIlbm, writeIlbm, 0},
    {"PBM", readIffPbm, writeIffPbm, 0},   {"TGA", readTga, writeTga, 26},
    {"RLE8", readBmpRle, writeBmpRle8, 0},
};

void PrintTo(const Codec& codec, std::ostream* out) {
    *out << codec.name;
}

struct Sample {
    const char* name;
    std::function<void(OwnedDib&)> make;
};

const Sample kSamples[] = {
    {"1-bit 5x3", [](OwnedDib& d) { makeIndexed(d, 5, 3, 1); }},
    {"4-bit 3x2", [](OwnedDib& d) { makeIndexed(d, 3, 2, 4); }},
    {"8-bit 4x3", [](OwnedDib& d) { makeIndexed(d, 4, 3, 8); }},
    {"chart 7x9", [](OwnedDib& d) { makeChart(d, 7, 9); }},
    {"320 colours 20x16", [](OwnedDib& d) { makeManyColours(d, 20, 16); }},
};

QByteArray encode(const Codec& codec, const dib& d) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(codec.write(d, buffer, nullptr), ImageError::None);
    return bytes;
}

struct Decoded {
    OwnedDib image;
    ImageError error = ImageError::None;
};

void decode(ReadFn read, std::span<const std::uint8_t> bytes, Decoded& out) {
    out.error = read(bytes, &out.image.d, nullptr);
    if (out.error != ImageError::None) {
        EXPECT_EQ(out.image.d.poi, nullptr) << "a failed read hands out no pixels";
        EXPECT_EQ(out.image.d.poih, 0u);
    }
}

class OwnDecoder : public testing::TestWithParam<Codec> {};

TEST_P(OwnDecoder, EveryTruncationIsAnError) {
    const Codec& codec = GetParam();
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        OwnedDib source;
        sample.make(source);
        const QByteArray file = encode(codec, source.d);
        const auto all = bytesOf(file);
        Decoded whole;
        decode(codec.read, all, whole);
        ASSERT_EQ(whole.error, ImageError::None);
        ASSERT_EQ(pixelsOf(whole.image.d).width, DibWidth(source.d));
        for (std::size_t cut = 0; cut < all.size(); ++cut) {
            Decoded decoded;
            decode(codec.read, all.first(cut), decoded);
            if (cut < all.size() - codec.optionalTail) {
                ASSERT_NE(decoded.error, ImageError::None)
                    << "cut after " << cut << " of " << all.size();
            } else {
                ASSERT_EQ(decoded.error, ImageError::None) << "only the optional tail is missing";
            }
        }
    }
}

// Every byte set to a few telling values: whatever the reader answers, it answers cleanly, and
// a picture it accepts is a whole one.
TEST_P(OwnDecoder, SurvivesEverySingleByteChange) {
    const Codec& codec = GetParam();
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.name);
        OwnedDib source;
        sample.make(source);
        QByteArray file = encode(codec, source.d);
        for (qsizetype at = 0; at < file.size(); ++at) {
            const char original = file[at];
            for (const int value : {0x00, 0xFF, 0x80, 0x7F, original ^ 0x01}) {
                file[at] = static_cast<char>(value);
                Decoded decoded;
                decode(codec.read, bytesOf(file), decoded);
                if (decoded.error == ImageError::None) {
                    ASSERT_GT(DibWidth(decoded.image.d), 0);
                    ASSERT_GT(DibHeight(decoded.image.d), 0);
                }
            }
            file[at] = original;
        }
    }
}

TEST_P(OwnDecoder, PictureOverThePixelBudgetIsTooLarge) {
    OwnedDib source;
    makeChart(source, 7, 9);
    const QByteArray file = encode(GetParam(), source.d);
    SetPixelBudget(7 * 9 - 1);
    Decoded decoded;
    decode(GetParam().read, bytesOf(file), decoded);
    SetPixelBudget(0);
    EXPECT_EQ(decoded.error, ImageError::TooLarge);
}

INSTANTIATE_TEST_SUITE_P(Codecs, OwnDecoder, testing::ValuesIn(kCodecs),
                         [](const testing::TestParamInfo<Codec>& row) {
                             return std::string(row.param.name);
                         });

// --- Hand-made hostile files ---

struct HostileCase {
    const char* name;
    ReadFn read;
    QByteArray bytes;
    ImageError expected;
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

QByteArray ilbmWith(const QByteArray& chunks) {
    return iffForm("ILBM", chunks);
}

QByteArray twoColours() {
    return FileBytes().u8s({0, 0, 0, 255, 255, 255}).data();
}

std::vector<HostileCase> pcxCases() {
    return {
        {"PCX bytes per line below the width", readPcx,
         pcxHeader(8, 1, 16, 1, 8).zeros(16).bytes(pcxPalette()).data(), ImageError::Damaged},
        {"PCX bytes per line zero", readPcx,
         pcxHeader(8, 1, 4, 1, 0).zeros(8).bytes(pcxPalette()).data(), ImageError::Damaged},
        {"PCX right edge left of the left edge", readPcx,
         FileBytes()
             .u8s({0x0A, 5, 1, 8})
             .le16(9)
             .le16(0)
             .le16(2)
             .le16(0)
             .zeros(116)
             .bytes(pcxPalette())
             .data(),
         ImageError::Damaged},
        {"PCX huge picture in a tiny file", readPcx,
         pcxHeader(8, 1, 65535, 65535, 65535).u8s({0xFF, 0}).bytes(pcxPalette()).data(),
         ImageError::Damaged},
        {"PCX eight bits without the closing palette", readPcx,
         pcxHeader(8, 1, 2, 1, 2).u8s({1, 2}).data(), ImageError::Damaged},
        {"PCX two planes of eight bits", readPcx, pcxHeader(8, 2, 2, 1, 2).zeros(4).data(),
         ImageError::UnsupportedDepth},
        // 1 x 8 + 9 once passed for 2 x 8 + 1, and 4 x 8 + 33 for 8 x 8 + 1.
        {"PCX one bit in nine planes", readPcx, pcxHeader(1, 9, 8, 1, 2).zeros(18).data(),
         ImageError::UnsupportedDepth},
        {"PCX four bits in 33 planes", readPcx,
         pcxHeader(4, 33, 2, 1, 2).zeros(66).bytes(pcxPalette()).data(),
         ImageError::UnsupportedDepth},
        {"PCX data ending inside a run", readPcx, pcxHeader(1, 1, 16, 1, 2).u8(0xC5).data(),
         ImageError::Damaged},
        {"PCX unknown encoding", readPcx, pcxHeader(1, 1, 8, 1, 2, 7).zeros(2).data(),
         ImageError::Damaged},
        {"PCX header cut short", readPcx, pcxHeader(1, 1, 8, 1, 2).data().left(100),
         ImageError::Damaged},
    };
}

std::vector<HostileCase> iffCases() {
    const QByteArray header = FileBytes().chunk("BMHD", bitmapHeader(8, 1, 1)).data();
    const QByteArray cmap = FileBytes().chunk("CMAP", twoColours()).data();
    const QByteArray body = FileBytes().chunk("BODY", FileBytes().u8s({0x55, 0}).data()).data();
    return {
        {"ILBM chunk longer than the form", readIlbm,
         ilbmWith(header + cmap + FileBytes().text("BODY").be32(100).u8s({0x55, 0}).data()),
         ImageError::Damaged},
        {"ILBM chunk length 0xFFFFFFFF", readIlbm,
         ilbmWith(header + FileBytes().text("CMAP").be32(0xFFFFFFFF).data() + body),
         ImageError::Damaged},
        {"ILBM form longer than the file", readIlbm,
         FileBytes().text("FORM").be32(4000).text("ILBM").bytes(header + cmap + body).data(),
         ImageError::Damaged},
        {"ILBM body before the bitmap header", readIlbm, ilbmWith(cmap + body + header),
         ImageError::Damaged},
        {"ILBM without bitmap header", readIlbm, ilbmWith(cmap + body), ImageError::Damaged},
        {"ILBM without colour map", readIlbm, ilbmWith(header + body), ImageError::Damaged},
        {"ILBM without body", readIlbm, ilbmWith(header + cmap), ImageError::Damaged},
        {"ILBM colour map over 768 bytes", readIlbm,
         ilbmWith(header + FileBytes().chunk("CMAP", QByteArray(771, '\1')).data() + body),
         ImageError::Damaged},
        {"ILBM bitmap header cut short", readIlbm,
         ilbmWith(FileBytes().chunk("BMHD", bitmapHeader(8, 1, 1).left(10)).data() + cmap + body),
         ImageError::Damaged},
        {"ILBM nine planes", readIlbm,
         ilbmWith(FileBytes().chunk("BMHD", bitmapHeader(8, 1, 9)).data() + cmap +
                  FileBytes().chunk("BODY", QByteArray(18, '\0')).data()),
         ImageError::UnsupportedDepth},
        {"ILBM hold-and-modify", readIlbm,
         ilbmWith(header + cmap + FileBytes().chunk("CAMG", FileBytes().be32(0x800).data()).data() +
                  body),
         ImageError::UnsupportedDepth},
        {"ILBM unknown compression", readIlbm,
         ilbmWith(FileBytes().chunk("BMHD", bitmapHeader(8, 1, 1, 0, 5)).data() + cmap + body),
         ImageError::UnknownFormat},
        {"ILBM index beyond the colour map", readIlbm,
         ilbmWith(FileBytes().chunk("BMHD", bitmapHeader(8, 1, 2)).data() + cmap +
                  FileBytes().chunk("BODY", FileBytes().u8s({0x01, 0, 0x01, 0}).data()).data()),
         ImageError::Damaged},
        {"ILBM body shorter than its rows", readIlbm,
         ilbmWith(FileBytes().chunk("BMHD", bitmapHeader(8, 3, 1)).data() + cmap + body),
         ImageError::Damaged},
        {"ILBM huge picture in a tiny file", readIlbm,
         ilbmWith(FileBytes().chunk("BMHD", bitmapHeader(65535, 65535, 1, 0, 1)).data() + cmap +
                  body),
         ImageError::Damaged},
        {"ILBM zero width", readIlbm,
         ilbmWith(FileBytes().chunk("BMHD", bitmapHeader(0, 1, 1)).data() + cmap + body),
         ImageError::Empty},
        {"ILBM odd chunk without its pad", readIlbm,
         ilbmWith(header + FileBytes().text("ANNO").be32(3).text("abc").data() + cmap + body),
         ImageError::Damaged},
        {"PBM without colour map", readIffPbm,
         iffForm("PBM ", FileBytes()
                             .chunk("BMHD", bitmapHeader(2, 1, 8))
                             .chunk("BODY", QByteArray(2, '\0'))
                             .data()),
         ImageError::Damaged},
        {"PBM index beyond the colour map", readIffPbm,
         iffForm("PBM ", FileBytes()
                             .chunk("BMHD", bitmapHeader(2, 1, 8))
                             .chunk("CMAP", twoColours())
                             .chunk("BODY", FileBytes().u8s({1, 2}).data())
                             .data()),
         ImageError::Damaged},
        {"PBM with a mask plane", readIffPbm,
         iffForm("PBM ", FileBytes()
                             .chunk("BMHD", bitmapHeader(2, 1, 8, 1))
                             .chunk("CMAP", twoColours())
                             .chunk("BODY", QByteArray(4, '\0'))
                             .data()),
         ImageError::UnknownFormat},
        {"PBM nine planes", readIffPbm,
         iffForm("PBM ", FileBytes()
                             .chunk("BMHD", bitmapHeader(2, 1, 9))
                             .chunk("CMAP", twoColours())
                             .chunk("BODY", QByteArray(2, '\0'))
                             .data()),
         ImageError::UnsupportedDepth},
    };
}

std::vector<HostileCase> tgaCases() {
    const QByteArray greyMap = FileBytes().u8s({0, 0, 0, 255, 255, 255}).data();
    return {
        {"TGA colour-mapped without a map", readTga,
         tgaHeader(0, 1, 0, 0, 0, 2, 1, 8).u8s({0, 1}).data(), ImageError::Damaged},
        {"TGA index past the map", readTga,
         tgaHeader(1, 1, 0, 2, 24, 2, 1, 8).bytes(greyMap).u8s({0, 2}).data(), ImageError::Damaged},
        {"TGA index before the map's first entry", readTga,
         tgaHeader(1, 1, 5, 2, 24, 2, 1, 8).bytes(greyMap).u8s({5, 4}).data(), ImageError::Damaged},
        {"TGA sixteen-bit indices", readTga,
         tgaHeader(1, 1, 0, 2, 24, 1, 1, 16).bytes(greyMap).u8s({0, 0}).data(),
         ImageError::UnsupportedDepth},
        {"TGA map entries of seven bits", readTga,
         tgaHeader(1, 1, 0, 2, 7, 1, 1, 8).zeros(4).data(), ImageError::Damaged},
        {"TGA image type 4", readTga, tgaHeader(0, 4, 0, 0, 0, 1, 1, 8).u8(0).data(),
         ImageError::UnknownFormat},
        {"TGA huge picture in a tiny file", readTga,
         tgaHeader(0, 10, 0, 0, 0, 65535, 65535, 24).u8s({0xFF, 1, 2, 3}).data(),
         ImageError::Damaged},
        {"TGA zero height", readTga, tgaHeader(0, 2, 0, 0, 0, 1, 0, 24).data(), ImageError::Empty},
        {"TGA raw packet cut short", readTga,
         tgaHeader(0, 10, 0, 0, 0, 2, 1, 24).u8s({0x01, 1, 2, 3, 4, 5, 6}).data().left(24),
         ImageError::Damaged},
        {"TGA colour map cut short", readTga, tgaHeader(1, 1, 0, 200, 24, 1, 1, 8).zeros(30).data(),
         ImageError::Damaged},
        {"TGA header cut short", readTga, tgaHeader(0, 2, 0, 0, 0, 1, 1, 24).data().left(17),
         ImageError::Damaged},
    };
}

std::vector<HostileCase> bmpRleCases() {
    QByteArray pixelsBeyondTheFile = bmpRle(8, 2, 1, FileBytes().u8s({2, 1, 0, 1}).data());
    pixelsBeyondTheFile[10] = static_cast<char>(0xF0);
    QByteArray tableOverlappingPixels = bmpRle(8, 2, 1, FileBytes().u8s({2, 1, 0, 1}).data());
    tableOverlappingPixels[10] = 60;
    QByteArray fourBitsRle8 = bmpRle(8, 2, 1, FileBytes().u8s({2, 1, 0, 1}).data());
    fourBitsRle8[28] = 4;
    return {
        {"RLE8 without end of bitmap", readBmpRle,
         bmpRle(8, 2, 2, FileBytes().u8s({2, 1, 0, 0}).data()), ImageError::Damaged},
        {"RLE8 absolute run cut short", readBmpRle,
         bmpRle(8, 4, 1, FileBytes().u8s({0, 4, 1, 2}).data()), ImageError::Damaged},
        {"RLE8 delta cut short", readBmpRle, bmpRle(8, 4, 2, FileBytes().u8s({0, 2, 1}).data()),
         ImageError::Damaged},
        {"RLE8 index beyond the colour table", readBmpRle,
         bmpRle(8, 2, 1, FileBytes().u8s({2, 5, 0, 1}).data(), 4), ImageError::Damaged},
        {"RLE4 nibble beyond the colour table", readBmpRle,
         bmpRle(4, 2, 1, FileBytes().u8s({2, 0x13, 0, 1}).data(), 2), ImageError::Damaged},
        {"RLE8 more colours than 8 bits hold", readBmpRle,
         bmpRle(8, 2, 1, FileBytes().u8s({2, 1, 0, 1}).data(), 257), ImageError::Damaged},
        {"RLE8 rows from the top", readBmpRle,
         bmpRle(8, 2, -1, FileBytes().u8s({2, 1, 0, 1}).data()), ImageError::Damaged},
        {"RLE8 height INT_MIN", readBmpRle,
         bmpRle(8, 2, INT32_MIN, FileBytes().u8s({2, 1, 0, 1}).data()), ImageError::Damaged},
        {"RLE8 with 4 bits per pixel", readBmpRle, fourBitsRle8, ImageError::UnsupportedDepth},
        {"RLE8 pixels beyond the file", readBmpRle, pixelsBeyondTheFile, ImageError::Damaged},
        {"RLE8 pixels inside the colour table", readBmpRle, tableOverlappingPixels,
         ImageError::Damaged},
        {"RLE8 huge picture in a tiny file", readBmpRle,
         bmpRle(8, 60000, 60000, FileBytes().u8s({0, 1}).data()), ImageError::Damaged},
        {"RLE8 zero width", readBmpRle, bmpRle(8, 0, 1, FileBytes().u8s({0, 1}).data()),
         ImageError::Empty},
    };
}

// Codes that make no progress (a ByteRun1 no-op, a PCX run of zero bytes, a delta of 0, 0):
// a file full of them is read to its end in one pass and then found short.
std::vector<HostileCase> noProgressCases() {
    const QByteArray header = FileBytes().chunk("BMHD", bitmapHeader(8, 2, 1, 0, 1)).data();
    const QByteArray cmap = FileBytes().chunk("CMAP", twoColours()).data();
    QByteArray deltas;
    for (int i = 0; i < 15000; ++i)
        deltas.append(QByteArray("\0\2\0\0", 4));
    return {
        {"ILBM body of ByteRun1 no-ops", readIlbm,
         ilbmWith(header + cmap + FileBytes().chunk("BODY", QByteArray(60000, '\x80')).data()),
         ImageError::Damaged},
        {"PCX runs of zero bytes", readPcx,
         pcxHeader(1, 1, 8, 2, 2).bytes(QByteArray(60000, '\xC0')).data(), ImageError::Damaged},
        {"RLE8 deltas that move nowhere", readBmpRle, bmpRle(8, 4, 2, deltas), ImageError::Damaged},
    };
}

class HostileFile : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileFile, EndsInTheExpectedCleanError) {
    const HostileCase& c = GetParam();
    Decoded decoded;
    decode(c.read, bytesOf(c.bytes), decoded);
    EXPECT_EQ(decoded.error, c.expected) << ImageErrorText(decoded.error).toStdString();
    EXPECT_FALSE(ImageErrorText(decoded.error).isEmpty());
}

std::string caseName(const testing::TestParamInfo<HostileCase>& row) {
    std::string name;
    for (const char ch : std::string(row.param.name))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Pcx, HostileFile, testing::ValuesIn(pcxCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Iff, HostileFile, testing::ValuesIn(iffCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Tga, HostileFile, testing::ValuesIn(tgaCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Bmp, HostileFile, testing::ValuesIn(bmpRleCases()), caseName);
INSTANTIATE_TEST_SUITE_P(NoProgress, HostileFile, testing::ValuesIn(noProgressCases()), caseName);

// --- Runs that overshoot: the surplus is dropped, nothing is written outside the picture ---

struct OvershootCase {
    const char* name;
    ReadFn read;
    QByteArray bytes;
    std::vector<std::uint32_t> pixels;  // getpixel values, row by row from the top
};

void PrintTo(const OvershootCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<OvershootCase> overshootCases() {
    const QByteArray header = FileBytes().chunk("BMHD", bitmapHeader(8, 2, 1, 0, 1)).data();
    const QByteArray cmap = FileBytes().chunk("CMAP", twoColours()).data();
    return {
        {"PCX run past the last line",
         readPcx,
         pcxHeader(8, 1, 2, 1, 2).u8s({0xFF, 7}).bytes(pcxPalette()).data(),
         {7, 7}},
        {"PCX odd bytes per line",
         readPcx,
         pcxHeader(8, 1, 3, 2, 3).u8s({1, 2, 3, 4, 5, 6}).bytes(pcxPalette()).data(),
         {1, 2, 3, 4, 5, 6}},
        {"PCX odd bytes per line beyond the width",
         readPcx,
         pcxHeader(8, 1, 2, 2, 3).u8s({1, 2, 3, 4, 5, 6}).bytes(pcxPalette()).data(),
         {1, 2, 4, 5}},
        {"PCX run going on into the next line",
         readPcx,
         pcxHeader(8, 1, 2, 2, 2).u8s({0xC3, 5, 9}).bytes(pcxPalette()).data(),
         {5, 5, 5, 9}},
        // 0x81 repeats 0xF0 128 times: both rows of one byte each and far beyond.
        {"ILBM run past the last row",
         readIlbm,
         ilbmWith(header + cmap +
                  FileBytes().chunk("BODY", FileBytes().u8s({0x81, 0xF0}).data()).data()),
         {1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0}},
        {"ILBM run going on into the next row",
         readIlbm,
         ilbmWith(
             header + cmap +
             FileBytes().chunk("BODY", FileBytes().u8s({0xFD, 0x0F, 0x00, 0xFF}).data()).data()),
         {0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1}},
        {"RLE8 run past the row's end",
         readBmpRle,
         bmpRle(8, 2, 2, FileBytes().u8s({9, 7, 0, 0, 1, 3, 0, 1}).data()),
         {3, 0, 7, 7}},
        {"RLE8 absolute run past the row's end",
         readBmpRle,
         bmpRle(8, 2, 1, FileBytes().u8s({0, 3, 4, 5, 6, 0, 0, 1}).data()),
         {4, 5}},
        {"RLE8 delta leaving the picture",
         readBmpRle,
         bmpRle(8, 2, 2, FileBytes().u8s({1, 9, 0, 2, 0, 200, 2, 8, 0, 1}).data()),
         {0, 0, 9, 0}},
        {"RLE8 delta past the row's end",
         readBmpRle,
         bmpRle(8, 2, 2, FileBytes().u8s({0, 2, 200, 0, 2, 8, 0, 0, 1, 6, 0, 1}).data()),
         {6, 0, 0, 0}},
        {"RLE8 end of line beyond the last row",
         readBmpRle,
         bmpRle(8, 1, 1, FileBytes().u8s({1, 4, 0, 0, 0, 0, 5, 5}).data()),
         {4}},
        {"RLE8 end of bitmap before the last row",
         readBmpRle,
         bmpRle(8, 1, 3, FileBytes().u8s({1, 4, 0, 1}).data()),
         {0, 0, 4}},
        {"TGA run packet past the last pixel",
         readTga,
         tgaHeader(1, 9, 0, 2, 24, 2, 1, 8).u8s({0, 0, 0, 255, 255, 255}).u8s({0xFF, 1}).data(),
         {1, 1}},
        {"TGA raw packet going on into the next row",
         readTga,
         tgaHeader(1, 9, 0, 2, 24, 2, 2, 8)
             .u8s({0, 0, 0, 255, 255, 255})
             .u8s({0x02, 1, 0, 1, 0x00, 0})
             .data(),
         {1, 0, 1, 0}},  // bottom row stored first: file rows (1 0) (1 0) → top (1 0)
    };
}

class OvershootingRun : public testing::TestWithParam<OvershootCase> {};

TEST_P(OvershootingRun, FillsThePictureAndDropsTheRest) {
    const OvershootCase& c = GetParam();
    Decoded decoded;
    decode(c.read, bytesOf(c.bytes), decoded);
    ASSERT_EQ(decoded.error, ImageError::None) << ImageErrorText(decoded.error).toStdString();
    const dib& d = decoded.image.d;
    std::vector<std::uint32_t> got;
    for (int y = 0; y < DibHeight(d); ++y) {
        for (int x = 0; x < DibWidth(d); ++x)
            got.push_back(getpixel(d, x, y));
    }
    EXPECT_EQ(got, c.pixels);
}

std::string overshootName(const testing::TestParamInfo<OvershootCase>& row) {
    std::string name;
    for (const char ch : std::string(row.param.name))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Codecs, OvershootingRun, testing::ValuesIn(overshootCases()),
                         overshootName);

}  // namespace

namespace {

// A device that takes `limit` bytes and then refuses every write, as a full disk does.
class FullDevice : public QIODevice {
  public:
    explicit FullDevice(qint64 limit) : limit_(limit) { open(QIODevice::WriteOnly); }
    qint64 size() const override { return bytes_.size(); }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        if (pos() + length > limit_) return -1;
        if (pos() + length > bytes_.size()) bytes_.resize(pos() + length);
        std::copy(data, data + length, bytes_.begin() + pos());
        return length;
    }

  private:
    qint64 limit_;
    QByteArray bytes_;
};

struct WriterCase {
    const char* name;
    WriteFn write;
};

void PrintTo(const WriterCase& c, std::ostream* out) {
    *out << c.name;
}

const WriterCase kWriters[] = {
    {"BMP", writeBmp},    {"RLE8", writeBmpRle8}, {"GIF", writeGif}, {"ILBM", writeIlbm},
    {"PBM", writeIffPbm}, {"PCX", writePcx},      {"TGA", writeTga}, {"JPEG", writeJpeg},
    {"TIFF", writeTiff},  {"PNG", writePng},
};

class WriterOnAFullDisk : public testing::TestWithParam<WriterCase> {};

TEST_P(WriterOnAFullDisk, NeverReportsSuccess) {
    OwnedDib chart;
    makeChart(chart, 13, 11);
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    ASSERT_EQ(GetParam().write(chart.d, whole, nullptr), ImageError::None);
    const qint64 size = whole.size();
    for (const qint64 limit : {qint64{0}, qint64{1}, size / 2, size - 1}) {
        SCOPED_TRACE(limit);
        FullDevice full(limit);
        EXPECT_NE(GetParam().write(chart.d, full, nullptr), ImageError::None);
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, WriterOnAFullDisk, testing::ValuesIn(kWriters),
                         [](const testing::TestParamInfo<WriterCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
