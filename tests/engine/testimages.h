#pragma once
// Small images built in code for the engine tests. Each owns its record.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "imagelib/imagelib.h"
#include "imagelib/imagesize.h"

namespace tessora::test {

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
};

inline std::uint32_t colorValue(Rgb c) {
    return static_cast<std::uint32_t>(c.red | c.green << 8 | c.blue << 16);
}

class OwnedDib {
  public:
    OwnedDib() = default;
    explicit OwnedDib(const dib& d) : d_(d) {}
    ~OwnedDib() { FreeDib(d_); }
    OwnedDib(const OwnedDib&) = delete;
    OwnedDib& operator=(const OwnedDib&) = delete;
    dib& operator*() { return d_; }
    const dib& get() const { return d_; }

  private:
    dib d_{};
};

// A 24-bit picture; `colour(x, y)` with y counted from the top.
inline dib picture24(int width, int height, const std::function<Rgb(int, int)>& colour) {
    dib d{};
    newdib(&d, width, height, 24, nullptr, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            setpixel(d, x, y, colorValue(colour(x, y)));
    return d;
}

// Colour of pixel (x, y from the top) of a 24-bit picture.
inline Rgb rgbAt(const dib& d, int x, int y) {
    const std::uint32_t v = getpixel(d, x, y);
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
            static_cast<int>((v >> 16) & 0xFF)};
}

// An indexed picture whose colour table and palette hold `colours`.
inline dib indexedPicture(int width, int height, int bits, const std::vector<Rgb>& colours) {
    BitmapInfoHeader header[1 + 256]{};  // room for the header and a table of 256 quads
    auto* table = reinterpret_cast<RgbQuad*>(header + 1);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        table[i] = RgbQuad{static_cast<std::uint8_t>(colours[i].blue),
                           static_cast<std::uint8_t>(colours[i].green),
                           static_cast<std::uint8_t>(colours[i].red), 0};
    }
    dib d{};
    newdib(&d, width, height, bits, header, static_cast<int>(colours.size()));
    return d;
}

inline std::array<bool, 64> ticks(std::initializer_list<int> selected) {
    std::array<bool, 64> result{};
    for (const int i : selected)
        result[static_cast<std::size_t>(i)] = true;
    return result;
}

inline std::array<bool, 64> allTicks() {
    std::array<bool, 64> result{};
    result.fill(true);
    return result;
}

}  // namespace tessora::test
