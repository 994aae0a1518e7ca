#pragma once
// The image library: creating, loading, saving, converting and releasing images, and pixel
// access by picture row (row 0 is the top of the picture).

#include <QString>
#include <cstdint>
#include <functional>

#include "imagelib/dib.h"
#include "imagelib/imageerror.h"

namespace tessora {

// Receives a percentage 0 to 100 while a file is read or written. Stands in for the window
// message the library would send to the main window.
using ProgressFn = std::function<void(int percent)>;

// A blank image, pixels zero. The colour table takes the first `colorCount` entries of
// `colorSource`'s table (nullptr and 0 for none); `pal` mirrors the table. On failure the
// record has no pixels (poi nullptr, poih 0).
void newdib(dib* out, int width, int height, int bitsPerPixel, const BitmapInfoHeader* colorSource,
            int colorCount);

// Releases the image's memory (a copy of the record; the caller's record is not cleared).
void deldib(dib d);

// Loads a picture file. On failure the record has no pixels and a German, NUL-terminated
// UTF-16 text at the start of pal.rgb0 says why; the returned code says the same.
ImageError OpenDib(dib* out, const QString& fileName, int reserved, const ProgressFn& progress);

// Colour index (indexed images) or colour value red | green << 8 | blue << 16 (24 bits) of
// pixel (x, y), y counted from the top. 0 outside the image.
std::uint32_t getpixel(const dib& d, int x, int y);
void setpixel(const dib& d, int x, int y, std::uint32_t value);

// The error text OpenDib left in a record that has no pixels.
QString DibErrorText(const dib& d);
void SetDibErrorText(dib* d, const QString& text);

// Filter text of the loadable formats: description|patterns|description|patterns...
// The first entry lists every readable type.
QString GetDIBOpenFilter();

}  // namespace tessora
