#pragma once
// Memory blocks of images. A handle is the block's address. Large blocks come straight from the
// kernel, zeroed and 2 MiB aligned with transparent huge pages requested: a full-size chart
// (hundreds of megabytes) is then touched in a fraction of the time 4 KiB pages take.

#include <cstddef>
#include <cstdint>

namespace tessora {

// A zero-filled block of at least `size` bytes; 0 when memory is short.
std::uintptr_t GlobalAllocZeroed(std::size_t size);
void GlobalFree(std::uintptr_t handle);
std::size_t GlobalSize(std::uintptr_t handle);

// For tests: blocks of at least `fromBytes` bytes are refused, as when memory has run out,
// once `grantedFirst` more of them have been given; `fromBytes` 0 ends it. Lets every
// out-of-memory path of the callers run for real, one allocation after the other.
void simulateOutOfMemory(std::size_t fromBytes, int grantedFirst = 0);

}  // namespace tessora
