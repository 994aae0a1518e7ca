#pragma once
// The nearest palette entry of a colour: smallest sum of squared red, green and blue
// differences over all 256 entries, the lowest index among equally near entries. Both colour
// methods ask it once per bead, so it answers from a table over the colour cube, and its answer
// is always the one of the plain search over all entries.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/nearestcell.h"
#include "engine/zeroedtable.h"
#include "imagelib/dib.h"

namespace tessora {

constexpr int kPaletteEntries = 256;

// The plain search: every entry, lowest index among equals.
std::uint8_t nearestIndexBruteForce(const PalEntry (&entries)[kPaletteEntries], int red, int green,
                                    int blue);

// The colour cube is cut into cells of 4 x 4 x 4 colours, and every cell points to a block of
// the 64 answers of its colours, so a bead costs two look-ups and no comparison. A cell where
// only one palette colour can be nearest shares that colour's block; a cell on a border
// between colours gets a block of its own, searched exactly once per colour in it. A cell is
// worked out when a colour first falls into it, from the short list of colours that can be
// nearest in its enclosing 8-colour cell, which comes from its 16- and 32-colour cells in the
// same way: each level tests only the few colours its parent kept.
class NearestColorIndex {
  public:
    // Takes a copy of the colours; later changes of `entries` are not seen.
    explicit NearestColorIndex(const PalEntry (&entries)[kPaletteEntries]);

    // Red, green and blue 0 to 255.
    std::uint8_t find(int red, int green, int blue) {
        std::uint32_t block = blockOfCell_[cellOf(red, green, blue)];
        if (block == kUnknown) block = decideCell(red, green, blue);
        return answers_[block + colourInCell(red, green, blue)];
    }

    // find() for `width` pixels of blue, green and red bytes.
    void findRow(const std::uint8_t* bgr, int width, std::uint8_t* indices);

  private:
    // 0 marks a cell or list not worked out yet; position 0 of answers_ and lists_ holds a
    // block and a list that are never handed out.
    static constexpr std::uint32_t kUnknown = 0;

    // Lists of the cells of one size; a list is its length followed by positions in distinct_.
    struct ListLevel {
        int shift;         // cells of 1 << shift colours on a side
        ZeroedTable list;  // per cell: position in lists_, or kUnknown
    };
    struct Box {
        int red, green, blue;  // lowest corner
        int side;              // colours per axis
    };
    // Positions in distinct_, in ascending order.
    struct Candidates {
        std::array<std::uint16_t, kPaletteEntries> position;
        int count = 0;
    };

    std::uint32_t decideCell(int red, int green, int blue);
    std::span<const std::uint16_t> listOf(int level, int red, int green, int blue);
    void keepPossibleWinners(const Box& box, std::span<const std::uint16_t> from,
                             Candidates& kept) const;
    std::uint32_t singleColourBlock(std::uint8_t index);
    std::uint32_t borderBlock(const Box& box, const Candidates& candidates);

    // Distinct colours in order of their lowest palette index, so the first of equally near
    // ones is the lowest index; the palette of a bead grid has at most 65.
    std::vector<CandidateColour> distinct_;
    std::vector<std::uint16_t> allColours_;  // every position in distinct_
    std::vector<ListLevel> levels_;          // the largest cells first
    std::vector<std::uint16_t> lists_;       // the lists of all levels
    ZeroedTable blockOfCell_;                // per cell: start of its block in answers_
    std::vector<std::uint8_t> answers_;      // blocks of kCellColours palette indices
    std::array<std::uint32_t, kPaletteEntries> singleBlock_;  // per palette index, or kUnknown
};

// The index of `entries`. The one of the previous call on this thread is kept and handed out
// again while the colours stay the same: the calculate command runs again and again with the
// same bead colours, and every cell worked out before is then ready.
NearestColorIndex& nearestIndexFor(const PalEntry (&entries)[kPaletteEntries]);

}  // namespace tessora
