#pragma once
// Designed pictures, pixel comparison and an independent reader (netpbm) for the codec tests.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imagelib/imagelib.h"

namespace tessora::test {

struct Rgb8 {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

// A picture as plain colours, row 0 at the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<Rgb8> colours;
    Rgb8 at(int x, int y) const { return colours[static_cast<std::size_t>(y) * width + x]; }
};

// Owns a record and releases it once.
struct OwnedDib {
    dib d{};
    OwnedDib() = default;
    OwnedDib(const OwnedDib&) = delete;
    OwnedDib& operator=(const OwnedDib&) = delete;
    ~OwnedDib() { FreeDib(d); }
};

// A chart-like picture: 24 bits, an asymmetric red "F" on blue with a black and a white
// marker, so that flips, row order and red/blue swaps all show. With a `cell` size above 1
// every picture pixel becomes a square of cell × cell pixels, as beads do in a real chart.
void makeChart(OwnedDib& out, int width, int height, int cell = 1);
// An indexed picture of the given depth using every index its width allows.
void makeIndexed(OwnedDib& out, int width, int height, int bits);
// 24 bits with a different colour in every pixel (more than 256 when large enough).
void makeManyColours(OwnedDib& out, int width, int height);

Pixels pixelsOf(const dib& d);

// Largest difference of any channel, and the mean difference over all channels.
struct Difference {
    int largest = 0;
    double mean = 0;
};
Difference compare(const Pixels& a, const Pixels& b);

// The bytes of a file.
QByteArray readAll(const QString& file);
std::span<const std::uint8_t> bytesOf(const QByteArray& bytes);

// Runs a netpbm converter on the file and decodes its PNM output; nullopt when the tool
// failed, and `missing` set when it is not installed.
std::optional<Pixels> readWithNetpbm(const QString& tool, const QString& file, bool* missing);
bool haveTool(const QString& tool);
// Runs a netpbm writer on PPM input and returns its output; empty when it failed.
QByteArray writeWithNetpbm(const QString& tool, const QStringList& arguments,
                           const Pixels& picture);

// A decoded PNM (P4, P5 or P6).
std::optional<Pixels> parsePnm(const QByteArray& bytes);

}  // namespace tessora::test
