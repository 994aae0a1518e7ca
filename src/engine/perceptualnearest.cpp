#include "engine/perceptualnearest.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <new>

#include "engine/numbers.h"
#include "engine/parallel.h"
#include "engine/progress.h"

namespace tessora {
namespace {

constexpr std::size_t kColours = std::size_t{1} << 24;

// A bound is a true lower bound of the distance, but both are rounded: a candidate is skipped
// only when its bound is clearly above the best, so an equally near one is still compared.
double clearLine(double best) {
    return best * (1 + 1e-9) + 1e-12;
}
bool clearlyAbove(double bound, double best) {
    return bound > clearLine(best);
}

using ciedeTerms::lightnessWeight;  // ΔE00 never falls below the lightness term ΔL / SL

// Blocks of 8 × 8 × 8 colours. A block's candidate list costs about as much as searching a few
// colours without it, so a block gets one once that many of its colours were searched.
constexpr int kBlockShift = 3;
constexpr std::int32_t kSearchesBeforeAList = 6;

constexpr std::size_t kBlocks = std::size_t{1} << (3 * (8 - kBlockShift));
constexpr std::size_t kColoursPerBlock = std::size_t{1} << (3 * kBlockShift);

std::size_t blockOf(int red, int green, int blue) {
    constexpr int kSide = 256 >> kBlockShift;
    return static_cast<std::size_t>(
        ((red >> kBlockShift) * kSide + (green >> kBlockShift)) * kSide + (blue >> kBlockShift));
}

// The way back from colourSlot().
int redOf(std::uint32_t slot) {
    return static_cast<int>((slot >> 19) << 3 | (slot >> 6 & 7));
}
int greenOf(std::uint32_t slot) {
    return static_cast<int>((slot >> 14 & 31) << 3 | (slot >> 3 & 7));
}
int blueOf(std::uint32_t slot) {
    return static_cast<int>((slot >> 9 & 31) << 3 | (slot & 7));
}
std::size_t blockOf(std::uint32_t slot) {
    return slot >> (3 * kBlockShift);
}

}  // namespace

ZeroedBlock::ZeroedBlock(std::size_t bytes) : handle_(GlobalAllocZeroed(bytes)) {
    if (handle_ == 0) throw std::bad_alloc();
}

ColourAnswers::ColourAnswers() : known(kColours / 8), answers(kColours) {}

PerceptualNearestIndex::PerceptualNearestIndex(const PalEntry (&entries)[kPaletteEntries],
                                               ColourDistance distance,
                                               std::unique_ptr<ColourAnswers> recycled)
    : distance_(distance), tables_(std::move(recycled)) {
    if (tables_) {
        std::memset(tables_->known.as<std::uint8_t>(), 0, kColours / 8);
    } else {
        tables_ = std::make_unique<ColourAnswers>();
    }
    std::vector<const PalEntry*> seen;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const PalEntry& e = entries[i];
        // A repeated colour never wins over its first occurrence.
        if (std::any_of(seen.begin(), seen.end(), [&](const PalEntry* s) {
                return s->peRed == e.peRed && s->peGreen == e.peGreen && s->peBlue == e.peBlue;
            }))
            continue;
        seen.push_back(&e);
        byLightness_.push_back({perceptualColourOf(distance, e.peRed, e.peGreen, e.peBlue),
                                static_cast<std::uint8_t>(i),
                                huedPointOf(cielabOf(e.peRed, e.peGreen, e.peBlue))});
    }
    std::stable_sort(byLightness_.begin(), byLightness_.end(),
                     [](const Entry& x, const Entry& y) { return x.colour.l < y.colour.l; });
    if (distance == ColourDistance::Oklab) findNeighbours();
    if (distance == ColourDistance::Ciede2000) prepareBlocks();
}

// Blocks start counting their searches; lists start after a placeholder, so a list's start is
// never the count at which it is made.
void PerceptualNearestIndex::prepareBlocks() {
    blockLists_.assign(kBlocks, -kSearchesBeforeAList);
    candidates_.push_back(0);
    lowerBounds_.push_back(0);
}

