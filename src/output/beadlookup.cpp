#include "output/beadlookup.h"

#include "engine/emptypegs.h"

namespace tessora {

int bookColourOf(const BeadPattern& pattern, int value) {
    if (value == kEmptyPeg) return -1;
    return rangeIndexOfPixel(pattern.range, value, pattern.notfoundis);
}

QString bookColourNumber(const BeadRange& range, int colour) {
    return QString::fromStdString(range.colors[static_cast<std::size_t>(colour)].number);
}

QString bookColourName(const BeadRange& range, int colour) {
    return QString::fromStdString(range.colors[static_cast<std::size_t>(colour)].name);
}

int bookSlotOf(int colour) {
    return colour + PaletteSlotBase;
}

}  // namespace tessora
