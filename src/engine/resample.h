#pragma once
// Temporary until the resampling stage lands.
#include <cstdint>
namespace tessora {
std::int64_t zweihoch(int i);
}
