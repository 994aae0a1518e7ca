#pragma once
// The colour limit: of the ticked colours, the few that suit this picture best.

#include <span>
#include <vector>

#include "engine/colorhistogram.h"
#include "imagelib/dib.h"

namespace tessora {

// The `maxColors` of the ticked ones among the first `zcols` entries of `pal` whose nearest
// matching gives the histogram the smallest total colour error, in ascending order. Greedy
// removal from all ticked colours down to `maxColors`, then the best single swaps of a kept
// and a dropped colour until none helps. Deterministic. All ticked colours when there are no
// more than `maxColors` of them or `maxColors` is 0 or less.
std::vector<int> chooseColors(const ColorHistogram& histogram, const LPAL& pal, int zcols,
                              std::span<const bool> ticks, int maxColors);

// The total error of the histogram when every entry goes to its nearest colour among `colors`.
double totalColorError(const ColorHistogram& histogram, const LPAL& pal,
                       std::span<const int> colors);

}  // namespace tessora
