#include "engine/ciede2000interval.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessora {
namespace {

using ciedeTerms::chromaWeight;
using ciedeTerms::kDegree;

// Both ways of computing round differently; the difference stays far below these.
constexpr double kRelativeMargin = 1e-9;
constexpr double kAbsoluteMargin = 1e-8;

// Mean hues further than this from 275° leave the rotation term below kFarRotationTerm times
// RC, and nearer ones stay clear of 0°/360°, where the formula's hue - 275 jumps.
constexpr double kFarDegrees = 80;
const double kCosFar = std::cos(kFarDegrees * kDegree);
const double kFarRotationTerm =
    std::sin(2 * 30 * std::exp(-(kFarDegrees / 25) * (kFarDegrees / 25)) * kDegree);
const double kCos275 = std::cos(275 * kDegree);
const double kSin275 = std::sin(275 * kDegree);

// Hues nearer to opposite than this: the formula picks the mean by rounding of its angles.
const double kNearOpposite = -std::cos(1.0 * kDegree);
const double kSin60 = std::sqrt(3.0) / 2;

const double kCos6 = std::cos(6 * kDegree), kSin6 = std::sin(6 * kDegree);
const double kCos63 = std::cos(63 * kDegree), kSin63 = std::sin(63 * kDegree);

// T of the published formula at the mean hue of cosine c and sine s, by the multiple-angle
// identities instead of four cosines.
double hueWeightT(double c, double s) {
    const double cos2 = 2 * c * c - 1, sin2 = 2 * s * c;
    const double cos3 = c * (4 * c * c - 3), sin3 = s * (3 - 4 * s * s);
    const double cos4 = 2 * cos2 * cos2 - 1, sin4 = 2 * sin2 * cos2;
    const double cos30 = std::sqrt(3.0) / 2, sin30 = 0.5;
    return 1 - 0.17 * (c * cos30 + s * sin30) + 0.24 * cos2 + 0.32 * (cos3 * kCos6 - sin3 * kSin6) -
           0.20 * (cos4 * kCos63 + sin4 * kSin63);
}

// sin(2 × rotation) of the formula by |sin δ|, δ the mean hue's angle from 275°, from a table
// up to sin kFarDegrees: linear between its points, within a quarter of the largest second
// difference, twice what the curvature can leave. The angle, exp and sin would cost more than
// the rest of the interval.
class RotationSines {
  public:
    static constexpr int kSteps = 4096;

    RotationSines() {
        for (int k = 0; k <= kSteps + 1; ++k) {
            const double u = std::min(1.0, k * kTop / kSteps);
            const double x = std::asin(u) / kDegree / 25;
            values_[static_cast<std::size_t>(k)] = std::sin(2 * 30 * std::exp(-x * x) * kDegree);
        }
        double curve = 0;
        for (std::size_t k = 1; k <= kSteps; ++k)
            curve = std::max(curve, std::abs(values_[k + 1] - 2 * values_[k] + values_[k - 1]));
        error_ = curve / 4 + 1e-15;  // and the library's rounding
    }

    struct Bracket {
        double least, most;
    };
    Bracket at(double sineFrom275) const {
        const double step = std::abs(sineFrom275) * (kSteps / kTop);
        const auto k = std::min(static_cast<std::size_t>(step), std::size_t{kSteps});
        const double value =
            values_[k] + (values_[k + 1] - values_[k]) * (step - static_cast<double>(k));
        return {value - error_, value + error_};
    }

  private:
    static constexpr double kTop = 0.98481;  // above sin 80°
    std::array<double, kSteps + 2> values_{};
    double error_;
};

const RotationSines kRotationSines;

double lowered(double value) {
    return std::max(0.0, value - std::abs(value) * kRelativeMargin - kAbsoluteMargin);
}
double raised(double value) {
    return std::max(0.0, value + std::abs(value) * kRelativeMargin + kAbsoluteMargin);
}

}  // namespace

