#pragma once
// The image library: creating, loading, saving, converting and releasing images, and pixel
// access by picture row (row 0 is the top of the picture).

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "imagelib/alphaplane.h"
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

// Loads a picture file: only a regular file, its name taken byte for byte (see
// nativefilename.h). On failure the record has no pixels and a German, NUL-terminated
// UTF-16 text at the start of pal.rgb0 says why; the returned code says the same.
ImageError OpenDib(dib* out, const QString& fileName, int reserved, const ProgressFn& progress);

// The same from the bytes of a picture file in memory: every reader OpenDib has, chosen by
// content. The bytes must outlive the call only.
ImageError openDibFromBytes(dib* out, std::span<const std::uint8_t> bytes,
                            const ProgressFn& progress);

// OpenDib and openDibFromBytes that also keep the transparency: when the picture has an alpha
// channel (PNG, GIF, TGA, TIFF, WebP), `alpha` receives it, one byte per pixel and rows
// top-down; otherwise, and on failure, `alpha` is left empty (width and height 0). The record
// is the same as OpenDib's, composited on white. `alpha` may be nullptr.
ImageError OpenDibWithAlpha(dib* out, AlphaPlane* alpha, const QString& fileName,
                            const ProgressFn& progress);
ImageError openDibFromBytesWithAlpha(dib* out, AlphaPlane* alpha,
                                     std::span<const std::uint8_t> bytes,
                                     const ProgressFn& progress);

// Colour index (indexed images) or colour value red | green << 8 | blue << 16 (24 bits) of
// pixel (x, y), y counted from the top. 0 outside the image.
std::uint32_t getpixel(const dib& d, int x, int y);
void setpixel(const dib& d, int x, int y, std::uint32_t value);

// The error text OpenDib left in a record that has no pixels.
QString DibErrorText(const dib& d);
void SetDibErrorText(dib* d, const QString& text);

// Save format codes: the position of the format in the save filter + 2.
enum SaveFormat : int {
    kSaveBmp = 3,
    kSaveDib = 4,
    kSaveGif = 5,
    kSaveIff = 6,
    kSaveJif = 7,
    kSaveJpg = 8,
    kSaveLbm = 9,
    kSavePcx = 10,
    kSaveRle = 11,
    kSaveTga = 12,
    kSaveTif = 13,
    kSavePng = 14,
};
constexpr int kSaveFormatCount = 12;

// Default extensions by filter position (1-based in the dialog; index 0 here is position 1).
extern const std::array<const char*, kSaveFormatCount> SaveExtensions;

// Writes the image in the given format (the code, not the name's extension, decides). An
// existing file is replaced only when the new one has been written completely (a temporary
// file in the same folder, then a rename); on any error the old file stays as it was. Images
// of at most 256 colours are stored exactly by every format but JPEG. Progress runs 0 … 100
// while writing and ends with 0.
ImageError SaveDib(const dib& d, const QString& fileName, int format, const ProgressFn& progress);

// Filter text of the save formats, one entry per format in the order of SaveExtensions.
QString GetDIBSaveFilter();

// The format code that belongs to a file name's extension (case-insensitive), 0 when none does.
int SaveFormatForFileName(const QString& fileName);

// Filter text of the loadable formats: description|patterns|description|patterns...
// The first entry lists every readable type.
QString GetDIBOpenFilter();

}  // namespace tessora
