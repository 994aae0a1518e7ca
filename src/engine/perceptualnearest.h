#pragma once
// The nearest palette entry of a colour under a perceptual distance (CIEDE2000 or OKLab):
// smallest distance over all 256 entries, the lowest index among equally near entries, always
// the answer of the plain search. Each colour is searched once and its answer kept, since a
// photograph repeats its colours and the calculate command runs again and again.

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/ciede2000lowerbound.h"
#include "engine/colourdistance.h"
#include "imagelib/memory.h"

namespace tessora {

// A block that starts as zeros and costs no memory page until it is written.
class ZeroedBlock {
  public:
    explicit ZeroedBlock(std::size_t bytes);
    ~ZeroedBlock() { GlobalFree(handle_); }
    ZeroedBlock(const ZeroedBlock&) = delete;
    ZeroedBlock& operator=(const ZeroedBlock&) = delete;
    template <class T>
    T* as() const {
        return reinterpret_cast<T*>(handle_);
    }

  private:
    std::uintptr_t handle_;
};

class PerceptualNearestIndex {
  public:
    // `distance` is CIEDE2000 or OKLab. Takes a copy of the colours.
    PerceptualNearestIndex(const PalEntry (&entries)[kPaletteEntries], ColourDistance distance);

    std::uint8_t find(int red, int green, int blue) {
        const auto key = static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
        if ((known_.as<std::uint64_t>()[key >> 6] >> (key & 63) & 1) != 0)
            return answers_.as<std::uint8_t>()[key];
        return search(red, green, blue, key);
    }

    // find() for `width` pixels of blue, green and red bytes.
    void findRow(const std::uint8_t* bgr, int width, std::uint8_t* indices);

    bool knows(int red, int green, int blue) const {
        const auto key = static_cast<std::uint32_t>(red << 16 | green << 8 | blue);
        return (known_.as<std::uint64_t>()[key >> 6] >> (key & 63) & 1) != 0;
    }
    // Takes the answers of an index of the same colours and distance that this one lacks.
    void adopt(const PerceptualNearestIndex& other);

  private:
    struct Entry {
        LabColour colour;
        std::uint8_t index;
        HuedPoint hued;  // CIELAB with chroma and hue, for ΔE00
    };
    struct Best {
        double key;
        int index;
        std::size_t position;
    };

    struct Neighbour {
        double distance;
        std::size_t position;
    };

    // CIEDE2000: the entries that may be nearest, with the intervals their distances lie in.
    struct Contender {
        KeyInterval key;
        std::size_t position;
    };
    struct Contenders {
        std::array<Contender, kPaletteEntries> items;
        std::size_t count = 0;
        double bestHigh = HUGE_VAL;  // the least upper end so far
        void add(const HuedPoint& query, const Entry& entry, std::size_t position);
    };

    void findNeighbours();
    std::uint8_t search(int red, int green, int blue, std::uint32_t key);
    void prepareBlocks();
    std::int32_t candidatesFor(int red, int green, int blue);
    std::size_t sortedCandidates(int red, int green, int blue);
    void walkByLightness(const HuedPoint& query, Contenders& found) const;
    void walkCandidates(const HuedPoint& query, std::size_t list, Contenders& found) const;
    std::uint8_t remember(std::uint32_t key, std::size_t position);
    std::size_t settle(const CielabPoint& query, const Contenders& found) const;
    void walkByNeighbours(const LabColour& query, std::size_t hinted, Best& best) const;
    void consider(const LabColour& query, std::size_t position, Best& best) const;

    ColourDistance distance_;
    // The first occurrence of every colour, by lightness.
    std::vector<Entry> byLightness_;
    // CIEDE2000: per block of the RGB cube, where its candidate list starts in `candidates_`, or
    // up to zero, the searches it had so far. A list is its length, then positions in
    // byLightness_ by rising lower bound over the block; `lowerBounds_` holds the bounds beside.
    static constexpr std::int32_t kNoList = -1;
    std::vector<std::int32_t> blockLists_;
    std::vector<std::uint16_t> candidates_;  // 256 distinct colours need more than a byte
    std::vector<double> lowerBounds_;
    // OKLab: per entry, the other entries by their distance from it, nearest first.
    std::vector<std::vector<Neighbour>> neighbours_;
    std::size_t hint_ = 0;  // where the last answer stood: neighbouring beads are alike
    ZeroedBlock known_;     // one bit per colour
    ZeroedBlock answers_;   // one palette index per colour
};

// The index of `entries` under `distance` (CIEDE2000 or OKLab), kept on this thread while the
// colours and the distance stay the same.
PerceptualNearestIndex& perceptualIndexFor(const PalEntry (&entries)[kPaletteEntries],
                                           ColourDistance distance);

}  // namespace tessora
