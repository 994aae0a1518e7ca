#pragma once
// The beads a pointer passes between two successive mouse positions. Mouse moves arrive far
// apart when the pointer is fast, so painting only the bead under each position leaves gaps.

#include <QPoint>
#include <vector>

#include "ui/beadviews.h"

namespace tessora {

// The beads of the enlarged grid under the straight path from `from` to `to` (view
// coordinates, both ends included), in the order passed, each once per visit.
std::vector<QPoint> beadsAlongPointer(QPoint from, QPoint to, const EditViewLayout& layout);

}  // namespace tessora
