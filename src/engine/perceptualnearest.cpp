#include "engine/perceptualnearest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>
#include <new>

namespace tessora {
namespace {

constexpr std::size_t kColours = std::size_t{1} << 24;

// A bound is a true lower bound of the distance, but both are rounded: a candidate is skipped
// only when its bound is clearly above the best, so an equally near one is still compared.
bool clearlyAbove(double bound, double best) {
    return bound > best * (1 + 1e-9) + 1e-12;
}

double pow7(double x) {
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}

// ΔE00 never falls below the lightness term ΔL / SL, and SL is at most 1.7471 (at L = 0 and
// 100), so a lightness difference of 1.75 times the best ends the walk.
constexpr double kLargestSl = 1.75;

double lightnessWeight(double meanL) {
    const double offCentre = (meanL - 50) * (meanL - 50);
    return 1 + 0.015 * offCentre / std::sqrt(20 + offCentre);
}

}  // namespace

ZeroedBlock::ZeroedBlock(std::size_t bytes) : handle_(GlobalAllocZeroed(bytes)) {
    if (handle_ == 0) throw std::bad_alloc();
}

PerceptualNearestIndex::PerceptualNearestIndex(const PalEntry (&entries)[kPaletteEntries],
                                               ColourDistance distance)
    : distance_(distance), known_(kColours / 8), answers_(kColours) {
    std::vector<const PalEntry*> seen;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const PalEntry& e = entries[i];
        // A repeated colour never wins over its first occurrence.
        if (std::any_of(seen.begin(), seen.end(), [&](const PalEntry* s) {
                return s->peRed == e.peRed && s->peGreen == e.peGreen && s->peBlue == e.peBlue;
            }))
            continue;
        seen.push_back(&e);
        const LabColour lab = cielabOf(e.peRed, e.peGreen, e.peBlue);
        byLightness_.push_back({perceptualColourOf(distance, e.peRed, e.peGreen, e.peBlue),
                                std::hypot(lab.a, lab.b), static_cast<std::uint8_t>(i)});
    }
    std::stable_sort(byLightness_.begin(), byLightness_.end(),
                     [](const Entry& x, const Entry& y) { return x.colour.l < y.colour.l; });
}

void PerceptualNearestIndex::findRow(const std::uint8_t* bgr, int width, std::uint8_t* indices) {
    for (int x = 0; x < width; ++x, bgr += 3)
        indices[x] = find(bgr[2], bgr[1], bgr[0]);
}

void PerceptualNearestIndex::consider(const LabColour& query, std::size_t position,
                                      Best& best) const {
    const Entry& e = byLightness_[position];
    const double key = perceptualKey(distance_, query, e.colour);
    if (key < best.key || (key == best.key && e.index < best.index))
        best = {key, e.index, position};
}

// ΔE00² = (ΔL/SL)² + c² + h² + RT c h with c = ΔC'/SC, h = ΔH'/SH. Since |RT| <= RC sin 60°,
// the last three are at least (1 - RC sin 60° / 2)(c² + h²); SH <= SC gives c² + h² >=
// (ΔC'² + ΔH'²) / SC², and ΔC'² + ΔH'² = (Δa')² + (Δb)² >= (Δa)² + (Δb)². With C' <= 1.5 C
// both SC and RC are bounded from the mean chroma of CIELAB.
bool PerceptualNearestIndex::cannotWin(const LabColour& query, double queryChroma,
                                       const Entry& entry, const Best& best) const {
    if (distance_ != ColourDistance::Ciede2000) return false;  // its distance costs no more
    const double dl = (query.l - entry.colour.l) / lightnessWeight((query.l + entry.colour.l) / 2);
    const double lightness = dl * dl;
    if (clearlyAbove(lightness, best.key)) return true;
    const double largestChroma = 0.75 * (queryChroma + entry.chroma);
    const double rc = 2 * std::sqrt(pow7(largestChroma) / (pow7(largestChroma) + 6103515625.0));
    const double share = 1 - rc * std::sqrt(3.0) / 4;
    const double sc = 1 + 0.045 * largestChroma;
    const double da = query.a - entry.colour.a, db = query.b - entry.colour.b;
    return clearlyAbove(lightness + share * (da * da + db * db) / (sc * sc), best.key);
}

std::uint8_t PerceptualNearestIndex::search(int red, int green, int blue, std::uint32_t key) {
    const LabColour query = perceptualColourOf(distance_, red, green, blue);
    double queryChroma = 0;
    if (distance_ == ColourDistance::Ciede2000) queryChroma = std::hypot(query.a, query.b);
    Best best{std::numeric_limits<double>::infinity(), kPaletteEntries, 0};
    const std::size_t hinted = hint_;
    consider(query, hinted, best);
    const double stopFactor = distance_ == ColourDistance::Ciede2000 ? 1 / kLargestSl : 1.0;
    const auto n = static_cast<std::ptrdiff_t>(byLightness_.size());
    std::ptrdiff_t above =
        std::partition_point(byLightness_.begin(), byLightness_.end(),
                             [&](const Entry& e) { return e.colour.l < query.l; }) -
        byLightness_.begin();
    std::ptrdiff_t below = above - 1;
    while (below >= 0 || above < n) {
        const double downGap = below >= 0 ? query.l - byLightness_[below].colour.l : HUGE_VAL;
        const double upGap = above < n ? byLightness_[above].colour.l - query.l : HUGE_VAL;
        const bool goDown = downGap <= upGap;
        const double gap = (goDown ? downGap : upGap) * stopFactor;
        if (clearlyAbove(gap * gap, best.key)) break;  // the other side is farther still
        const auto position = static_cast<std::size_t>(goDown ? below-- : above++);
        if (position == hinted) continue;
        if (!cannotWin(query, queryChroma, byLightness_[position], best))
            consider(query, position, best);
    }
    hint_ = best.position;
    known_.as<std::uint64_t>()[key >> 6] |= std::uint64_t{1} << (key & 63);
    const auto answer = static_cast<std::uint8_t>(best.index);
    answers_.as<std::uint8_t>()[key] = answer;
    return answer;
}

PerceptualNearestIndex& perceptualIndexFor(const PalEntry (&entries)[kPaletteEntries],
                                           ColourDistance distance) {
    struct Kept {
        std::array<PalEntry, kPaletteEntries> colours{};
        ColourDistance distance = ColourDistance::Rgb;
        std::unique_ptr<PerceptualNearestIndex> index;
    };
    thread_local Kept kept;
    const bool same =
        kept.index && kept.distance == distance &&
        std::equal(kept.colours.begin(), kept.colours.end(), std::begin(entries),
                   [](const PalEntry& a, const PalEntry& b) {
                       return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
                   });
    if (!same) {
        kept.index.reset();  // the old tables go before the new ones are taken
        kept.index = std::make_unique<PerceptualNearestIndex>(entries, distance);
        std::copy(std::begin(entries), std::end(entries), kept.colours.begin());
        kept.distance = distance;
    }
    return *kept.index;
}

}  // namespace tessora
