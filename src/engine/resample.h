#pragma once
// The first two stages of the calculate command: bringing the picture to 24 bits per pixel and
// sampling it to one pixel per bead. Both return a new image that the caller owns and never
// release their input.

#include <cstdint>
#include <vector>

#include "imagelib/imagelib.h"

namespace tessora {

// A 24-bit copy of the picture `di` (1, 4, 8 or 32 bits per pixel; indexed pictures take their
// colours from their palette). For a 24-bit `di` the result is an empty record. On lack of
// memory the result has no pixels.
dib DepthUpTo(const dib& di, int nbpp, const ProgressFn& progress);

// `breit` x `hoch` pixels point-sampled from `di` with 10-bit fixed-point steps, addressed by
// stored row so that the sample grid starts at the bottom-left pixel. Same depth as `di`.
dib Resize(const dib& di, int breit, int hoch, const ProgressFn& progress);

// A colour value (red in the low byte, green, blue in the third byte) taken apart.
void getrgb24(int co, int& fr, int& fg, int& fb);

// 2 to the power i (1 for i <= 0): the colour count of a depth, 4294967296 for 32 bits.
std::int64_t zweihoch(int i);

}  // namespace tessora

namespace tessora {

// The source position that each of `targetLength` samples takes: (t * step) div 1024 with
// step = (sourceLength * 1024) div targetLength. The truncated step never overshoots, so the
// shortfall collects at the far end.
std::vector<int> samplePositions(int sourceLength, int targetLength);

}  // namespace tessora
