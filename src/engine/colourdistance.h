#pragma once
// The colour distances a bead colour can be chosen by: the sum of squared red, green and blue
// differences, the CIE colour difference of 2000 and the Euclidean distance in OKLab.

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/nearest.h"

namespace tessora {

enum class ColourDistance { Rgb, Ciede2000, Oklab };

struct LabColour {
    double l, a, b;
};

// The cube-root curve of CIELAB applied to X, Y and Z over the white point.
struct LabCurves {
    double fx, fy, fz;
};
LabCurves labCurvesOf(int red, int green, int blue);

// X, Y and Z over the white point, before the curve, and what each channel's linear light adds
// to them (kChannelWeights[x, y or z][red, green or blue]).
struct RelativeXyz {
    double x, y, z;
};
RelativeXyz relativeXyzOf(int red, int green, int blue);
extern const double kChannelWeights[3][3];

// The cube root of a positive normal t within an ulp, faster than the library's, which the
// CIELAB conversion of every new colour of a perceptual search would otherwise spend most of
// its time in. A third of the exponent from the bits is within 4 % of the root; Halley's steps
// cube the error and Newton's last one squares it, which leaves only the rounding of that step.
inline double cubeRoot(double t) {
    constexpr std::uint64_t kTwoThirdsOfOne = 0x2A9F'7893'782D'A1CE;
    double y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(t) / 3 + kTwoThirdsOfOne);
    for (int step = 0; step < 2; ++step) {
        const double cube = y * y * y;
        y *= (cube + 2 * t) / (2 * cube + t);
    }
    return y - (y * y * y - t) / (3 * y * y);
}

// The slope of CIELAB's curve at t; it never rises with t.
double labCurveSlope(double t);

// sRGB (D65) to CIELAB; the reference white is sRGB white, so greys have a = b = 0.
LabColour cielabOf(int red, int green, int blue);

// sRGB to OKLab.
LabColour oklabOf(int red, int green, int blue);

// Where `distance` measures in: CIELAB for CIEDE2000, OKLab for OKLab.
LabColour perceptualColourOf(ColourDistance distance, int red, int green, int blue);

// Parts of ΔE00 that its bounds share with the formula.
namespace ciedeTerms {
inline constexpr double kDegree = 3.14159265358979323846 / 180.0;
// SL at a mean lightness. Inline, as the bounds' hot paths call it.
inline double lightnessWeight(double meanL) {
    const double offCentre = (meanL - 50) * (meanL - 50);
    return 1 + 0.015 * offCentre / std::sqrt(20 + offCentre);
}
// sqrt(C⁷ / (C⁷ + 25⁷)) of a mean chroma: G is 0.5 (1 - it), RC twice it.
inline double chromaWeight(double meanChroma) {
    const double x2 = meanChroma * meanChroma;
    const double p = x2 * x2 * x2 * meanChroma;
    return std::sqrt(p / (p + 6103515625.0));  // 25⁷
}
// T at a hue in degrees.
double hueWeight(double hue);
}  // namespace ciedeTerms

// ΔE00 with kL = kC = kH = 1, and its square, which orders colours alike and saves the root.
double ciede2000(const LabColour& first, const LabColour& second);
double ciede2000Squared(const LabColour& first, const LabColour& second);

// The number the searches compare for a perceptual distance: ΔE00 squared or the squared
// Euclidean distance in OKLab. `query` is the bead's colour, `entry` the palette colour.
double perceptualKey(ColourDistance distance, const LabColour& query, const LabColour& entry);

}  // namespace tessora
