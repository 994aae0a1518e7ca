#pragma once
// Progress by rows, reported only when the percentage changes so that a tall picture does not
// repaint the progress bar thousands of times.

#include "imagelib/imagelib.h"

namespace tessora {

class RowProgress {
  public:
    RowProgress(const ProgressFn& progress, int rows) : progress_(progress), rows_(rows) {}

    // Call after row `done` (0-based) has been handled; the last row reports 100.
    void rowDone(int done) {
        if (!progress_) return;
        const int percent = rows_ <= 1 ? 100 : static_cast<int>((done + 1LL) * 100 / rows_);
        if (percent != last_) progress_(percent);
        last_ = percent;
    }

  private:
    const ProgressFn& progress_;
    int rows_;
    int last_ = -1;
};

}  // namespace tessora
