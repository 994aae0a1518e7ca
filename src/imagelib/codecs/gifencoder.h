#pragma once
// The one owner of a giflib encoder handle (GifFileType). giflib answers GIF_ERROR and leaves
// a code in the handle; this class turns that into an ImageError in one place and closes the
// handle on every path.

#include <cstdint>
#include <span>
#include <vector>

#include "imagelib/codecs/byteio.h"
#include "imagelib/codecs/dibaccess.h"
#include "imagelib/imageerror.h"

struct GifFileType;

namespace tessora {

class GifEncoder {
  public:
    explicit GifEncoder(ByteSink& sink);
    ~GifEncoder();
    GifEncoder(const GifEncoder&) = delete;
    GifEncoder& operator=(const GifEncoder&) = delete;

    // Each step does nothing once an earlier one has failed; `close` reports the first error.
    void putScreen(int width, int height, const std::vector<Rgb>& palette, int bits);
    void putImage(int width, int height);
    void putLine(std::span<std::uint8_t> indices);
    ImageError close();

    bool ok() const { return status_ == ImageError::None; }

  private:
    void check(int result);

    GifFileType* gif_ = nullptr;
    ImageError status_ = ImageError::None;
};

}  // namespace tessora
