#include "engine/ciede2000bounds.h"

#include <algorithm>
#include <cmath>

namespace tessora {
namespace {

constexpr double k25To7 = 6103515625.0;
// The smallest value of ΔE00's hue weighting T over all hues is 0.3620; a little less is safe.
constexpr double kLeastT = 0.36;
constexpr double kMostT = 1.93;  // 1 + 0.17 + 0.24 + 0.32 + 0.20
constexpr double kSin60 = 0.8660254037844387;
constexpr double kRounding = 1e-9;  // widens every bound past the rounding of double arithmetic

double pow7(double x) {
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}

double distanceTo(double value, double low, double high) {
    return value < low ? low - value : value > high ? value - high : 0.0;
}

double farthestFrom(double value, double low, double high) {
    return std::max(std::abs(value - low), std::abs(value - high));
}

double lightnessWeight(double meanL) {
    const double offCentre = (meanL - 50) * (meanL - 50);
    return 1 + 0.015 * offCentre / std::sqrt(20 + offCentre);
}

// The a' stretch 1 + G falls as the mean chroma grows.
double stretch(double meanChroma) {
    return 1 + 0.5 * (1 - std::sqrt(pow7(meanChroma) / (pow7(meanChroma) + k25To7)));
}

// The largest |RT| at a mean C' of at most `meanC`: RC grows with C', and the rotation is at
// most 30°.
double mostRotation(double meanC) {
    return 2 * std::sqrt(pow7(meanC) / (pow7(meanC) + k25To7)) * kSin60;
}

// The range of the lightness term (ΔL / SL)². SL grows with the distance of the mean lightness
// from 50, so its extremes over an interval of means lie at the ends or at 50.
DistanceRange lightnessTerm(const LabBox& box, double entryL) {
    const double meanLow = (box.lMin + entryL) / 2, meanHigh = (box.lMax + entryL) / 2;
    const double weightHigh = std::max(lightnessWeight(meanLow), lightnessWeight(meanHigh));
    const double weightLow = meanLow <= 50 && meanHigh >= 50
                                 ? 1.0
                                 : std::min(lightnessWeight(meanLow), lightnessWeight(meanHigh));
    const double nearest = distanceTo(entryL, box.lMin, box.lMax) / weightHigh;
    const double farthest = farthestFrom(entryL, box.lMin, box.lMax) / weightLow;
    return {nearest * nearest, farthest * farthest};
}

}  // namespace

double ciede2000LightnessLow(const LabBox& box, double entryL) {
    return lightnessTerm(box, entryL).low;
}

LabBox cielabBoxOf(int red0, int green0, int blue0, int red1, int green1, int blue1) {
    // X, Y and Z, and so f(X), f(Y) and f(Z), grow with every channel: the darkest corner has
    // the smallest of each, the brightest the largest.
    const LabCurves low = labCurvesOf(red0, green0, blue0);
    const LabCurves high = labCurvesOf(red1, green1, blue1);
    const double margin = 1e-9;
    return {116 * low.fy - 16 - margin,        116 * high.fy - 16 + margin,
            500 * (low.fx - high.fy) - margin, 500 * (high.fx - low.fy) + margin,
            200 * (low.fy - high.fz) - margin, 200 * (high.fy - low.fz) + margin};
}

// ΔE00² = (ΔL/SL)² + c² + h² + RT c h with c = ΔC'/SC, h = ΔH'/SH and ΔC'² + ΔH'² = D², the
// squared distance in the (a', b) plane. SH <= SC since T <= 1.93, and |RT c h| is at most
// |RT| (c² + h²) / 2, so the chroma and hue part lies between (1 - |RT|/2) D² / SC² and
// (1 + |RT|/2) D² / SH². Each factor is bounded over the box.
DistanceRange ciede2000SquaredRange(const LabBox& box, const LabColour& entry, double entryChroma) {
    const DistanceRange lightness = lightnessTerm(box, entry.l);

    const double nearA = distanceTo(0, box.aMin, box.aMax),
                 nearB = distanceTo(0, box.bMin, box.bMax);
    const double farA = std::max(std::abs(box.aMin), std::abs(box.aMax));
    const double farB = std::max(std::abs(box.bMin), std::abs(box.bMax));
    const double chromaLow = std::hypot(nearA, nearB), chromaHigh = std::hypot(farA, farB);
    const double stretchLow = stretch((chromaHigh + entryChroma) / 2);
    const double stretchHigh = stretch((chromaLow + entryChroma) / 2);
    // C' = |((1 + G) a, b)| lies between C and (1 + G) C.
    const double meanCLow = (chromaLow + entryChroma) / 2;
    const double meanCHigh = stretchHigh * (chromaHigh + entryChroma) / 2;
    const double rotation = mostRotation(meanCHigh);

    const double da = distanceTo(entry.a, box.aMin, box.aMax) * stretchLow;
    const double db = distanceTo(entry.b, box.bMin, box.bMax);
    const double scHigh = 1 + 0.045 * meanCHigh;
    const double low = (1 - rotation / 2) * (da * da + db * db) / (scHigh * scHigh);

    const double farDa = farthestFrom(entry.a, box.aMin, box.aMax) * stretchHigh;
    const double farDb = farthestFrom(entry.b, box.bMin, box.bMax);
    const double shLow = 1 + 0.015 * kLeastT * meanCLow;
    const double high = (1 + rotation / 2) * (farDa * farDa + farDb * farDb) / (shLow * shLow);
    static_assert(0.015 * kMostT < 0.045);
    return {(lightness.low + low) * (1 - kRounding), (lightness.high + high) * (1 + kRounding)};
}

}  // namespace tessora
