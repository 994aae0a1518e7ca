#include <algorithm>
#include <cstring>

#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"
#include "imagelib/memory.h"

namespace tessora {
namespace {

int tableEntries(int bitsPerPixel) {
    return bitsPerPixel <= 8 ? 1 << bitsPerPixel : 0;
}

void copyColorTable(dib& d, const BitmapInfoHeader* source, int colorCount) {
    if (source == nullptr) return;  // no table to take: `source + 1` would be undefined
    const int count = std::clamp(colorCount, 0, tableEntries(d.pmi->biBitCount));
    const auto* from = reinterpret_cast<const RgbQuad*>(source + 1);
    RgbQuad* to = DibColorTable(d);
    for (int i = 0; i < count; ++i) {
        to[i] = from[i];
        d.pal.rgb0[i] = PalEntry{from[i].rgbRed, from[i].rgbGreen, from[i].rgbBlue, 0};
    }
}

}  // namespace

void newdib(dib* out, int width, int height, int bitsPerPixel, const BitmapInfoHeader* colorSource,
            int colorCount) {
    *out = dib{};
    const auto size = ComputeImageSize(width, height, bitsPerPixel);
    if (!size) return;
    const int entries = tableEntries(bitsPerPixel);
    const std::uintptr_t header = GlobalAllocZeroed(
        sizeof(BitmapInfoHeader) + sizeof(RgbQuad) * static_cast<std::size_t>(entries));
    if (header == 0) return;
    const std::uintptr_t pixels = GlobalAllocZeroed(size->imageSize);
    if (pixels == 0) {
        GlobalFree(header);
        return;
    }
    out->pmih = header;
    out->poih = pixels;
    out->pmi = reinterpret_cast<BitmapInfoHeader*>(header);
    out->poi = reinterpret_cast<std::uint8_t*>(pixels);
    out->bytew = size->stride;
    *out->pmi = BitmapInfoHeader{sizeof(BitmapInfoHeader),
                                 width,
                                 height,
                                 1,
                                 static_cast<std::uint16_t>(bitsPerPixel),
                                 0,
                                 size->imageSize,
                                 0,
                                 0,
                                 0,
                                 0};
    out->pal.ver = kPaletteVersion;
    out->pal.num = static_cast<std::uint16_t>(entries);
    copyColorTable(*out, colorSource, colorCount);
}

void deldib(dib d) {
    FreeDib(d);
}

// The error text lives in the palette's bytes, as UTF-16 units.
constexpr int kErrorTextCapacity = static_cast<int>(sizeof(LPAL::rgb0) / (sizeof(char16_t)));

QString DibErrorText(const dib& d) {
    const auto* text = reinterpret_cast<const char16_t*>(d.pal.rgb0);
    constexpr int kMax = kErrorTextCapacity;
    int length = 0;
    while (length < kMax && text[length] != 0)
        ++length;
    return QString::fromUtf16(text, length);
}

void SetDibErrorText(dib* d, const QString& text) {
    constexpr int kMax = kErrorTextCapacity;
    const int length = std::min<int>(static_cast<int>(text.size()), kMax - 1);
    auto* to = reinterpret_cast<char16_t*>(d->pal.rgb0);
    std::memcpy(to, text.utf16(), static_cast<std::size_t>(length) * sizeof(char16_t));
    to[length] = 0;
}

}  // namespace tessora
