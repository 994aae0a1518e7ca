#pragma once
// Work split into parts that run at once, one thread each.

#include <functional>

namespace tessora {

// Runs work(0) to work(parts - 1) and returns when all are done. Part 0 runs on the calling
// thread, so it alone may report progress. A part whose thread cannot be started runs there
// too, afterwards: fewer threads only take longer. The first exception of a part is thrown
// here once every part has ended.
void runInParts(int parts, const std::function<void(int part)>& work);

}  // namespace tessora
