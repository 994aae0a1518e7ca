// Hostile files for the formats Qt reads for us (BMP, GIF, PNG, JPEG, TIFF, WebP, PNM): giant
// sizes in tiny files, cuts at every byte, broken GIF frames, bitmap depths that do not exist,
// and formats we never offer. Each ends in a clean answer, and a picture that is handed out
// has no uninitialised pixel.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdlib>
#include <cstring>
#include <string>

#include "codectestsupport.h"
#include "filebytes.h"
#include "imagelib/codecs/gif.h"
#include "imagelib/imagesize.h"
#include "imagelib/qimageconvert.h"

using namespace tessora;
using namespace tessora::test;

namespace {

struct Read {
    OwnedDib image;
    ImageError error = ImageError::None;
};

void readBytes(const QByteArray& bytes, Read& out) {
    out.error = openDibFromBytes(&out.image.d, bytesOf(bytes), nullptr);
}

QByteArray pixelBytes(const dib& d) {
    return d.poi == nullptr ? QByteArray()
                            : QByteArray(reinterpret_cast<const char*>(d.poi),
                                         static_cast<qsizetype>(d.pmi->biSizeImage));
}

// Leaves freed blocks of many sizes filled with `pattern` on the heap, where a reader that
// forgets to fill its picture picks them up again.
void poisonHeap(int pattern) {
    for (std::size_t size = 64; size <= (std::size_t{1} << 20); size *= 2) {
        for (const std::size_t extra : {std::size_t{0}, size / 3}) {
            void* block = std::malloc(size + extra);
            std::memset(block, pattern, size + extra);
            std::free(block);
        }
    }
}

// Reads the bytes twice over differently poisoned heaps: a clean error both times, or the
// same whole picture both times.
void expectCleanAndInitialised(const QByteArray& bytes, const std::string& what) {
    Read first, second;
    poisonHeap(0xA5);
    readBytes(bytes, first);
    poisonHeap(0x5A);
    readBytes(bytes, second);
    ASSERT_EQ(first.error, second.error) << what;
    if (first.error != ImageError::None) {
        ASSERT_EQ(first.image.d.poi, nullptr) << what;
        ASSERT_FALSE(DibErrorText(first.image.d).isEmpty()) << what;
        return;
    }
    ASSERT_GT(DibWidth(first.image.d), 0) << what;
    ASSERT_EQ(pixelBytes(first.image.d), pixelBytes(second.image.d))
        << what << ": pixels differ between two reads, so some were never written";
}

// An asymmetric picture of a few colours, as charts are.
QImage designed(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(20, 40, 200));
    for (int y = 0; y < height; ++y)
        image.setPixel(1, y, qRgb(220, 30, 10));
    for (int x = 1; x < width; ++x)
        image.setPixel(x, 0, qRgb(220, 30, 10));
    image.setPixel(width - 1, height - 1, qRgb(0, 0, 0));
    return image;
}

QByteArray encodeWithQt(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0) writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

QByteArray encodeGif(const QImage& image) {
    OwnedDib d;
    EXPECT_EQ(DibFromQImage(image, 0, &d.d, nullptr), ImageError::None);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(writeGif(d.d, buffer, nullptr), ImageError::None);
    return bytes;
}

// The Qt-read formats, each as a small valid file.
struct QtFile {
    const char* name;
    QByteArray bytes;
};

std::vector<QtFile> qtFiles(const QImage& picture) {
    return {
        {"bmp", encodeWithQt(picture, "bmp")},
        {"png", encodeWithQt(picture, "png")},
        {"jpeg", encodeWithQt(picture, "jpeg", 90)},
        {"tiff", encodeWithQt(picture, "tiff")},
        {"webp", encodeWithQt(picture, "webp", 100)},
        {"ppm", encodeWithQt(picture, "ppm")},
        {"gif", encodeGif(picture)},
    };
}

// --- Cut at every byte ---

TEST(QtReaders, EveryCutEndsCleanlyWithoutUninitialisedPixels) {
    for (const QtFile& file : qtFiles(designed(9, 7))) {
        SCOPED_TRACE(file.name);
        ASSERT_FALSE(file.bytes.isEmpty());
        Read whole;
        readBytes(file.bytes, whole);
        ASSERT_EQ(whole.error, ImageError::None);
        for (qsizetype cut = 0; cut < file.bytes.size(); ++cut) {
            expectCleanAndInitialised(file.bytes.left(cut),
                                      std::string(file.name) + " cut at " + std::to_string(cut));
        }
    }
}

