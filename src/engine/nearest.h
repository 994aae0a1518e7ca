#pragma once
// The nearest palette entry of a colour: smallest sum of squared red, green and blue
// differences over all 256 entries, the lowest index among equally near entries. Both colour
// methods ask it once per bead, so it answers from a colour grid and a cache, and its answer is
// always the one of the plain search over all entries.

#include <cstdint>
#include <vector>

#include "imagelib/dib.h"

namespace tessora {

constexpr int kPaletteEntries = 256;

// The plain search: every entry, lowest index among equals.
std::uint8_t nearestIndexBruteForce(const PalEntry (&entries)[kPaletteEntries], int red, int green,
                                    int blue);

// Answers from two grids over the colour cube. A coarse cell (8 x 8 x 8 colours) lists the
// colours that can be nearest somewhere in it; a fine cell (4 x 4 x 4) that only one of them
// can win holds that answer directly. Cells are worked out when first asked.
class NearestColorIndex {
  public:
    // Takes a copy of the colours; later changes of `entries` are not seen.
    explicit NearestColorIndex(const PalEntry (&entries)[kPaletteEntries]);

    // Red, green and blue 0 to 255.
    std::uint8_t find(int red, int green, int blue) {
        const std::uint32_t key = packColor(red, green, blue);
        if (key == lastKey_) return lastIndex_;
        const int fine = fineCellOf(red, green, blue);
        std::uint32_t answer = fineAnswers_[fine];
        if (answer == kUnknown) answer = decideFineCell(fine, red, green, blue);
        lastKey_ = key;
        lastIndex_ = answer < kPaletteEntries
                         ? static_cast<std::uint8_t>(answer)
                         : searchList(fineLists_[answer - kPaletteEntries], red, green, blue);
        return lastIndex_;
    }

  private:
    static constexpr int kCoarseBits = 3;
    static constexpr int kFineBits = 2;
    static constexpr int kCoarsePerAxis = 256 >> kCoarseBits;
    static constexpr int kFinePerAxis = 256 >> kFineBits;
    // A fine cell's entry: a palette index, kUnknown, or kPaletteEntries + the number of its
    // list of possible winners when more than one colour can win there.
    static constexpr std::uint32_t kUnknown = 0xFFFFFFFFu;

    struct Distinct {
        std::int16_t red, green, blue;
        std::uint8_t index;  // lowest palette index of this colour
    };
    struct CandidateList {
        std::uint32_t first = 0;  // in candidates_
        std::uint32_t count = 0;
    };
    struct CoarseCell {
        CandidateList list;
        bool built = false;
    };
    struct Box {
        int red, green, blue;  // lowest corner
        int side;              // colours per axis
    };

    static std::uint32_t packColor(int red, int green, int blue) {
        return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
               static_cast<std::uint32_t>(blue) << 16;
    }
    static int fineCellOf(int red, int green, int blue) {
        return ((red >> kFineBits) * kFinePerAxis + (green >> kFineBits)) * kFinePerAxis +
               (blue >> kFineBits);
    }

    const CoarseCell& coarseCellOf(int red, int green, int blue);
    std::uint32_t decideFineCell(int fine, int red, int green, int blue);
    std::uint8_t searchList(const CandidateList& list, int red, int green, int blue) const;
    // Positions (in distinct_) among `from` that can be nearest somewhere in `box`.
    void keepPossibleWinners(const Box& box, const std::uint8_t* from, int count,
                             std::vector<std::uint8_t>& to) const;

    std::vector<Distinct> distinct_;  // in order of their lowest index
    std::vector<std::uint8_t> allDistinct_;
    std::vector<CoarseCell> coarse_;
    std::vector<std::uint8_t> candidates_;  // positions in distinct_, lists of the cells
    std::vector<std::uint32_t> fineAnswers_;
    std::vector<CandidateList> fineLists_;
    std::vector<std::uint8_t> coarseCopy_;
    std::uint32_t lastKey_ = 0xFFFFFFFFu;  // no colour packs to this
    std::uint8_t lastIndex_ = 0;
};

}  // namespace tessora
