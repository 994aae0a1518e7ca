// Every save format: written by SaveDib, read back by OpenDib and by an independent reader.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <QBuffer>
#include <QImageWriter>

#include "codectestsupport.h"
#include "imagelib/codecs/dibaccess.h"
#include "imagelib/codecs/jpeg.h"
#include "imagelib/imagelib.h"
#include "imagelib/qimageconvert.h"
#include "tempdir.h"

using namespace tessora;
using namespace tessora::test;

namespace {

enum class Fidelity {
    Exact,    // lossless for every picture
    Palette,  // lossless up to 256 colours, approximated beyond
    Jpeg,     // close
};

struct FormatCase {
    const char* name;
    int format;
    Fidelity fidelity;
    const char* netpbmReader;
    // Depth OpenDib gives for an indexed picture of the given depth.
    int (*indexedDepth)(int sourceBits);
    // Depth OpenDib gives for a true-colour picture of at most 256 colours, and of more.
    int fewColoursDepth;
    int manyColoursDepth;
};

int keepsDepth(int bits) {
    return bits;
}
int eightBits(int) {
    return 8;
}
int trueColour(int) {
    return 24;
}

// Qt reads GIF as true colour and widens indexed TIFF and PNG to 8 bits. TIFF and PNG store a
// picture of at most 256 colours indexed.
const FormatCase kFormats[] = {
    {"bmp", kSaveBmp, Fidelity::Exact, "bmptopnm", keepsDepth, 24, 24},
    {"dib", kSaveDib, Fidelity::Exact, "bmptopnm", keepsDepth, 24, 24},
    {"gif", kSaveGif, Fidelity::Palette, "giftopnm", trueColour, 24, 24},
    {"iff", kSaveIff, Fidelity::Exact, "ilbmtoppm", keepsDepth, 8, 24},
    {"jif", kSaveJif, Fidelity::Jpeg, "jpegtopnm", trueColour, 24, 24},
    {"jpg", kSaveJpg, Fidelity::Jpeg, "jpegtopnm", trueColour, 24, 24},
    {"lbm", kSaveLbm, Fidelity::Palette, "ilbmtoppm", eightBits, 8, 8},
    {"pcx", kSavePcx, Fidelity::Exact, "pcxtoppm", keepsDepth, 8, 24},
    {"rle", kSaveRle, Fidelity::Palette, "bmptopnm", eightBits, 8, 8},
    {"tga", kSaveTga, Fidelity::Exact, "tgatoppm", eightBits, 24, 24},
    {"tif", kSaveTif, Fidelity::Exact, "tifftopnm", eightBits, 8, 24},
    {"png", kSavePng, Fidelity::Exact, "pngtopnm", eightBits, 8, 24},
};

void PrintTo(const FormatCase& format, std::ostream* out) {
    *out << format.name;
}

struct Picture {
    std::string name;
    std::function<void(OwnedDib&)> make;
    int colours;  // distinct colours
    // JPEG blurs colour edges over 8-pixel blocks: one-pixel glyphs only keep their place,
    // bead-sized cells keep their colours.
    double jpegMeanBound = 64;
};

std::vector<Picture> pictures() {
    std::vector<Picture> list = {
        {"chart 7x9", [](OwnedDib& d) { makeChart(d, 7, 9); }, 4},
        {"chart 7x9 in 8-pixel cells", [](OwnedDib& d) { makeChart(d, 7, 9, 8); }, 4, 6},
        {"chart 13x11", [](OwnedDib& d) { makeChart(d, 13, 11); }, 4},
        {"256 colours 16x16", [](OwnedDib& d) { makeManyColours(d, 16, 16); }, 256},
        {"320 colours 20x16", [](OwnedDib& d) { makeManyColours(d, 20, 16); }, 320},
    };
    for (const int bits : {1, 4, 8}) {
        for (int width = 1; width <= 5; ++width) {
            list.push_back({std::to_string(bits) + "-bit width " + std::to_string(width),
                            [=](OwnedDib& d) { makeIndexed(d, width, 3, bits); }, 1 << bits});
        }
    }
    return list;
}

void expectFaithful(const FormatCase& format, const Picture& picture, const Pixels& got,
                    const Pixels& want) {
    const Difference difference = compare(got, want);
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    if (format.fidelity == Fidelity::Exact ||
        (format.fidelity == Fidelity::Palette && picture.colours <= 256)) {
        EXPECT_EQ(difference.largest, 0);
    } else if (format.fidelity == Fidelity::Palette) {
        EXPECT_LT(difference.mean, 16) << "approximated colours stay near";
    } else {
        EXPECT_LT(difference.mean, picture.jpegMeanBound) << "JPEG stays close";
    }
}

class SaveFormat : public testing::TestWithParam<FormatCase> {
  protected:
    QString save(const Picture& picture, OwnedDib& source) {
        picture.make(source);
        const QString file =
            dir_.path(QStringLiteral("picture") +
                      QString::fromLatin1(SaveExtensions[GetParam().format - kSaveBmp]));
        const ImageError error = SaveDib(source.d, file, GetParam().format, nullptr);
        EXPECT_EQ(error, ImageError::None) << ImageErrorText(error).toStdString();
        return file;
    }

