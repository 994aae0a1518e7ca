// Any bytes as a palette file (.gpl): either a clear refusal, or a range of 1 to 246 colours
// that our writer turns into a file which reads back as the same range.

#include <QByteArrayView>
#include <array>

#include "engine/gplpalette.h"
#include "fuzzsupport.h"

namespace {

bool sameRange(const tessora::BeadRange& a, const tessora::BeadRange& b) {
    if (a.name != b.name || a.size() != b.size()) return false;
    for (int i = 0; i < a.size(); ++i) {
        const auto& x = a.colors[static_cast<std::size_t>(i)];
        const auto& y = b.colors[static_cast<std::size_t>(i)];
        if (x.number != y.number || x.name != y.name || x.rgb.red != y.rgb.red ||
            x.rgb.green != y.rgb.green || x.rgb.blue != y.rgb.blue)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessora;
    const PaletteRead read = parseGimpPalette(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
        QStringLiteral("Palette"));
    fuzz::require(read.range.has_value() == (read.error == PaletteError::None),
                  "a range exactly when there is no error");
    fuzz::require(read.range || !paletteErrorText(read.error, read.line).isEmpty(),
                  "every refusal has a message");
    if (!read.range) return 0;
    const BeadRange& range = *read.range;
    fuzz::require(range.size() >= 1 && range.size() <= kMaxRangeColors, "1 to 246 colours");
    std::array<bool, kMaxRangeColors> ticks{};
    ticks.fill(true);
    const PaletteRead again =
        parseGimpPalette(gimpPaletteBytes(range, rangePalette(range), std::span<const bool>(ticks)),
                         QStringLiteral("Palette"));
    fuzz::require(again.range && sameRange(range, *again.range), "written palette reads back");
    return 0;
}