CielabPoint cielabPointOf(const LabColour& colour) {
    return {colour.l, colour.a, colour.b, std::sqrt(colour.a * colour.a + colour.b * colour.b)};
}

KeyInterval ciede2000SquaredInterval(const CielabPoint& query, const CielabPoint& entry,
                                     double rejectAbove) {
    const double g = 0.5 * (1 - chromaWeight((query.chroma + entry.chroma) / 2));
    const double a1 = (1 + g) * query.a, a2 = (1 + g) * entry.a;
    const double c1 = std::sqrt(a1 * a1 + query.b * query.b);
    const double c2 = std::sqrt(a2 * a2 + entry.b * entry.b);

    // The mean hue is the direction halfway between the two on the shorter arc, c2 (a1, b1) +
    // c1 (a2, b2), or the one colour's hue when the other has none. That vector is 2 c1 c2
    // cos(Δh/2) long and the cross product is c1 c2 sin Δh, so ΔH' = 2 sqrt(c1 c2) sin(Δh/2)
    // is 2 sqrt(c1 c2) cross / length, without the cancellation of c1 c2 - a1 a2 - b1 b2 that
    // leaves nearly equal hues with a hue difference of mere rounding.
    double cross = 0, meanX = a1 + a2, meanY = query.b + entry.b;
    if (c1 * c2 != 0) {
        const double dot = a1 * a2 + query.b * entry.b;
        if (dot < kNearOpposite * c1 * c2) {
            const double v =
                ciede2000Squared({query.l, query.a, query.b}, {entry.l, entry.a, entry.b});
            return {v, v, true};
        }
        cross = a1 * entry.b - query.b * a2;
        meanX = c2 * a1 + c1 * a2;
        meanY = c2 * query.b + c1 * entry.b;
    }
    const double meanSquared = meanX * meanX + meanY * meanY;
    double cosHue = 1, sinHue = 0, inverseLength = 0;
    if (meanSquared != 0) {
        inverseLength = 1 / std::sqrt(meanSquared);
        cosHue = meanX * inverseLength;
        sinHue = meanY * inverseLength;
    }
    const double halfSine = cross * inverseLength;  // sin(Δh/2)
    const double hueSquared = 4 * c1 * c2 * halfSine * halfSine;

    const double meanL = (query.l + entry.l) / 2;
    const double sl = ciedeTerms::lightnessWeight(meanL);
    const double meanC = (c1 + c2) / 2;
    const double sc = 1 + 0.045 * meanC;
    const double sh = 1 + 0.015 * meanC * hueWeightT(cosHue, sinHue);

    const double dl = entry.l - query.l, dc = c2 - c1;
    const double sl2 = sl * sl, sc2 = sc * sc, sh2 = sh * sh;
    const double inverse = 1 / (sl2 * sc2 * sh2);
    const double base =
        (dl * dl * sc2 * sh2 + dc * dc * sl2 * sh2 + hueSquared * sl2 * sc2) * inverse;
    // base + RT c h for RT between -most and -least: RT = -sin(2 rotation) RC, never positive;
    // |c h| <= (c² + h²) / 2 <= base / 2.
    double ch = base / 2, least = -2 * kFarRotationTerm, most = 2 * kFarRotationTerm;
    if (cosHue * kCos275 + sinHue * kSin275 >= kCosFar) {
        // c h = ΔC' ΔH' / (SC SH) = ΔC' ΔH' SL² SC SH / (SL² SC² SH²)
        ch = dc * (2 * std::sqrt(c1 * c2) * halfSine) * (sl2 * sc * sh) * inverse;
        const double rc = 2 * chromaWeight(meanC);
        least = 0;
        most = kSin60 * rc;
        if (lowered(std::min(base, base - most * ch)) <= rejectAbove) {
            const auto sines = kRotationSines.at(sinHue * kCos275 - cosHue * kSin275);
            least = sines.least * rc;
            most = sines.most * rc;
        }
    }
    const double a = base - least * ch, b = base - most * ch;
    return {lowered(std::min(a, b)), raised(std::max(a, b)), false};
}

}  // namespace tessora
