#include "imagelib/codecs/colourindex.h"

namespace tessora {

std::size_t ColourIndex::slotOf(std::uint32_t k) const {
    std::size_t slot = (k * 2654435761u) & (kSlots - 1);
    while (keys_[slot] != 0 && keys_[slot] != k)
        slot = (slot + 1) & (kSlots - 1);
    return slot;
}

std::optional<std::uint8_t> ColourIndex::add(Rgb colour) {
    const std::uint32_t k = key(colour);
    const std::size_t slot = slotOf(k);
    if (keys_[slot] == k) return values_[slot];
    if (colours_.size() == kMaxColours) return std::nullopt;
    keys_[slot] = k;
    values_[slot] = static_cast<std::uint8_t>(colours_.size());
    colours_.push_back(colour);
    return values_[slot];
}

std::uint8_t ColourIndex::find(Rgb colour) const {
    return values_[slotOf(key(colour))];
}

std::optional<ColourIndex> collectColours(const dib& d) {
    ColourIndex index;
    const int width = DibWidth(d);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3);
    std::optional<Rgb> last;
    for (int y = 0; y < DibHeight(d); ++y) {
        readRgbRow(d, y, rgb.data());
        for (int x = 0; x < width; ++x) {
            const Rgb c{rgb[3 * x], rgb[3 * x + 1], rgb[3 * x + 2]};
            if (c == last) continue;  // charts are long runs of one colour
            if (!index.add(c)) return std::nullopt;
            last = c;
        }
    }
    return index;
}

}  // namespace tessora
