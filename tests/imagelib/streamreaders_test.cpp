// The row-by-row readers against Qt's on the same bytes: the record, its colour table and the
// alpha plane must be the very ones that reading through Qt gives, for every layout a file of
// the format can have.

#include <gtest/gtest.h>
#include <png.h>

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <random>
#include <string>
#include <vector>

#include "codectestsupport.h"
#include "imagelib/headerpeek.h"
#include "imagelib/qimageconvert.h"

using namespace tessora;
using namespace tessora::test;

namespace {

struct Record {
    ImageError error = ImageError::None;
    QByteArray header, pixels;
    AlphaPlane alpha;
};

int tableEntries(const dib& d) {
    return DibBits(d) <= 8 ? DibColorCount(d) : 0;
}

Record recordOf(const dib& d, ImageError error, AlphaPlane alpha) {
    Record r{error, {}, {}, std::move(alpha)};
    if (d.poi == nullptr) return r;
    r.header = QByteArray(
        reinterpret_cast<const char*>(d.pmi),
        static_cast<qsizetype>(sizeof(BitmapInfoHeader) + sizeof(RgbQuad) * tableEntries(d)));
    r.pixels = QByteArray(reinterpret_cast<const char*>(d.poi),
                          static_cast<qsizetype>(d.pmi->biSizeImage));
    return r;
}

Record throughQt(const QByteArray& bytes) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image;
    if (!reader.read(&image)) return Record{ImageError::Damaged, {}, {}, {}};
    OwnedDib out;
    AlphaPlane alpha;
    const ImageError error =
        DibFromQImage(image, declaredIndexedBits(bytesOf(bytes)), &out.d, {}, &alpha);
    return recordOf(out.d, error, std::move(alpha));
}

Record throughOpenDib(const QByteArray& bytes) {
    OwnedDib out;
    AlphaPlane alpha;
    const ImageError error = openDibFromBytesWithAlpha(&out.d, &alpha, bytesOf(bytes), {});
    return recordOf(out.d, error, std::move(alpha));
}

void expectSameAsQt(const QByteArray& bytes, const std::string& what) {
    const Record qt = throughQt(bytes), ours = throughOpenDib(bytes);
    EXPECT_EQ(ours.error, qt.error) << what;
    EXPECT_EQ(ours.header, qt.header) << what << ": header or colour table";
    EXPECT_EQ(ours.pixels, qt.pixels) << what << ": pixels";
    EXPECT_EQ(ours.alpha.alpha, qt.alpha.alpha) << what << ": alpha";
    EXPECT_EQ(ours.alpha.width, qt.alpha.width) << what;
}

// --- PNG, written with libpng from raw rows, so that every header layout can be made ---

struct PngCase {
    const char* name;
    int colorType, depth;
    int paletteEntries = 0;  // fewer than the depth can index: some indices lie beyond
    int transparent = 0;     // tRNS: palette alphas, or 1 for a transparent grey/colour
    bool interlaced = false;
    bool gamma = false;
};

extern "C" void appendToBuffer(png_structp png, png_bytep data, std::size_t length) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}
extern "C" void noFlush(png_structp) {}

QByteArray writePng(const PngCase& c, int width, int height) {
    QByteArray file;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &file, appendToBuffer, noFlush);
    png_set_check_for_invalid_index(png, 0);
    png_set_IHDR(png, info, width, height, c.depth, c.colorType,
                 c.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette(static_cast<std::size_t>(c.paletteEntries));
    std::vector<png_byte> alphas(static_cast<std::size_t>(c.paletteEntries));
    for (int i = 0; i < c.paletteEntries; ++i) {
        palette[i] = png_color{static_cast<png_byte>(i * 37), static_cast<png_byte>(255 - i * 11),
                               static_cast<png_byte>(i * 5)};
        alphas[i] = static_cast<png_byte>(i * 97);
    }
    if (c.paletteEntries > 0) png_set_PLTE(png, info, palette.data(), c.paletteEntries);
    png_color_16 clear{0, 1, 1, 1, 1};
    if (c.transparent > 0) {
        png_set_tRNS(png, info, alphas.data(),
                     c.colorType == PNG_COLOR_TYPE_PALETTE ? c.transparent : 0, &clear);
    }
    if (c.gamma) png_set_gAMA(png, info, 0.7);
    png_write_info(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    std::mt19937 random(static_cast<unsigned>(c.colorType * 100 + c.depth));
    std::vector<png_byte> pixels(rowBytes * static_cast<std::size_t>(height));
    for (auto& byte : pixels)
        byte = static_cast<png_byte>(random() % 4 == 0 ? 0x01 : random());
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[y] = pixels.data() + rowBytes * static_cast<std::size_t>(y);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file;
}

// --- JPEG, written with libjpeg, so that progressive, CMYK and subsampled files can be made ---

struct JpegCase {
    const char* name;
    J_COLOR_SPACE space;
    int components;
    bool progressive = false;
    bool fullChroma = false;   // 4:4:4 instead of libjpeg's 4:2:0
    bool orientation = false;  // an Exif orientation that Qt does not apply
};

QByteArray writeJpeg(const JpegCase& c, int width, int height) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = c.components;
    info.in_color_space = c.space;
    jpeg_set_defaults(&info);
    if (c.progressive) jpeg_simple_progression(&info);
    if (c.fullChroma) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width * c.components));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * c.components; ++x)
            row[x] = static_cast<JSAMPLE>((x * 7 + y * 13 + (x * y) % 29) & 0xFF);
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray file(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    if (c.orientation) {
        // APP1 "Exif" with one IFD entry: orientation 6 (rotate by 90 degrees).
        const QByteArray exif = QByteArray::fromHex(
            "FFE10022457869660000"
            "4D4D002A00000008"
            "0001"
            "011200030000000100060000"
            "00000000");
        file.insert(2, exif);
    }
    return file;
}

}  // namespace

