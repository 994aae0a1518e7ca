#include "imagelib/codecs/pngread.h"

#include <png.h>

#include <QImage>
#include <csetjmp>
#include <cstring>

#include "imagelib/imagesize.h"
#include "imagelib/librarymessages.h"
#include "imagelib/qimagerows.h"
#include "imagelib/qtdecodecost.h"

namespace tessora {
namespace {

// How libpng is to lay out the rows, in the QImage format Qt's reader picks for the file.
enum class Layout {
    GrayMono,     // 1-bit grey, inverted: Format_Mono, white first
    Gray16,       // Format_Grayscale16
    Gray16Alpha,  // 16-bit grey with a transparent value: Format_RGBA64
    Gray8,        // Format_Grayscale8
    GrayIndexed,  // 2/4-bit grey, or 8-bit with a transparent value: Format_Indexed8, a ramp
    Palette,      // Format_Mono for 1 bit, else Format_Indexed8 with the file's palette
    Color16,      // Format_RGBA64 or Format_RGBX64
    Color8,       // Format_ARGB32 or Format_RGB32
    LeftToQt,
};

struct Source {
    QIODevice* device = nullptr;
    bool readingEnd = false;
};

void noteMessage(const char* kind, png_const_charp message) {
    NoteLibraryMessage(
        QStringLiteral("libpng %1: %2").arg(QLatin1String(kind), QString::fromLocal8Bit(message)));
}

extern "C" [[noreturn]] void onPngError(png_structp png, png_const_charp message) {
    noteMessage("error", message);
    png_longjmp(png, 1);
}

extern "C" void onPngWarning(png_structp, png_const_charp message) {
    noteMessage("warning", message);
}

extern "C" void readFromDevice(png_structp png, png_bytep data, std::size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    QIODevice* device = source->device;
    if (source->readingEnd && !device->isSequential() && device->size() - device->pos() < 4 &&
        length == 4) {
        // Some writers leave off the closing checksum; Qt's reader supplies it, and so do we.
        static constexpr png_byte kEndChecksum[4] = {0xae, 0x42, 0x60, 0x82};
        std::memcpy(data, kEndChecksum, 4);
        device->seek(device->size());
        return;
    }
    while (length > 0) {
        const qint64 got = device->read(reinterpret_cast<char*>(data), static_cast<qint64>(length));
        if (got <= 0) png_error(png, "Read Error");
        data += got;
        length -= static_cast<std::size_t>(got);
    }
}

class ReadStruct {
  public:
    ReadStruct() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
        if (png == nullptr) return;
        info = png_create_info_struct(png);
        endInfo = png_create_info_struct(png);
    }
    ~ReadStruct() { png_destroy_read_struct(&png, &info, &endInfo); }
    ReadStruct(const ReadStruct&) = delete;
    ReadStruct& operator=(const ReadStruct&) = delete;
    bool valid() const { return png != nullptr && info != nullptr && endInfo != nullptr; }

    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop endInfo = nullptr;
};

// The functions that call into libpng set its jump target; they hold nothing that needs a
// destructor, so a jump back out of libpng skips nothing.
bool readInfo(ReadStruct& s, Source& source) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    // Some encoders declare a smaller window than they use; libpng's own advice is to allow it.
    png_set_option(s.png, PNG_MAXIMUM_INFLATE_WINDOW, PNG_OPTION_ON);
    png_set_read_fn(s.png, &source, readFromDevice);
    png_read_info(s.png, s.info);
    return true;
}

bool hasTransparency(const ReadStruct& s) {
    return png_get_valid(s.png, s.info, PNG_INFO_tRNS) != 0;
}

Layout chooseLayout(const ReadStruct& s) {
    const int depth = png_get_bit_depth(s.png, s.info);
    const int type = png_get_color_type(s.png, s.info);
    if (png_get_interlace_type(s.png, s.info) != PNG_INTERLACE_NONE) return Layout::LeftToQt;
    if (type == PNG_COLOR_TYPE_GRAY) {
        if (depth == 1) return Layout::GrayMono;
        if (depth == 16) return hasTransparency(s) ? Layout::Gray16Alpha : Layout::Gray16;
        if (depth == 8 && !hasTransparency(s)) return Layout::Gray8;
        return Layout::GrayIndexed;
    }
    png_colorp palette = nullptr;
    int entries = 0;
    if (type == PNG_COLOR_TYPE_PALETTE && png_get_PLTE(s.png, s.info, &palette, &entries) != 0 &&
        entries <= 256) {
        return Layout::Palette;
    }
    if (depth == 16) return Layout::Color16;
    return Layout::Color8;
}

