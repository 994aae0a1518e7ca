#include "imagelib/codecs/tiff.h"

#include <tiffio.h>

#include <array>
#include <memory>
#include <vector>

#include "imagelib/codecs/losslessrows.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

constexpr int kDeflateLevel = 1;  // fast; a chart is long runs of few values
// Strips of about this many bytes before compression: few enough strips for a small
// directory, each small enough to hold in memory.
constexpr std::size_t kStripBytes = 256 * 1024;
// Classic TIFF records offsets in 32 bits; larger pictures go into BigTIFF.
constexpr std::uint64_t kClassicLimit = 0xF0000000u;

// What libtiff's callbacks see: the device, and whether any of its writes failed.
struct Output {
    QIODevice& device;
    bool failed = false;
};

Output& outputOf(thandle_t handle) {
    return *static_cast<Output*>(handle);
}

tmsize_t readNothing(thandle_t, void*, tmsize_t) {
    return 0;
}

tmsize_t writeBytes(thandle_t handle, void* bytes, tmsize_t length) {
    Output& output = outputOf(handle);
    const qint64 written = output.device.write(static_cast<const char*>(bytes), length);
    if (written != length) output.failed = true;
    return written < 0 ? 0 : written;
}

toff_t seekTo(thandle_t handle, toff_t offset, int whence) {
    QIODevice& device = outputOf(handle).device;
    qint64 target = static_cast<qint64>(offset);
    if (whence == SEEK_CUR) target += device.pos();
    if (whence == SEEK_END) target += device.size();
    if (!device.seek(target)) return static_cast<toff_t>(-1);
    return static_cast<toff_t>(target);
}

int closeNothing(thandle_t) {
    return 0;
}

toff_t sizeOf(thandle_t handle) {
    return static_cast<toff_t>(outputOf(handle).device.size());
}

int mapNothing(thandle_t, void**, toff_t*) {
    return 0;
}

void unmapNothing(thandle_t, void*, toff_t) {}

// Errors come back as results; the messages would only be chatter on stderr.
int quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};
struct TiffDeleter {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using Tiff = std::unique_ptr<TIFF, TiffDeleter>;

Tiff openOver(Output& output, bool big) {
    const std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), quiet, nullptr);
    return Tiff(TIFFClientOpenExt("tessora", big ? "w8" : "w", &output, readNothing, writeBytes,
                                  seekTo, closeNothing, sizeOf, mapNothing, unmapNothing,
                                  options.get()));
}

bool setColourMap(TIFF* tiff, const std::vector<Rgb>& palette) {
    // An 8-bit palette always has 256 entries, of 16 bits each.
    std::array<std::uint16_t, 256> red{}, green{}, blue{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        red[i] = static_cast<std::uint16_t>(palette[i].r * 257);
        green[i] = static_cast<std::uint16_t>(palette[i].g * 257);
        blue[i] = static_cast<std::uint16_t>(palette[i].b * 257);
    }
    return TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data()) == 1;
}

bool setTags(TIFF* tiff, const dib& d, const LosslessRows& rows) {
    const auto rowsPerStrip =
        static_cast<std::uint32_t>(std::max<std::size_t>(1, kStripBytes / rows.rowBytes()));
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(DibWidth(d))) &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(DibHeight(d))) &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, rows.bytesPerPixel()) &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC,
                           rows.indexed() ? PHOTOMETRIC_PALETTE : PHOTOMETRIC_RGB) &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE) &&
              TIFFSetField(tiff, TIFFTAG_ZIPQUALITY, kDeflateLevel) &&
              TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
    if (ok && rows.indexed()) ok = setColourMap(tiff, rows.palette());
    return ok;
}

ImageError writeRows(TIFF* tiff, const Output& output, const LosslessRows& rows, int height,
                     const ProgressFn& progress) {
    std::vector<std::uint8_t> row(rows.rowBytes());
    RowProgress progressByRow(progress, height);
    for (int y = 0; y < height; ++y) {
        rows.row(y, row.data());
        if (TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) != 1 ||
            output.failed) {
            return ImageError::CannotWrite;
        }
        progressByRow.rowDone(y);
    }
    // Writes the last strip and the directory; TIFFClose would swallow a failure here.
    return TIFFFlush(tiff) == 1 && !output.failed ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace

ImageError writeTiff(const dib& d, QIODevice& device, const ProgressFn& progress) {
    const LosslessRows rows(d);
    Output output{device};
    const std::uint64_t rawBytes = std::uint64_t{rows.rowBytes()} * DibHeight(d);
    const Tiff tiff = openOver(output, rawBytes > kClassicLimit);
    if (!tiff) return output.failed ? ImageError::CannotWrite : ImageError::OutOfMemory;
    if (!setTags(tiff.get(), d, rows)) return ImageError::CannotWrite;
    return writeRows(tiff.get(), output, rows, DibHeight(d), progress);
}

}  // namespace tessora
