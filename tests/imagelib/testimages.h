#pragma once
// Images for the drawing tests, built in code with a colour that tells every pixel apart.

#include <QImage>
#include <functional>

#include "imagelib/owneddib.h"

namespace tessora::test {

// Colour of picture pixel (x, y), y from the top.
using ColourAt = std::function<QRgb(int x, int y)>;
using IndexAt = std::function<int(int x, int y)>;

// Red = x, green = y, blue from both: distinct for pictures up to 256 x 256.
QRgb codedColour(int x, int y);

// Colour table entry i of the indexed test images.
QRgb paletteColour(int index);

void makeTrueColour(OwnedDib& image, int width, int height, const ColourAt& colour = codedColour);

// 1, 4 or 8 bits per pixel, colour table from paletteColour, header and pal alike.
void makeIndexed(OwnedDib& image, int width, int height, int bits, const IndexAt& index);

// The colour of picture pixel (x, y) of any test image, read back through the record.
QRgb pixelColour(const dib& image, int x, int y);

// A canvas filled with a colour the drawings never use, so untouched pixels show.
constexpr QRgb kUntouched = 0xFF123456;
QImage blankCanvas(int width, int height);

}  // namespace tessora::test
