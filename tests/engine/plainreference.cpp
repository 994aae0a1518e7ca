#include "plainreference.h"

#include <algorithm>
#include <limits>

#include "engine/nearest.h"
#include "imagelib/imagelib.h"

namespace tessora::test {
namespace {

std::int16_t low16(int value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

// (n + 8) / 16, the quotient truncated toward zero.
int steps(int n) {
    const int t = n + 8;
    return t >= 0 ? t / 16 : -(-t / 16);
}

}  // namespace

PlainSearch::PlainSearch(const PalEntry (&entries)[256], ColourDistance distance)
    : entries_(entries), distance_(distance) {
    for (int i = 0; i < 256; ++i) {
        const PalEntry& e = entries[i];
        colours_.push_back(perceptualColourOf(distance, e.peRed, e.peGreen, e.peBlue));
        repeatsEarlier_.push_back(std::any_of(entries, entries + i, [&](const PalEntry& o) {
            return o.peRed == e.peRed && o.peGreen == e.peGreen && o.peBlue == e.peBlue;
        }));
    }
}

int PlainSearch::nearest(int red, int green, int blue) const {
    if (distance_ == ColourDistance::Rgb) return nearestIndexBruteForce(entries_, red, green, blue);
    const LabColour query = perceptualColourOf(distance_, red, green, blue);
    int best = 0;
    double bestKey = std::numeric_limits<double>::infinity();
    for (int i = 0; i < 256; ++i) {
        if (i > 0 && repeatsEarlier_[static_cast<std::size_t>(i)]) continue;  // cannot win
        const double key = perceptualKey(distance_, query, colours_[static_cast<std::size_t>(i)]);
        if (key < bestKey) {
            bestKey = key;
            best = i;
        }
    }
    return best;
}

GridValues gridValues(const dib& grid) {
    GridValues rows(static_cast<std::size_t>(DibHeight(grid)));
    for (int y = 0; y < DibHeight(grid); ++y) {
        for (int x = 0; x < DibWidth(grid); ++x)
            rows[static_cast<std::size_t>(y)].push_back(static_cast<int>(getpixel(grid, x, y)));
    }
    return rows;
}

GridValues plainNearest(const dib& source, const dib& target, ColourDistance distance) {
    const PlainSearch search(target.pal.rgb0, distance);
    GridValues rows(static_cast<std::size_t>(DibHeight(source)));
    for (int y = 0; y < DibHeight(source); ++y) {
        for (int x = 0; x < DibWidth(source); ++x) {
            const std::uint32_t c = getpixel(source, x, y);
            rows[static_cast<std::size_t>(y)].push_back(
                search.nearest(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                               static_cast<int>((c >> 16) & 0xFF)));
        }
    }
    return rows;
}

// Two arrays of 3W + 6 cells, the cursors cur and nxt, and the four shares stored one after
// another exactly as the steps of the method say.
GridValues plainErrorDiffusion(const dib& source, const dib& target, ColourDistance distance) {
    const PlainSearch search(target.pal.rgb0, distance);
    const int width = DibWidth(source);
    const int height = DibHeight(source);
    GridValues rows(static_cast<std::size_t>(height),
                    std::vector<int>(static_cast<std::size_t>(width)));
    std::vector<std::int16_t> a(3 * static_cast<std::size_t>(width) + 6, 0);
    std::vector<std::int16_t> b(a.size(), 0x5555);  // never read before written
    bool flag = false;
    for (int r = 0; r < height; ++r) {
        const bool leftToRight = !flag;
        flag = !flag;
        std::int16_t* cur = (leftToRight ? a : b).data() + 3;
        std::int16_t* nxt = (leftToRight ? b : a).data() + 3 * width;
        int x = leftToRight ? 0 : width - 1;
        const int step = leftToRight ? 1 : -1;
        nxt[0] = nxt[1] = nxt[2] = 0;
        for (int k = 0; k < width; ++k) {
            const std::uint32_t colour = getpixel(source, x, r);
            const int s[3] = {static_cast<int>((colour >> 16) & 0xFF),
                              static_cast<int>((colour >> 8) & 0xFF),
                              static_cast<int>(colour & 0xFF)};
            int v[3];
            for (int c = 0; c < 3; ++c)
                v[c] = std::clamp(steps(cur[c]) + s[c], 0, 255);
            const int idx = search.nearest(v[2], v[1], v[0]);
            rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(x)] = idx;
            const PalEntry& p = target.pal.rgb0[idx];
            const int chosen[3] = {p.peBlue, p.peGreen, p.peRed};
            for (int c = 0; c < 3; ++c) {
                const int e = v[c] - chosen[c];
                nxt[c - 3] = low16(e);
                nxt[c + 3] = low16(nxt[c + 3] + 3 * e);
                nxt[c] = low16(nxt[c] + 5 * e);
                cur[c + 3] = low16(cur[c + 3] + 7 * e);
            }
            x += step;
            cur += 3;
            nxt -= 3;
        }
    }
    return rows;
}

}  // namespace tessora::test
