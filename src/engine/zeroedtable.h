#pragma once
// A table of 32-bit entries that starts as zeros and costs no memory page until an entry is
// written: a large block comes fresh from the kernel, where filling a vector would touch every
// page of it.

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

#include "imagelib/memory.h"

namespace tessora {

class ZeroedTable {
  public:
    explicit ZeroedTable(std::size_t size)
        : handle_(GlobalAllocZeroed(size * sizeof(std::uint32_t))) {
        if (handle_ == 0) throw std::bad_alloc();
    }
    ~ZeroedTable() { GlobalFree(handle_); }
    ZeroedTable(ZeroedTable&& other) noexcept : handle_(std::exchange(other.handle_, 0)) {}
    ZeroedTable(const ZeroedTable&) = delete;
    ZeroedTable& operator=(const ZeroedTable&) = delete;
    ZeroedTable& operator=(ZeroedTable&&) = delete;

    std::uint32_t& operator[](std::size_t i) {
        return reinterpret_cast<std::uint32_t*>(handle_)[i];
    }

  private:
    std::uintptr_t handle_;
};

}  // namespace tessora
