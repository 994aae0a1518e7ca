#include "imagelib/codecs/colourindex.h"

#include <new>

namespace tessora {

namespace {
constexpr std::size_t kSlots = std::size_t{1} << 24;
}  // namespace

ColourIndex::ColourIndex()
    : slots_(static_cast<std::uint16_t*>(std::calloc(kSlots, sizeof(std::uint16_t)))) {
    if (!slots_) throw std::bad_alloc();
}

std::optional<std::uint8_t> ColourIndex::addKey(std::uint32_t k) {
    if (slots_[k] != 0) return static_cast<std::uint8_t>(slots_[k] - 1);
    if (colours_.size() == kMaxColours) return std::nullopt;
    colours_.push_back(Rgb{static_cast<std::uint8_t>(k >> 16), static_cast<std::uint8_t>(k >> 8),
                           static_cast<std::uint8_t>(k)});
    slots_[k] = static_cast<std::uint16_t>(colours_.size());
    return static_cast<std::uint8_t>(colours_.size() - 1);
}

std::optional<std::uint8_t> ColourIndex::add(Rgb colour) {
    return addKey(key(colour));
}

bool ColourIndex::addBgrRow(const std::uint8_t* pixels, int step, int width) {
    for (int x = 0; x < width; ++x, pixels += step) {
        const std::uint32_t k = keyAt(pixels);
        if (slots_[k] == 0 && !addKey(k)) return false;
    }
    return true;
}

void ColourIndex::findBgrRow(const std::uint8_t* pixels, int step, int width,
                             std::uint8_t* indices) const {
    for (int x = 0; x < width; ++x, pixels += step)
        indices[x] = static_cast<std::uint8_t>(slots_[keyAt(pixels)] - 1);
}

std::optional<ColourIndex> collectColours(const dib& d) {
    ColourIndex index;
    const int width = DibWidth(d);
    if (DibBits(d) > 8) {
        for (int y = 0; y < DibHeight(d); ++y) {
            if (!index.addBgrRow(DibRow(d, DibHeight(d) - 1 - y), DibBits(d) / 8, width))
                return std::nullopt;
        }
        return index;
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < DibHeight(d); ++y) {
        readRgbRow(d, y, rgb.data());
        for (int x = 0; x < width; ++x) {
            if (!index.add(Rgb{rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]})) return std::nullopt;
        }
    }
    return index;
}

}  // namespace tessora
