#include "GameEngine2D/Animation/AnimationManager.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Animation/CustomAnimation.h"
#include "Support/LogRecorder.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using Quarnel::Common::MyLog;
using Quarnel::GameEngine2D::Animation::AnimationManager;
using Quarnel::GameEngine2D::Animation::CustomAnimation;

// Feeds a running manager a sequence of tick counts and returns the clock after each one.
std::vector<std::uint32_t> ClockAfter(AnimationManager& manager, const std::vector<std::uint32_t>& ticks)
{
    std::vector<std::uint32_t> times;
    for (const std::uint32_t tick : ticks)
    {
        manager.Update(tick);
        times.push_back(manager.GetTime());
    }
    return times;
}

TEST(AnimationClock, FirstUpdateOnlyRecordsThenTheClockFollowsTheTicks)
{
    AnimationManager manager;
    manager.Start();
    EXPECT_EQ(ClockAfter(manager, {1000, 1016, 1033}), (std::vector<std::uint32_t>{0, 16, 33}));
    EXPECT_EQ(manager.GetDelta(), 17u);
}

TEST(AnimationClock, StandsStillUntilStarted)
{
    AnimationManager manager;
    EXPECT_EQ(ClockAfter(manager, {100, 200, 300}), (std::vector<std::uint32_t>{0, 0, 0}));
}

TEST(AnimationClock, TickCountZeroIsRecordedAsOne)
{
    AnimationManager manager;
    manager.Start();
    // Had 0 been stored, the second call would count as a first call again and the clock would not move.
    EXPECT_EQ(ClockAfter(manager, {0, 17}), (std::vector<std::uint32_t>{0, 16}));
}

TEST(AnimationClock, LongFrameCountsAsTwiceThePreviousStep)
{
    AnimationManager manager;
    manager.Start();
    ClockAfter(manager, {1000, 1016, 1032});
    const Quarnel::TestSupport::LogRecorder log;
    manager.Update(1532);
    ASSERT_EQ(log.Lines().size(), 1u);
    EXPECT_TRUE(
        log.Lines()[0].ends_with("Info| --- TIME --- TIME --- TIME --- TIME --- TIME --- TIME --- TIME --- TIME ---"));
    EXPECT_EQ(manager.GetTime(), 64u);
    EXPECT_EQ(manager.GetDelta(), 32u);
    // 40 is not more than 20 × 32: a real frame again.
    manager.Update(1572);
    EXPECT_EQ(manager.GetTime(), 104u);
    EXPECT_EQ(manager.GetDelta(), 40u);
}

TEST(AnimationClock, StepOfExactlyTwentyTimesTheDeltaIsNoSpike)
{
    AnimationManager manager;
    manager.Start();
    ClockAfter(manager, {1000, 1010});
    manager.Update(1210);
    EXPECT_EQ(manager.GetDelta(), 200u);
}

TEST(AnimationClock, PauseHoldsTheClockAndResumeSwallowsOneUpdate)
{
    AnimationManager manager;
    manager.Start();
    std::uint32_t tick = 5000;
    manager.Update(tick);
    while (manager.GetTime() < 1000)
        manager.Update(tick += 16);
    const std::uint32_t pausedAt = manager.GetTime();
    manager.Pause();
    for (int frame = 0; frame < 180; ++frame)
        manager.Update(tick += 16);
    EXPECT_EQ(manager.GetTime(), pausedAt);

    manager.Resume();
    manager.Update(tick += 16);
    EXPECT_EQ(manager.GetTime(), pausedAt);
    // Measured from the last tick before the pause: a spike, so it counts as two frames.
    manager.Update(tick += 16);
    EXPECT_EQ(manager.GetTime(), pausedAt + 32);
}

TEST(AnimationClock, RestartBeginsAgainFromZero)
{
    AnimationManager manager;
    manager.Start();
    ClockAfter(manager, {1000, 1016, 1032});
    manager.Start();
    EXPECT_EQ(ClockAfter(manager, {9000, 9016}), (std::vector<std::uint32_t>{0, 16}));
}

TEST(AnimationClock, TickCountWrapAroundStillGivesAShortStep)
{
    AnimationManager manager;
    manager.Start();
    ClockAfter(manager, {0xFFFFFFF0u, 0xFFFFFFFFu, 15u});
    EXPECT_EQ(manager.GetTime(), 31u);
}

TEST(AnimationClock, FailingAnimationReachesTheSceneWithItsMessageAndKeepsTheLastTick)
{
    AnimationManager manager;
    manager.Start();
    bool fail = true;
    auto failing = std::make_shared<CustomAnimation>([&fail](std::uint32_t) {
        if (fail)
            throw std::logic_error("kaputt");
    });
    failing->Start(manager);
    manager.Update(1000);
    try
    {
        manager.Update(1016);
        FAIL() << "the animation's error was swallowed";
    }
    catch (const std::runtime_error& error)
    {
        EXPECT_STREQ(error.what(), "kaputt");
    }
    // The failed step did not record its tick: the next step is measured from 1000.
    fail = false;
    manager.Update(1032);
    EXPECT_EQ(manager.GetTime(), 16u + 32u);
}

} // namespace
