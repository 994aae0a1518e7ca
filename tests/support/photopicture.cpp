#include "photopicture.h"

#include <algorithm>
#include <array>

#include "imagelib/imagelib.h"

namespace tessora::test {
namespace {

std::uint32_t mix(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

std::uint32_t hashAt(int x, int y, std::uint32_t seed) {
    return mix(static_cast<std::uint32_t>(x) * 0x9E3779B1u ^
               mix(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77u));
}

// Smooth noise 0..255 on a lattice `cell` pixels apart, interpolated with a smoothstep in
// 1/256 steps: blobs and soft shading whose size follows the picture.
int valueNoise(int x, int y, int cell, std::uint32_t seed) {
    const int cx = x / cell, cy = y / cell;
    auto fade = [cell](int offset) {
        const int t = offset * 256 / cell;  // 0..255
        return t * t * (768 - 2 * t) / 65536;
    };
    const int tx = fade(x % cell), ty = fade(y % cell);
    auto corner = [&](int dx, int dy) {
        return static_cast<int>(hashAt(cx + dx, cy + dy, seed) & 0xFF);
    };
    const int top = corner(0, 0) * (256 - tx) + corner(1, 0) * tx;
    const int bottom = corner(0, 1) * (256 - tx) + corner(1, 1) * tx;
    return (top * (256 - ty) + bottom * ty) >> 16;
}

struct Rgb {
    int red, green, blue;
};

Rgb blend(Rgb a, Rgb b, int weight256) {
    return {a.red + (b.red - a.red) * weight256 / 256,
            a.green + (b.green - a.green) * weight256 / 256,
            a.blue + (b.blue - a.blue) * weight256 / 256};
}

// A landscape: sky over ground along a wavy horizon, a few shaded discs, colour drift in
// large blobs, texture that is stronger on the ground, and grain everywhere.
class Scene {
  public:
    Scene(int width, int height, Grain grain, std::uint32_t seed)
        : width_(width),
          height_(height),
          size_(std::max(width, height)),
          grain_(grain),
          seed_(seed) {}

    Rgb at(int x, int y) const {
        const int horizon =
            height_ * 45 / 100 + (valueNoise(x, 0, cell(8), seed_ + 1) - 128) * height_ / 1024;
        Rgb c = y < horizon ? sky(y, horizon) : ground(x, y, horizon);
        c = withDiscs(c, x, y);
        const int drift = cell(4);
        c.red += (valueNoise(x, y, drift, seed_ + 2) - 128) / 3;
        c.green += (valueNoise(x, y, drift, seed_ + 3) - 128) / 3;
        c.blue += (valueNoise(x, y, drift, seed_ + 4) - 128) / 3;
        const int texture = (valueNoise(x, y, cell(90), seed_ + 5) - 128) * (y < horizon ? 1 : 4);
        const int amplitude = static_cast<int>(grain_);
        const std::uint32_t h = hashAt(x, y, seed_ + 6);
        auto grainOf = [&](int shift) {
            return static_cast<int>((h >> shift) & 0xFF) * (2 * amplitude + 1) / 256 - amplitude;
        };
        return {c.red + texture / 8 + grainOf(0), c.green + texture / 8 + grainOf(8),
                c.blue + texture / 8 + grainOf(16)};
    }

  private:
    int cell(int perPicture) const { return std::max(1, size_ / perPicture); }

    Rgb sky(int y, int horizon) const {
        return blend({70, 120, 200}, {215, 225, 235}, y * 256 / std::max(horizon, 1));
    }

    Rgb ground(int x, int y, int horizon) const {
        const int field = valueNoise(x, y, cell(6), seed_ + 7);
        const Rgb grass = blend({60, 110, 40}, {150, 160, 60}, field);
        const Rgb soil{120, 85, 55};
        const int depth = (y - horizon) * 256 / std::max(height_ - horizon, 1);
        return blend(grass, soil, std::clamp(depth + field / 2 - 128, 0, 256));
    }

    Rgb withDiscs(Rgb c, int x, int y) const {
        static constexpr std::array<Rgb, 5> kColours{
            {{230, 60, 40}, {250, 200, 40}, {40, 70, 160}, {240, 240, 240}, {30, 30, 35}}};
        for (int k = 0; k < static_cast<int>(kColours.size()); ++k) {
            const std::uint32_t h = hashAt(k, 0, seed_ + 8);
            const int cx = static_cast<int>(h % static_cast<std::uint32_t>(width_));
            const int cy = static_cast<int>((h >> 12) % static_cast<std::uint32_t>(height_));
            const int r = size_ / 14 + static_cast<int>((h >> 24) % 8) * size_ / 80;
            const long long dx = x - cx, dy = y - cy;
            const long long d2 = dx * dx + dy * dy, r2 = static_cast<long long>(r) * r;
            if (d2 >= r2) continue;
            // Lit from the top left: lighter towards that side, darker at the rim.
            const int light = static_cast<int>(128 - (dx + dy) * 96 / (2 * r));
            const Rgb lit = blend({0, 0, 0}, kColours[static_cast<std::size_t>(k)],
                                  std::clamp(light + 128, 64, 256));
            c = blend(lit, c, static_cast<int>(d2 * 64 / r2));
        }
        return c;
    }

    int width_, height_, size_;
    Grain grain_;
    std::uint32_t seed_;
};

std::uint8_t toByte(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

dib photoPicture(int width, int height, Grain grain, std::uint32_t seed) {
    dib picture{};
    newdib(&picture, width, height, 24, nullptr, 0);
    if (picture.poi == nullptr) return picture;
    const Scene scene(width, height, grain, seed);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = DibRow(picture, height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const Rgb c = scene.at(x, y);
            row[3 * x] = toByte(c.blue);
            row[3 * x + 1] = toByte(c.green);
            row[3 * x + 2] = toByte(c.red);
        }
    }
    return picture;
}

}  // namespace tessora::test
