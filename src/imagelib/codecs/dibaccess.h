#pragma once
// Row and colour access to an image record for the codecs: rows counted from the top of the
// picture, one byte per index or three bytes (red, green, blue) per pixel.

#include <cstdint>
#include <vector>

#include "imagelib/dib.h"

namespace tessora {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline bool isIndexedDib(const dib& d) {
    return DibBits(d) >= 1 && DibBits(d) <= 8;
}

// The colour table of an indexed image, 2^bits entries.
std::vector<Rgb> dibPalette(const dib& d);

// Picture row y of an indexed image as one colour index per pixel.
void readIndexRow(const dib& d, int y, std::uint8_t* indices);

// Picture row y of an image of any depth as red, green, blue per pixel.
void readRgbRow(const dib& d, int y, std::uint8_t* rgb);

// Writes one colour into both the header's table and `pal`, which must agree. Indices the
// table does not have are ignored.
void setDibColour(dib& d, int index, Rgb colour);

// Packs one byte per index into picture row y of an indexed image (1, 4 or 8 bits).
void writeIndexRow(const dib& d, int y, const std::uint8_t* indices);

// Puts red, green, blue per pixel into picture row y of a 24-bit image.
void writeRgbRow(const dib& d, int y, const std::uint8_t* rgb);

}  // namespace tessora
