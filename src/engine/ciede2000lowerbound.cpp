#include "engine/ciede2000lowerbound.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <numbers>

namespace tessora {
namespace {

using ciedeTerms::chromaWeight;
using ciedeTerms::hueWeight;
using ciedeTerms::kDegree;
using ciedeTerms::lightnessWeight;

// The a' stretch s = 1 + G turns a hue by at most atan(sqrt(s)) - atan(1 / sqrt(s)), which is
// below ln(s) / 2 <= (s - 1) / 2 radians and 11.54° at s = 1.5.
constexpr double kStretchTurn = 12;
// Arcs are widened by this for the error of the hues they are made from, kHueError and rounding.
constexpr double kArcSlack = 1e-4;

double gapTo(double value, double low, double high) {
    return value < low ? low - value : value > high ? value - high : 0.0;
}

// The arc, from `start` through `length` degrees, that holds the mean hue of the formula.
struct Arc {
    double start, length;
};

constexpr Arc kAnyHue{0, 359.99};

double wrapped(double degrees) {
    return degrees < 0 ? degrees + 360 : degrees >= 360 ? degrees - 360 : degrees;
}

// What the mean hue's arc lets the formula weigh at most: T, and sin(2 × rotation), whose
// size the rotation term scales RC by.
struct HueWeights {
    double mostT, mostRotationSine;
};

// atan(t) for 0 <= t <= 1 within 1.4e-8 radians: the odd polynomial of Abramowitz and Stegun
// 4.4.49, a third of what the library's atan2 costs.
double atanOfRatio(double t) {
    const double t2 = t * t, t4 = t2 * t2, t8 = t4 * t4;
    const double low = 1 + t2 * -0.3333314528 + t4 * (0.1999355085 + t2 * -0.1420889944);
    const double high =
        0.1065626393 + t2 * -0.0752896400 + t4 * (0.0429096138 + t2 * -0.0161657367);
    return t * (low + t8 * (high + t8 * 0.0028662257));
}

// The angle of (a, b) in degrees, 0 to 360, within kHueError: one division and a polynomial.
double hueDegrees(double a, double b) {
    constexpr double kHalfTurn = std::numbers::pi;
    const double x = std::abs(a), y = std::abs(b);
    double angle = atanOfRatio(std::min(x, y) / std::max(x, y));
    if (y > x) angle = kHalfTurn / 2 - angle;
    if (a < 0) angle = kHalfTurn - angle;
    const double degrees = angle * (180 / kHalfTurn);
    const double hue = b < 0 ? 360 - degrees : degrees;
    return hue < 360 ? hue : 0.0;
}

// HueWeights over arcs of hue: per 1° bin, and over runs of 2^level bins, the bins repeated
// once for arcs across 0°.
class MostHueWeights {
  public:
    static constexpr int kHueBins = 360;
    static constexpr int kLevels = 10;  // 2^10 > 2 × 360

    MostHueWeights() {
        // T changes by at most (0.17 + 2 × 0.24 + 3 × 0.32 + 4 × 0.20) per radian between the
        // samples, 0.05° apart.
        const double slack = 2.41 * kDegree * 0.025 + 1e-12;
        for (int bin = 0; bin < kHueBins; ++bin) {
            double most = -HUGE_VAL;
            for (int s = 0; s <= 20; ++s)
                most = std::max(most, hueWeight(bin + s * 0.05));
            const HueWeights weights{most + slack, mostRotationSineOf(bin)};
            rows_[0][static_cast<std::size_t>(bin)] = weights;
            rows_[0][static_cast<std::size_t>(bin + kHueBins)] = weights;
        }
        for (int level = 1; level < kLevels; ++level) {
            const std::size_t half = std::size_t{1} << (level - 1);
            for (std::size_t i = 0; i + half < 2 * kHueBins; ++i)
                rows_[static_cast<std::size_t>(level)][i] =
                    most(rows_[static_cast<std::size_t>(level - 1)][i],
                         rows_[static_cast<std::size_t>(level - 1)][i + half]);
        }
    }

    // Over the arc from `start` through `length` degrees (below 360), the two below 720 together.
    HueWeights over(const Arc& arc) const {
        // Bins hold both their ends, so a rounding onto a neighbouring bin is safe.
        auto first = static_cast<std::size_t>(arc.start);
        auto last = static_cast<std::size_t>(arc.start + arc.length);
        if (first >= kHueBins) first -= kHueBins, last -= kHueBins;
        const std::size_t count = last - first + 1;
        const int level = std::bit_width(count) - 1;
        const auto& row = rows_[static_cast<std::size_t>(level)];
        return most(row[first], row[last + 1 - (std::size_t{1} << level)]);
    }

