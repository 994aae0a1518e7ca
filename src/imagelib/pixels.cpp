#include "imagelib/imagelib.h"

namespace tessora {
namespace {

// Byte address of pixel x in picture row y (counted from the top), or nullptr outside.
std::uint8_t* rowFromTop(const dib& d, int x, int y) {
    if (d.poi == nullptr || d.pmi == nullptr) return nullptr;
    const int width = d.pmi->biWidth;
    const int height = d.pmi->biHeight;
    if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
    return DibRow(d, height - 1 - y);
}

}  // namespace

std::uint32_t getpixel(const dib& d, int x, int y) {
    const std::uint8_t* row = rowFromTop(d, x, y);
    if (row == nullptr) return 0;
    switch (d.pmi->biBitCount) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1u;
        case 4:
            return (x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0Fu;
        case 8:
            return row[x];
        case 24: {
            const std::uint8_t* p = row + 3 * static_cast<std::ptrdiff_t>(x);
            return p[2] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[0]} << 16);
        }
        case 32: {
            const std::uint8_t* p = row + 4 * static_cast<std::ptrdiff_t>(x);
            return p[2] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[0]} << 16);
        }
        default:
            return 0;
    }
}

void setpixel(const dib& d, int x, int y, std::uint32_t value) {
    std::uint8_t* row = rowFromTop(d, x, y);
    if (row == nullptr) return;
    switch (d.pmi->biBitCount) {
        case 1: {
            const auto mask = static_cast<std::uint8_t>(0x80u >> (x & 7));
            row[x >> 3] = (value & 1u) != 0 ? static_cast<std::uint8_t>(row[x >> 3] | mask)
                                            : static_cast<std::uint8_t>(row[x >> 3] & ~mask);
            break;
        }
        case 4: {
            std::uint8_t& b = row[x >> 1];
            const auto nibble = static_cast<std::uint8_t>(value & 0x0Fu);
            b = (x & 1) == 0 ? static_cast<std::uint8_t>((b & 0x0F) | (nibble << 4))
                             : static_cast<std::uint8_t>((b & 0xF0) | nibble);
            break;
        }
        case 8:
            row[x] = static_cast<std::uint8_t>(value);
            break;
        case 24:
        case 32: {
            std::uint8_t* p = row + (d.pmi->biBitCount / 8) * static_cast<std::ptrdiff_t>(x);
            p[0] = static_cast<std::uint8_t>(value >> 16);
            p[1] = static_cast<std::uint8_t>(value >> 8);
            p[2] = static_cast<std::uint8_t>(value);
            break;
        }
        default:
            break;
    }
}

}  // namespace tessora
