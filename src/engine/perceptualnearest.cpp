#include "engine/perceptualnearest.h"

#include "engine/ciede2000bounds.h"

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

// The block sizes, coarse to fine, as a shift of the channel values.
constexpr std::array<int, 2> kBlockShifts{5, 3};

std::size_t blockOf(int shift, int red, int green, int blue) {
    const int side = 256 >> shift;
    return static_cast<std::size_t>(((red >> shift) * side + (green >> shift)) * side +
                                    (blue >> shift));
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
                                std::sqrt(lab.a * lab.a + lab.b * lab.b),
                                static_cast<std::uint8_t>(i), huedPointOf(lab)});
    }
    std::stable_sort(byLightness_.begin(), byLightness_.end(),
                     [](const Entry& x, const Entry& y) { return x.colour.l < y.colour.l; });
    if (distance == ColourDistance::Oklab) findNeighbours();
    if (distance == ColourDistance::Ciede2000) listEveryEntry();
}

// The list every block starts from.
void PerceptualNearestIndex::listEveryEntry() {
    candidates_.push_back(static_cast<std::uint16_t>(byLightness_.size()));
    lowerBounds_.push_back(0);
    for (std::size_t p = 0; p < byLightness_.size(); ++p) {
        candidates_.push_back(static_cast<std::uint16_t>(p));
        lowerBounds_.push_back(0);
    }
    for (const int shift : kBlockShifts)
        blockLists_.emplace_back(std::size_t{1} << (3 * (8 - shift)), -1);
}

// The candidate list of the block at `level` that holds the colour.
std::size_t PerceptualNearestIndex::candidatesAt(std::size_t level, int red, int green, int blue) {
    const int shift = kBlockShifts[level];
    std::int32_t& list = blockLists_[level][blockOf(shift, red, green, blue)];
    if (list < 0) {
        const std::size_t parent = level == 0 ? 0 : candidatesAt(level - 1, red, green, blue);
        list = static_cast<std::int32_t>(candidates_[parent] == 1
                                             ? parent
                                             : narrowedCandidates(shift, parent, red, green, blue));
    }
    return static_cast<std::size_t>(list);
}

// Keeps the candidates of `parent` whose lower bound over the block is not above the smallest
// upper bound: any other one is farther from every colour of the block than that entry.
std::size_t PerceptualNearestIndex::narrowedCandidates(int shift, std::size_t parent, int red,
                                                       int green, int blue) {
    const int mask = ~((1 << shift) - 1), last = (1 << shift) - 1;
    const LabBox box = cielabBoxOf(red & mask, green & mask, blue & mask, (red & mask) + last,
                                   (green & mask) + last, (blue & mask) + last);
    const BoxHues hues = boxHuesOf(box);
    struct Kept {
        double low;
        std::uint16_t position;
    };
    std::array<Kept, kPaletteEntries> kept{};
    std::size_t count = candidates_[parent];
    double bestHigh = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t position = candidates_[parent + 1 + i];
        const Entry& e = byLightness_[position];
        const DistanceRange range = ciede2000SquaredRange(box, e.colour, e.chroma);
        const double low = ciede2000SquaredBoxLowerBound(
            box, hues, ciede2000LightnessLow(box, e.colour.l), e.hued);
        kept[i] = {std::max(range.low, low), position};
        bestHigh = std::min(bestHigh, range.high);
    }
    const auto end = std::remove_if(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count),
                                    [&](const Kept& k) { return clearlyAbove(k.low, bestHigh); });
    std::stable_sort(kept.begin(), end, [](const Kept& x, const Kept& y) { return x.low < y.low; });
    count = static_cast<std::size_t>(end - kept.begin());
    const std::size_t list = candidates_.size();
    candidates_.push_back(static_cast<std::uint16_t>(count));
    lowerBounds_.push_back(0);
    for (std::size_t i = 0; i < count; ++i) {
        candidates_.push_back(kept[i].position);
        lowerBounds_.push_back(kept[i].low);
    }
    return list;
}