bool opaqueColor(const ReadStruct& s) {
    return (png_get_color_type(s.png, s.info) & PNG_COLOR_MASK_ALPHA) == 0 && !hasTransparency(s);
}

bool setTransformations(ReadStruct& s, Layout layout) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_interlace_handling(s.png);
    const int depth = png_get_bit_depth(s.png, s.info);
    const bool gray = (png_get_color_type(s.png, s.info) & PNG_COLOR_MASK_COLOR) == 0;
    switch (layout) {
        case Layout::GrayMono:
            png_set_invert_mono(s.png);
            break;
        case Layout::Gray16:
            png_set_swap(s.png);
            break;
        case Layout::Gray16Alpha:
            png_set_expand(s.png);
            png_set_gray_to_rgb(s.png);
            png_set_swap(s.png);
            break;
        case Layout::Gray8:
            png_set_expand(s.png);
            break;
        case Layout::GrayIndexed:
        case Layout::Palette:
            if (depth < 8 && !(layout == Layout::Palette && depth == 1)) png_set_packing(s.png);
            break;
        case Layout::Color16:
            if (opaqueColor(s)) png_set_filler(s.png, 0xffff, PNG_FILLER_AFTER);
            // Qt leaves a transparent colour unexpanded here, three channels in rows of four,
            // the last quarter of every row never written; the colour becomes alpha instead.
            if (hasTransparency(s)) png_set_expand(s.png);
            if (gray) png_set_gray_to_rgb(s.png);
            png_set_swap(s.png);
            break;
        case Layout::Color8:
            png_set_expand(s.png);
            if (gray) png_set_gray_to_rgb(s.png);
            if (opaqueColor(s)) png_set_filler(s.png, 0xff, PNG_FILLER_AFTER);
            png_set_bgr(s.png);
            break;
        case Layout::LeftToQt:
            break;
    }
    png_read_update_info(s.png, s.info);
    return true;
}

QImage::Format formatOf(const ReadStruct& s, Layout layout) {
    switch (layout) {
        case Layout::GrayMono:
            return QImage::Format_Mono;
        case Layout::Gray16:
            return QImage::Format_Grayscale16;
        case Layout::Gray16Alpha:
            return QImage::Format_RGBA64;
        case Layout::Gray8:
            return QImage::Format_Grayscale8;
        case Layout::Palette:
            if (png_get_bit_depth(s.png, s.info) == 1) return QImage::Format_Mono;
            break;
        case Layout::Color16:
            return opaqueColor(s) ? QImage::Format_RGBX64 : QImage::Format_RGBA64;
        case Layout::Color8:
            return opaqueColor(s) ? QImage::Format_RGB32 : QImage::Format_ARGB32;
        case Layout::GrayIndexed:
        case Layout::LeftToQt:
            break;
    }
    return QImage::Format_Indexed8;
}

// The transparent grey value, when the file has one.
std::optional<int> transparentGray(const ReadStruct& s) {
    png_bytep alphas = nullptr;
    int count = 0;
    png_color_16p color = nullptr;
    if (png_get_tRNS(s.png, s.info, &alphas, &count, &color) == 0 || color == nullptr)
        return std::nullopt;
    return color->gray;
}

// Tables are made the way Qt's reader makes them, through QImage itself: a one-bit image
// starts with black and white, setColorCount() pads with transparent black, and setColor()
// beyond the count does nothing.
QList<QRgb> grayTable(const ReadStruct& s, Layout layout) {
    const auto clear = transparentGray(s);
    if (layout == Layout::GrayMono) {
        QImage table(1, 1, QImage::Format_Mono);
        table.setColorCount(2);
        table.setColor(1, qRgb(0, 0, 0));
        table.setColor(0, qRgb(255, 255, 255));
        if (clear == 0) table.setColor(1, qRgba(0, 0, 0, 0));
        if (clear == 1) table.setColor(0, qRgba(255, 255, 255, 0));
        return table.colorTable();
    }
    const int depth = png_get_bit_depth(s.png, s.info);
    const int colors = depth < 8 ? 1 << depth : 256;
    QImage table(1, 1, QImage::Format_Indexed8);
    table.setColorCount(colors);
    for (int i = 0; i < colors; ++i) {
        const int level = i * 255 / (colors - 1);
        table.setColor(i, qRgb(level, level, level));
    }
    if (clear && *clear < colors) table.setColor(*clear, 0);
    return table.colorTable();
}

