#include "imagelib/memory.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

namespace tessora {
namespace {

// Every block starts with this prefix; the handle points just past it.
struct BlockPrefix {
    std::size_t size;      // bytes usable by the caller
    std::size_t mapped;    // bytes of the mapping, 0 for a heap block
    void* base;            // start of the mapping or heap block
    std::size_t reserved;  // keeps the user area 32-byte aligned
};
static_assert(sizeof(BlockPrefix) == 32);

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kMapThreshold = std::size_t{1} << 20;

BlockPrefix* prefixOf(std::uintptr_t handle) {
    return reinterpret_cast<BlockPrefix*>(handle - sizeof(BlockPrefix));
}

std::uintptr_t mapLarge(std::size_t size) {
    const std::size_t need = size + sizeof(BlockPrefix);
    const std::size_t length = (need + kHugePage - 1) / kHugePage * kHugePage;
    // Over-map by one huge page so the block can start on a 2 MiB boundary.
    const std::size_t over = length + kHugePage;
    void* raw = mmap(nullptr, over, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return 0;
    const auto rawAddr = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (rawAddr + kHugePage - 1) & ~(kHugePage - 1);
    if (aligned > rawAddr) munmap(raw, aligned - rawAddr);
    const std::uintptr_t tail = aligned + length;
    if (rawAddr + over > tail) munmap(reinterpret_cast<void*>(tail), rawAddr + over - tail);
    madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    auto* prefix = reinterpret_cast<BlockPrefix*>(aligned);
    *prefix = BlockPrefix{size, length, reinterpret_cast<void*>(aligned), 0};
    return aligned + sizeof(BlockPrefix);
}

struct SimulatedShortage {
    std::size_t fromBytes = 0;
    int grantsLeft = 0;
};
SimulatedShortage g_shortage;

bool refusedBySimulation(std::size_t size) {
    if (g_shortage.fromBytes == 0 || size < g_shortage.fromBytes) return false;
    if (g_shortage.grantsLeft == 0) return true;
    --g_shortage.grantsLeft;
    return false;
}

}  // namespace

std::uintptr_t GlobalAllocZeroed(std::size_t size) {
    if (size > (std::size_t{1} << 40) || refusedBySimulation(size)) return 0;
    if (size >= kMapThreshold) return mapLarge(size);
    void* base = std::calloc(1, size + sizeof(BlockPrefix));
    if (base == nullptr) return 0;
    auto* prefix = static_cast<BlockPrefix*>(base);
    *prefix = BlockPrefix{size, 0, base, 0};
    return reinterpret_cast<std::uintptr_t>(base) + sizeof(BlockPrefix);
}

void GlobalFree(std::uintptr_t handle) {
    if (handle == 0) return;
    const BlockPrefix prefix = *prefixOf(handle);
    if (prefix.mapped != 0) {
        munmap(prefix.base, prefix.mapped);
    } else {
        std::free(prefix.base);
    }
}

std::size_t GlobalSize(std::uintptr_t handle) {
    return handle == 0 ? 0 : prefixOf(handle)->size;
}

void simulateOutOfMemory(std::size_t fromBytes, int grantedFirst) {
    g_shortage = SimulatedShortage{fromBytes, grantedFirst};
}

}  // namespace tessora