  private:
    static HueWeights most(const HueWeights& x, const HueWeights& y) {
        return {std::max(x.mostT, y.mostT), std::max(x.mostRotationSine, y.mostRotationSine)};
    }

    // The rotation is 30° exp(-((hue - 275) / 25)²), so sin(2 rotation) falls with the distance
    // from 275°, measured round the circle to stay safe at the jump of hue - 275 at 0°.
    static double mostRotationSineOf(int bin) {
        const double distance =
            bin <= 275 && 275 <= bin + 1
                ? 0.0
                : std::min({std::abs(275.0 - bin), std::abs(275.0 - (bin + 1)),
                            360 - std::abs(275.0 - bin), 360 - std::abs(275.0 - (bin + 1))});
        const double rotation = 30 * std::exp(-(distance / 25) * (distance / 25));
        return std::sin(2 * rotation * kDegree) * (1 + 1e-12);
    }

    std::array<std::array<HueWeights, 2 * kHueBins>, kLevels> rows_{};
};

// The most a stretch of at most `stretch` turns a hue, in degrees.
double stretchTurn(double stretch) {
    return std::min(kStretchTurn, (stretch - 1) / (2 * kDegree)) + kArcSlack;
}

// What the pair's chroma lets the formula weigh, for a sum of the two chromas (C̄ab twice) from
// k up to k + 1: the stretch 1 + G at most and its square at least, how far it turns a hue, and
// RC at most.
struct ChromaWeights {
    double mostStretch, leastStretchSquared, turn, mostRc;
};

// Tables of the weights' extremes over small ranges, each rounded to the safe side.
struct Tables {
    static constexpr int kLightnessSteps = 1000;  // per 0.1 of mean L, by the sum of two L
    static constexpr int kChromaSteps = 1200;     // per 0.5 of mean chroma, by the sum

    std::array<double, kLightnessSteps + 1> leastInverseSl2{};
    std::array<ChromaWeights, kChromaSteps + 1> chroma{};
    MostHueWeights hues;

    Tables() {
        for (int k = 0; k <= kLightnessSteps; ++k) {
            const double sl = std::max(lightnessWeight(k / 10.0), lightnessWeight((k + 1) / 10.0));
            leastInverseSl2[static_cast<std::size_t>(k)] = (1 - 1e-12) / (sl * sl);
        }
        for (int k = 0; k <= kChromaSteps; ++k) {
            // G falls as the mean chroma rises.
            const double stretch = (1.5 - 0.5 * chromaWeight(k / 2.0)) * (1 + 1e-12);
            const double least =
                k == kChromaSteps ? 1.0 : (1.5 - 0.5 * chromaWeight((k + 1) / 2.0)) * (1 - 1e-12);
            // C' is at most (1 + G) C; beyond the table RC's bound is its limit, 2.
            const double rc = k == kChromaSteps ? 2.0 : mostRcAt(stretch * (k + 1) / 2);
            chroma[static_cast<std::size_t>(k)] = {stretch, least * least, stretchTurn(stretch),
                                                   rc};
        }
    }

