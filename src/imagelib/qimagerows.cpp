#include "imagelib/qimagerows.h"

#include <algorithm>

#include "imagelib/imagesize.h"

namespace tessora {
namespace {

std::uint8_t overWhite(int channel, int alpha) {
    return static_cast<std::uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

bool isIndexed(QImage::Format format) {
    return format == QImage::Format_Mono || format == QImage::Format_MonoLSB ||
           format == QImage::Format_Indexed8;
}

bool isGray(QImage::Format format) {
    return format == QImage::Format_Grayscale8 || format == QImage::Format_Grayscale16;
}

// The colour table Qt gives the picture once widened to one byte per pixel; for a
// one-bit table that means padding to two entries. It depends on the table alone.
QList<QRgb> widenedTable(QImage::Format format, const QList<QRgb>& table) {
    if (format == QImage::Format_Indexed8) return table;
    QImage probe(1, 1, format);
    probe.setColorTable(table);
    probe.fill(0);
    return probe.convertToFormat(QImage::Format_Indexed8).colorTable();
}

bool tableHasAlpha(const QList<QRgb>& table) {
    return std::any_of(table.begin(), table.end(), [](QRgb c) { return qAlpha(c) != 255; });
}

int indexedDepth(QImage::Format format, qsizetype colors, int fileBits) {
    if (format != QImage::Format_Indexed8) fileBits = 1;
    if (fileBits == 1 && colors <= 2) return 1;
    if ((fileBits == 2 || fileBits == 4) && colors <= 16) return 4;
    return 8;
}

void setTable(dib& d, const QList<QRgb>& table) {
    RgbQuad* quads = DibColorTable(d);
    const int entries = std::min<int>(static_cast<int>(table.size()), 1 << d.pmi->biBitCount);
    for (int i = 0; i < entries; ++i) {
        const QRgb c = table[i];
        const int a = qAlpha(c);
        const std::uint8_t r = overWhite(qRed(c), a), g = overWhite(qGreen(c), a),
                           b = overWhite(qBlue(c), a);
        quads[i] = RgbQuad{b, g, r, 0};
        d.pal.rgb0[i] = PalEntry{r, g, b, 0};
    }
}

QList<QRgb> grayRamp() {
    QList<QRgb> ramp(256);
    for (int i = 0; i < 256; ++i)
        ramp[i] = qRgb(i, i, i);
    return ramp;
}

void packIndexedRow(const uchar* from, int width, int bits, std::uint8_t* to) {
    switch (bits) {
        case 8:
            std::copy(from, from + width, to);
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                const auto v = static_cast<std::uint8_t>(from[x] & 0x0F);
                to[x >> 1] = static_cast<std::uint8_t>((x & 1) == 0 ? v << 4 : to[x >> 1] | v);
            }
            break;
        default:
            for (int x = 0; x < width; ++x) {
                if ((from[x] & 1) != 0)
                    to[x >> 3] = static_cast<std::uint8_t>(to[x >> 3] | (0x80 >> (x & 7)));
            }
            break;
    }
}

// `row` in `wanted`, converted on its own where it is in another format.
const uchar* rowIn(const QImage& row, QImage::Format wanted, QImage& converted) {
    if (row.format() == wanted) return row.constScanLine(0);
    converted = row.convertToFormat(wanted);
    return converted.isNull() ? nullptr : converted.constScanLine(0);
}

}  // namespace

std::uint64_t QImageRowSink::recordBytes(QImage::Format format, const QList<QRgb>& colorTable,
                                         int width, int height, int fileBits, bool withAlpha) {
    int bits = 24;
    bool alpha = QImage(1, 1, format).hasAlphaChannel();
    if (isIndexed(format)) {
        const QList<QRgb> table = widenedTable(format, colorTable);
        bits = indexedDepth(format, table.size(), fileBits);
        alpha = tableHasAlpha(table);
    } else if (isGray(format)) {
        bits = 8;
        alpha = false;
    }
    const auto size = ComputeImageSize(width, height, bits);
    if (!size) return ~std::uint64_t{0};
    const std::uint64_t plane =
        withAlpha && alpha ? static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height)
                           : 0;
    return size->imageSize + plane;
}

