// Any bytes as a colour settings file, compared with a plain reading of the layout: counts,
// tick bytes and colours, never more than 64 ticks or 256 colours; a file whose length is not
// exactly what its counts say changes nothing.

#include <QByteArrayView>
#include <array>
#include <cstring>
#include <optional>

#include "engine/catalogue.h"
#include "engine/colorsettings.h"
#include "fuzzsupport.h"

namespace {

using Ticks = std::array<bool, 64>;

class PlainReading {
  public:
    explicit PlainReading(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    void apply(Ticks& ticks, tessora::LPAL& pal) {
        if (!wellFormed()) return;
        const auto n = int32();
        if (!n) return;
        for (std::int64_t i = 0; i < *n && at_ < bytes_.size(); ++i, ++at_) {
            if (i < static_cast<std::int64_t>(ticks.size())) ticks[i] = bytes_[at_] != 0;
        }
        const auto m = int32();
        if (!m) return;
        for (std::int64_t i = 0; i < *m && i < 256 && bytes_.size() - at_ >= 3; ++i, at_ += 3) {
            pal.rgb0[i].peRed = bytes_[at_];
            pal.rgb0[i].peGreen = bytes_[at_ + 1];
            pal.rgb0[i].peBlue = bytes_[at_ + 2];
        }
    }

  private:
    bool wellFormed() const {
        PlainReading probe(bytes_);
        const auto n = probe.int32();
        if (!n || *n < 0 || probe.bytes_.size() - probe.at_ < static_cast<std::uint64_t>(*n))
            return false;
        probe.at_ += static_cast<std::size_t>(*n);
        const auto m = probe.int32();
        return m && *m >= 0 &&
               probe.bytes_.size() - probe.at_ == 3 * static_cast<std::uint64_t>(*m);
    }

    std::optional<std::int32_t> int32() {
        if (bytes_.size() - at_ < 4) return std::nullopt;
        std::uint32_t v = 0;
        for (int k = 3; k >= 0; --k)
            v = (v << 8) | bytes_[at_ + k];
        at_ += 4;
        return static_cast<std::int32_t>(v);
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

Ticks everyOther() {
    Ticks ticks{};
    for (std::size_t i = 0; i < ticks.size(); i += 2)
        ticks[i] = true;
    return ticks;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessora::fuzz::initialiseFuzzer(false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Ticks ticks = everyOther();
    tessora::LPAL pal = tessora::StartPalette();
    tessora::applyColorSettings(
        QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), ticks,
        pal);
    Ticks expectedTicks = everyOther();
    tessora::LPAL expectedPal = tessora::StartPalette();
    PlainReading(tessora::fuzz::bytesOf(data, size)).apply(expectedTicks, expectedPal);
    tessora::fuzz::require(ticks == expectedTicks, "ticks as the layout says");
    tessora::fuzz::require(std::memcmp(&pal, &expectedPal, sizeof pal) == 0,
                           "colours as the layout says, entry count unchanged");
    return 0;
}
