#pragma once
// Photo-like pictures made in code, the same on every run and machine: smooth gradients, shaded
// shapes, texture and grain. Integer arithmetic only. The benchmarks measure on them and the
// engine tests check the fast colour stages against plain ones on them.

#include <cstdint>

#include "imagelib/dib.h"

namespace tessora::test {

// Grain: the amplitude of the per-pixel noise in colour steps (plus or minus).
enum class Grain : int { Smooth = 2, Photo = 8, Noisy = 24 };

// A 24-bit picture of width x height pixels; the same seed gives the same picture. The caller
// owns it.
dib photoPicture(int width, int height, Grain grain = Grain::Photo, std::uint32_t seed = 1);

}  // namespace tessora::test
