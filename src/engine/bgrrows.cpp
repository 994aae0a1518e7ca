#include "engine/bgrrows.h"

#include <cstring>

namespace tessora {
namespace {

int indexAt(const std::uint8_t* row, int x, int bits) {
    switch (bits) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1;
        case 4:
            return (x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0F;
        default:
            return row[x];
    }
}

void convertIndexedRow(const dib& d, const std::uint8_t* from, int bits, std::uint8_t* to) {
    const int width = DibWidth(d);
    for (int x = 0; x < width; ++x) {
        const PalEntry& entry = d.pal.rgb0[indexAt(from, x, bits)];
        to[3 * x] = entry.peBlue;
        to[3 * x + 1] = entry.peGreen;
        to[3 * x + 2] = entry.peRed;
    }
}

}  // namespace

void convertRowToBgr(const dib& d, int storedRow, std::uint8_t* to) {
    const std::uint8_t* from = DibRow(d, storedRow);
    const int width = DibWidth(d);
    switch (DibBits(d)) {
        case 1:
        case 4:
        case 8:
            convertIndexedRow(d, from, DibBits(d), to);
            break;
        case 24:
            std::memcpy(to, from, 3 * static_cast<std::size_t>(width));
            break;
        case 32:
            for (int x = 0; x < width; ++x)
                std::memcpy(to + 3 * x, from + 4 * x, 3);
            break;
        default:
            break;
    }
}

const std::uint8_t* bgrRow(const dib& d, int storedRow, std::vector<std::uint8_t>& scratch) {
    if (DibBits(d) == 24) return DibRow(d, storedRow);
    scratch.resize(3 * static_cast<std::size_t>(DibWidth(d)));
    convertRowToBgr(d, storedRow, scratch.data());
    return scratch.data();
}

}  // namespace tessora
