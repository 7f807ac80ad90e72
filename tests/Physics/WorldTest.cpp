#include "GameEngine2D/Physics/World.h"

#include "Common/Handler.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SpringData.h"
#include "GameEngine2D/Physics/Thread.h"
#include "Physics/PhysicsTestDoubles.h"
#include "Support/LogRecorder.h"

#include <algorithm>
#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{

using Quarnel::Common::Handler;
using Quarnel::Common::Point3D;
using namespace Quarnel::GameEngine2D::Physics;
using namespace Quarnel::GameEngine2D::Physics::Testing;

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

std::shared_ptr<MovingPoint> PointAt(float x, float y, float z)
{
    return KeptPoint(Point3D(x, y, z));
}

TEST(WorldSubSteps, EachSubStepUpdatesTheProducersThenStepsEveryMassWithItsShare)
{
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    world.SetSubSteps(3);
    // Masses of 0 keep their forces, so the second one counts the chain's updates: each adds (-4, 0, 0).
    auto anchor = world.CreateMass(*PointAt(0.0f, 0.0f, 0.0f), 0.0f);
    auto loose = world.CreateMass(*PointAt(3.0f, 0.0f, 0.0f), 0.0f);
    world.CreateChain()->AddSpring(anchor, loose, std::make_shared<SpringData>(2.0f, 1.0f, 0.0f));
    std::vector<std::string> order;
    std::vector<float> steps;
    anchor->OnSimulate().Add(Handler<float>([&](float dt) {
        steps.push_back(dt);
        order.push_back("anchor");
    }));
    loose->OnSimulate().Add(Handler<float>([&](float) { order.push_back("loose"); }));

    world.Update(30);

    const float dt = 30.0f / 1000.0f;
    EXPECT_THAT(steps, ::testing::ElementsAre(dt / 3.0f, dt / 3.0f, dt / 3.0f));
    EXPECT_THAT(order, ::testing::ElementsAre("anchor", "loose", "anchor", "loose", "anchor", "loose"));
    EXPECT_TRUE(SamePoint(loose->Force(), Point3D(-12.0f, 0.0f, 0.0f)));
}

TEST(WorldSubSteps, TimeFactorScalesTheStepAndNoSubStepsMeansNoStep)
{
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    auto mass = world.CreateMass(*PointAt(0.0f, 0.0f, 0.0f), 1.0f);
    std::vector<float> steps;
    mass->OnSimulate().Add(Handler<float>([&](float dt) { steps.push_back(dt); }));

    world.SetTimeFactor(2.0f);
    world.SetSubSteps(1);
    world.Update(250);
    world.SetSubSteps(0);
    world.Update(250);
    world.SetSubSteps(-2);
    world.Update(250);

    EXPECT_THAT(steps, ::testing::ElementsAre(0.5f));
}