    double leastInverseSl2At(double lightnessSum) const {
        if (lightnessSum < 0 || lightnessSum >= 200) {
            const double sl = lightnessWeight(lightnessSum / 2);
            return 1 / (sl * sl) * (1 - 1e-12);
        }
        return leastInverseSl2[static_cast<std::size_t>(lightnessSum * 5)];
    }
    const ChromaWeights& chromaAt(double chromaSum) const {
        return chroma[std::min(static_cast<std::size_t>(chromaSum), std::size_t{kChromaSteps})];
    }
    // RC over mean C' up to `meanC`.
    static double mostRcAt(double meanC) {
        const double step = 0.5;  // rounded up to a step, for fewer distinct arguments
        return 2 * chromaWeight(std::ceil(meanC / step) * step) * (1 + 1e-12);
    }
};

// Made before main(), so that the searches need no guard on their hot path.
const Tables kTables;

// The formula's mean hue is the middle of the shorter arc between the two hues after the
// stretch, or one colour's hue when the other has no chroma. Each hue moves by up to `turn`
// with the stretch, so the middle moves by up to `turn` too, unless the hues come so near to
// opposite that the shorter way round may change.
Arc meanHueArc(const HuedPoint& query, const HuedPoint& entry, double turn) {
    double centre = query.hue + entry.hue;  // a colour without chroma has hue 0
    if (query.point.chroma != 0 && entry.point.chroma != 0) {
        const double apart = std::abs(entry.hue - query.hue);
        if (std::abs(apart - 180) <= 2 * turn) return kAnyHue;
        // Hues more than 180° apart meet across 0°; MostHueWeights takes starts up to 720°.
        centre = centre / 2 + (apart > 180 ? 180.0 : 0.0);
    }
    const double start = centre - turn;
    return {start < 0 ? start + 360 : start, 2 * turn};
}

// C' = |((1 + G) a, b)| lies between C and C + G |a|, by the triangle inequality: a colour of
// little a, as blue is, keeps nearly its chroma.
double mostPrimedChroma(double chroma, double a, double mostStretch) {
    return chroma + (mostStretch - 1) * std::abs(a);
}

// What a bound knows of a pair's chroma: its mean C' lies between the least and the most, |ΔC'|
// is at most `gap` and RC at most `rc`.
struct PairChroma {
    double leastMeanC, mostMeanC, gap, rc;
};

// Below this most |RT|, the general bound loses little to the rotation term.
constexpr double kWeakRotation = 0.1;

// The chroma and hue part of the bound: `plane` at most D'², the squared distance in the
// (a', b) plane, and `weights` over the mean hue's arc. ΔC'² + ΔH'² = D'²; as SH <= SC,
// c² + h² = ΔC'²/SC² + ΔH'²/SH² is least where ΔC'² is largest, at x = min(gap², plane), and
// |RT c h| <= |RT| (c² + h²) / 2 takes the rotation term. Near blue, where |RT| nears 1.7, that
// leaves little, and hueLedBound() holds more while |ΔC'| is small.
double chromaHueBound(double plane, const PairChroma& chroma, const HueWeights& weights) {
    const double sc = 1 + 0.045 * chroma.mostMeanC;
    const double sh = 1 + 0.015 * chroma.mostMeanC * weights.mostT;
    const double x = std::min(chroma.gap * chroma.gap, plane);
    const double scaled = (plane - x) * (sc * sc) + x * (sh * sh);
    return (1 - chroma.rc * weights.mostRotationSine / 2) * scaled / ((sc * sc) * (sh * sh));
}

// |c| is at most u = gap / least SC, and SC² c² + SH² h² = D'² leaves |h| at least v with
// SC² u² + SH² v² = plane, the most SC and SH taken. c² + h² + RT c h >= h² - |RT| u |h|, which
// rises with |h| from |RT| u / 2 on. 0 where the rotation term is weak: chromaHueBound() loses
// little there.
double hueLedBound(double plane, const PairChroma& chroma, const HueWeights& weights) {
    const double rotation = chroma.rc * weights.mostRotationSine;
    if (rotation < kWeakRotation) return 0;
    const double sc = 1 + 0.045 * chroma.mostMeanC;
    const double sh = 1 + 0.015 * chroma.mostMeanC * weights.mostT;
    const double mostC = chroma.gap / (1 + 0.045 * chroma.leastMeanC);
    const double leastH2 = (plane - sc * sc * mostC * mostC) / (sh * sh);
    if (leastH2 <= 0) return 0;
    const double leastH = std::sqrt(leastH2);
    const double mostPull = rotation * mostC;
    return leastH < mostPull ? 0 : leastH * (leastH - mostPull);
}

// The arc of the mean hue of a colour of the box and `entry`. While the box's hues keep clear
// of the entry's opposite, the middle moves half as far as the box's hue does; otherwise, or
// when the box holds colours of every hue, it may lie anywhere.
Arc meanHueArcOfBox(const BoxHues& box, const HuedPoint& entry, double turn) {
    if (box.any) return kAnyHue;
    if (entry.point.chroma == 0) return {wrapped(box.start - turn), box.length + 2 * turn};
    const double opposite = wrapped(entry.hue + 180 - box.start);
    if (opposite <= box.length + 2 * turn || opposite >= 360 - 2 * turn) return kAnyHue;
    double difference = entry.hue - box.start;
    if (difference > 180) difference -= 360;
    if (difference < -180) difference += 360;
    return {wrapped(box.start + difference / 2 - turn), box.length / 2 + 2 * turn};
}

// a = 500 (f(X) - f(Y)) changes with a channel as kx f'(X) - ky f'(Y) does, times the
// channel's slope of linear light, which is positive; b = 200 (f(Y) - f(Z)) alike. Where that
// keeps one sign over the whole block for every channel, a (or b) is monotone in each channel
// and its extremes lie on two opposite corners, far tighter than the corners' f alone give.
using Corner = std::array<int, 3>;

// +1 or -1 when k1 f1' - k2 f2' keeps one sign for f1' and f2' within their ranges, else 0.
int directionOf(double k1, double f1Low, double f1High, double k2, double f2Low, double f2High) {
    if (k1 * f1Low - k2 * f2High > 0) return 1;
    if (k1 * f1High - k2 * f2Low < 0) return -1;
    return 0;
}

void narrowWhereMonotone(LabBox& box, const Corner& low, const Corner& high) {
    const RelativeXyz least = relativeXyzOf(low[0], low[1], low[2]);
    const RelativeXyz most = relativeXyzOf(high[0], high[1], high[2]);
    // f' never rises, so over the block it lies between its values at the largest and least t.
    const double slopes[3][2] = {{labCurveSlope(most.x), labCurveSlope(least.x)},
                                 {labCurveSlope(most.y), labCurveSlope(least.y)},
                                 {labCurveSlope(most.z), labCurveSlope(least.z)}};
    const auto narrow = [&](int first, int second, double scale, double& lowEnd, double& highEnd) {
        Corner smallest{}, largest{};
        for (std::size_t c = 0; c < 3; ++c) {
            const int direction =
                directionOf(kChannelWeights[first][c], slopes[first][0], slopes[first][1],
                            kChannelWeights[second][c], slopes[second][0], slopes[second][1]);
            if (direction == 0) return;
            smallest[c] = direction > 0 ? low[c] : high[c];
            largest[c] = direction > 0 ? high[c] : low[c];
        }
        const LabCurves s = labCurvesOf(smallest[0], smallest[1], smallest[2]);
        const LabCurves l = labCurvesOf(largest[0], largest[1], largest[2]);
        const double fs[3] = {s.fx, s.fy, s.fz}, fl[3] = {l.fx, l.fy, l.fz};
        lowEnd = scale * (fs[first] - fs[second]) - 1e-9;
        highEnd = scale * (fl[first] - fl[second]) + 1e-9;
    };
    narrow(0, 1, 500, box.aMin, box.aMax);
    narrow(1, 2, 200, box.bMin, box.bMax);
}

}  // namespace

LabBox cielabBoxOf(int red0, int green0, int blue0, int red1, int green1, int blue1) {
    // X, Y and Z, and so f(X), f(Y) and f(Z), grow with every channel: the darkest corner has
    // the smallest of each, the brightest the largest.
    const LabCurves low = labCurvesOf(red0, green0, blue0);
    const LabCurves high = labCurvesOf(red1, green1, blue1);
    const double margin = 1e-9;
    LabBox box{116 * low.fy - 16 - margin,        116 * high.fy - 16 + margin,
               500 * (low.fx - high.fy) - margin, 500 * (high.fx - low.fy) + margin,
               200 * (low.fy - high.fz) - margin, 200 * (high.fy - low.fz) + margin};
    narrowWhereMonotone(box, {red0, green0, blue0}, {red1, green1, blue1});
    return box;
}

// SL grows with the distance of the mean lightness from 50, so over an interval of means it is
// largest at one of the ends.
double ciede2000LightnessLow(const LabBox& box, double entryL) {
    const double meanLow = (box.lMin + entryL) / 2, meanHigh = (box.lMax + entryL) / 2;
    const double weight = std::max(lightnessWeight(meanLow), lightnessWeight(meanHigh));
    const double nearest = gapTo(entryL, box.lMin, box.lMax) / weight;
    return nearest * nearest;
}

BoxHues boxHuesOf(const LabBox& box) {
    if (box.aMin <= 0 && box.aMax >= 0 && box.bMin <= 0 && box.bMax >= 0) return {0, 0, true};
    double start = 0, end = 0;  // from start counterclockwise to end
    bool first = true;
    for (const double a : {box.aMin, box.aMax}) {
        for (const double b : {box.bMin, box.bMax}) {
            const double hue = wrapped(std::atan2(b, a) / kDegree);
            if (first) {
                start = end = hue;
                first = false;
                continue;
            }
            // A box off the origin spans less than 180°: extend towards the nearer side.
            if (wrapped(hue - start) <= wrapped(end - start)) continue;
            if (wrapped(start - hue) < wrapped(hue - end)) {
                start = hue;
            } else {
                end = hue;
            }
        }
    }
    return {start, wrapped(end - start), false};
}

HuedPoint huedPointOf(const LabColour& colour) {
    const CielabPoint point = cielabPointOf(colour);
    return {point, point.chroma == 0 ? 0.0 : hueDegrees(colour.a, colour.b)};
}

double ciede2000SquaredBoxLowerBound(const LabBox& box, const BoxHues& hues, double lightnessLow,
                                     const HuedPoint& entry) {
    const CielabPoint& e = entry.point;
    const double da = gapTo(e.a, box.aMin, box.aMax), db = gapTo(e.b, box.bMin, box.bMax);
    const double nearA = gapTo(0, box.aMin, box.aMax), nearB = gapTo(0, box.bMin, box.bMax);
    const double farA = std::max(-box.aMin, box.aMax), farB = std::max(-box.bMin, box.bMax);
    // CIELAB's a and b stay far below where squaring them could overflow.
    const double leastChroma = std::sqrt(nearA * nearA + nearB * nearB);
    const double mostChroma = std::sqrt(farA * farA + farB * farB);
    const ChromaWeights& weights = kTables.chromaAt(leastChroma + e.chroma);
    const double stretch = weights.mostStretch;
    const double leastStretchSquared = kTables.chromaAt(mostChroma + e.chroma).leastStretchSquared;
    const double mostBoxC = mostPrimedChroma(mostChroma, farA, stretch);
    const double mostEntryC = mostPrimedChroma(e.chroma, e.a, stretch);
    const double meanC = (mostBoxC + mostEntryC) / 2;
    const double chromaGap = std::max(mostEntryC - leastChroma, mostBoxC - e.chroma);
    // The row of twice meanC bounds RC up to at least meanC.
    const double rc = kTables.chromaAt(2 * meanC).mostRc;
    const double plane = leastStretchSquared * da * da + db * db;
    const PairChroma chroma{(leastChroma + e.chroma) / 2, meanC, chromaGap, rc};
    const HueWeights weightsOverArc = kTables.hues.over(meanHueArcOfBox(hues, entry, weights.turn));
    const double chromaHue = std::max(chromaHueBound(plane, chroma, weightsOverArc),
                                      hueLedBound(plane, chroma, weightsOverArc));
    return (lightnessLow + chromaHue) * (1 - 1e-9);
}

// ΔE00² = (ΔL/SL)² + c² + h² + RT c h with c = ΔC'/SC and h = ΔH'/SH; chromaHueBound() and
// hueLedBound() bound all but the lightness term, each only while the terms so far are below
// `enough`.
double ciede2000SquaredLowerBound(const HuedPoint& query, const HuedPoint& entry, double enough) {
    const CielabPoint& q = query.point;
    const CielabPoint& e = entry.point;
    constexpr double kRounding = 1 - 1e-9;
    const double dl = q.l - e.l;
    const double lightness = dl * dl * kTables.leastInverseSl2At(q.l + e.l) * kRounding;
    if (lightness > enough) return lightness;
    const double da = q.a - e.a, db = q.b - e.b;
    const double chromaSum = q.chroma + e.chroma;
    const ChromaWeights& weights = kTables.chromaAt(chromaSum);
    const double stretch = weights.mostStretch;
    const double mostQueryC = mostPrimedChroma(q.chroma, q.a, stretch);
    const double mostEntryC = mostPrimedChroma(e.chroma, e.a, stretch);
    const PairChroma chroma{chromaSum / 2, (mostQueryC + mostEntryC) / 2,
                            std::max(mostEntryC - q.chroma, mostQueryC - e.chroma), weights.mostRc};
    // D'² = (1 + G)² Δa² + Δb².
    const double plane = weights.leastStretchSquared * da * da + db * db;
    const HueWeights hues = kTables.hues.over(meanHueArc(query, entry, weights.turn));
    const double general = (lightness + chromaHueBound(plane, chroma, hues)) * kRounding;
    if (general > enough) return general;
    return std::max(general, (lightness + hueLedBound(plane, chroma, hues)) * kRounding);
}

}  // namespace tessora
