#include "benchpictures.h"

#include "engine/reduce.h"
#include "imagelib/imagelib.h"
#include "imagelib/qimageconvert.h"

namespace tessora::bench {

std::array<bool, kBeadColorCount> allTicked() {
    std::array<bool, kBeadColorCount> ticks{};
    ticks.fill(true);
    return ticks;
}

dib beadGridOf(const dib& grid24) {
    const auto ticks = allTicked();
    int notfoundis = 0;
    return DepthDownTo(grid24, kBeadColorCount, 0, StartPalette(), ticks, notfoundis, {});
}

bool savePicture(const dib& image, const QString& fileName) {
    return QImageFromDib(image).save(fileName, nullptr, 90);
}

}  // namespace tessora::bench
