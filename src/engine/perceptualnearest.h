#pragma once
// The nearest palette entry of a colour under a perceptual distance (CIEDE2000 or OKLab):
// smallest distance over all 256 entries, the lowest index among equally near entries, always
// the answer of the plain search. Each colour is searched once and its answer kept, since a
// photograph repeats its colours and the calculate command runs again and again.

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "engine/ciede2000lowerbound.h"
#include "engine/colourdistance.h"
#include "imagelib/imagelib.h"
#include "imagelib/memory.h"

namespace tessora {

// A block that starts as zeros and costs no memory page until it is written.
class ZeroedBlock {
  public:
    explicit ZeroedBlock(std::size_t bytes);
    ~ZeroedBlock() { GlobalFree(handle_); }
    ZeroedBlock(ZeroedBlock&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
    ZeroedBlock(const ZeroedBlock&) = delete;
    ZeroedBlock& operator=(const ZeroedBlock&) = delete;
    ZeroedBlock& operator=(ZeroedBlock&&) = delete;
    template <class T>
    T* as() const {
        return reinterpret_cast<T*>(handle_);
    }

  private:
    std::uintptr_t handle_;
};

// A colour's place in the index: the 8 × 8 × 8 blocks of the RGB cube one after another, so that
// a picture's similar colours share cache lines and memory pages.
inline std::uint32_t colourSlot(int red, int green, int blue) {
    const auto r = static_cast<std::uint32_t>(red), g = static_cast<std::uint32_t>(green),
               b = static_cast<std::uint32_t>(blue);
    return (r >> 3) << 19 | (g >> 3) << 14 | (b >> 3) << 9 | (r & 7) << 6 | (g & 7) << 3 | (b & 7);
}

// Colours of a picture the index lacks, by colourSlot(), as often as they occur: learn() takes
// each once. Rows can be gathered on several threads at once, each into a list of its own.
class UnknownColours {
  public:
    // `lists` threads, none with more than `mostPerList` pixels to look at.
    UnknownColours(int lists, std::size_t mostPerList);
    void add(int list, std::uint32_t slot) {
        std::size_t& count = counts_[static_cast<std::size_t>(list)].value;
        slots_.as<std::uint32_t>()[static_cast<std::size_t>(list) * mostPerList_ + count++] = slot;
    }
    std::size_t listCount() const { return counts_.size(); }
    std::span<const std::uint32_t> list(std::size_t list) const {
        return {slots_.as<std::uint32_t>() + list * mostPerList_, counts_[list].value};
    }
    bool empty() const;

  private:
    struct alignas(64) Count {  // a cache line each, as threads count at once
        std::size_t value = 0;
    };
    std::size_t mostPerList_;
    ZeroedBlock slots_;  // list i from i × mostPerList_ on: huge pages, where a vector's small
                         // ones would each cost a fault
    std::vector<Count> counts_;
};

// What an index holds per colour: whether it knows the colour, and its answer.
struct ColourAnswers {
    ColourAnswers();
    ZeroedBlock known;    // one bit per colour
    ZeroedBlock answers;  // one palette index per colour, read only where known
};

class PerceptualNearestIndex {
  public:
    // `distance` is CIEDE2000 or OKLab. Takes a copy of the colours. The tables of an index of
    // other colours, if given, are taken over: clearing their 2 MiB of known bits is quicker
    // than 18 MiB of fresh pages.
    PerceptualNearestIndex(const PalEntry (&entries)[kPaletteEntries], ColourDistance distance,
                           std::unique_ptr<ColourAnswers> recycled = nullptr);
    // The tables, for the next index; this one is of no use after.
    std::unique_ptr<ColourAnswers> takeTables() && { return std::move(tables_); }

    std::uint8_t find(int red, int green, int blue) {
        const std::uint32_t slot = colourSlot(red, green, blue);
        if (isKnown(slot)) return tables_->answers.as<std::uint8_t>()[slot];
        return search(red, green, blue, slot);
    }

    // find() for `width` pixels of blue, green and red bytes.
    void findRow(const std::uint8_t* bgr, int width, std::uint8_t* indices);
    // The same for the pixels whose colours the index knows; the others' go to `unknown`'s
    // list `list`.
    void findKnownRow(const std::uint8_t* bgr, int width, std::uint8_t* indices,
                      UnknownColours& unknown, int list = 0) const;
    // findRow() once learn() has answered every colour of the row; safe on several threads.
    void answerKnownRow(const std::uint8_t* bgr, int width, std::uint8_t* indices) const;

