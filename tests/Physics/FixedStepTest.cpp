#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "PhysicsTestDoubles.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <numbers>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{
namespace
{

using Common::Point3D;
using Testing::KeptPoint;
using Testing::SamePoint;

// Runs frames of the given lengths in milliseconds, cycling through them until `totalMs` have passed.
std::uint64_t StepsAfter(SimulationClock& clock, const std::vector<std::uint32_t>& frames, std::uint32_t totalMs)
{
    std::uint64_t steps = 0;
    std::uint32_t passed = 0;
    for (std::size_t k = 0; passed < totalMs; ++k)
    {
        const std::uint32_t frame = frames[k % frames.size()];
        steps += clock.PlanFrame(frame);
        passed += frame;
    }
    return steps;
}

TEST(SimulationClock, TheSameRealTimeGivesTheSameStepsHoweverFramesCutIt)
{
    for (const int exponent : {-3, 0, 3, 10})
    {
        std::vector<std::uint64_t> results;
        for (const std::vector<std::uint32_t>& frames :
             std::vector<std::vector<std::uint32_t>>{{50}, {16, 17, 17}, {3, 3, 4}})
        {
            SimulationClock clock;
            // Steps of a microsecond: the cap does not bite.
            clock.RecordCost(1, 1.0e-6);
            clock.SetSpeedExponent(exponent);
            results.push_back(StepsAfter(clock, frames, 3000));
        }
        // 3 s × 2^e at 128 steps per second.
        const double expected = std::ldexp(3.0 * SimulationClock::StepsPerSecond, exponent);
        for (const std::uint64_t steps : results)
            EXPECT_EQ(static_cast<double>(steps), std::floor(expected)) << "speed exponent " << exponent;
    }
}

TEST(SimulationClock, SpeedStaysBetweenAnEighthAndTenTwentyFourAndPauseTakesInNoTime)
{
    SimulationClock clock;
    while (clock.Faster())
    {
    }
    EXPECT_EQ(clock.GetSpeed(), 1024.0);
    while (clock.Slower())
    {
    }
    EXPECT_EQ(clock.GetSpeed(), 0.125);

    clock.SetSpeedExponent(0);
    clock.SetPaused(true);
    EXPECT_EQ(clock.PlanFrame(1000), 0u);
    clock.RequestSingleStep();
    EXPECT_EQ(clock.PlanFrame(16), 1u);
    EXPECT_EQ(clock.PlanFrame(16), 0u);
    // Resumed, the paused second is not owed.
    clock.SetPaused(false);
    EXPECT_EQ(clock.PlanFrame(125), 16u);
    // Running, a single step is not an extra one.
    clock.RequestSingleStep();
    EXPECT_EQ(clock.PlanFrame(125), 16u);
}

TEST(SimulationClock, TheCapDropsTheStepsBeyondTheBudgetAndTheAchievedSpeedShowsIt)
{
    SimulationClock clock;
    clock.SetSpeedExponent(10);
    // Steps costing 1 ms: 40 fit into a frame's budget.
    clock.RecordCost(10, 0.010);
    EXPECT_EQ(clock.GetStepLimit(), 40u);
    std::uint64_t steps = 0;
    for (int frame = 0; frame < 20; ++frame)
        steps += clock.PlanFrame(50);
    EXPECT_EQ(steps, 20u * 40u);
    EXPECT_EQ(clock.GetStepsInLastFrame(), 40u);
    EXPECT_TRUE(clock.IsFallingBehind());
    // 40 steps of 1/128 s per 50 ms frame.
    EXPECT_DOUBLE_EQ(clock.GetAchievedSpeed(), 40.0 / 128.0 / 0.05);

    // A new speed starts a new measurement.
    clock.SetSpeedExponent(0);
    EXPECT_FALSE(clock.IsFallingBehind());
    EXPECT_EQ(clock.GetAchievedSpeed(), 1.0);
}

TEST(SimulationClock, AStateTakenIsAStateRestored)
{
    SimulationClock clock;
    clock.SetSpeedExponent(-3);
    (void)clock.PlanFrame(130);
    clock.CountSteps(clock.GetStepsInLastFrame());
    const SimulationClock::State saved = clock.GetState();

    SimulationClock other;
    other.SetState(saved);
    EXPECT_EQ(other.GetTime(), clock.GetTime());
    EXPECT_EQ(other.PlanFrame(500), clock.PlanFrame(500));
    EXPECT_EQ(other.GetSpeedExponent(), -3);
}

// The sandbox's world: pairwise gravity with factor 0.1 and fixed leapfrog steps with a = 60 F / m.
struct TwoBodies
{
    explicit TwoBodies(bool simpleMode)
    {
        world.UseFixedSteps(60.0f);
        gravities->SetFactor(0.1f);
        gravities->SetSimpleMode(simpleMode);
        gravities->Add(sun);
        gravities->Add(planet);
        // v² = a r, a the acceleration of planet and sun towards each other (G = 0.00067).
        const double perMass = simpleMode ? 1.0 / 20.0 : 1.0 / (std::pow(500.0 * Distance, 2.0) * 0.1);
        const double pull = 60.0 * 0.00067 * (SunMass + PlanetMass) * perMass;
        speed = std::sqrt(pull * Distance);
        planet->SetSpeed(Point3D(0.0f, static_cast<float>(speed), 0.0f));
    }