QList<QRgb> paletteTable(const ReadStruct& s) {
    png_colorp palette = nullptr;
    int entries = 0;
    png_get_PLTE(s.png, s.info, &palette, &entries);
    const bool mono = png_get_bit_depth(s.png, s.info) == 1;
    QImage table(1, 1, mono ? QImage::Format_Mono : QImage::Format_Indexed8);
    table.setColorCount(mono ? 2 : entries);
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    if (png_get_tRNS(s.png, s.info, &alphas, &alphaCount, nullptr) == 0 || alphas == nullptr)
        alphaCount = 0;
    for (int i = 0; i < entries && i < table.colorCount(); ++i) {
        const int alpha = i < alphaCount ? alphas[i] : 255;
        table.setColor(i, qRgba(palette[i].red, palette[i].green, palette[i].blue, alpha));
    }
    return table.colorTable();
}

QList<QRgb> tableOf(const ReadStruct& s, Layout layout) {
    if (layout == Layout::GrayMono || layout == Layout::GrayIndexed) return grayTable(s, layout);
    if (layout == Layout::Palette) return paletteTable(s);
    return {};
}

bool readRow(ReadStruct& s, uchar* row) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_read_row(s.png, row, nullptr);
    return true;
}

bool readEnd(ReadStruct& s, Source& source) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    source.readingEnd = true;
    png_read_end(s.png, s.endInfo);
    return true;
}

// Indices beyond the palette are black in some viewers and garbage in others; Qt makes them
// the first entry.
void clampIndices(QImage& row, qsizetype colors) {
    uchar* index = row.bits();
    for (int x = 0; x < row.width(); ++x) {
        if (index[x] >= colors) index[x] = 0;
    }
}

ImageError readRows(ReadStruct& s, Source& source, Layout layout, QImageRowSink& sink,
                    QImage& row) {
    const int height = static_cast<int>(png_get_image_height(s.png, s.info));
    const bool clamp = layout == Layout::Palette && row.format() == QImage::Format_Indexed8;
    for (int y = 0; y < height; ++y) {
        if (!readRow(s, row.bits())) return ImageError::Damaged;
        if (clamp) clampIndices(row, row.colorCount());
        if (const ImageError error = sink.put(y, row); error != ImageError::None) return error;
    }
    return readEnd(s, source) ? ImageError::None : ImageError::Damaged;
}

ImageError decode(ReadStruct& s, Source& source, Layout layout, int fileBits, dib* out,
                  AlphaPlane* alpha, const ProgressFn& progress) {
    const auto width = static_cast<int>(png_get_image_width(s.png, s.info));
    const auto height = static_cast<int>(png_get_image_height(s.png, s.info));
    const QImage::Format format = formatOf(s, layout);
    const QList<QRgb> table = tableOf(s, layout);
    const std::uint64_t cost =
        QImageRowSink::recordBytes(format, table, width, height, fileBits, alpha != nullptr);
    if (cost > LoadMemoryBudget()) return ImageError::TooLargeForMemory;
    if (!setTransformations(s, layout)) return ImageError::Damaged;
    QImage row(width, 1, format);
    if (row.isNull()) return ImageError::OutOfMemory;
    if (!table.isEmpty()) row.setColorTable(table);
    QImageRowSink sink;
    if (const ImageError error =
            sink.start(format, table, width, height, fileBits, out, alpha, progress);
        error != ImageError::None) {
        return error;
    }
    return readRows(s, source, layout, sink, row);
}

}  // namespace

bool recognisePng(std::span<const std::uint8_t> head) {
    return head.size() >= 8 && png_sig_cmp(head.data(), 0, 8) == 0;
}

std::optional<ImageError> readPngRows(QIODevice& device, int fileBits, dib* out, AlphaPlane* alpha,
                                      const ProgressFn& progress) {
    const qint64 start = device.pos();
    ReadStruct s;
    if (!s.valid()) return ImageError::OutOfMemory;
    Source source{&device};
    if (!readInfo(s, source)) return ImageError::Damaged;
    const auto width = png_get_image_width(s.png, s.info);
    const auto height = png_get_image_height(s.png, s.info);
    const SizeCheck check = CheckImageSize(width, height, 24);
    if (check == SizeCheck::TooLarge) return ImageError::TooLarge;
    if (check != SizeCheck::Ok) return ImageError::Damaged;
    const Layout layout = chooseLayout(s);
    if (layout == Layout::LeftToQt) {
        device.seek(start);
        return std::nullopt;
    }
    if (progress) progress(0);
    const ImageError error = decode(s, source, layout, fileBits, out, alpha, progress);
    if (progress) progress(0);
    return error;
}

}  // namespace tessora
