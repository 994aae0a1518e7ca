#pragma once
// ByteRun1 (PackBits), the run-length code of IFF bodies: a control byte n of 0 to 127 copies
// the next n + 1 bytes, -1 to -127 repeats the next byte 1 - n times, -128 does nothing.

#include <cstdint>
#include <span>
#include <vector>

#include "imagelib/codecs/byteio.h"

namespace tessora {

// Appends the code of one row; runs never cross the row's end.
void encodeByteRun1(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out);

// Decodes a stream row by row. A run may go on into the next row (some writers do that); what
// runs past the last row is never written anywhere.
class ByteRun1Decoder {
  public:
    explicit ByteRun1Decoder(ByteReader& in) : in_(in) {}

    // Fills `out` completely; false when the data end first.
    bool fill(std::span<std::uint8_t> out);

  private:
    ByteReader& in_;
    std::size_t repeatLeft_ = 0;
    std::uint8_t repeatValue_ = 0;
    std::size_t literalLeft_ = 0;
};

}  // namespace tessora
