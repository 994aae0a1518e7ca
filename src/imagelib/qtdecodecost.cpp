#include "imagelib/qtdecodecost.h"

namespace tessora {
namespace {

std::uint64_t g_loadMemoryBudget = kDefaultLoadMemoryBudget;

// Bytes per pixel of Qt's decoded image; ARGB32, what Qt's readers give, when Qt cannot say.
std::uint64_t qtImageBytesPerPixel(QImage::Format format) {
    if (format == QImage::Format_Invalid) return 4;
    const int bits = QImage::toPixelFormat(format).bitsPerPixel();
    return static_cast<std::uint64_t>(std::max(bits, 8) / 8);
}

// The record keeps one byte for indexed and grey pictures, three for everything else.
std::uint64_t recordBytesPerPixel(QImage::Format format) {
    switch (format) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
        case QImage::Format_Indexed8:
        case QImage::Format_Grayscale8:
        case QImage::Format_Grayscale16:
            return 1;
        default:
            return 3;
    }
}

// libjpeg keeps 16-bit coefficients of every component; three full-size ones at most.
constexpr std::uint64_t kProgressiveCoefficientBytes = 6;

bool isStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

}  // namespace

std::uint64_t LoadMemoryBudget() {
    return g_loadMemoryBudget;
}

void SetLoadMemoryBudget(std::uint64_t bytes) {
    g_loadMemoryBudget = bytes == 0 ? kDefaultLoadMemoryBudget : bytes;
}

bool isProgressiveJpeg(const QByteArray& head) {
    const auto byte = [&](qsizetype at) { return static_cast<std::uint8_t>(head[at]); };
    if (head.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return false;
    qsizetype at = 2;
    while (at + 4 <= head.size() && byte(at) == 0xFF) {
        const std::uint8_t marker = byte(at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (isStartOfFrame(marker)) return (marker & 0x03) == 0x02;  // C2, C6, CA, CE
        at += 2 + ((byte(at + 2) << 8) | byte(at + 3));
    }
    return false;
}

std::uint64_t QtDecodeCost(QImageReader& reader, QSize size, const QByteArray& head) {
    const auto pixels =
        static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height());
    const QImage::Format format = reader.imageFormat();
    std::uint64_t perPixel = qtImageBytesPerPixel(format) + recordBytesPerPixel(format);
    if (reader.format() == "jpeg" && isProgressiveJpeg(head))
        perPixel += kProgressiveCoefficientBytes;
    return pixels * perPixel;
}

}  // namespace tessora