TEST(WorldSubSteps, ZeroElapsedTimeStillRaisesStepEventsAndLeavesPositionsAlone)
{
    World world(Point3D(0.0f, -1.0f, 0.0f), 0.0f);
    auto target = PointAt(1.0f, 2.0f, 3.0f);
    auto mass = world.CreateMass(*target, 1.0f);
    mass->SetSpeed(Point3D(5.0f, 5.0f, 5.0f));
    std::vector<float> steps;
    mass->OnSimulate().Add(Handler<float>([&](float dt) { steps.push_back(dt); }));

    world.Update(0);

    EXPECT_THAT(steps, ::testing::ElementsAre(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(SamePoint(target->position, Point3D(1.0f, 2.0f, 3.0f)));
}

TEST(WorldFlags, NaNAndZeroSwitchFrictionAndGravityOff)
{
    World world(Point3D(0.0f, NaN, 0.0f), NaN);
    EXPECT_FALSE(world.HasGravity());
    EXPECT_FALSE(world.HasFriction());

    world.SetGravity(Point3D(0.0f, 0.0f, -3.0f));
    world.SetFriction(0.002f);
    EXPECT_TRUE(world.HasGravity());
    EXPECT_TRUE(world.HasFriction());

    world.SetGravity(Point3D(0.0f, 0.0f, 0.0f));
    world.SetFriction(0.0f);
    EXPECT_FALSE(world.HasGravity());
    EXPECT_FALSE(world.HasFriction());
}

TEST(MassStep, GravityAcceleratesByWeightOverMassPerSubStep)
{
    World world(Point3D(0.0f, -1.0f, 0.0f), 0.0f);
    world.SetSubSteps(1);
    auto target = PointAt(1.0f, 2.0f, 3.0f);
    auto mass = world.CreateMass(*target, 2.0f);

    world.Update(500);

    EXPECT_TRUE(SamePoint(mass->Speed(), Point3D(0.0f, -1.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(mass->Force(), Point3D(0.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(target->position, Point3D(1.0f, 1.5f, 3.0f)));
}

TEST(MassStep, FrictionOpposesTheSpeedBeforeTheMove)
{
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.5f);
    world.SetSubSteps(1);
    auto target = PointAt(0.0f, 0.0f, 0.0f);
    auto mass = world.CreateMass(*target, 1.0f);
    mass->SetSpeed(Point3D(2.0f, 0.0f, 0.0f));

    world.Update(100);

    EXPECT_TRUE(SamePoint(mass->Speed(), Point3D(1.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(target->position, Point3D(1.0f * 0.1f, 0.0f, 0.0f)));
}

// Semi-implicit Euler with gravity, friction and an outside force, followed over several updates and
// compared with the same float operations written out here.
TEST(MassStep, SeveralUpdatesFollowTheSemiImplicitEulerStepExactly)
{
    const float friction = 0.25f;
    const float gx = 0.5f, gy = -9.81f, gz = 0.0f;
    World world(Point3D(gx, gy, gz), friction);
    auto target = PointAt(1.0f, 10.0f, -2.0f);
    const float massValue = 3.0f;
    auto mass = world.CreateMass(*target, massValue);
    mass->SetSpeed(Point3D(0.3f, 1.7f, -0.9f));
    mass->AddForce(Point3D(4.0f, 0.0f, 1.0f));

    float px = 1.0f, py = 10.0f, pz = -2.0f;
    float vx = 0.3f, vy = 1.7f, vz = -0.9f;
    float fx = 4.0f, fy = 0.0f, fz = 1.0f;
    const float dt = static_cast<float>(17.0 / 1000.0);
    const float subStep = dt / 3.0f;
    for (int update = 0; update < 4; ++update)
    {
        world.Update(17);
        for (int step = 0; step < 3; ++step)
        {
            fx = fx + gx * massValue;
            fy = fy + gy * massValue;
            fz = fz + gz * massValue;
            fx = fx + vx * -friction;
            fy = fy + vy * -friction;
            fz = fz + vz * -friction;
            vx = vx + fx / massValue;
            vy = vy + fy / massValue;
            vz = vz + fz / massValue;
            fx = fy = fz = 0.0f;
            px = px + vx * subStep;
            py = py + vy * subStep;
            pz = pz + vz * subStep;
        }
        ASSERT_TRUE(SamePoint(target->position, Point3D(px, py, pz))) << "after update " << update;
    }
    EXPECT_TRUE(SamePoint(mass->Speed(), Point3D(vx, vy, vz)));
}

TEST(MassStep, AMassOfZeroOrNaNDriftsAndKeepsItsForcesUntilItHasAMass)
{
    World world(Point3D(0.0f, -1.0f, 0.0f), 0.5f);
    world.SetSubSteps(1);
    auto zeroTarget = PointAt(0.0f, 0.0f, 0.0f);
    auto zero = world.CreateMass(*zeroTarget, 0.0f);
    zero->SetSpeed(Point3D(1.0f, 0.0f, 0.0f));
    zero->AddForce(Point3D(0.0f, 0.0f, 4.0f));
    auto nanTarget = PointAt(0.0f, 0.0f, 0.0f);
    auto notANumber = world.CreateMass(*nanTarget, NaN);
    notANumber->SetSpeed(Point3D(0.0f, 2.0f, 0.0f));

    world.Update(250);

    EXPECT_TRUE(SamePoint(zeroTarget->position, Point3D(0.25f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(zero->Force(), Point3D(0.0f, 0.0f, 4.0f)));
    EXPECT_TRUE(SamePoint(nanTarget->position, Point3D(0.0f, 0.5f, 0.0f)));

    // Given a mass, the waiting force is applied together with gravity and friction.
    zero->SetMass(2.0f);
    world.Update(250);
    const float vx = 1.0f + (1.0f * -0.5f) / 2.0f;
    const float vy = 0.0f + (-1.0f * 2.0f) / 2.0f;
    const float vz = 0.0f + 4.0f / 2.0f;
    EXPECT_TRUE(SamePoint(zero->Speed(), Point3D(vx, vy, vz)));
}

TEST(MassStep, LogSpeedWritesOneLinePerLaterStep)
{
    const Quarnel::TestSupport::LogRecorder log;
    World world(Point3D(0.0f, -1.0f, 0.0f), 0.0f);
    world.SetSubSteps(2);
    auto mass = world.CreateMass(*PointAt(0.0f, 0.0f, 0.0f), 1.0f);
    world.Update(10);
    EXPECT_EQ(std::ranges::count_if(log.Texts(), [](const std::string& text) { return text.starts_with("speed: "); }),
              0);

    mass->LogSpeed();
    world.Update(10);

    EXPECT_EQ(std::ranges::count_if(log.Texts(), [](const std::string& text) { return text.starts_with("speed: "); }),
              2);
    EXPECT_EQ(std::ranges::count(log.Texts(), "speed: 0.00000|-4.00000|0.00000"), 1);
}

TEST(WorldErrors, AMassCreatedInsideAStepFailsTheUpdateButIsKept)
{
    const Quarnel::TestSupport::LogRecorder log;
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    world.SetSubSteps(1);
    auto first = world.CreateMass(*PointAt(0.0f, 0.0f, 0.0f), 1.0f);
    auto second = world.CreateMass(*PointAt(0.0f, 0.0f, 0.0f), 1.0f);
    second->SetSpeed(Point3D(1.0f, 0.0f, 0.0f));
    std::shared_ptr<Mass> added;
    first->OnSimulate().Add(Handler<float>([&](float) {
        if (!added)
            added = world.CreateMass(*PointAt(5.0f, 5.0f, 5.0f), 1.0f);
    }));

    EXPECT_THAT([&] { world.Update(100); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("Error in Physics.Update")));
    EXPECT_EQ(std::ranges::count(log.Warnings(), "Collection modified during iteration"), 1);
    ASSERT_EQ(world.GetMasses().List().size(), 3u);
    EXPECT_EQ(world.GetMasses().List().back(), added);
    // The walk stopped before the second mass moved; the next update steps all three.
    EXPECT_TRUE(SamePoint(second->Target().GetPosition(), Point3D(0.0f, 0.0f, 0.0f)));

    world.Update(100);
    EXPECT_TRUE(SamePoint(second->Target().GetPosition(), Point3D(0.1f, 0.0f, 0.0f)));
}

TEST(WorldErrors, AProducerCreatedWhileTheProducersRunFailsTheUpdate)
{
    const Quarnel::TestSupport::LogRecorder log;
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    auto reporter = PointAt(0.0f, 0.0f, 0.0f);
    auto gravities = world.CreateGravities();
    gravities->Add(world.CreateMass(*reporter, 1.0f));
    gravities->Add(world.CreateMass(*PointAt(1.0f, 0.0f, 0.0f), 1.0f));
    int chains = 0;
    reporter->onRead = [&] {
        if (chains++ == 0)
            world.CreateChain();
    };

    EXPECT_THAT([&] { world.Update(10); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("Error in Physics.Update")));
    EXPECT_EQ(std::ranges::count(log.Warnings(), "Collection modified during iteration"), 1);
    EXPECT_NO_THROW(world.Update(10));
}

TEST(WorldErrors, AFailingStepHandlerFailsTheUpdateAndLogsItsMessage)
{
    const Quarnel::TestSupport::LogRecorder log;
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    auto mass = world.CreateMass(*PointAt(0.0f, 0.0f, 0.0f), 1.0f);
    mass->OnSimulate().Add(Handler<float>([&](float) { throw std::logic_error("handler failed"); }));

    EXPECT_THAT([&] { world.Update(10); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("Error in Physics.Update")));
    EXPECT_EQ(std::ranges::count(log.Warnings(), "handler failed"), 1);
}

// A body that goes takes its mass out; the mass may go in the middle of an update, from a step handler.
TEST(MassRemoval, ARemovedMassIsNeitherSteppedNorPulledAndLeavesTheWorld)
{
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    world.SetSubSteps(1);
    auto gravities = world.CreateGravities();
    auto remover = world.CreateMass(*PointAt(0.0f, 0.0f, 0.0f), 1.0f);
    auto removed = world.CreateMass(*PointAt(1.0f, 0.0f, 0.0f), 1.0f);
    auto kept = world.CreateMass(*PointAt(2.0f, 0.0f, 0.0f), 1.0f);
    for (const auto& mass : {remover, removed, kept})
        gravities->Add(mass);
    removed->SetSpeed(Point3D(1.0f, 0.0f, 0.0f));
    remover->OnSimulate().Add(Handler<float>([&](float) { removed->Remove(); }));

    world.Update(100);
    // Removed during the walk over the masses, before its turn: it did not move.
    EXPECT_TRUE(SamePoint(removed->Target().GetPosition(), Point3D(1.0f, 0.0f, 0.0f)));
    const Point3D forceWhenRemoved = removed->Force();

    world.Update(100);
    EXPECT_THAT(world.GetMasses().List(), ::testing::ElementsAre(remover, kept));
    // The gravity has forgotten it too: no further force reaches it.
    EXPECT_TRUE(SamePoint(removed->Force(), forceWhenRemoved));
}

} // namespace
