#pragma once
// How many bytes of a file each of our own readers can use, worked out from its header alone,
// so that loading never reads more than the picture can need: a small picture followed by
// gigabytes of anything costs the small picture only.

#include <cstdint>
#include <span>

namespace tessora {

// The leading bytes the plans look at.
constexpr std::size_t kPlanHeadBytes = 128;

struct ReadPlan {
    std::uint64_t prefix = 0;  // bytes from the start of the file
    std::uint64_t tail = 0;    // bytes at the very end (a closing palette), after the prefix
};

ReadPlan planBmpRle(std::span<const std::uint8_t> head, std::uint64_t fileSize);
ReadPlan planPcx(std::span<const std::uint8_t> head, std::uint64_t fileSize);
ReadPlan planIff(std::span<const std::uint8_t> head, std::uint64_t fileSize);
ReadPlan planTga(std::span<const std::uint8_t> head, std::uint64_t fileSize);

}  // namespace tessora