// The candidate list of the colour's block, kept for the next searches, or none while the
// block has had too few searches to be worth one.
PerceptualNearestIndex::CandidateList PerceptualNearestIndex::candidatesFor(int red, int green,
                                                                            int blue) {
    std::int32_t& block = blockLists_[blockOf(red, green, blue)];
    if (block <= 0 && ++block < 0) return {};
    if (block == 0) {
        ListStorage storage;
        const CandidateList made = sortCandidates(red, green, blue, storage);
        const std::size_t count = made.count;
        block = static_cast<std::int32_t>(candidates_.size());
        candidates_.push_back(static_cast<std::uint16_t>(count));
        candidates_.push_back(static_cast<std::uint16_t>(made.sorted));
        lowerBounds_.insert(lowerBounds_.end(), 2, 0.0);
        candidates_.insert(candidates_.end(), storage.positions.begin(),
                           storage.positions.begin() + static_cast<std::ptrdiff_t>(count));
        lowerBounds_.insert(lowerBounds_.end(), storage.lowerBounds.begin(),
                            storage.lowerBounds.begin() + static_cast<std::ptrdiff_t>(count));
    }
    const auto list = static_cast<std::size_t>(block);
    return {&candidates_[list + 2], &lowerBounds_[list + 2], candidates_[list],
            candidates_[list + 1]};
}

// Entries whose lightness alone puts them this far from the block keep that as their bound:
// a nearest colour is seldom so far, and even then the bound is a true one.
constexpr double kFarLightness = 400;  // ΔE00 20
// The search seldom passes the first few candidates: only these are sorted.
constexpr std::size_t kSortedCandidates = 12;

// Every entry with a lower bound over the block, the smallest first, so that a search can stop
// at the first one whose bound is above its best.
PerceptualNearestIndex::CandidateList PerceptualNearestIndex::sortCandidates(
    int red, int green, int blue, ListStorage& storage) const {
    constexpr int mask = ~((1 << kBlockShift) - 1), last = (1 << kBlockShift) - 1;
    const LabBox box = cielabBoxOf(red & mask, green & mask, blue & mask, (red & mask) + last,
                                   (green & mask) + last, (blue & mask) + last);
    const BoxHues hues = boxHuesOf(box);
    struct Kept {
        double low;
        std::uint16_t position;
    };
    std::array<Kept, kPaletteEntries> kept{};
    const std::size_t count = byLightness_.size();
    for (std::size_t i = 0; i < count; ++i) {
        const auto position = static_cast<std::uint16_t>(i);
        const Entry& e = byLightness_[position];
        const double lightness = ciede2000LightnessLow(box, e.colour.l);
        kept[i] = {lightness > kFarLightness
                       ? lightness * (1 - 1e-9)
                       : ciede2000SquaredBoxLowerBound(box, hues, lightness, e.hued),
                   position};
    }
    const auto byLow = [](const Kept& x, const Kept& y) { return x.low < y.low; };
    const std::size_t sorted = std::min(count, kSortedCandidates);
    const auto sortedEnd = kept.begin() + static_cast<std::ptrdiff_t>(sorted);
    std::nth_element(kept.begin(), sortedEnd, kept.begin() + static_cast<std::ptrdiff_t>(count),
                     byLow);
    std::sort(kept.begin(), sortedEnd, byLow);
    for (std::size_t i = 0; i < count; ++i) {
        storage.positions[i] = kept[i].position;
        storage.lowerBounds[i] = kept[i].low;
    }
    return {storage.positions.data(), storage.lowerBounds.data(), count, sorted};
}