ImageError QImageRowSink::start(QImage::Format format, const QList<QRgb>& colorTable, int width,
                                int height, int fileBits, dib* out, AlphaPlane* alpha,
                                const ProgressFn& progress) {
    width_ = width;
    height_ = height;
    out_ = out;
    progress_ = progress;
    if (isIndexed(format)) {
        kind_ = Kind::Indexed;
        table_ = widenedTable(format, colorTable);
        bits_ = indexedDepth(format, table_.size(), fileBits);
        hasAlpha_ = tableHasAlpha(table_);
    } else if (isGray(format)) {
        kind_ = Kind::Gray;
        bits_ = 8;
        hasAlpha_ = false;
    } else {
        kind_ = Kind::TrueColor;
        bits_ = 24;
        hasAlpha_ = QImage(1, 1, format).hasAlphaChannel();
    }
    newdib(out, width, height, bits_, nullptr, 0);
    if (out->poi == nullptr) return ImageError::OutOfMemory;
    if (kind_ == Kind::Indexed) setTable(*out, table_);
    if (kind_ == Kind::Gray) setTable(*out, grayRamp());
    plane_ = nullptr;
    if (alpha != nullptr && hasAlpha_) {
        alpha->width = width;
        alpha->height = height;
        alpha->alpha.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                            255);
        plane_ = alpha->alpha.data();
    }
    return ImageError::None;
}

ImageError QImageRowSink::put(int y, const QImage& row) {
    if (progress_) progress_(height_ > 1 ? y * 100 / (height_ - 1) : 100);
    switch (kind_) {
        case Kind::Indexed:
            return putIndexed(y, row);
        case Kind::Gray:
            return putGray(y, row);
        case Kind::TrueColor:
            break;
    }
    return putTrueColor(y, row);
}

ImageError QImageRowSink::putIndexed(int y, const QImage& row) {
    QImage converted;
    const uchar* indices = rowIn(row, QImage::Format_Indexed8, converted);
    if (indices == nullptr) return ImageError::OutOfMemory;
    packIndexedRow(indices, width_, bits_, DibRow(*out_, height_ - 1 - y));
    if (plane_ == nullptr) return ImageError::None;
    std::uint8_t* alphaRow = plane_ + static_cast<std::size_t>(y) * width_;
    for (int x = 0; x < width_; ++x) {
        const QRgb c = indices[x] < table_.size() ? table_[indices[x]] : qRgba(0, 0, 0, 255);
        alphaRow[x] = static_cast<std::uint8_t>(qAlpha(c));
    }
    return ImageError::None;
}

ImageError QImageRowSink::putGray(int y, const QImage& row) {
    QImage converted;
    const uchar* grays = rowIn(row, QImage::Format_Grayscale8, converted);
    if (grays == nullptr) return ImageError::OutOfMemory;
    packIndexedRow(grays, width_, 8, DibRow(*out_, height_ - 1 - y));
    return ImageError::None;
}

ImageError QImageRowSink::putTrueColor(int y, const QImage& row) {
    // Premultiplied pixels make "over white" a subtraction:
    // c*a + 255*(1-a) = premultiplied + 255 - a.
    const QImage::Format wanted =
        hasAlpha_ ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage converted;
    const auto* from = reinterpret_cast<const QRgb*>(rowIn(row, wanted, converted));
    if (from == nullptr) return ImageError::OutOfMemory;
    std::uint8_t* to = DibRow(*out_, height_ - 1 - y);
    for (int x = 0; x < width_; ++x, to += 3) {
        const QRgb c = from[x];
        const int lift = hasAlpha_ ? 255 - qAlpha(c) : 0;
        to[0] = static_cast<std::uint8_t>(qBlue(c) + lift);
        to[1] = static_cast<std::uint8_t>(qGreen(c) + lift);
        to[2] = static_cast<std::uint8_t>(qRed(c) + lift);
    }
    if (plane_ != nullptr) {
        std::uint8_t* alphaRow = plane_ + static_cast<std::size_t>(y) * width_;
        for (int x = 0; x < width_; ++x)
            alphaRow[x] = static_cast<std::uint8_t>(qAlpha(from[x]));
    }
    return ImageError::None;
}

}  // namespace tessora
