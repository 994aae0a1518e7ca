#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include "imagelib/imagelib.h"
#include "imagelib/nativefilename.h"
#include "tempdir.h"

using namespace tessora;
using tessora::test::TempDir;

namespace {

// An asymmetric picture: catches flips, row order and red/blue swaps at once.
QImage designedPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40 % 256, y * 60 % 256, (x + y) * 20 % 256));
    }
    image.setPixel(0, 0, qRgb(255, 0, 0));
    return image;
}

QImage indexedPicture(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table << qRgb(i * 255 / std::max(1, colours - 1), 255 - i * 7 % 256, i * 13 % 256);
    image.setColorTable(table);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, static_cast<uint>((x + 2 * y) % colours));
    return image;
}

QByteArray encode(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0) writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << format << writer.errorString().toStdString();
    return bytes;
}

QRgb dibColour(const dib& d, int x, int y) {
    const std::uint32_t v = getpixel(d, x, y);
    if (DibBits(d) == 24) return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    const PalEntry& e = d.pal.rgb0[v];
    const RgbQuad& q = DibColorTable(d)[v];
    EXPECT_EQ(e.peRed, q.rgbRed);  // both copies of the colours agree
    EXPECT_EQ(e.peBlue, q.rgbBlue);
    return qRgb(e.peRed, e.peGreen, e.peBlue);
}

void expectSamePixels(const dib& d, const QImage& expected, int tolerance = 0) {
    ASSERT_EQ(DibWidth(d), expected.width());
    ASSERT_EQ(DibHeight(d), expected.height());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb got = dibColour(d, x, y);
            const QRgb want = expected.pixel(x, y);
            ASSERT_NEAR(qRed(got), qRed(want), tolerance) << x << "," << y;
            ASSERT_NEAR(qGreen(got), qGreen(want), tolerance) << x << "," << y;
            ASSERT_NEAR(qBlue(got), qBlue(want), tolerance) << x << "," << y;
        }
    }
}

struct Loaded {
    dib d{};
    ImageError error = ImageError::None;
    ~Loaded() { FreeDib(d); }
};

void load(Loaded& loaded, const QString& file) {
    loaded.error = OpenDib(&loaded.d, file, 0, nullptr);
}

}  // namespace

TEST(OpenDib, TrueColourFormatsComeOutAs24BitsExactly) {
    TempDir dir;
    const QImage picture = designedPicture(5, 3);
    for (const char* format : {"png", "bmp", "tiff", "ppm", "webp"}) {
        SCOPED_TRACE(format);
        QByteArray bytes = format == std::string("webp") ? QByteArray() : encode(picture, format);
        if (bytes.isEmpty()) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "webp");
            writer.setQuality(100);  // lossless
            ASSERT_TRUE(writer.write(picture));
        }
        Loaded loaded;
        load(loaded, dir.write(QStringLiteral("picture.") + format, bytes));
        ASSERT_EQ(loaded.error, ImageError::None);
        EXPECT_EQ(DibBits(loaded.d), 24);
        expectSamePixels(loaded.d, picture);
    }
}

TEST(OpenDib, JpegIsCloseToTheSource) {
    TempDir dir;
    QImage flat(16, 16, QImage::Format_RGB32);
    flat.fill(qRgb(200, 100, 50));
    Loaded loaded;
    load(loaded, dir.write(QStringLiteral("flat.jpg"), encode(flat, "jpg", 95)));
    ASSERT_EQ(loaded.error, ImageError::None);
    EXPECT_EQ(DibBits(loaded.d), 24);
    expectSamePixels(loaded.d, flat, 4);
}

TEST(OpenDib, IndexedPicturesKeepTheirDepthAndColourTable) {
    TempDir dir;
    struct Case {
        const char* name;
        QImage image;
        const char* format;
        int bits;
    };
    QImage mono(9, 3, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 128)});  // white at index 0
    mono.fill(0);
    mono.setPixel(8, 0, 1);
    mono.setPixel(0, 2, 1);
    const Case cases[] = {
        {"8-bit bmp", indexedPicture(7, 4, 200), "bmp", 8},
        {"4-bit bmp", indexedPicture(7, 4, 16), "bmp", 4},
        {"1-bit bmp", mono, "bmp", 1},
        {"8-bit png", indexedPicture(7, 4, 200), "png", 8},
        {"1-bit png", mono, "png", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded loaded;
        load(loaded, dir.write(QStringLiteral("indexed.") + c.format, encode(c.image, c.format)));
        ASSERT_EQ(loaded.error, ImageError::None);
        EXPECT_EQ(DibBits(loaded.d), c.bits);
        expectSamePixels(loaded.d, c.image);
        // Indices are those of the file: index 1 of the mono picture is the navy entry.
        if (c.bits == 1) {
            EXPECT_EQ(getpixel(loaded.d, 8, 0), 1u);
            EXPECT_EQ(loaded.d.pal.rgb0[0].peRed, 255);
        }
    }
}

