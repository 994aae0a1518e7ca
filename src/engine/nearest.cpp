#include "engine/nearest.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>

namespace tessora {
namespace {

// Shifts of the list levels: cells of 32, 16 and 8 colours on a side.
constexpr std::array<int, 3> kListShifts{5, 4, 3};

int squaredDistance(int dr, int dg, int db) {
    return dr * dr + dg * dg + db * db;
}

// Distance from a colour value to the nearest and the farthest value of [low, high].
int nearestOffset(int value, int low, int high) {
    return std::max(0, std::max(low - value, value - high));
}
int farthestOffset(int value, int low, int high) {
    return std::max(value - low, high - value);
}

std::size_t cellCount(int shift) {
    return std::size_t{1} << (3 * (8 - shift));
}

}  // namespace

std::uint8_t nearestIndexBruteForce(const PalEntry (&entries)[kPaletteEntries], int red, int green,
                                    int blue) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < kPaletteEntries; ++i) {
        const PalEntry& e = entries[i];
        const int d = squaredDistance(e.peRed - red, e.peGreen - green, e.peBlue - blue);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

NearestColorIndex::NearestColorIndex(const PalEntry (&entries)[kPaletteEntries])
    : lists_{0}, blockOfCell_(cellCount(kCellShift)) {
    // A repeated colour can never win over its first occurrence, so only first occurrences
    // take part.
    for (int i = 0; i < kPaletteEntries; ++i) {
        const PalEntry& e = entries[i];
        const bool seen = std::any_of(distinct_.begin(), distinct_.end(), [&](const auto& d) {
            return d.red == e.peRed && d.green == e.peGreen && d.blue == e.peBlue;
        });
        if (seen) continue;
        allColours_.push_back(static_cast<std::uint16_t>(distinct_.size()));
        distinct_.push_back({e.peRed, e.peGreen, e.peBlue, static_cast<std::uint8_t>(i)});
    }
    for (const int shift : kListShifts)
        levels_.push_back({shift, ZeroedTable(cellCount(shift))});
    singleBlock_.fill(kUnknown);
    // Room for a block per cell and per colour, so the blocks never move: growing by copying
    // cost more than the blocks themselves. Pages are only taken when blocks are written.
    answers_.reserve((cellCount(kCellShift) + kPaletteEntries + 1) * kCellColours);
    answers_.resize(kCellColours);  // the block at position 0, never handed out
}

std::uint32_t NearestColorIndex::decideCell(int red, int green, int blue) {
    constexpr int kMask = ~(kCellSide - 1);
    const Box box{red & kMask, green & kMask, blue & kMask, kCellSide};
    const auto parent = listOf(static_cast<int>(levels_.size()) - 1, red, green, blue);
    Candidates kept;
    if (parent.size() == 1) {
        kept.position[0] = parent[0];
        kept.count = 1;
    } else {
        keepPossibleWinners(box, parent, kept);
    }
    const std::uint32_t block = kept.count == 1
                                    ? singleColourBlock(distinct_[kept.position[0]].index)
                                    : borderBlock(box, kept);
    blockOfCell_[static_cast<std::size_t>(cellOf(red, green, blue))] = block;
    return block;
}

void NearestColorIndex::findRow(const std::uint8_t* bgr, int width, std::uint8_t* indices) {
    for (int x = 0; x < width; ++x, bgr += 3)
        indices[x] = find(bgr[2], bgr[1], bgr[0]);
}

std::span<const std::uint16_t> NearestColorIndex::listOf(int level, int red, int green, int blue) {
    ListLevel& cells = levels_[static_cast<std::size_t>(level)];
    const auto cell = static_cast<std::size_t>(cellIndex(cells.shift, red, green, blue));
    if (cells.list[cell] == kUnknown) {
        const int mask = ~((1 << cells.shift) - 1);
        const Box box{red & mask, green & mask, blue & mask, 1 << cells.shift};
        Candidates kept;
        keepPossibleWinners(
            box, level == 0 ? std::span(allColours_) : listOf(level - 1, red, green, blue), kept);
        cells.list[cell] = static_cast<std::uint32_t>(lists_.size());
        lists_.push_back(static_cast<std::uint16_t>(kept.count));
        lists_.insert(lists_.end(), kept.position.begin(), kept.position.begin() + kept.count);
    }
    const std::uint32_t at = cells.list[cell];
    return {lists_.data() + at + 1, lists_[at]};
}

// A colour can be nearest somewhere in the box only if the box's nearest point to it is no
// farther than the box's farthest point from the best colour. Equally near colours pass too,
// so the lowest index still wins among the survivors. The bound only falls, so a colour beyond
// it is dropped at once and the few that pass are checked against the final bound.
void NearestColorIndex::keepPossibleWinners(const Box& box, std::span<const std::uint16_t> from,
                                            Candidates& kept) const {
    std::array<int, kPaletteEntries> nearest;
    const int last = box.side - 1;
    int bound = std::numeric_limits<int>::max();
    int passed = 0;
    for (const std::uint16_t position : from) {
        const CandidateColour& c = distinct_[position];
        bound =
            std::min(bound, squaredDistance(farthestOffset(c.red, box.red, box.red + last),
                                            farthestOffset(c.green, box.green, box.green + last),
                                            farthestOffset(c.blue, box.blue, box.blue + last)));
        const int d = squaredDistance(nearestOffset(c.red, box.red, box.red + last),
                                      nearestOffset(c.green, box.green, box.green + last),
                                      nearestOffset(c.blue, box.blue, box.blue + last));
        if (d > bound) continue;
        nearest[static_cast<std::size_t>(passed)] = d;
        kept.position[static_cast<std::size_t>(passed++)] = position;
    }
    kept.count = 0;
    for (int k = 0; k < passed; ++k) {
        if (nearest[static_cast<std::size_t>(k)] <= bound)
            kept.position[static_cast<std::size_t>(kept.count++)] = kept.position[k];
    }
}

std::uint32_t NearestColorIndex::singleColourBlock(std::uint8_t index) {
    std::uint32_t& block = singleBlock_[index];
    if (block == kUnknown) {
        block = static_cast<std::uint32_t>(answers_.size());
        answers_.insert(answers_.end(), kCellColours, index);
    }
    return block;
}

// The pruning keeps every colour that might win somewhere; where one of them wins everywhere
// after all, the cell shares that colour's block.
std::uint32_t NearestColorIndex::borderBlock(const Box& box, const Candidates& candidates) {
    std::array<CandidateColour, kPaletteEntries> colours;
    for (int k = 0; k < candidates.count; ++k)
        colours[static_cast<std::size_t>(k)] = distinct_[candidates.position[k]];
    std::array<std::uint8_t, kCellColours> answers;
    nearestInCell({box.red, box.green, box.blue},
                  std::span(colours.data(), static_cast<std::size_t>(candidates.count)), answers);
    if (std::all_of(answers.begin(), answers.end(),
                    [&](std::uint8_t i) { return i == answers[0]; }))
        return singleColourBlock(answers[0]);
    const auto block = static_cast<std::uint32_t>(answers_.size());
    answers_.insert(answers_.end(), answers.begin(), answers.end());
    return block;
}

NearestColorIndex& nearestIndexFor(const PalEntry (&entries)[kPaletteEntries]) {
    struct Kept {
        std::array<PalEntry, kPaletteEntries> colours{};
        std::unique_ptr<NearestColorIndex> index;
    };
    thread_local Kept kept;
    const bool sameColours =
        kept.index && std::equal(kept.colours.begin(), kept.colours.end(), std::begin(entries),
                                 [](const PalEntry& a, const PalEntry& b) {
                                     return a.peRed == b.peRed && a.peGreen == b.peGreen &&
                                            a.peBlue == b.peBlue;
                                 });
    if (!sameColours) {
        kept.index.reset();  // the old table goes before the new one is built
        kept.index = std::make_unique<NearestColorIndex>(entries);
        std::copy(std::begin(entries), std::end(entries), kept.colours.begin());
    }
    return *kept.index;
}

}  // namespace tessora
