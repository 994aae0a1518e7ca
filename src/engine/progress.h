#pragma once
// How the stages of the calculate command report how far they are.

#include "imagelib/imagelib.h"

namespace tessora {

// Calls `progress` when there is one; stages report 0 at their start and end and
// rowPercent() at the start of every row.
inline void report(const ProgressFn& progress, int percent) {
    if (progress) progress(percent);
}

}  // namespace tessora
