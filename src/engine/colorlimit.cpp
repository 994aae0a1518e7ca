#include "engine/colorlimit.h"

#include <algorithm>
#include <limits>

#include "engine/beadrange.h"

namespace tessora {
namespace {

constexpr float kNoColor = std::numeric_limits<float>::infinity();
constexpr int kMaxSwapRounds = 100;

ColorPoint pointOf(const PalEntry& entry) {
    return {static_cast<float>(entry.peRed), static_cast<float>(entry.peGreen),
            static_cast<float>(entry.peBlue)};
}

std::vector<int> tickedColors(int zcols, std::span<const bool> ticks) {
    std::vector<int> ticked;
    const int entries = std::min<int>(zcols, static_cast<int>(ticks.size()));
    for (int i = 0; i < std::min(entries, kMaxRangeColors); ++i)
        if (ticks[static_cast<std::size_t>(i)]) ticked.push_back(i);
    return ticked;
}

// Candidates are numbered 0 to K - 1; the errors of candidate k lie in one row of H floats so
// that the passes over the histogram read memory in order.
class SubsetSearch {
  public:
    SubsetSearch(const ColorHistogram& histogram, const LPAL& pal, const std::vector<int>& ticked)
        : h_(histogram.size()),
          k_(static_cast<int>(ticked.size())),
          weights_(histogram.weights),
          error_(static_cast<std::size_t>(h_) * k_),
          kept_(static_cast<std::size_t>(k_), true),
          nearest_(static_cast<std::size_t>(h_)),
          second_(static_cast<std::size_t>(h_)) {
        for (int k = 0; k < k_; ++k) {
            const ColorPoint bead = pointOf(pal.rgb0[ticked[static_cast<std::size_t>(k)]]);
            float* row = errorRow(k);
            for (int h = 0; h < h_; ++h)
                row[h] = colorError(histogram.colors[static_cast<std::size_t>(h)], bead);
        }
        for (int h = 0; h < h_; ++h)
            rank(h);
    }

    void removeGreedily(int keep) {
        for (int count = k_; count > keep; --count) {
            const int cheapest = cheapestRemoval();
            kept_[static_cast<std::size_t>(cheapest)] = false;
            for (int h = 0; h < h_; ++h) {
                if (nearest_[static_cast<std::size_t>(h)] == cheapest ||
                    second_[static_cast<std::size_t>(h)] == cheapest)
                    rank(h);
            }
        }
    }

    void refineBySwaps() {
        for (int round = 0; round < kMaxSwapRounds; ++round) {
            const Swap swap = bestSwap();
            if (swap.gain <= kMinGain * total()) return;
            kept_[static_cast<std::size_t>(swap.out)] = false;
            kept_[static_cast<std::size_t>(swap.in)] = true;
            for (int h = 0; h < h_; ++h)
                rank(h);
        }
    }

    std::vector<int> keptCandidates() const {
        std::vector<int> kept;
        for (int k = 0; k < k_; ++k)
            if (kept_[static_cast<std::size_t>(k)]) kept.push_back(k);
        return kept;
    }

  private:
    static constexpr double kMinGain = 1e-9;  // relative; rounding never counts as a gain

    struct Swap {
        int out = -1, in = -1;
        double gain = 0;
    };

    float* errorRow(int k) { return error_.data() + static_cast<std::size_t>(k) * h_; }
    float errorOf(int k, int h) const {
        return k < 0 ? kNoColor : error_[static_cast<std::size_t>(k) * h_ + h];
    }
    float nearestError(int h) const { return errorOf(nearest_[static_cast<std::size_t>(h)], h); }
    float secondError(int h) const { return errorOf(second_[static_cast<std::size_t>(h)], h); }

    // The nearest and second nearest kept candidate of entry h, the lower one among equals.
    void rank(int h) {
        int first = -1, second = -1;
        for (int k = 0; k < k_; ++k) {
            if (!kept_[static_cast<std::size_t>(k)]) continue;
            const float e = errorOf(k, h);
            if (first < 0 || e < errorOf(first, h)) {
                second = first;
                first = k;
            } else if (second < 0 || e < errorOf(second, h)) {
                second = k;
            }
        }
        nearest_[static_cast<std::size_t>(h)] = first;
        second_[static_cast<std::size_t>(h)] = second;
    }