// The block's candidates by rising lower bound over the block: once a bound is above the best
// upper end, so are all after it.
void PerceptualNearestIndex::walkCandidates(const HuedPoint& query, std::size_t list,
                                            Contenders& found) const {
    const std::size_t count = candidates_[list];
    for (std::size_t i = list + 1; i <= list + count; ++i) {
        if (candidates_[i] == hint_) continue;
        if (clearlyAbove(lowerBounds_[i], found.bestHigh)) break;
        found.add(query, byLightness_[candidates_[i]], candidates_[i]);
    }
}

void PerceptualNearestIndex::findNeighbours() {
    neighbours_.resize(byLightness_.size());
    for (std::size_t p = 0; p < byLightness_.size(); ++p) {
        for (std::size_t q = 0; q < byLightness_.size(); ++q) {
            if (q == p) continue;
            const double d =
                std::sqrt(perceptualKey(distance_, byLightness_[p].colour, byLightness_[q].colour));
            neighbours_[p].push_back({d, q});
        }
        std::sort(neighbours_[p].begin(), neighbours_[p].end(),
                  [](const Neighbour& x, const Neighbour& y) { return x.distance < y.distance; });
    }
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

void PerceptualNearestIndex::Contenders::add(const HuedPoint& query, const Entry& entry,
                                             std::size_t position) {
    if (clearlyAbove(ciede2000SquaredLowerBound(query, entry.hued), bestHigh)) return;
    const KeyInterval key = ciede2000SquaredInterval(query.point, entry.hued.point, bestHigh);
    if (key.low > bestHigh) return;  // another entry is surely nearer
    items[count++] = {key, position};
    bestHigh = std::min(bestHigh, key.high);
}

// The entry whose interval lies below every other's, or among those that overlap the nearest,
// the one ciede2000Squared() puts first.
std::size_t PerceptualNearestIndex::settle(const CielabPoint& query,
                                           const Contenders& found) const {
    Best best{std::numeric_limits<double>::infinity(), kPaletteEntries, 0};
    int close = 0;
    for (std::size_t k = 0; k < found.count; ++k) {
        if (found.items[k].key.low > found.bestHigh) continue;
        ++close;
        best.position = found.items[k].position;
    }
    if (close == 1) return best.position;
    const LabColour colour{query.l, query.a, query.b};
    for (std::size_t k = 0; k < found.count; ++k) {
        const Contender& c = found.items[k];
        if (c.key.low > found.bestHigh) continue;
        const Entry& e = byLightness_[c.position];
        const double key = c.key.exact ? c.key.low : ciede2000Squared(colour, e.colour);
        if (key < best.key || (key == best.key && e.index < best.index))
            best = {key, e.index, c.position};
    }
    return best.position;
}

// OKLab distances obey the triangle inequality: an entry q can only be as near to the bead x
// as the best if d(hint, q) <= d(x, hint) + best, so the hint's neighbours are walked nearest
// first and the walk ends there.
void PerceptualNearestIndex::walkByNeighbours(const LabColour& query, std::size_t hinted,
                                              Best& best) const {
    const double fromHint = std::sqrt(best.key);
    for (const Neighbour& q : neighbours_[hinted]) {
        if (clearlyAbove(q.distance, fromHint + std::sqrt(best.key))) break;
        consider(query, q.position, best);
    }
}

std::uint8_t PerceptualNearestIndex::search(int red, int green, int blue, std::uint32_t key) {
    std::size_t position = 0;
    if (distance_ == ColourDistance::Ciede2000) {
        const std::size_t list = candidatesAt(kBlockShifts.size() - 1, red, green, blue);
        if (candidates_[list] == 1) return remember(key, candidates_[list + 1]);
        const HuedPoint point = huedPointOf(cielabOf(red, green, blue));
        Contenders found;
        found.add(point, byLightness_[hint_], hint_);
        walkCandidates(point, list, found);
        position = settle(point.point, found);
    } else {
        const LabColour query = oklabOf(red, green, blue);
        Best best{std::numeric_limits<double>::infinity(), kPaletteEntries, 0};
        consider(query, hint_, best);
        walkByNeighbours(query, hint_, best);
        position = best.position;
    }
    hint_ = position;
    return remember(key, position);
}

std::uint8_t PerceptualNearestIndex::remember(std::uint32_t key, std::size_t position) {
    known_.as<std::uint64_t>()[key >> 6] |= std::uint64_t{1} << (key & 63);
    const std::uint8_t answer = byLightness_[position].index;
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
