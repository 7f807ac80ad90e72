#include "Animation/RunningClock.h"
#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Animation/AnimationMove.h"
#include "GameEngine2D/Animation/MassMover.h"
#include "GameEngine2D/Animation/ValueManipulator.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/World.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace
{

using namespace Quarnel::GameEngine2D::Animation;
using Quarnel::Common::Point3D;

class MovablePoint : public Quarnel::Common::IMoveable
{
public:
    [[nodiscard]] Point3D GetPosition() const override { return position; }
    void SetPosition(Point3D moved) override { position = moved; }

private:
    Point3D position{0.0f, 0.0f, 0.0f};
};

using AnimationTesting::RunningClock;

TEST(AnimationMove, MovesBySpeedTimesFrameStep)
{
    RunningClock clock;
    auto point = std::make_shared<MovablePoint>();
    auto move = std::make_shared<AnimationMove>(point, Point3D(100.0f, 0.0f, -50.0f));
    move->Start(clock.manager);
    clock.Frame(16);
    EXPECT_FLOAT_EQ(point->GetPosition().X(), 1.6f);
    clock.Frame(16);
    clock.Frame(32);
    EXPECT_FLOAT_EQ(point->GetPosition().X(), 6.4f);
    EXPECT_FLOAT_EQ(point->GetPosition().Z(), -3.2f);
    move->Stop();
    clock.Frame(16);
    EXPECT_FLOAT_EQ(point->GetPosition().X(), 6.4f);
}

TEST(AnimationMove, WithoutNodeIdlesUntilItGetsOne)
{
    RunningClock clock;
    auto move = std::make_shared<AnimationMove>();
    move->SetSpeed(Point3D(0.0f, 1000.0f, 0.0f));
    move->Start(clock.manager);
    clock.Frame(10);
    auto point = std::make_shared<MovablePoint>();
    move->SetNode(point);
    clock.Frame(10);
    EXPECT_FLOAT_EQ(point->GetPosition().Y(), 10.0f);
}

TEST(MassMover, PushesOnEveryPhysicsStepOnlyWhileRunning)
{
    RunningClock clock;
    MovablePoint point;
    Quarnel::GameEngine2D::Physics::World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    auto mass = world.CreateMass(point, 2.0f);
    auto mover = std::make_shared<MassMover>(mass, Point3D(10.0f, 0.0f, 0.0f));
    mover->Start(clock.manager);
    mass->Simulate(0.5f);
    mass->Simulate(0.5f);
    EXPECT_FLOAT_EQ(mass->Speed().X(), 10.0f);
    mover->Stop();
    mass->Simulate(0.5f);
    EXPECT_FLOAT_EQ(mass->Speed().X(), 10.0f);
    // Restarted and then destroyed while running: the mass must not call the gone mover.
    mover->Start(clock.manager);
    mover.reset();
    mass->Simulate(0.5f);
    EXPECT_FLOAT_EQ(mass->Speed().X(), 10.0f);
    EXPECT_EQ(mass->OnSimulate().Count(), 0);
}

TEST(MassMover, RefusesToStartWithoutAMass)
{
    RunningClock clock;
    MassMover mover;
    EXPECT_THROW(mover.Start(clock.manager), std::invalid_argument);
    EXPECT_FALSE(mover.IsRunning());
    EXPECT_EQ(clock.manager.Count(), 0);
}

// A float driven by a ValueManipulator; `writes` keeps every value the animation set.
struct DrivenValue
{
    float value = 0.0f;
    std::vector<float> writes;

    std::shared_ptr<ValueManipulator> Drive(float target, float acceleration, float maxStep)
    {
        return std::make_shared<ValueManipulator>(
            true,
            [this](float next) {
                value = next;
                writes.push_back(next);
            },
            [this] { return value; }, target, acceleration, maxStep);
    }
};

TEST(ValueManipulator, WithoutAccelerationTakesFullStepsAndLandsOnTheTarget)
{
    RunningClock clock;
    DrivenValue driven;
    auto manipulator = driven.Drive(10.0f, 0.0f, 4.0f);
    manipulator->Start(clock.manager);
    for (int frame = 0; frame < 5; ++frame)
        clock.Frame();
    EXPECT_EQ(driven.writes, (std::vector<float>{4.0f, 8.0f, 10.0f}));
    EXPECT_FALSE(manipulator->IsRunning());
}

TEST(ValueManipulator, CountsDownToATargetBelow)
{
    RunningClock clock;
    DrivenValue driven;
    driven.value = 255.0f;
    auto manipulator = driven.Drive(0.0f, 22.0f, 22.0f);
    int stops = 0;
    manipulator->Stopped().Add(Quarnel::Common::Handler<>([&stops] { ++stops; }));
    manipulator->Start(clock.manager);
    for (int frame = 0; frame < 100; ++frame)
        clock.Frame(20);
    ASSERT_GE(driven.writes.size(), 3u);
    // The step grows by 20 ms × 22 × 10 / 1000 = 4.4 per frame up to 22.
    EXPECT_FLOAT_EQ(driven.writes[0], 255.0f - 4.4f);
    EXPECT_FLOAT_EQ(driven.writes[1], 255.0f - 4.4f - 8.8f);
    for (std::size_t index = 1; index < driven.writes.size(); ++index)
        EXPECT_LE(driven.writes[index - 1] - driven.writes[index], 22.0f + 1e-4f);
    EXPECT_EQ(driven.writes.back(), 0.0f);
    EXPECT_EQ(stops, 1);
}

TEST(ValueManipulator, RetargetingWhileRunningTurnsAroundWithTheStepReset)
{
    RunningClock clock;
    DrivenValue driven;
    driven.value = 100.0f;
    auto manipulator = driven.Drive(0.0f, 10.0f, 50.0f);
    manipulator->Start(clock.manager);
    clock.Frame(10);
    clock.Frame(10);
    EXPECT_FLOAT_EQ(driven.value, 97.0f);
    manipulator->SetTarget(200.0f);
    manipulator->Reset();
    manipulator->Start(clock.manager);
    clock.Frame(10);
    EXPECT_FLOAT_EQ(driven.value, 98.0f);
    for (int frame = 0; frame < 100; ++frame)
        clock.Frame(10);
    EXPECT_EQ(driven.value, 200.0f);
    EXPECT_FALSE(manipulator->IsRunning());
}

TEST(ValueManipulator, RefusesMissingCallbacks)
{
    EXPECT_THROW(ValueManipulator(
                     true, nullptr, [] { return 0.0f; }, 1.0f, 0.0f, 1.0f),
                 std::invalid_argument);
    EXPECT_THROW(ValueManipulator(
                     true, [](float) {}, nullptr, 1.0f, 0.0f, 1.0f),
                 std::invalid_argument);
}

} // namespace