// Qt hands back a cut plain bitmap as a success with the missing rows left as the heap had
// them; such a file is refused as damaged before Qt sees it.
TEST(QtReaders, CutPlainBitmapIsDamaged) {
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_Indexed8}) {
        QImage picture = designed(64, 64).convertToFormat(format);
        const QByteArray bmp = encodeWithQt(picture, "bmp");
        for (const qsizetype cut : {bmp.size() - 1, bmp.size() * 9 / 10, bmp.size() / 2}) {
            Read read;
            readBytes(bmp.left(cut), read);
            EXPECT_EQ(read.error, ImageError::Damaged) << format << " cut at " << cut;
        }
    }
}

// --- Giant pictures in tiny files ---

std::uint32_t le32At(const QByteArray& b, qsizetype at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

std::uint16_t le16At(const QByteArray& b, qsizetype at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      (static_cast<std::uint8_t>(b[at + 1]) << 8));
}

void putLe32(QByteArray& b, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A little-endian TIFF with width and length tags set to `side`.
QByteArray tiffClaiming(std::uint32_t side) {
    QByteArray tiff = encodeWithQt(designed(8, 8), "tiff");
    EXPECT_EQ(tiff.left(2), QByteArray("II"));
    const std::uint32_t ifd = le32At(tiff, 4);
    const int entries = le16At(tiff, ifd);
    for (int i = 0; i < entries; ++i) {
        const qsizetype entry = ifd + 2 + 12 * i;
        const int tag = le16At(tiff, entry);
        if (tag == 256 || tag == 257) {
            tiff[entry + 2] = 4;  // LONG
            tiff[entry + 3] = 0;
            putLe32(tiff, entry + 4, 1);
            putLe32(tiff, entry + 8, side);
        }
    }
    return tiff;
}

// A baseline JPEG whose frame header claims `side` x `side`.
QByteArray jpegClaiming(int side) {
    QByteArray jpeg = encodeWithQt(designed(8, 8), "jpeg", 90);
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    jpeg[sof + 5] = static_cast<char>(side >> 8);
    jpeg[sof + 6] = static_cast<char>(side & 0xFF);
    jpeg[sof + 7] = static_cast<char>(side >> 8);
    jpeg[sof + 8] = static_cast<char>(side & 0xFF);
    return jpeg;
}

// A lossless WebP header of 16384 x 16384, the largest it can say, and no picture data.
QByteArray webpClaimingTheLargest() {
    FileBytes b;
    b.text("RIFF").u8s({30, 0, 0, 0}).text("WEBP").text("VP8L").u8s({10, 0, 0, 0});
    const std::uint32_t bits = 0x3FFF | (0x3FFFu << 14);  // width - 1, height - 1
    b.u8(0x2F).u8s({static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                    static_cast<int>((bits >> 16) & 0xFF), static_cast<int>(bits >> 24)});
    return b.zeros(5).data();
}

QByteArray pngClaiming(std::uint32_t side) {
    QByteArray png = encodeWithQt(designed(8, 8), "png");
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>((side >> (24 - 8 * i)) & 0xFF);
        png[20 + i] = static_cast<char>((side >> (24 - 8 * i)) & 0xFF);
    }
    return png;  // the header's checksum no longer fits: the size alone must refuse it
}

QByteArray gifScreen(int width, int height) {
    return FileBytes()
        .text("GIF89a")
        .le16(width)
        .le16(height)
        .u8s({0x80, 0, 0, 0, 0, 0, 255, 255, 255})
        .data();
}

// A 1 x 1 frame of colour 0 at (left, top), sized width x height in its descriptor.
QByteArray gifFrame(int left, int top, int width, int height, int codeSize = 2) {
    return FileBytes()
        .u8(',')
        .le16(left)
        .le16(top)
        .le16(width)
        .le16(height)
        .u8s({0, codeSize, 2, 0x44, 0x01, 0})
        .data();
}

QByteArray coreBitmapClaiming(int side) {
    return FileBytes()
        .text("BM")
        .zeros(8)
        .u8s({26, 0, 0, 0, 12, 0, 0, 0})
        .le16(side)
        .le16(side)
        .le16(1)
        .le16(24)
        .zeros(30)
        .data();
}

struct GiantCase {
    const char* name;
    QByteArray bytes;
};

