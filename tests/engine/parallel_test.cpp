#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "engine/parallel.h"

using namespace tessora;

TEST(RunInParts, EveryPartRunsOnceAndOnlyPartZeroOnTheCaller) {
    std::atomic<int> runs[4] = {};
    std::thread::id zeroRanOn;
    runInParts(4, [&](int part) {
        if (part == 0) zeroRanOn = std::this_thread::get_id();
        ++runs[part];
    });
    for (const auto& r : runs)
        EXPECT_EQ(r.load(), 1);
    EXPECT_EQ(zeroRanOn, std::this_thread::get_id());
}

TEST(RunInParts, AHelpersErrorReachesTheCallerAfterAllParts) {
    std::atomic<int> finished = 0;
    EXPECT_THROW(runInParts(3,
                            [&](int part) {
                                if (part == 2) throw std::runtime_error("part 2");
                                ++finished;
                            }),
                 std::runtime_error);
    EXPECT_EQ(finished.load(), 2);
}
