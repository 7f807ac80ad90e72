#include "Animation/RunningClock.h"
#include "GameEngine2D/Animation/Animation.h"
#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Animation/AnimationTimer.h"
#include "GameEngine2D/Animation/CustomAnimation.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace Quarnel::GameEngine2D::Animation;

// Records the protocol calls it receives; `onAnimate` lets a test act from inside a step.
class RecordingAnimation : public Animation
{
public:
    explicit RecordingAnimation(bool handDelta = false) : Animation(handDelta) {}

    std::vector<std::string> calls;
    std::vector<std::uint32_t> values;
    std::function<void(RecordingAnimation&)> onAnimate;

protected:
    void OnStart() override { calls.emplace_back("OnStart"); }
    void Animate(std::uint32_t value) override
    {
        values.push_back(value);
        if (onAnimate)
            onAnimate(*this);
    }
    void OnStop() override { calls.emplace_back("OnStop"); }
};

using AnimationTesting::RunningClock;

TEST(AnimationProtocol, StepsWithElapsedTimeFromItsStartAndFiresUpdatedAfterEach)
{
    RunningClock clock;
    clock.AdvanceTo(100);
    auto animation = std::make_shared<RecordingAnimation>();
    int updates = 0;
    animation->Updated().Add(Quarnel::Common::Handler<>([&updates] { ++updates; }));
    animation->Start(clock.manager);
    EXPECT_EQ(animation->GetStartTime(), 100u);
    clock.Frame(16);
    clock.Frame(20);
    EXPECT_EQ(animation->values, (std::vector<std::uint32_t>{16, 36}));
    EXPECT_EQ(updates, 2);
}

TEST(AnimationProtocol, DeltaAnimationReceivesTheFrameStep)
{
    RunningClock clock;
    auto animation = std::make_shared<RecordingAnimation>(true);
    animation->Start(clock.manager);
    clock.Frame(16);
    clock.Frame(20);
    EXPECT_EQ(animation->values, (std::vector<std::uint32_t>{16, 20}));
}

TEST(AnimationProtocol, StartAndStopAreIgnoredTwiceAndStopFiresOnce)
{
    RunningClock clock;
    auto animation = std::make_shared<RecordingAnimation>();
    int stops = 0;
    animation->Stopped().Add(Quarnel::Common::Handler<>([&stops] { ++stops; }));
    animation->Stop();
    animation->Start(clock.manager);
    animation->Start(clock.manager);
    EXPECT_EQ(clock.manager.Count(), 1);
    clock.Frame();
    animation->Stop();
    animation->Stop();
    clock.Frame();
    EXPECT_EQ(animation->calls, (std::vector<std::string>{"OnStart", "OnStop"}));
    EXPECT_EQ(animation->values.size(), 1u);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(clock.manager.Count(), 0);
    EXPECT_EQ(animation->GetStartTime(), 0u);
    EXPECT_FALSE(animation->IsRunning());
}

TEST(AnimationProtocol, RestartCountsFromTheNewStart)
{
    RunningClock clock;
    auto animation = std::make_shared<RecordingAnimation>();
    animation->Start(clock.manager);
    clock.Frame();
    animation->Stop();
    clock.AdvanceTo(500);
    animation->Start(clock.manager);
    clock.Frame(10);
    EXPECT_EQ(animation->values, (std::vector<std::uint32_t>{16, 10}));
}

TEST(AnimationProtocol, StopFromInsideTheStepStillFiresThatStepsUpdate)
{
    RunningClock clock;
    auto animation = std::make_shared<RecordingAnimation>();
    animation->onAnimate = [](RecordingAnimation& self) { self.Stop(); };
    std::vector<std::string> events;
    animation->Stopped().Add(Quarnel::Common::Handler<>([&events] { events.emplace_back("stopped"); }));
    animation->Updated().Add(Quarnel::Common::Handler<>([&events] { events.emplace_back("updated"); }));
    animation->Start(clock.manager);
    clock.Frame();
    clock.Frame();
    EXPECT_EQ(events, (std::vector<std::string>{"stopped", "updated"}));
    EXPECT_EQ(clock.manager.Count(), 0);
}

