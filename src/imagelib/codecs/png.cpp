#include "imagelib/codecs/png.h"

#include <spng.h>

#include <memory>
#include <vector>

#include "imagelib/codecs/losslessrows.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {
namespace {

// zlib's fastest level: a chart is long runs of few values, which it still packs tightly.
constexpr int kCompressionLevel = 1;
constexpr int kZlibDefaultStrategy = 0;

struct ContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

// libspng's output callback: anything but 0 makes it stop with SPNG_IO_ERROR.
int writeToDevice(spng_ctx*, void* user, void* bytes, std::size_t length) {
    auto* device = static_cast<QIODevice*>(user);
    const auto wanted = static_cast<qint64>(length);
    return device->write(static_cast<const char*>(bytes), wanted) == wanted ? 0 : SPNG_IO_ERROR;
}

ImageError translate(int spngError) {
    return spngError == SPNG_EMEM ? ImageError::OutOfMemory : ImageError::CannotWrite;
}

int setHeader(spng_ctx* context, const dib& d, const LosslessRows& rows) {
    spng_ihdr header{};
    header.width = static_cast<std::uint32_t>(DibWidth(d));
    header.height = static_cast<std::uint32_t>(DibHeight(d));
    header.bit_depth = 8;
    header.color_type = rows.indexed() ? SPNG_COLOR_TYPE_INDEXED : SPNG_COLOR_TYPE_TRUECOLOR;
    int error = spng_set_ihdr(context, &header);
    if (error != 0 || !rows.indexed()) return error;
    spng_plte palette{};
    palette.n_entries = static_cast<std::uint32_t>(rows.palette().size());
    for (std::size_t i = 0; i < rows.palette().size(); ++i) {
        const Rgb& c = rows.palette()[i];
        palette.entries[i] = spng_plte_entry{c.r, c.g, c.b, 255};
    }
    return spng_set_plte(context, &palette);
}

int setCompression(spng_ctx* context, const LosslessRows& rows) {
    int error = spng_set_option(context, SPNG_IMG_COMPRESSION_LEVEL, kCompressionLevel);
    if (error == 0)
        error = spng_set_option(context, SPNG_IMG_COMPRESSION_STRATEGY, kZlibDefaultStrategy);
    // Filters do not help indices, whose neighbouring values are no nearer in colour.
    if (error == 0 && rows.indexed())
        error = spng_set_option(context, SPNG_FILTER_CHOICE, SPNG_DISABLE_FILTERING);
    return error;
}

}  // namespace

ImageError writePng(const dib& d, QIODevice& device, const ProgressFn& progress) {
    const LosslessRows rows(d);
    const Context context(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!context) return ImageError::OutOfMemory;
    int error = spng_set_png_stream(context.get(), writeToDevice, &device);
    if (error == 0) error = setHeader(context.get(), d, rows);
    if (error == 0) error = setCompression(context.get(), rows);
    if (error == 0)
        error = spng_encode_image(context.get(), nullptr, 0, SPNG_FMT_PNG,
                                  SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
    if (error != 0) return translate(error);
    std::vector<std::uint8_t> row(rows.rowBytes());
    const int height = DibHeight(d);
    RowProgress progressByRow(progress, height);
    for (int y = 0; y < height; ++y) {
        rows.row(y, row.data());
        error = spng_encode_row(context.get(), row.data(), row.size());
        // The last row answers SPNG_EOI once the file is complete.
        if (error != 0 && !(error == SPNG_EOI && y == height - 1)) return translate(error);
        progressByRow.rowDone(y);
    }
    return error == SPNG_EOI ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