TEST(QtReaders, TinyFileClaimingAGiantPictureIsTooLarge) {
    const GiantCase cases[] = {
        {"png 100000 x 100000", pngClaiming(100000)},
        {"jpeg 65500 x 65500", jpegClaiming(65500)},
        {"tiff 100000 x 100000", tiffClaiming(100000)},
        {"webp 16384 x 16384", webpClaimingTheLargest()},
        {"gif screen 65535 x 65535", gifScreen(65535, 65535) + gifFrame(0, 0, 1, 1) + ";"},
        {"bmp core header 32767 x 32767", coreBitmapClaiming(32767)},
        {"ppm 30000 x 30000", QByteArray("P6\n30000 30000\n255\n") + QByteArray(30, '\0')},
    };
    for (const GiantCase& c : cases) {
        Read read;
        readBytes(c.bytes, read);
        EXPECT_EQ(read.error, ImageError::TooLarge) << c.name;
        EXPECT_EQ(read.image.d.poi, nullptr) << c.name;
    }
}

// The budget is what refuses, for every Qt format: 40 x 40 loads with room for exactly 1600
// pixels and is too large with one fewer.
TEST(QtReaders, PixelBudgetAppliesToEveryQtFormat) {
    for (const QtFile& file : qtFiles(designed(40, 40))) {
        SCOPED_TRACE(file.name);
        SetPixelBudget(40 * 40);
        Read fits;
        readBytes(file.bytes, fits);
        SetPixelBudget(40 * 40 - 1);
        Read over;
        readBytes(file.bytes, over);
        SetPixelBudget(0);
        EXPECT_EQ(fits.error, ImageError::None);
        EXPECT_EQ(over.error, ImageError::TooLarge);
    }
}

// Qt's readers have their own allocation limit; OpenDib sets it from the budget, so even a
// reader that would not tell its size beforehand cannot allocate past it.
TEST(QtReaders, QtAllocationLimitFollowsTheBudget) {
    const QByteArray small = encodeWithQt(designed(4, 4), "png");
    const QByteArray large = encodeWithQt(designed(1024, 1024), "png");  // 4 MB as 32 bits
    SetPixelBudget(256 * 1024);                                          // 1 MB as 32 bits
    Read read;
    readBytes(small, read);
    ASSERT_EQ(read.error, ImageError::None);
    QBuffer buffer(const_cast<QByteArray*>(&large));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image;
    EXPECT_FALSE(reader.read(&image)) << "Qt itself refuses past the limit";
    SetPixelBudget(0);
    Read restored;
    readBytes(small, restored);
    QBuffer again(const_cast<QByteArray*>(&large));
    again.open(QIODevice::ReadOnly);
    QImageReader readerAgain(&again);
    EXPECT_TRUE(readerAgain.read(&image)) << "and allows it again with the budget restored";
}

// --- Broken GIF frames ---

struct NamedFile {
    const char* name;
    QByteArray bytes;
};

TEST(QtReaders, BrokenGifFramesEndCleanly) {
    const QByteArray screen = gifScreen(4, 3);
    const NamedFile cases[] = {
        {"LZW minimum code size 12", screen + gifFrame(0, 0, 1, 1, 12) + ";"},
        {"LZW minimum code size 255", screen + gifFrame(0, 0, 1, 1, 255) + ";"},
        {"frame outside the screen", screen + gifFrame(10, 10, 2, 2) + ";"},
        {"frame reaching past the screen", screen + gifFrame(3, 2, 5000, 5000) + ";"},
        {"frame of 0 x 0", screen + gifFrame(0, 0, 0, 0) + ";"},
        {"screen of 0 x 0", gifScreen(0, 0) + gifFrame(0, 0, 2, 2) + ";"},
        {"no frame at all", screen + ";"},
        {"index beyond the colour table",
         screen +
             FileBytes().u8(',').zeros(4).le16(1).le16(1).u8s({0, 2, 2, 0x5C, 0x01, 0}).data() +
             ";"},
        {"no trailer", screen + gifFrame(0, 0, 4, 3)},
        {"data blocks never ending",
         screen + gifFrame(0, 0, 4, 3).chopped(1) + QByteArray(200, '\x7F')},
    };
    for (const NamedFile& c : cases)
        expectCleanAndInitialised(c.bytes, c.name);
}

// --- Bitmaps Qt reads ---