TEST(OpenDib, GreyPicturesBecomeEightBitsWithAGreyRamp) {
    TempDir dir;
    QImage grey(4, 2, QImage::Format_Grayscale8);
    for (int x = 0; x < 4; ++x) {
        grey.setPixel(x, 0, qRgb(x * 80, x * 80, x * 80));
        grey.setPixel(x, 1, qRgb(255 - x, 255 - x, 255 - x));
    }
    Loaded loaded;
    load(loaded, dir.write(QStringLiteral("grey.pgm"), encode(grey, "pgm")));
    ASSERT_EQ(loaded.error, ImageError::None);
    EXPECT_EQ(DibBits(loaded.d), 8);
    expectSamePixels(loaded.d, grey.convertToFormat(QImage::Format_RGB32));
}

TEST(OpenDib, TransparencyComesOutAsOnWhite) {
    TempDir dir;
    QImage alpha(3, 1, QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(0, 0, 0, 0));      // fully transparent: white
    alpha.setPixel(1, 0, qRgba(255, 0, 0, 255));  // opaque red
    alpha.setPixel(2, 0, qRgba(0, 0, 0, 128));    // half black: mid grey
    Loaded loaded;
    load(loaded, dir.write(QStringLiteral("alpha.png"), encode(alpha, "png")));
    ASSERT_EQ(loaded.error, ImageError::None);
    EXPECT_EQ(DibBits(loaded.d), 24);
    EXPECT_EQ(getpixel(loaded.d, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(getpixel(loaded.d, 1, 0), 0x0000FFu);
    EXPECT_NEAR(static_cast<int>(getpixel(loaded.d, 2, 0) & 0xFF), 127, 1);
}

TEST(OpenDib, GifFirstFrameWithTransparentIndex) {
    // 1 x 1 GIF89a whose only pixel uses the transparent index 0 of a black/white table.
    static const unsigned char kGif[] = {'G', 'I', 'F', '8', '9', 'a',  1,    0,    1,   0,    0x80,
                                         0,   0,   0,   0,   0,   0xFF, 0xFF, 0xFF, '!', 0xF9, 4,
                                         1,   0,   0,   0,   0,   ',',  0,    0,    0,   0,    1,
                                         0,   1,   0,   0,   2,   2,    'D',  1,    0,   ';'};
    TempDir dir;
    Loaded loaded;
    load(loaded, dir.write(QStringLiteral("dot.gif"),
                           QByteArray(reinterpret_cast<const char*>(kGif), sizeof kGif)));
    ASSERT_EQ(loaded.error, ImageError::None);
    EXPECT_EQ(dibColour(loaded.d, 0, 0), qRgb(255, 255, 255));
}

TEST(OpenDib, TargaFromItsBytes) {
    // Uncompressed 24-bit TGA, 2 x 2, rows stored bottom-up: blue green red per pixel.
    QByteArray tga(18, '\0');
    tga[2] = 2;
    tga[12] = 2;
    tga[14] = 2;
    tga[16] = 24;
    const unsigned char pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    tga.append(reinterpret_cast<const char*>(pixels), sizeof pixels);
    tga.append(QByteArray(8, '\0'));  // TGA 2.0 footer: no extension or developer area
    tga.append("TRUEVISION-XFILE.", 18);
    TempDir dir;
    Loaded loaded;
    load(loaded, dir.write(QStringLiteral("four.tga"), tga));
    ASSERT_EQ(loaded.error, ImageError::None);
    EXPECT_EQ(getpixel(loaded.d, 0, 1), 0xFF0000u);  // bottom-left: blue
    EXPECT_EQ(getpixel(loaded.d, 1, 0), 0xFFFFFFu);  // top-right: white
}

TEST(OpenDib, BadFilesAreRefusedWithAGermanText) {
    TempDir dir;
    const QByteArray png = encode(designedPicture(40, 40), "png");
    QByteArray hugeBmp(54, '\0');
    hugeBmp[0] = 'B';
    hugeBmp[1] = 'M';
    qToLittleEndian<quint32>(54, hugeBmp.data() + 10);
    qToLittleEndian<quint32>(40, hugeBmp.data() + 14);
    qToLittleEndian<qint32>(30000, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(30000, hugeBmp.data() + 22);
    qToLittleEndian<quint16>(1, hugeBmp.data() + 26);
    qToLittleEndian<quint16>(24, hugeBmp.data() + 28);
    const QString fifo = dir.path(QStringLiteral("fifo.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case {
        const char* name;
        QString file;
        ImageError error;
    };
    const Case cases[] = {
        {"missing", dir.path(QStringLiteral("nothing-here.png")), ImageError::FileNotFound},
        {"empty", dir.write(QStringLiteral("empty.png"), QByteArray()), ImageError::EmptyFile},
        {"text", dir.write(QStringLiteral("notes.png"), "Dies ist kein Bild, nur Text.\n"),
         ImageError::UnknownFormat},
        {"truncated", dir.write(QStringLiteral("cut.png"), png.left(png.size() / 2)),
         ImageError::Damaged},
        {"header only", dir.write(QStringLiteral("cut.bmp"), hugeBmp.left(20)),
         ImageError::Damaged},
        {"huge", dir.write(QStringLiteral("huge.bmp"), hugeBmp), ImageError::TooLarge},
        {"folder", dir.path(QString()), ImageError::NotRegularFile},
        {"FIFO without a writer", fifo, ImageError::NotRegularFile},  // at once, no waiting
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loaded loaded;
        load(loaded, c.file);
        EXPECT_EQ(loaded.error, c.error);
        EXPECT_EQ(loaded.d.poi, nullptr);
        EXPECT_EQ(loaded.d.poih, 0u);
        EXPECT_EQ(DibErrorText(loaded.d), ImageErrorText(c.error));
        EXPECT_GE(DibErrorText(loaded.d).size(), 6);
    }
}

TEST(OpenDib, ExtensionThatLiesAboutTheContent) {
    TempDir dir;
    const QImage picture = designedPicture(3, 2);
    Loaded loaded;
    load(loaded, dir.write(QStringLiteral("really-a-png.jpg"), encode(picture, "png")));
    ASSERT_EQ(loaded.error, ImageError::None);
    expectSamePixels(loaded.d, picture);
}

TEST(OpenDib, OwnFormatsAreFoundByContentWhateverTheName) {
    TempDir dir;
    dib chart{};
    newdib(&chart, 6, 4, 8, nullptr, 0);
    setpixel(chart, 5, 0, 1);
    struct Case {
        const char* name;
        int format;
    };
    const Case cases[] = {{"pcx-as.bmp", kSavePcx},
                          {"ilbm-as.png", kSaveIff},
                          {"pbm-as.gif", kSaveLbm},
                          {"tga-as.jpg", kSaveTga},
                          {"rle-as.tif", kSaveRle}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir.path(QString::fromLatin1(c.name));
        ASSERT_EQ(SaveDib(chart, file, c.format, nullptr), ImageError::None);
        Loaded loaded;
        load(loaded, file);
        ASSERT_EQ(loaded.error, ImageError::None);
        EXPECT_EQ(getpixel(loaded.d, 5, 0), 1u);
    }
    FreeDib(chart);
    for (const char* name : {"notes.pcx", "notes.iff", "notes.lbm", "notes.tga", "notes.rle"}) {
        Loaded loaded;
        load(loaded, dir.write(QString::fromLatin1(name), "Nur ein Text, kein Bild.\n"));
        EXPECT_EQ(loaded.error, ImageError::UnknownFormat) << name;
    }
}

TEST(OpenDib, FileNamesKeepEveryCharacter) {
    TempDir dir;
    const QImage picture = designedPicture(2, 2);
    Loaded loaded;
    load(loaded, dir.write(QStringLiteral("Grüße ☃ 猫.png"), encode(picture, "png")));
    EXPECT_EQ(loaded.error, ImageError::None);
}

// Linux names are bytes: a name that is not UTF-8 is opened, and saved to, byte for byte.
TEST(OpenDib, FileNamesThatAreNotUtf8) {
    TempDir dir;
    const QByteArray folder = QFile::encodeName(dir.path(QString()));
    for (const QByteArray& name : {QByteArray("latin1_\xe4.png"), QByteArray("cut_\xc3.png"),
                                   QByteArray("\xff\xfe_\xc3\xa4.png")}) {
        const QByteArray native = folder + name;
        const QString fileName = fileNameFromNative(native);
        ASSERT_EQ(nativeFileName(fileName), native) << name.toHex().toStdString();
        dib d{};
        newdib(&d, 2, 2, 24, nullptr, 0);
        ASSERT_EQ(SaveDib(d, fileName, kSavePng, nullptr), ImageError::None);
        FreeDib(d);
        struct stat saved {};
        EXPECT_EQ(::stat(native.constData(), &saved), 0) << "saved under its exact bytes";
        Loaded loaded;
        load(loaded, fileName);
        EXPECT_EQ(loaded.error, ImageError::None) << name.toHex().toStdString();
    }
    EXPECT_EQ(fileNameFromNative("Gr\xc3\xbc\xc3\x9f"
                                 "e.png"),
              QStringLiteral("Grüße.png"));
}

TEST(OpenDib, ReportsProgressRisingToHundredThenZero) {
    TempDir dir;
    std::vector<int> reports;
    dib d{};
    ASSERT_EQ(OpenDib(&d, dir.write(QStringLiteral("p.png"), encode(designedPicture(4, 5), "png")),
                      0, [&](int p) { reports.push_back(p); }),
              ImageError::None);
    FreeDib(d);
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports.front(), 0);
    EXPECT_EQ(reports.back(), 0);
    EXPECT_EQ(*std::max_element(reports.begin(), reports.end()), 100);
}

TEST(OpenFilter, FirstEntryListsEveryReadableType) {
    const QStringList parts = GetDIBOpenFilter().split(u'|');
    ASSERT_EQ(parts.size() % 2, 0);
    const QStringList all = parts[1].split(u';');
    for (int i = 3; i < parts.size() - 2; i += 2) {
        for (const QString& pattern : parts[i].split(u';'))
            EXPECT_TRUE(all.contains(pattern)) << pattern.toStdString();
    }
    EXPECT_TRUE(all.contains(QStringLiteral("*.png")));
    EXPECT_TRUE(all.contains(QStringLiteral("*.bmp")));
}