// The block's candidates by rising lower bound over the block: once a sorted one's bound is
// above the best upper end, so are all after it; past the sorted ones, each is looked at.
void PerceptualNearestIndex::walkCandidates(const HuedPoint& query, const CandidateList& list,
                                            std::size_t hint, Contenders& found) const {
    for (std::size_t i = 0; i < list.count; ++i) {
        const std::size_t position = list.positions[i];
        if (clearlyAbove(list.lowerBounds[i], found.bestHigh)) {
            if (i < list.sorted) return;
            continue;
        }
        if (position != hint) found.add(query, byLightness_[position], position);
    }
}

// Entries in the order of their lightness, outwards from the bead's; the walk ends on a side
// where the lightness difference alone is too far. For blocks not worth a list yet.
void PerceptualNearestIndex::walkByLightness(const HuedPoint& query, std::size_t hint,
                                             Contenders& found) const {
    const auto n = static_cast<std::ptrdiff_t>(byLightness_.size());
    std::ptrdiff_t above =
        std::partition_point(byLightness_.begin(), byLightness_.end(),
                             [&](const Entry& e) { return e.colour.l < query.point.l; }) -
        byLightness_.begin();
    std::ptrdiff_t below = above - 1;
    while (below >= 0 || above < n) {
        const double downGap = below >= 0 ? query.point.l - byLightness_[below].colour.l : HUGE_VAL;
        const double upGap = above < n ? byLightness_[above].colour.l - query.point.l : HUGE_VAL;
        const bool goDown = downGap <= upGap;
        // The entries left on this side have their mean lightness between this one's and the
        // end of the scale, and SL is largest at one of the two ends.
        const double rawGap = goDown ? downGap : upGap;
        const double meanHere = query.point.l + (goDown ? -rawGap : rawGap) / 2;
        const double meanEnd = (query.point.l + (goDown ? 0.0 : 100.0)) / 2;
        const double gap =
            rawGap / (std::max(lightnessWeight(meanHere), lightnessWeight(meanEnd)) * (1 + 1e-9));
        if (clearlyAbove(gap * gap, found.bestHigh)) {  // this side is done
            (goDown ? below : above) = goDown ? -1 : n;
            continue;
        }
        const auto position = static_cast<std::size_t>(goDown ? below-- : above++);
        if (position != hint) found.add(query, byLightness_[position], position);
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

void PerceptualNearestIndex::findKnownRow(const std::uint8_t* bgr, int width, std::uint8_t* indices,
                                          UnknownColours& unknown, int list) const {
    if (!knowsAny_) {
        for (int x = 0; x < width; ++x, bgr += 3)
            unknown.add(list, colourSlot(bgr[2], bgr[1], bgr[0]));
        return;
    }
    const auto* answers = tables_->answers.as<std::uint8_t>();
    for (int x = 0; x < width; ++x, bgr += 3) {
        const std::uint32_t slot = colourSlot(bgr[2], bgr[1], bgr[0]);
        if (isKnown(slot)) {
            indices[x] = answers[slot];
        } else {
            unknown.add(list, slot);
        }
    }
}

void PerceptualNearestIndex::answerKnownRow(const std::uint8_t* bgr, int width,
                                            std::uint8_t* indices) const {
    const auto* answers = tables_->answers.as<std::uint8_t>();
    for (int x = 0; x < width; ++x, bgr += 3)
        indices[x] = answers[colourSlot(bgr[2], bgr[1], bgr[0])];
}

UnknownColours::UnknownColours(int lists, std::size_t mostPerList)
    : mostPerList_(mostPerList),
      slots_(static_cast<std::size_t>(lists) * mostPerList * sizeof(std::uint32_t)),
      counts_(static_cast<std::size_t>(lists)) {}

bool UnknownColours::empty() const {
    return std::all_of(counts_.begin(), counts_.end(), [](const Count& c) { return c.value == 0; });
}

// A counting sort by block.
PerceptualNearestIndex::ColoursByBlock PerceptualNearestIndex::groupedByBlock(
    const UnknownColours& colours) {
    std::vector<std::uint32_t> starts(kBlocks + 1, 0);
    std::size_t count = 0;
    for (std::size_t i = 0; i < colours.listCount(); ++i) {
        count += colours.list(i).size();
        for (const std::uint32_t slot : colours.list(i))
            ++starts[blockOf(slot) + 1];
    }
    for (std::size_t i = 1; i <= kBlocks; ++i)
        starts[i] += starts[i - 1];
    ColoursByBlock grouped{ZeroedBlock(count * sizeof(std::uint32_t)), {}, {}};
    grouped.colours = {grouped.colourBlock.as<std::uint32_t>(), count};
    std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
    for (std::size_t i = 0; i < colours.listCount(); ++i) {
        for (const std::uint32_t slot : colours.list(i))
            grouped.colours[next[blockOf(slot)]++] = slot;
    }
    grouped.starts.push_back(0);
    for (std::size_t i = 1; i <= kBlocks; ++i) {
        if (starts[i] != starts[i - 1]) grouped.starts.push_back(starts[i]);
    }
    return grouped;
}

void PerceptualNearestIndex::learn(const UnknownColours& colours, int threads,
                                   const ProgressFn& progress) {
    const ColoursByBlock grouped = groupedByBlock(colours);
    std::atomic<std::size_t> next{0};
    runInParts(threads,
               [&](int part) { learnBlocks(grouped, next, part == 0 ? &progress : nullptr); });
    auto* known = tables_->known.as<std::uint64_t>();
    knowsAny_ = knowsAny_ || !grouped.colours.empty();
    for (const std::uint32_t slot : grouped.colours)
        known[slot >> 6] |= std::uint64_t{1} << (slot & 63);
}

// Takes blocks until none are left; answers only the block's colours, so that threads never
// write the same byte, and leaves the known bits to the caller.
void PerceptualNearestIndex::learnBlocks(const ColoursByBlock& grouped,
                                         std::atomic<std::size_t>& next,
                                         const ProgressFn* progress) const {
    const std::size_t blocks = grouped.starts.size() - 1;
    ListStorage storage;
    std::array<std::uint32_t, kColoursPerBlock> distinct;
    std::size_t hint = 0;
    int reported = -1;
    for (std::size_t block = next++; block < blocks; block = next++) {
        const int percent = rowPercent(static_cast<int>(block), static_cast<int>(blocks));
        if (progress != nullptr && percent != reported) report(*progress, reported = percent);
        learnBlock(onceEach(grouped, block, distinct), storage, hint);
    }
}

// The colours of a block of `grouped`, each once, by rising colourSlot(): one after another they
// differ in a channel by a step or two, so the last one's answer is a good hint.
std::span<const std::uint32_t> PerceptualNearestIndex::onceEach(const ColoursByBlock& grouped,
                                                                std::size_t block,
                                                                std::span<std::uint32_t> distinct) {
    std::array<std::uint64_t, kColoursPerBlock / 64> seen{};
    for (std::uint32_t i = grouped.starts[block]; i < grouped.starts[block + 1]; ++i) {
        const std::uint32_t inner = grouped.colours[i] % kColoursPerBlock;
        seen[inner >> 6] |= std::uint64_t{1} << (inner & 63);
    }
    const std::uint32_t base = grouped.colours[grouped.starts[block]] >> (3 * kBlockShift)
                                                                             << (3 * kBlockShift);
    std::size_t count = 0;
    for (std::uint32_t word = 0; word < seen.size(); ++word) {
        for (std::uint64_t bits = seen[word]; bits != 0; bits &= bits - 1)
            distinct[count++] =
                base | word << 6 | static_cast<std::uint32_t>(std::countr_zero(bits));
    }
    return {distinct.data(), count};
}

void PerceptualNearestIndex::learnBlock(std::span<const std::uint32_t> colours,
                                        ListStorage& storage, std::size_t& hint) const {
    CandidateList list;
    const std::uint32_t first = colours.front();
    if (distance_ == ColourDistance::Ciede2000 &&
        colours.size() >= static_cast<std::size_t>(kSearchesBeforeAList)) {
        list = sortCandidates(redOf(first), greenOf(first), blueOf(first), storage);
    }
    auto* answers = tables_->answers.as<std::uint8_t>();
    if (distance_ == ColourDistance::Ciede2000) {
        // The conversions first, in one run: they do not wait on each other.
        std::array<HuedPoint, kColoursPerBlock> points;
        for (std::size_t i = 0; i < colours.size(); ++i)
            points[i] =
                huedPointOf(cielabOf(redOf(colours[i]), greenOf(colours[i]), blueOf(colours[i])));
        for (std::size_t i = 0; i < colours.size(); ++i) {
            hint = nearestCiede2000(points[i], list, hint);
            answers[colours[i]] = byLightness_[hint].index;
        }
        return;
    }
    for (const std::uint32_t slot : colours) {
        hint = nearestOklab(redOf(slot), greenOf(slot), blueOf(slot), hint);
        answers[slot] = byLightness_[hint].index;
    }
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
    const double line = clearLine(bestHigh);
    if (ciede2000SquaredLowerBound(query, entry.hued, line) > line) return;
    const KeyInterval key = ciede2000SquaredInterval(query.point, entry.hued.point, bestHigh);
    if (key.low > bestHigh) return;  // another entry is surely nearer
    items[count++] = {key, position};
    bestHigh = std::min(bestHigh, key.high);
}

void PerceptualNearestIndex::Contenders::addFirst(const CielabPoint& query, const Entry& entry,
                                                  std::size_t position) {
    const KeyInterval key = ciede2000SquaredInterval(query, entry.hued.point);
    items[count++] = {key, position};
    bestHigh = key.high;
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

std::uint8_t PerceptualNearestIndex::search(int red, int green, int blue, std::uint32_t slot) {
    const CandidateList list =
        distance_ == ColourDistance::Ciede2000 ? candidatesFor(red, green, blue) : CandidateList{};
    hint_ = nearestPosition(red, green, blue, list, hint_);
    return remember(slot, hint_);
}

// Where in byLightness_ the colour's nearest entry stands; `hint` is where the last one did.
std::size_t PerceptualNearestIndex::nearestPosition(int red, int green, int blue,
                                                    const CandidateList& list,
                                                    std::size_t hint) const {
    if (distance_ == ColourDistance::Ciede2000)
        return nearestCiede2000(huedPointOf(cielabOf(red, green, blue)), list, hint);
    return nearestOklab(red, green, blue, hint);
}

std::size_t PerceptualNearestIndex::nearestCiede2000(const HuedPoint& point,
                                                     const CandidateList& list,
                                                     std::size_t hint) const {
    Contenders found;
    found.addFirst(point.point, byLightness_[hint], hint);
    if (list.count == 0) {
        walkByLightness(point, hint, found);
    } else {
        walkCandidates(point, list, hint, found);
    }
    return settle(point.point, found);
}

std::size_t PerceptualNearestIndex::nearestOklab(int red, int green, int blue,
                                                 std::size_t hint) const {
    const LabColour query = oklabOf(red, green, blue);
    Best best{std::numeric_limits<double>::infinity(), kPaletteEntries, 0};
    consider(query, hint, best);
    walkByNeighbours(query, hint, best);
    return best.position;
}

std::uint8_t PerceptualNearestIndex::remember(std::uint32_t slot, std::size_t position) {
    tables_->known.as<std::uint64_t>()[slot >> 6] |= std::uint64_t{1} << (slot & 63);
    knowsAny_ = true;
    const std::uint8_t answer = byLightness_[position].index;
    tables_->answers.as<std::uint8_t>()[slot] = answer;
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
        std::unique_ptr<ColourAnswers> tables =
            kept.index ? std::move(*kept.index).takeTables() : nullptr;
        kept.index.reset();
        kept.index = std::make_unique<PerceptualNearestIndex>(entries, distance, std::move(tables));
        std::copy(std::begin(entries), std::end(entries), kept.colours.begin());
        kept.distance = distance;
    }
    return *kept.index;
}

}  // namespace tessora
