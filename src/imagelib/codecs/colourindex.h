#pragma once
// An exact table of up to 256 colours with a fast colour-to-index lookup, for storing a
// true-colour picture of few colours (a bead chart) losslessly in an indexed format.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "imagelib/codecs/dibaccess.h"

namespace tessora {

class ColourIndex {
  public:
    static constexpr int kMaxColours = 256;

    // The index of `colour`, added when new; nullopt when the table is full.
    std::optional<std::uint8_t> add(Rgb colour);
    // The index of a colour known to be in the table.
    std::uint8_t find(Rgb colour) const;
    const std::vector<Rgb>& colours() const { return colours_; }

  private:
    static constexpr std::size_t kSlots = 1024;  // power of two, load at most a quarter
    static std::uint32_t key(Rgb c) {
        return (std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b) + 1;
    }
    std::size_t slotOf(std::uint32_t k) const;

    std::array<std::uint32_t, kSlots> keys_{};  // 0: empty slot
    std::array<std::uint8_t, kSlots> values_{};
    std::vector<Rgb> colours_;
};

// The colours of a picture in order of first appearance (top row first), nullopt when it
// has more than 256.
std::optional<ColourIndex> collectColours(const dib& d);

}  // namespace tessora
