#include "engine/nearest.h"

#include <algorithm>
#include <limits>

namespace tessora {
namespace {

int squaredDistance(int dr, int dg, int db) {
    return dr * dr + dg * dg + db * db;
}

// Distance from a colour value to the nearest and the farthest value of [low, high].
int nearestOffset(int value, int low, int high) {
    if (value < low) return low - value;
    if (value > high) return value - high;
    return 0;
}
int farthestOffset(int value, int low, int high) {
    return std::max(value - low, high - value);
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
    : coarse_(kCoarsePerAxis * kCoarsePerAxis * kCoarsePerAxis),
      fineAnswers_(kFinePerAxis * kFinePerAxis * kFinePerAxis, kUnknown) {
    // A repeated colour can never win over its first occurrence, so only first occurrences
    // take part; the palette of a bead grid has at most 65 different colours.
    for (int i = 0; i < kPaletteEntries; ++i) {
        const PalEntry& e = entries[i];
        const bool seen = std::any_of(distinct_.begin(), distinct_.end(), [&](const Distinct& d) {
            return d.red == e.peRed && d.green == e.peGreen && d.blue == e.peBlue;
        });
        if (!seen) {
            allDistinct_.push_back(static_cast<std::uint8_t>(distinct_.size()));
            distinct_.push_back({e.peRed, e.peGreen, e.peBlue, static_cast<std::uint8_t>(i)});
        }
    }
}

// A colour can be nearest somewhere in the box only if the box's nearest point to it is no
// farther than the box's farthest point from the best colour. Equally near colours pass too,
// so the lowest index still wins among the survivors.
void NearestColorIndex::keepPossibleWinners(const Box& box, const std::uint8_t* from, int count,
                                            std::vector<std::uint8_t>& to) const {
    const int last = box.side - 1;
    int bound = std::numeric_limits<int>::max();
    for (int k = 0; k < count; ++k) {
        const Distinct& d = distinct_[from[k]];
        bound =
            std::min(bound, squaredDistance(farthestOffset(d.red, box.red, box.red + last),
                                            farthestOffset(d.green, box.green, box.green + last),
                                            farthestOffset(d.blue, box.blue, box.blue + last)));
    }
    for (int k = 0; k < count; ++k) {
        const Distinct& d = distinct_[from[k]];
        const int nearest = squaredDistance(nearestOffset(d.red, box.red, box.red + last),
                                            nearestOffset(d.green, box.green, box.green + last),
                                            nearestOffset(d.blue, box.blue, box.blue + last));
        if (nearest <= bound) to.push_back(from[k]);
    }
}

const NearestColorIndex::CoarseCell& NearestColorIndex::coarseCellOf(int red, int green, int blue) {
    const int cr = red >> kCoarseBits, cg = green >> kCoarseBits, cb = blue >> kCoarseBits;
    CoarseCell& cell = coarse_[(cr * kCoarsePerAxis + cg) * kCoarsePerAxis + cb];
    if (!cell.built) {
        cell.list.first = static_cast<std::uint32_t>(candidates_.size());
        const Box box{cr << kCoarseBits, cg << kCoarseBits, cb << kCoarseBits, 1 << kCoarseBits};
        keepPossibleWinners(box, allDistinct_.data(), static_cast<int>(allDistinct_.size()),
                            candidates_);
        cell.list.count = static_cast<std::uint32_t>(candidates_.size() - cell.list.first);
        cell.built = true;
    }
    return cell;
}

std::uint32_t NearestColorIndex::decideFineCell(int fine, int red, int green, int blue) {
    const CandidateList coarse = coarseCellOf(red, green, blue).list;
    constexpr int kMask = ~((1 << kFineBits) - 1);
    const Box box{red & kMask, green & kMask, blue & kMask, 1 << kFineBits};
    CandidateList fineList{static_cast<std::uint32_t>(candidates_.size()), 0};
    // The coarse list is copied first: appending to candidates_ may move it.
    coarseCopy_.assign(candidates_.begin() + coarse.first,
                       candidates_.begin() + coarse.first + coarse.count);
    keepPossibleWinners(box, coarseCopy_.data(), static_cast<int>(coarseCopy_.size()), candidates_);
    fineList.count = static_cast<std::uint32_t>(candidates_.size() - fineList.first);
    std::uint32_t answer = 0;
    if (fineList.count == 1) {
        answer = distinct_[candidates_.back()].index;
        candidates_.pop_back();
    } else {
        answer = kPaletteEntries + static_cast<std::uint32_t>(fineLists_.size());
        fineLists_.push_back(fineList);
    }
    fineAnswers_[fine] = answer;
    return answer;
}

std::uint8_t NearestColorIndex::searchList(const CandidateList& list, int red, int green,
                                           int blue) const {
    const std::uint8_t* candidate = candidates_.data() + list.first;
    const Distinct* best = &distinct_[candidate[0]];
    int bestDistance = squaredDistance(best->red - red, best->green - green, best->blue - blue);
    for (std::uint32_t k = 1; k < list.count; ++k) {
        const Distinct& d = distinct_[candidate[k]];
        const int distance = squaredDistance(d.red - red, d.green - green, d.blue - blue);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &d;
        }
    }
    return best->index;
}

}  // namespace tessora