QByteArray plainBitmap(int width, int height, int bits, std::uint32_t colours = 0) {
    const int entries = bits <= 8 ? 1 << std::min(bits, 8) : 0;
    const int stride = (width * bits + 31) / 32 * 4;
    const int pixelsAt = 14 + 40 + 4 * entries;
    FileBytes b;
    b.text("BM").le16(0).le16(0).zeros(4).le16(pixelsAt).le16(0);
    b.u8s({40, 0, 0, 0}).le16(width & 0xFFFF).le16((width >> 16) & 0xFFFF);
    b.le16(height & 0xFFFF).le16((height >> 16) & 0xFFFF).le16(1).le16(bits).zeros(4);
    b.zeros(4).zeros(8).le16(static_cast<int>(colours & 0xFFFF));
    b.le16(static_cast<int>(colours >> 16)).zeros(4);
    for (int i = 0; i < entries; ++i)
        b.u8s({i & 0xFF, 0, 255 - (i & 0xFF), 0});
    const int rows = height < 0 ? (height == INT32_MIN ? 1 : -height) : height;
    return b.zeros(stride * rows).data();
}

struct BitmapCase {
    const char* name;
    QByteArray bytes;
    ImageError expected;
};

TEST(QtReaders, BitmapsOfImpossibleDepthsAndHeights) {
    const BitmapCase cases[] = {
        {"2 bits", plainBitmap(4, 2, 2), ImageError::UnsupportedDepth},
        {"3 bits", plainBitmap(4, 2, 3), ImageError::UnsupportedDepth},
        {"5 bits", plainBitmap(4, 2, 5), ImageError::UnsupportedDepth},
        {"0 bits", plainBitmap(4, 2, 0), ImageError::UnsupportedDepth},
        {"height INT_MIN", plainBitmap(4, INT32_MIN, 8), ImageError::Damaged},
        {"height 0", plainBitmap(4, 0, 24), ImageError::Damaged},
        {"width 0", plainBitmap(0, 4, 24), ImageError::Damaged},
    };
    for (const BitmapCase& c : cases) {
        Read read;
        readBytes(c.bytes, read);
        EXPECT_EQ(read.error, c.expected)
            << c.name << ": " << ImageErrorText(read.error).toStdString();
        EXPECT_EQ(read.image.d.poi, nullptr) << c.name;
    }
}

// Qt reads a 1-bit bitmap announcing 3 colours into a picture whose pixels it partly never
// writes; more colours than the depth can index is refused as damaged for every depth.
TEST(QtReaders, BitmapsWithMoreColoursThanTheirDepthAreDamaged) {
    const BitmapCase cases[] = {
        {"8 bits claiming 0xFFFFFFFF colours", plainBitmap(4, 2, 8, 0xFFFFFFFF),
         ImageError::Damaged},
        {"8 bits claiming 257 colours", plainBitmap(4, 2, 8, 257), ImageError::Damaged},
        {"4 bits claiming 17 colours", plainBitmap(4, 2, 4, 17), ImageError::Damaged},
        {"1 bit claiming 3 colours", plainBitmap(4, 2, 1, 3), ImageError::Damaged},
        {"8 bits with 256 colours", plainBitmap(4, 2, 8, 256), ImageError::None},
        {"1 bit with 2 colours", plainBitmap(4, 2, 1, 2), ImageError::None},
    };
    for (const BitmapCase& c : cases) {
        Read read;
        readBytes(c.bytes, read);
        EXPECT_EQ(read.error, c.expected) << c.name;
        expectCleanAndInitialised(c.bytes, c.name);
    }
}

TEST(QtReaders, TopDownBitmapIsReadWhole) {
    expectCleanAndInitialised(plainBitmap(3, -2, 24), "top-down 24 bits");
    Read read;
    readBytes(plainBitmap(3, -2, 24), read);
    EXPECT_EQ(read.error, ImageError::None);
    EXPECT_EQ(DibHeight(read.image.d), 2);
}

// --- Formats Qt could read but we do not offer ---

TEST(QtReaders, FormatsWeDoNotOfferAreUnknownWhateverTheName) {
    const NamedFile cases[] = {
        {"svg",
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20000\" height=\"20000\">"
         "<rect width=\"100%\" height=\"100%\" fill=\"red\"/></svg>"},
        {"xpm", encodeWithQt(designed(4, 4), "xpm")},
        {"ico", encodeWithQt(designed(4, 4), "ico")},
        {"xbm", encodeWithQt(designed(4, 4).convertToFormat(QImage::Format_Mono), "xbm")},
    };
    for (const NamedFile& c : cases) {
        ASSERT_FALSE(c.bytes.isEmpty()) << c.name;
        Read read;
        readBytes(c.bytes, read);
        EXPECT_EQ(read.error, ImageError::UnknownFormat) << c.name;
    }
}

}  // namespace