    // Answers `colours` (none known yet) on up to `threads` threads, block of the RGB cube by
    // block, so that a block's candidates are sorted once for all its colours. `progress` hears
    // from this thread.
    void learn(const UnknownColours& colours, int threads, const ProgressFn& progress);

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
        // The first entry, which no bound can rule out yet.
        void addFirst(const CielabPoint& query, const Entry& entry, std::size_t position);
    };

    // A block's entries with their lower bounds over the block, the first `sorted` by rising
    // bound and the rest no lower; none (count 0) where the walk by lightness is cheaper.
    struct CandidateList {
        const std::uint16_t* positions = nullptr;
        const double* lowerBounds = nullptr;
        std::size_t count = 0;
        std::size_t sorted = 0;
    };
    struct ListStorage {
        std::array<std::uint16_t, kPaletteEntries> positions;
        std::array<double, kPaletteEntries> lowerBounds;
    };
    // Colours grouped by block: colours[starts[i]] up to colours[starts[i + 1]] share one.
    struct ColoursByBlock {
        ZeroedBlock colourBlock;
        std::span<std::uint32_t> colours;
        std::vector<std::uint32_t> starts;
    };

    bool isKnown(std::uint32_t slot) const {
        return (tables_->known.as<std::uint64_t>()[slot >> 6] >> (slot & 63) & 1) != 0;
    }
    void findNeighbours();
    std::uint8_t search(int red, int green, int blue, std::uint32_t slot);
    std::size_t nearestPosition(int red, int green, int blue, const CandidateList& list,
                                std::size_t hint) const;
    std::size_t nearestCiede2000(const HuedPoint& point, const CandidateList& list,
                                 std::size_t hint) const;
    std::size_t nearestOklab(int red, int green, int blue, std::size_t hint) const;
    void prepareBlocks();
    CandidateList candidatesFor(int red, int green, int blue);
    CandidateList sortCandidates(int red, int green, int blue, ListStorage& storage) const;
    void walkByLightness(const HuedPoint& query, std::size_t hint, Contenders& found) const;
    void walkCandidates(const HuedPoint& query, const CandidateList& list, std::size_t hint,
                        Contenders& found) const;
    std::uint8_t remember(std::uint32_t slot, std::size_t position);
    std::size_t settle(const CielabPoint& query, const Contenders& found) const;
    void walkByNeighbours(const LabColour& query, std::size_t hinted, Best& best) const;
    void consider(const LabColour& query, std::size_t position, Best& best) const;
    static ColoursByBlock groupedByBlock(const UnknownColours& colours);
    void learnBlocks(const ColoursByBlock& grouped, std::atomic<std::size_t>& next,
                     const ProgressFn* progress) const;
    // `distinct` holds a block's colours.
    static std::span<const std::uint32_t> onceEach(const ColoursByBlock& grouped, std::size_t block,
                                                   std::span<std::uint32_t> distinct);
    void learnBlock(std::span<const std::uint32_t> colours, ListStorage& storage,
                    std::size_t& hint) const;

    ColourDistance distance_;
    // The first occurrence of every colour, by lightness.
    std::vector<Entry> byLightness_;
    // CIEDE2000, for find(): per block of the RGB cube, where its candidate list starts in
    // `candidates_`, or up to zero, the searches it had so far. A list is its length and how many
    // of it are sorted, then its positions in byLightness_; `lowerBounds_` holds the bounds beside.
    std::vector<std::int32_t> blockLists_;
    std::vector<std::uint16_t> candidates_;  // 256 distinct colours need more than a byte
    std::vector<double> lowerBounds_;
    // OKLab: per entry, the other entries by their distance from it, nearest first.
    std::vector<std::vector<Neighbour>> neighbours_;
    std::size_t hint_ = 0;  // where the last answer stood: neighbouring beads are alike
    std::unique_ptr<ColourAnswers> tables_;
    bool knowsAny_ = false;  // a new index skips the look at its known bits
};

// The index of `entries` under `distance` (CIEDE2000 or OKLab), kept on this thread while the
// colours and the distance stay the same.
PerceptualNearestIndex& perceptualIndexFor(const PalEntry (&entries)[kPaletteEntries],
                                           ColourDistance distance);

}  // namespace tessora