TEST(AnimationProtocol, AnimationsStepInTheOrderTheyWereStarted)
{
    RunningClock clock;
    std::vector<int> order;
    auto first = std::make_shared<CustomAnimation>([&order](std::uint32_t) { order.push_back(1); });
    auto second = std::make_shared<CustomAnimation>([&order](std::uint32_t) { order.push_back(2); });
    second->Start(clock.manager);
    first->Start(clock.manager);
    clock.Frame();
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

TEST(AnimationProtocol, OwnerDroppedByTheStoppedHandlerIsSafe)
{
    RunningClock clock;
    auto owner = std::make_shared<RecordingAnimation>();
    owner->onAnimate = [](RecordingAnimation& self) { self.Stop(); };
    owner->Stopped().Add(Quarnel::Common::Handler<>([&owner] { owner.reset(); }));
    owner->Start(clock.manager);
    clock.Frame();
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(clock.manager.Count(), 0);
}

TEST(AnimationProtocol, DestroyedAnimationLeavesItsManager)
{
    RunningClock clock;
    {
        auto animation = std::make_shared<RecordingAnimation>();
        animation->Start(clock.manager);
    }
    clock.Frame();
    EXPECT_EQ(clock.manager.Count(), 0);
}

TEST(AnimationProtocol, AnimationOutlivingItsManagerCanStopAndStartElsewhere)
{
    auto animation = std::make_shared<RecordingAnimation>();
    {
        RunningClock first;
        animation->Start(first.manager);
        first.Frame();
    }
    EXPECT_EQ(animation->GetManager(), nullptr);
    RunningClock second;
    animation->Start(second.manager);
    second.Frame(5);
    EXPECT_EQ(animation->values.back(), 5u);
    animation->Stop();
    EXPECT_EQ(second.manager.Count(), 0);
}

TEST(AnimationProtocol, StartAndStopWithinOneClockStepLeaveNothingRunning)
{
    RunningClock clock;
    auto late = std::make_shared<RecordingAnimation>();
    auto driver = std::make_shared<CustomAnimation>([&late, &clock](std::uint32_t) {
        late->Start(clock.manager);
        late->Stop();
    });
    driver->Start(clock.manager);
    clock.Frame();
    driver->Stop();
    clock.Frame();
    clock.Frame();
    EXPECT_TRUE(late->values.empty());
}

TEST(AnimationTimer, StopsOnTheFirstStepPastItsDurationAndFiresOnce)
{
    RunningClock clock;
    clock.AdvanceTo(2000);
    auto timer = std::make_shared<AnimationTimer>(500);
    int stops = 0;
    std::uint32_t stoppedAt = 0;
    timer->Stopped().Add(Quarnel::Common::Handler<>([&] {
        ++stops;
        stoppedAt = clock.manager.GetTime();
    }));
    timer->Start(clock.manager);
    clock.AdvanceTo(2500);
    EXPECT_EQ(stops, 0);
    clock.Frame(1);
    clock.AdvanceTo(3000);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(stoppedAt, 2501u);
}

TEST(CustomAnimation, StartedAtClockZeroFirstCallsAfterOneInterval)
{
    RunningClock clock;
    std::vector<std::uint32_t> calls;
    auto custom = std::make_shared<CustomAnimation>([&calls](std::uint32_t elapsed) { calls.push_back(elapsed); },
                                                    Quarnel::Common::DataTypes::WInteger(100));
    custom->Start(clock.manager);
    for (int frame = 0; frame < 16; ++frame)
        clock.Frame(16);
    // Steps at 16, 32, …, 256: calls at the first elapsed time of at least 100 after the previous call.
    EXPECT_EQ(calls, (std::vector<std::uint32_t>{112, 224}));
}

TEST(CustomAnimation, StartedLaterCallsOnItsFirstStep)
{
    RunningClock clock;
    clock.AdvanceTo(1000);
    std::vector<std::uint32_t> calls;
    auto custom = std::make_shared<CustomAnimation>([&calls](std::uint32_t elapsed) { calls.push_back(elapsed); },
                                                    Quarnel::Common::DataTypes::WInteger(100));
    custom->Start(clock.manager);
    for (int frame = 0; frame < 8; ++frame)
        clock.Frame(16);
    EXPECT_EQ(calls, (std::vector<std::uint32_t>{16, 128}));
}

TEST(CustomAnimation, WithoutIntervalCallsOnEveryStep)
{
    RunningClock clock;
    int calls = 0;
    auto custom = std::make_shared<CustomAnimation>([&calls](std::uint32_t) { ++calls; });
    custom->Start(clock.manager);
    clock.Frame();
    clock.Frame();
    custom->SetInterval(1000);
    clock.Frame();
    EXPECT_EQ(calls, 2);
}

} // namespace