    double total() const {
        double sum = 0;
        for (int h = 0; h < h_; ++h)
            sum += static_cast<double>(weights_[static_cast<std::size_t>(h)]) * nearestError(h);
        return sum;
    }

    // The kept candidate whose loss adds the least error: its entries move to their second.
    int cheapestRemoval() const {
        std::vector<double> cost(static_cast<std::size_t>(k_), 0.0);
        for (int h = 0; h < h_; ++h) {
            cost[static_cast<std::size_t>(nearest_[static_cast<std::size_t>(h)])] +=
                static_cast<double>(weights_[static_cast<std::size_t>(h)]) *
                (static_cast<double>(secondError(h)) - nearestError(h));
        }
        int cheapest = -1;
        for (int k = 0; k < k_; ++k) {
            if (kept_[static_cast<std::size_t>(k)] &&
                (cheapest < 0 ||
                 cost[static_cast<std::size_t>(k)] < cost[static_cast<std::size_t>(cheapest)]))
                cheapest = k;
        }
        return cheapest;
    }

    // For one dropped candidate `in`, the change of the total for taking out each kept one in
    // one pass: an entry nearer to `in` gains the same whichever goes; otherwise only taking
    // out its nearest costs it, moving it to the nearer of its second and `in`.
    Swap bestSwapWith(int in, std::vector<double>& loss) const {
        std::fill(loss.begin(), loss.end(), 0.0);
        double shared = 0;
        const float* inRow = error_.data() + static_cast<std::size_t>(in) * h_;
        for (int h = 0; h < h_; ++h) {
            const double w = weights_[static_cast<std::size_t>(h)];
            const float now = nearestError(h);
            if (inRow[h] < now) {
                shared += w * (static_cast<double>(inRow[h]) - now);
            } else {
                loss[static_cast<std::size_t>(nearest_[static_cast<std::size_t>(h)])] +=
                    w * (static_cast<double>(std::min(secondError(h), inRow[h])) - now);
            }
        }
        Swap best;
        for (int out = 0; out < k_; ++out) {
            if (!kept_[static_cast<std::size_t>(out)]) continue;
            const double gain = -(shared + loss[static_cast<std::size_t>(out)]);
            if (gain > best.gain) best = {out, in, gain};
        }
        return best;
    }

    Swap bestSwap() const {
        std::vector<double> loss(static_cast<std::size_t>(k_));
        Swap best;
        for (int in = 0; in < k_; ++in) {
            if (kept_[static_cast<std::size_t>(in)]) continue;
            const Swap swap = bestSwapWith(in, loss);
            if (swap.gain > best.gain) best = swap;
        }
        return best;
    }

    int h_, k_;
    const std::vector<float>& weights_;
    std::vector<float> error_;
    std::vector<bool> kept_;
    std::vector<int> nearest_, second_;
};

}  // namespace

std::vector<int> chooseColors(const ColorHistogram& histogram, const LPAL& pal, int zcols,
                              std::span<const bool> ticks, int maxColors) {
    const std::vector<int> ticked = tickedColors(zcols, ticks);
    if (maxColors <= 0 || static_cast<int>(ticked.size()) <= maxColors || histogram.size() == 0)
        return ticked;
    SubsetSearch search(histogram, pal, ticked);
    search.removeGreedily(maxColors);
    search.refineBySwaps();
    std::vector<int> chosen;
    for (const int k : search.keptCandidates())
        chosen.push_back(ticked[static_cast<std::size_t>(k)]);
    return chosen;
}

double totalColorError(const ColorHistogram& histogram, const LPAL& pal,
                       std::span<const int> colors) {
    double sum = 0;
    for (int h = 0; h < histogram.size(); ++h) {
        float nearest = kNoColor;
        for (const int c : colors)
            nearest = std::min(nearest, colorError(histogram.colors[static_cast<std::size_t>(h)],
                                                   pointOf(pal.rgb0[c])));
        sum += static_cast<double>(histogram.weights[static_cast<std::size_t>(h)]) * nearest;
    }
    return sum;
}

}  // namespace tessora