    [[nodiscard]] double Separation() const
    {
        return (planet->Target().GetPosition() - sun->Target().GetPosition()).Length();
    }

    // The largest relative deviation from the start distance over `steps` steps, looked at every 64 steps.
    double LargestDeviation(std::uint64_t steps)
    {
        double largest = 0.0;
        for (std::uint64_t done = 0; done < steps; done += 64)
        {
            world.RunSteps(64);
            largest = std::max(largest, std::abs(Separation() - Distance) / Distance);
        }
        return largest;
    }

    static constexpr double Distance = 20.0;
    static constexpr float SunMass = 10000.0f;
    static constexpr float PlanetMass = 1.0f;
    World world{Point3D(0.0f, 0.0f, 0.0f), 0.0f};
    std::shared_ptr<MassGravities> gravities = world.CreateGravities();
    std::shared_ptr<Mass> sun = world.CreateMass(*KeptPoint(Point3D(0.0f, 0.0f, 0.0f)), SunMass);
    std::shared_ptr<Mass> planet =
        world.CreateMass(*KeptPoint(Point3D(static_cast<float>(Distance), 0.0f, 0.0f)), PlanetMass);
    double speed = 0.0;
};

// One turn here takes 4432 simulated seconds, 567 000 steps: a hundred turns (57 million steps) are far too many for
// the sanitizer build, so this follows one whole turn; bench/orbit measures the hundred turns.
TEST(LeapfrogOrbit, ACircularOrbitUnderTheInverseSquareLawKeepsItsRadiusForAWholeTurn)
{
    TwoBodies pair(false);
    const double period = 2.0 * std::numbers::pi * TwoBodies::Distance / pair.speed;
    const auto steps = static_cast<std::uint64_t>(period * SimulationClock::StepsPerSecond);
    EXPECT_LT(pair.LargestDeviation(steps), 0.005);
    EXPECT_EQ(pair.world.GetClock().GetSteps(), (steps + 63) / 64 * 64);
}

TEST(LeapfrogOrbit, ACircularOrbitUnderTheConstantPullKeepsItsRadiusForTenMinutes)
{
    TwoBodies pair(true);
    EXPECT_LT(pair.LargestDeviation(600 * SimulationClock::StepsPerSecond), 0.005);
}

TEST(LeapfrogStep, AStepKicksHalfDriftsAndKicksHalfWithSixtyTimesForceOverMass)
{
    // One mass of 2 under a uniform gravity (0, -1, 0): its weight gives a = 60 × (0, -2, 0) / 2 = (0, -60, 0).
    World world(Point3D(0.0f, -1.0f, 0.0f), 0.0f);
    world.UseFixedSteps(60.0f);
    const auto point = KeptPoint(Point3D(0.0f, 0.0f, 0.0f));
    const auto mass = world.CreateMass(*point, 2.0f);
    mass->SetSpeed(Point3D(1.0f, 0.0f, 0.0f));
    std::vector<float> steps;
    auto stepping = mass->OnSimulate().Subscribe([&steps](float dt) { steps.push_back(dt); });
    world.RunSteps(1);

    constexpr float dt = 1.0f / 128.0f;
    const float halfKick = -60.0f * (dt / 2.0f);
    EXPECT_TRUE(SamePoint(point->position, Point3D(dt, halfKick * dt, 0.0f)));
    EXPECT_TRUE(SamePoint(mass->Speed(), Point3D(1.0f, halfKick + halfKick, 0.0f)));
    EXPECT_EQ(steps, std::vector<float>{dt});
    EXPECT_EQ(world.GetClock().GetTime(), 1.0 / 128.0);
}

} // namespace
} // namespace Quarnel::GameEngine2D::Physics
