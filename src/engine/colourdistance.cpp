#include "engine/colourdistance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tessora {
namespace {

using ciedeTerms::kDegree;

// sRGB bytes to linear light, once per process.
const std::array<double, 256>& linearOfByte() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[static_cast<std::size_t>(i)] =
                c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

struct Linear {
    double red, green, blue;
};

Linear linearOf(int red, int green, int blue) {
    const auto& lin = linearOfByte();
    return {lin[static_cast<std::size_t>(red)], lin[static_cast<std::size_t>(green)],
            lin[static_cast<std::size_t>(blue)]};
}

// The rows of the sRGB to XYZ matrix; their sums are the white point.
constexpr std::array<double, 3> kRowX{0.4124564, 0.3575761, 0.1804375};
constexpr std::array<double, 3> kRowY{0.2126729, 0.7151522, 0.0721750};
constexpr std::array<double, 3> kRowZ{0.0193339, 0.1191920, 0.9503041};

double dot(const std::array<double, 3>& row, const Linear& c) {
    return row[0] * c.red + row[1] * c.green + row[2] * c.blue;
}
double whiteOf(const std::array<double, 3>& row) {
    return row[0] + row[1] + row[2];
}

double labCurve(double t) {
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta * kDelta * kDelta ? cubeRoot(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

// Hue angle in degrees, 0 to 360; 0 for a colour without chroma.
double hueDegrees(double b, double a) {
    if (a == 0 && b == 0) return 0;
    const double h = std::atan2(b, a) / kDegree;
    return h < 0 ? h + 360 : h;
}

}  // namespace

const double kChannelWeights[3][3] = {
    {kRowX[0] / whiteOf(kRowX), kRowX[1] / whiteOf(kRowX), kRowX[2] / whiteOf(kRowX)},
    {kRowY[0] / whiteOf(kRowY), kRowY[1] / whiteOf(kRowY), kRowY[2] / whiteOf(kRowY)},
    {kRowZ[0] / whiteOf(kRowZ), kRowZ[1] / whiteOf(kRowZ), kRowZ[2] / whiteOf(kRowZ)}};

RelativeXyz relativeXyzOf(int red, int green, int blue) {
    const Linear c = linearOf(red, green, blue);
    return {dot(kRowX, c) / whiteOf(kRowX), dot(kRowY, c) / whiteOf(kRowY),
            dot(kRowZ, c) / whiteOf(kRowZ)};
}

double labCurveSlope(double t) {
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta * kDelta * kDelta ? 1 / (3 * std::cbrt(t * t)) : 1 / (3 * kDelta * kDelta);
}

double ciedeTerms::hueWeight(double hue) {
    return 1 - 0.17 * std::cos((hue - 30) * kDegree) + 0.24 * std::cos(2 * hue * kDegree) +
           0.32 * std::cos((3 * hue + 6) * kDegree) - 0.20 * std::cos((4 * hue - 63) * kDegree);
}

LabCurves labCurvesOf(int red, int green, int blue) {
    const Linear c = linearOf(red, green, blue);
    return {labCurve(dot(kRowX, c) / whiteOf(kRowX)), labCurve(dot(kRowY, c) / whiteOf(kRowY)),
            labCurve(dot(kRowZ, c) / whiteOf(kRowZ))};
}

LabColour cielabOf(int red, int green, int blue) {
    const LabCurves f = labCurvesOf(red, green, blue);
    return {116 * f.fy - 16, 500 * (f.fx - f.fy), 200 * (f.fy - f.fz)};
}

LabColour oklabOf(int red, int green, int blue) {
    const Linear c = linearOf(red, green, blue);
    const double l =
        std::cbrt(0.4122214708 * c.red + 0.5363325363 * c.green + 0.0514459929 * c.blue);
    const double m =
        std::cbrt(0.2119034982 * c.red + 0.6806995451 * c.green + 0.1073969566 * c.blue);
    const double s =
        std::cbrt(0.0883024619 * c.red + 0.2817188376 * c.green + 0.6299787005 * c.blue);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

LabColour perceptualColourOf(ColourDistance distance, int red, int green, int blue) {
    return distance == ColourDistance::Oklab ? oklabOf(red, green, blue)
                                             : cielabOf(red, green, blue);
}

double ciede2000Squared(const LabColour& first, const LabColour& second) {
    const double meanChroma = (std::sqrt(first.a * first.a + first.b * first.b) +
                               std::sqrt(second.a * second.a + second.b * second.b)) /
                              2;
    const double g = 0.5 * (1 - ciedeTerms::chromaWeight(meanChroma));
    const double a1 = (1 + g) * first.a;
    const double a2 = (1 + g) * second.a;
    const double c1 = std::sqrt(a1 * a1 + first.b * first.b);
    const double c2 = std::sqrt(a2 * a2 + second.b * second.b);
    const double h1 = hueDegrees(first.b, a1);
    const double h2 = hueDegrees(second.b, a2);

    const double deltaL = second.l - first.l;
    const double deltaC = c2 - c1;
    double deltaH = 0;  // hue difference in degrees, -180 to 180
    double meanHue = h1 + h2;
    if (c1 * c2 != 0) {
        deltaH = h2 - h1;
        if (deltaH > 180) deltaH -= 360;
        if (deltaH < -180) deltaH += 360;
        meanHue = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2
                  : h1 + h2 < 360          ? (h1 + h2 + 360) / 2
                                           : (h1 + h2 - 360) / 2;
    }
    const double hueTerm = 2 * std::sqrt(c1 * c2) * std::sin(deltaH / 2 * kDegree);

    const double meanL = (first.l + second.l) / 2;
    const double meanC = (c1 + c2) / 2;
    const double t = ciedeTerms::hueWeight(meanHue);
    const double sl = ciedeTerms::lightnessWeight(meanL);
    const double sc = 1 + 0.045 * meanC;
    const double sh = 1 + 0.015 * meanC * t;
    const double rotation = 30 * std::exp(-std::pow((meanHue - 275) / 25, 2));
    const double rc = 2 * ciedeTerms::chromaWeight(meanC);
    const double rt = -std::sin(2 * rotation * kDegree) * rc;

    const double l = deltaL / sl;
    const double c = deltaC / sc;
    const double h = hueTerm / sh;
    return std::max(0.0, l * l + c * c + h * h + rt * c * h);
}

double ciede2000(const LabColour& first, const LabColour& second) {
    return std::sqrt(ciede2000Squared(first, second));
}

double perceptualKey(ColourDistance distance, const LabColour& query, const LabColour& entry) {
    if (distance == ColourDistance::Ciede2000) return ciede2000Squared(query, entry);
    const double dl = query.l - entry.l, da = query.a - entry.a, db = query.b - entry.b;
    return dl * dl + da * da + db * db;
}

}  // namespace tessora
