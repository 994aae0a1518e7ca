#include "engine/resample.h"

#include <algorithm>
#include <cstring>

#include "engine/bgrrows.h"
#include "engine/numbers.h"
#include "engine/progress.h"

namespace tessora {
namespace {

constexpr int kFixedOne = 1024;  // 10 fractional bits

bool canExpand(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 32;
}

void copySampledRow(const std::uint8_t* from, std::uint8_t* to, const std::vector<int>& columns,
                    int bytesPerPixel) {
    const int width = static_cast<int>(columns.size());
    for (int x = 0; x < width; ++x) {
        std::memcpy(to + bytesPerPixel * x, from + bytesPerPixel * columns[x], bytesPerPixel);
    }
}

// Pixels narrower than a byte go through the library's pixel access, row by picture row.
void copySampledPackedRow(const dib& di, const dib& target, int storedRow, int sourceStoredRow,
                          const std::vector<int>& columns) {
    const int targetTop = DibHeight(target) - 1 - storedRow;
    const int sourceTop = DibHeight(di) - 1 - sourceStoredRow;
    const int width = static_cast<int>(columns.size());
    for (int x = 0; x < width; ++x)
        setpixel(target, x, targetTop, getpixel(di, columns[x], sourceTop));
}

}  // namespace

std::vector<int> samplePositions(int sourceLength, int targetLength) {
    std::vector<int> positions(static_cast<std::size_t>(std::max(targetLength, 0)));
    if (targetLength <= 0) return positions;
    const std::int64_t step = std::int64_t{sourceLength} * kFixedOne / targetLength;
    for (int t = 0; t < targetLength; ++t)
        positions[t] = static_cast<int>(t * step / kFixedOne);
    return positions;
}

dib DepthUpTo(const dib& di, int nbpp, const ProgressFn& progress) {
    report(progress, 0);
    const int width = DibWidth(di);
    const int height = DibHeight(di);
    const int bits = DibBits(di);
    dib result{};
    if (bits != 24) {
        newdib(&result, width, height, nbpp, nullptr, 0);
        if (result.poih != 0 && nbpp == 24 && canExpand(bits) && di.poi != nullptr) {
            for (int y = 0; y < height; ++y) {
                report(progress, rowPercent(y, height));
                convertRowToBgr(di, y, DibRow(result, y));
            }
        }
    }
    report(progress, 0);
    return result;
}

dib Resize(const dib& di, int breit, int hoch, const ProgressFn& progress) {
    report(progress, 0);
    const std::vector<int> columns = samplePositions(DibWidth(di), breit);
    const std::vector<int> rows = samplePositions(DibHeight(di), hoch);
    const int bits = DibBits(di);
    int colorCount = DibColorCount(di);
    if (colorCount > 256) colorCount = 0;
    dib target{};
    newdib(&target, breit, hoch, bits, di.pmi, colorCount);
    if (target.poih != 0 && di.poi != nullptr) {
        for (int y = 0; y < hoch; ++y) {
            report(progress, rowPercent(y, hoch));
            if (bits >= 8) {
                copySampledRow(DibRow(di, rows[y]), DibRow(target, y), columns, bits / 8);
            } else {
                copySampledPackedRow(di, target, y, rows[y], columns);
            }
        }
    }
    report(progress, 0);
    return target;
}

void getrgb24(int co, int& fr, int& fg, int& fb) {
    fr = co & 0xFF;
    fg = (co >> 8) & 0xFF;
    fb = (co >> 16) & 0xFF;
}

std::int64_t zweihoch(int i) {
    // Doubling stops at 2^62, far beyond any depth, so the result never overflows.
    std::int64_t result = 1;
    for (int k = 0; k < i && k < 62; ++k)
        result *= 2;
    return result;
}

}  // namespace tessora
