// Waiting on the clock: Delay lets the messages run until its time has
// passed, on a fake clock that moves only while something waits.
#include <gtest/gtest.h>

#include <vector>

#include "framework/core/clock.h"

using namespace trx;

namespace {

// Records the tick count, relative to the start, at every message pass.
class DelayTest : public ::testing::Test {
protected:
    DelayTest() {
        SetProcessMessagesHook([this] { passes.push_back(GetTickCount() - start); });
    }
    ~DelayTest() override { SetProcessMessagesHook({}); }

    TFakeClock clock{46000.5, 5000};
    TClockOverride use{clock};
    const int64_t start = GetTickCount();
    std::vector<int64_t> passes;
};

TEST_F(DelayTest, ReturnsOnlyOnceTheElapsedTimeExceedsTheWait) {
    Delay(30);
    EXPECT_EQ(GetTickCount() - start, 31);
    // The messages still run when exactly the wait has passed.
    EXPECT_EQ(passes, (std::vector<int64_t>{0, 10, 20, 30, 31}));
}

TEST_F(DelayTest, AWaitOfNothingStillLetsTheMessagesRunAndTimeMove) {
    Delay(0);
    EXPECT_EQ(GetTickCount() - start, 1);
    EXPECT_EQ(passes, (std::vector<int64_t>{0, 1}));
}

} // namespace
