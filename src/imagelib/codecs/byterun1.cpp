#include "imagelib/codecs/byterun1.h"

#include <algorithm>

namespace tessora {
namespace {

constexpr std::size_t kMaxRun = 128;

std::size_t runLength(std::span<const std::uint8_t> row, std::size_t from) {
    std::size_t length = 1;
    while (from + length < row.size() && length < kMaxRun && row[from + length] == row[from])
        ++length;
    return length;
}

}  // namespace

void encodeByteRun1(std::span<const std::uint8_t> row, std::vector<std::uint8_t>& out) {
    std::size_t i = 0;
    while (i < row.size()) {
        const std::size_t run = runLength(row, i);
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(1 - static_cast<int>(run)));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        // Literal bytes up to the next run worth coding (three or more equal bytes).
        std::size_t end = i;
        while (end < row.size() && end - i < kMaxRun && runLength(row, end) < 3)
            ++end;
        out.push_back(static_cast<std::uint8_t>(end - i - 1));
        out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(i),
                   row.begin() + static_cast<std::ptrdiff_t>(end));
        i = end;
    }
}

bool ByteRun1Decoder::fill(std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        if (repeatLeft_ > 0) {
            const std::size_t n = std::min(repeatLeft_, out.size() - done);
            std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(done), n, repeatValue_);
            repeatLeft_ -= n;
            done += n;
            continue;
        }
        if (literalLeft_ > 0) {
            const std::size_t n = std::min({literalLeft_, out.size() - done, in_.remaining()});
            if (n == 0) return false;
            const auto bytes = in_.take(n);
            std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(done));
            literalLeft_ -= n;
            done += n;
            continue;
        }
        if (in_.remaining() == 0) return false;
        const auto control = static_cast<std::int8_t>(in_.u8());
        if (control >= 0) {
            literalLeft_ = static_cast<std::size_t>(control) + 1;
        } else if (control != -128) {
            if (in_.remaining() == 0) return false;
            repeatValue_ = in_.u8();
            repeatLeft_ = static_cast<std::size_t>(1 - control);
        }
    }
    return true;
}

}  // namespace tessora
