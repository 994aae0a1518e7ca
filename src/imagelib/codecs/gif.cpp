#include "imagelib/codecs/gif.h"

#include <vector>

#include "imagelib/codecs/gifencoder.h"
#include "imagelib/codecs/indexedrows.h"
#include "imagelib/codecs/rowprogress.h"

namespace tessora {

ImageError writeGif(const dib& d, QIODevice& device, const ProgressFn& progress) {
    const int width = DibWidth(d);
    const int height = DibHeight(d);
    if (width > 0xFFFF || height > 0xFFFF) return ImageError::TooLargeForFormat;
    IndexedRows indexed(d);
    const int bits = isIndexedDib(d) ? DibBits(d) : bitsForColours(indexed.palette().size());
    ByteSink sink(device);
    GifEncoder gif(sink);
    gif.putScreen(width, height, indexed.palette(), bits);
    gif.putImage(width, height);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
    RowProgress rows(progress, height);
    for (int y = 0; y < height && gif.ok(); ++y) {
        indexed.row(y, row.data());
        gif.putLine(row);
        rows.rowDone(y);
    }
    const ImageError error = gif.close();
    if (error != ImageError::None) return error;
    return sink.flush() ? ImageError::None : ImageError::CannotWrite;
}

}  // namespace tessora
