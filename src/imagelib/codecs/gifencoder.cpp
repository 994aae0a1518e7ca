#include "imagelib/codecs/gifencoder.h"

#include <gif_lib.h>

#include <memory>

namespace tessora {
namespace {

ImageError translate(int gifError) {
    return gifError == E_GIF_ERR_NOT_ENOUGH_MEM ? ImageError::OutOfMemory : ImageError::CannotWrite;
}

// giflib's output callback: a short count tells it the write failed.
int writeToSink(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* sink = static_cast<ByteSink*>(gif->UserData);
    sink->bytes(std::span(bytes, static_cast<std::size_t>(length)));
    return sink->ok() ? length : 0;
}

struct ColourMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

GifEncoder::GifEncoder(ByteSink& sink) {
    int error = 0;
    gif_ = EGifOpen(&sink, writeToSink, &error);
    if (gif_ == nullptr) status_ = translate(error);
}

GifEncoder::~GifEncoder() {
    if (gif_ != nullptr) EGifCloseFile(gif_, nullptr);
}

void GifEncoder::check(int result) {
    if (result == GIF_ERROR && ok()) status_ = translate(gif_->Error);
}

void GifEncoder::putScreen(int width, int height, const std::vector<Rgb>& palette, int bits) {
    if (!ok()) return;
    std::vector<GifColorType> colours(std::size_t{1} << bits, GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size() && i < colours.size(); ++i) {
        colours[i] = GifColorType{palette[i].r, palette[i].g, palette[i].b};
    }
    const std::unique_ptr<ColorMapObject, ColourMapDeleter> map(
        GifMakeMapObject(static_cast<int>(colours.size()), colours.data()));
    if (!map) {
        status_ = ImageError::OutOfMemory;
        return;
    }
    check(EGifPutScreenDesc(gif_, width, height, bits, 0, map.get()));  // giflib copies the map
}

void GifEncoder::putImage(int width, int height) {
    if (ok()) check(EGifPutImageDesc(gif_, 0, 0, width, height, false, nullptr));
}

void GifEncoder::putLine(std::span<std::uint8_t> indices) {
    if (ok()) check(EGifPutLine(gif_, indices.data(), static_cast<int>(indices.size())));
}

ImageError GifEncoder::close() {
    if (gif_ != nullptr) {
        int error = 0;
        const int result = EGifCloseFile(gif_, &error);  // frees the handle whatever it answers
        gif_ = nullptr;
        if (result == GIF_ERROR && ok()) status_ = translate(error);
    }
    return status_;
}

}  // namespace tessora
