#include "fuzzsupport.h"

#include <QBuffer>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "imagelib/codecs/dibaccess.h"
#include "imagelib/imagesize.h"
#include "imagelib/memory.h"
#include "imagelib/owneddib.h"

namespace tessora::fuzz {
namespace {

std::uint32_t touchEveryByte(const dib& d) {
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < d.pmi->biSizeImage; ++i)
        sum += d.poi[i];
    return sum;
}

bool sameColours(const dib& a, const dib& b) {
    if (DibWidth(a) != DibWidth(b) || DibHeight(a) != DibHeight(b)) return false;
    const auto rowBytes = static_cast<std::size_t>(DibWidth(a)) * 3;
    std::vector<std::uint8_t> rowA(rowBytes), rowB(rowBytes);
    for (int y = 0; y < DibHeight(a); ++y) {
        readRgbRow(a, y, rowA.data());
        readRgbRow(b, y, rowB.data());
        if (rowA != rowB) return false;
    }
    return true;
}

}  // namespace

void initialiseFuzzer(bool withApplication) {
    SetPixelBudget(kFuzzPixelBudget);
    if (!withApplication || QGuiApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tessora-fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // lives as long as the process
}

std::span<const std::uint8_t> bytesOf(const std::uint8_t* data, std::size_t size) {
    return {data, size};
}

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "tessora fuzz check failed: %s\n", what);
    std::abort();
}

void checkReadResult(ImageError error, const dib& d) {
    if (error != ImageError::None) {
        require(d.poi == nullptr && d.poih == 0, "a failed read hands out no pixels");
        require(DibErrorText(d) == ImageErrorText(error) || DibErrorText(d).isEmpty(),
                "the error text is the error's own");
        return;
    }
    require(d.poi != nullptr && d.pmi != nullptr, "a read picture has pixels");
    const auto size = ComputeImageSize(DibWidth(d), DibHeight(d), DibBits(d));
    require(size.has_value(), "a read picture passes the size check");
    require(size->stride == d.bytew && size->imageSize == d.pmi->biSizeImage,
            "a read picture's header agrees with its size");
    require(GlobalSize(d.poih) >= size->imageSize, "the pixel block holds every row");
    const std::uint32_t sum = touchEveryByte(d);
    asm volatile("" : : "r"(sum));  // the reads must happen, their result is not needed
}

void fuzzDecoder(std::span<const std::uint8_t> bytes, ReadFn read, WriteFn write) {
    OwnedDib first;
    const ImageError error = read(bytes, first.out(), nullptr);
    if (error != ImageError::None) {
        require(first.get().poi == nullptr && first.get().poih == 0,
                "a failed read hands out no pixels");
        return;
    }
    checkReadResult(error, first.get());
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    const ImageError writeError = write(first.get(), buffer, nullptr);
    if (writeError == ImageError::TooLargeForFormat) return;
    require(writeError == ImageError::None, "a picture we read can be written again");
    OwnedDib second;
    const auto again = std::span(reinterpret_cast<const std::uint8_t*>(written.constData()),
                                 static_cast<std::size_t>(written.size()));
    require(read(again, second.out(), nullptr) == ImageError::None, "what we wrote reads back");
    require(sameColours(first.get(), second.get()),
            "what we wrote reads back with the same colours");
}

}  // namespace tessora::fuzz