TEST(StreamReaders, JpegGivesTheRecordQtGives) {
    const JpegCase cases[] = {
        {"baseline 4:2:0", JCS_RGB, 3},
        {"baseline 4:4:4, Exif orientation", JCS_RGB, 3, false, true, true},
        {"progressive", JCS_RGB, 3, true},
        {"progressive 4:4:4", JCS_RGB, 3, true, true},
        {"grey", JCS_GRAYSCALE, 1},
        {"grey progressive", JCS_GRAYSCALE, 1, true},
        {"CMYK", JCS_CMYK, 4},
    };
    for (const JpegCase& c : cases) {
        const QByteArray file = writeJpeg(c, 45, 29);
        expectSameAsQt(file, c.name);
        // Qt keeps a picture whose data ends early; so must we.
        expectSameAsQt(file.first(file.size() * 3 / 4), std::string(c.name) + ", cut");
    }
}

TEST(StreamReaders, PngGivesTheRecordQtGives) {
    constexpr int G = PNG_COLOR_TYPE_GRAY, GA = PNG_COLOR_TYPE_GRAY_ALPHA,
                  P = PNG_COLOR_TYPE_PALETTE, C = PNG_COLOR_TYPE_RGB, CA = PNG_COLOR_TYPE_RGB_ALPHA;
    const PngCase cases[] = {
        {"palette 1 bit", P, 1, 2},
        {"palette 1 bit, one entry, transparent", P, 1, 1, 1},
        {"palette 2 bit", P, 2, 3},
        {"palette 4 bit, alphas", P, 4, 11, 5},
        {"palette 8 bit, short", P, 8, 200, 0, false, true},
        {"palette 8 bit, alphas, interlaced", P, 8, 256, 256, true},
        {"grey 1 bit", G, 1},
        {"grey 1 bit, white transparent", G, 1, 0, 1},
        {"grey 2 bit", G, 2},
        {"grey 4 bit, transparent", G, 4, 0, 1},
        {"grey 8 bit", G, 8},
        {"grey 8 bit, transparent, gamma", G, 8, 0, 1, false, true},
        {"grey 16 bit", G, 16},
        {"grey 16 bit, transparent", G, 16, 0, 1},
        {"grey+alpha 8 bit", GA, 8},
        {"grey+alpha 16 bit", GA, 16},
        {"RGB 8 bit", C, 8},
        {"RGB 8 bit, transparent colour", C, 8, 0, 1},
        {"RGB 8 bit, interlaced", C, 8, 0, 0, true},
        {"RGB 16 bit", C, 16},
        {"RGBA 8 bit, gamma", CA, 8, 0, 0, false, true},
        {"RGBA 16 bit", CA, 16},
        {"RGBA 8 bit, interlaced", CA, 8, 0, 0, true},
    };
    for (const PngCase& c : cases) {
        const QByteArray file = writePng(c, 37, 13);
        ASSERT_FALSE(file.isEmpty()) << c.name;
        expectSameAsQt(file, c.name);
        // Cut in the pixel data, and without the closing checksum (which Qt forgives).
        expectSameAsQt(file.first(file.size() * 2 / 3), std::string(c.name) + ", cut");
        expectSameAsQt(file.first(file.size() - 4), std::string(c.name) + ", no checksum");
    }
}

// The sample motifs and every stored regression file that is a PNG, JPEG or GIF.
TEST(StreamReaders, StoredPicturesGiveTheRecordQtGives) {
    const QString folders[] = {QStringLiteral(TESSORA_TEST_DATA "/crashers"),
                               QStringLiteral(TESSORA_TEST_DATA "/../../data/motive")};
    int compared = 0;
    for (const QString& folder : folders) {
        for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files)) {
            const QByteArray bytes = readAll(entry.filePath());
            const QByteArray format = QImageReader::imageFormat(entry.filePath());
            if (format != "png" && format != "jpeg" && format != "gif") continue;
            expectSameAsQt(bytes, entry.fileName().toStdString());
            ++compared;
        }
    }
    EXPECT_GE(compared, 5);
}

// Qt reads 16-bit colour with a transparent colour into rows it never wholly writes; here the
// colour becomes transparency, and a picture where no pixel has it reads as one without it.
TEST(StreamReaders, Png16BitColourWithTransparentColourIsReadWhole) {
    const QByteArray plain = writePng({"RGB 16 bit", PNG_COLOR_TYPE_RGB, 16}, 37, 13);
    const QByteArray masked = writePng({"RGB 16 bit, tRNS", PNG_COLOR_TYPE_RGB, 16, 0, 1}, 37, 13);
    const Record qt = throughQt(plain), ours = throughOpenDib(masked);
    ASSERT_EQ(ours.error, ImageError::None);
    EXPECT_EQ(ours.pixels, qt.pixels);
    EXPECT_EQ(ours.alpha.alpha, std::vector<std::uint8_t>(37 * 13, 255));
}
