#include "engine/resample.h"
namespace tessora {
std::int64_t zweihoch(int i) {
    std::int64_t result = 1;
    for (int k = 0; k < i; ++k)
        result *= 2;
    return result;
}
}  // namespace tessora
