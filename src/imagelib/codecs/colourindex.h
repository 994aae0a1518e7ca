#pragma once
// An exact table of up to 256 colours with a fast colour-to-index lookup, for storing a
// true-colour picture of few colours (a bead chart) losslessly in an indexed format.

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "imagelib/codecs/dibaccess.h"

namespace tessora {

class ColourIndex {
  public:
    static constexpr int kMaxColours = 256;

    ColourIndex();

    // The index of `colour`, added when new; nullopt when the table is full.
    std::optional<std::uint8_t> add(Rgb colour);
    // The index of a colour known to be in the table.
    std::uint8_t find(Rgb colour) const {
        return static_cast<std::uint8_t>(slots_[key(colour)] - 1);
    }
    const std::vector<Rgb>& colours() const { return colours_; }

    // The same for a row of `width` blue-green-red pixels, `step` bytes apart (3 or 4): false
    // when the table is full before the row's last colour.
    bool addBgrRow(const std::uint8_t* pixels, int step, int width);
    // Indices of such a row, all of whose colours are in the table.
    void findBgrRow(const std::uint8_t* pixels, int step, int width, std::uint8_t* indices) const;

  private:
    // Blue, green and red as they lie in memory.
    static std::uint32_t key(Rgb c) {
        return std::uint32_t{c.b} | std::uint32_t{c.g} << 8 | std::uint32_t{c.r} << 16;
    }
    static std::uint32_t keyAt(const std::uint8_t* bgr) {
        return std::uint32_t{bgr[0]} | std::uint32_t{bgr[1]} << 8 | std::uint32_t{bgr[2]} << 16;
    }
    std::optional<std::uint8_t> addKey(std::uint32_t k);

    struct Free {
        void operator()(std::uint16_t* p) const { std::free(p); }
    };
    // Index + 1 of every colour, 0 where absent: one slot per 24-bit colour, so a look-up is a
    // single load. The 32 MiB are reserved, not touched: only the pages of present colours are.
    std::unique_ptr<std::uint16_t[], Free> slots_;
    std::vector<Rgb> colours_;
};

// The colours of a picture in order of first appearance (top row first), nullopt when it
// has more than 256.
std::optional<ColourIndex> collectColours(const dib& d);

}  // namespace tessora
