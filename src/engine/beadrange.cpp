#include "engine/beadrange.h"

#include <algorithm>

namespace tessora {
namespace {

BeadRange makeStandardRange(const std::array<const char*, kBeadColorCount>& names) {
    BeadRange range{kStandardRangeName, {}};
    range.colors.reserve(kBeadColorCount);
    for (int i = 0; i < kBeadColorCount; ++i)
        range.colors.push_back({BeadNumbers[i], names[i], BeadStartColors[i]});
    return range;
}

int indexWithin(const BeadRange& range, int value) {
    const int index = value - PaletteSlotBase;
    return index >= 0 && index < range.size() ? index : -1;
}

}  // namespace

const BeadRange& standardRange() {
    static const BeadRange german = makeStandardRange(BeadNames);
    static const BeadRange english = makeStandardRange(BeadNamesEnglish);
    return EnglishBeadNames() ? english : german;
}

LPAL rangePalette(const BeadRange& range) {
    LPAL pal{};
    pal.ver = kPaletteVersion;
    pal.num = static_cast<std::uint16_t>(std::min(range.size(), kMaxRangeColors));
    for (int i = 0; i < pal.num; ++i) {
        const BeadRgb& c = range.colors[static_cast<std::size_t>(i)].rgb;
        pal.rgb0[i] = PalEntry{c.red, c.green, c.blue, 0};
    }
    return pal;
}

int rangeIndexOfPixel(const BeadRange& range, int value, int notfoundis) {
    const int index = indexWithin(range, value);
    return index >= 0 ? index : indexWithin(range, notfoundis + PaletteSlotBase);
}

const BeadColor* beadOfPixel(const BeadRange& range, int value, int notfoundis) {
    const int index = rangeIndexOfPixel(range, value, notfoundis);
    return index >= 0 ? &range.colors[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace tessora