    TempDir dir_;
};

TEST_P(SaveFormat, ReadsBackThroughOpenDib) {
    const FormatCase& format = GetParam();
    for (const Picture& picture : pictures()) {
        SCOPED_TRACE(picture.name);
        OwnedDib source;
        const QString file = save(picture, source);
        OwnedDib loaded;
        const ImageError error = OpenDib(&loaded.d, file, 0, nullptr);
        ASSERT_EQ(error, ImageError::None) << ImageErrorText(error).toStdString();
        expectFaithful(format, picture, pixelsOf(loaded.d), pixelsOf(source.d));
        if (DibBits(source.d) <= 8) {
            EXPECT_EQ(DibBits(loaded.d), format.indexedDepth(DibBits(source.d)));
        } else {
            EXPECT_EQ(DibBits(loaded.d),
                      picture.colours <= 256 ? format.fewColoursDepth : format.manyColoursDepth);
        }
    }
}

TEST_P(SaveFormat, IndependentReaderSeesTheSamePicture) {
    const FormatCase& format = GetParam();
    if (!haveTool(QString::fromLatin1(format.netpbmReader)))
        GTEST_SKIP() << format.netpbmReader << " is not installed";
    for (const Picture& picture : pictures()) {
        SCOPED_TRACE(picture.name);
        OwnedDib source;
        const QString file = save(picture, source);
        bool missing = false;
        const auto theirs =
            readWithNetpbm(QString::fromLatin1(format.netpbmReader), file, &missing);
        ASSERT_TRUE(theirs.has_value()) << format.netpbmReader << " could not read the file";
        expectFaithful(format, picture, *theirs, pixelsOf(source.d));
        // Where colours were approximated, both readers must still agree on the result.
        OwnedDib ours;
        ASSERT_EQ(OpenDib(&ours.d, file, 0, nullptr), ImageError::None);
        EXPECT_LE(compare(*theirs, pixelsOf(ours.d)).largest,
                  format.fidelity == Fidelity::Jpeg ? 4 : 0);
    }
}

// JPEG is written row by row now, and must keep the bytes Qt's writer made of the whole picture
// (grey indexed pictures included).
TEST(SaveJpeg, KeepsTheBytesOfQtsWriter) {
    std::vector<Picture> list = pictures();
    list.push_back({"grey 8-bit",
                    [](OwnedDib& d) {
                        makeIndexed(d, 9, 5, 8);
                        for (int i = 0; i < 256; ++i) {
                            const auto grey = static_cast<std::uint8_t>(i);
                            setDibColour(d.d, i, Rgb{grey, grey, grey});
                        }
                    },
                    256});
    for (const Picture& picture : list) {
        SCOPED_TRACE(picture.name);
        OwnedDib source;
        picture.make(source);
        QBuffer ours, qts;
        ours.open(QIODevice::WriteOnly);
        qts.open(QIODevice::WriteOnly);
        ASSERT_EQ(writeJpeg(source.d, ours, nullptr), ImageError::None);
        QImageWriter writer(&qts, "jpeg");
        writer.setQuality(92);
        ASSERT_TRUE(writer.write(QImageFromDib(source.d)));
        EXPECT_EQ(ours.data(), qts.data());
    }
}

INSTANTIATE_TEST_SUITE_P(AllTwelve, SaveFormat, testing::ValuesIn(kFormats),
                         [](const testing::TestParamInfo<FormatCase>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
