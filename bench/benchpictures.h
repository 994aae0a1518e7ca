#pragma once
// Inputs of the benchmarks: photo-like pictures (shared with the tests), the start-up ticks and
// bead grids.

#include <QString>
#include <array>
#include <cstdint>

#include "engine/catalogue.h"
#include "imagelib/dib.h"
#include "photopicture.h"

namespace tessora::bench {

using test::Grain;
using test::photoPicture;

// Every catalogue colour ticked, as at start-up.
std::array<bool, kBeadColorCount> allTicked();

// The bead grid of `grid24` (nearest colours, everything ticked), as the calculate command
// leaves it.
dib beadGridOf(const dib& grid24);

// Saves `image` (24 bits) as a file whose type follows the name's extension; false on failure.
bool savePicture(const dib& image, const QString& fileName);

}  // namespace tessora::bench
