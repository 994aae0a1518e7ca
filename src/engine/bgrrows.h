#pragma once
// Rows of any supported picture depth as blue-green-red triples, the form every colour stage
// reads.

#include <cstdint>
#include <vector>

#include "imagelib/dib.h"

namespace tessora {

// Writes the width() pixels of stored row `storedRow` of `d` as blue, green, red to `to`.
// Indexed pictures (1, 4, 8 bits) take the colours of their palette `pal`; a 32-bit pixel's
// fourth byte is dropped. Other depths leave `to` as it is.
void convertRowToBgr(const dib& d, int storedRow, std::uint8_t* to);

// Stored row `storedRow` as blue-green-red triples: the row itself for a 24-bit picture,
// otherwise a converted copy in `scratch`.
const std::uint8_t* bgrRow(const dib& d, int storedRow, std::vector<std::uint8_t>& scratch);

}  // namespace tessora
