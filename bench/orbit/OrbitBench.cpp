#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "common/PointBody.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <deque>
#include <memory>
#include <numbers>
#include <random>

namespace
{

using Quarnel::Common::Point3D;
using namespace Quarnel::GameEngine2D;

using Body = Bench::PointBody;

// The sandbox's world as the solar system sets it up: no friction, no uniform gravity, pairwise gravity with factor
// 0.1, fixed leapfrog steps with a = 60 F / m.
struct SandboxWorld
{
    explicit SandboxWorld(bool simpleMode)
    {
        world.UseFixedSteps(ForceScale);
        gravities->SetFactor(Factor);
        gravities->SetSimpleMode(simpleMode);
    }

    std::shared_ptr<Physics::Mass> Add(Point3D start, float massValue)
    {
        auto mass = world.CreateMass(bodies.emplace_back(start), massValue);
        gravities->Add(mass);
        return mass;
    }

    static constexpr float ForceScale = 60.0f;
    static constexpr double Factor = 0.1;
    static constexpr double G = 0.00067;
    // A mass only observes its body, so the bodies outlive the world.
    std::deque<Body> bodies;
    Physics::World world{Point3D(0.0f, 0.0f, 0.0f), 0.0f};
    std::shared_ptr<Physics::MassGravities> gravities = world.CreateGravities();
};

double Squared(Point3D p)
{
    return static_cast<double>(p.X()) * p.X() + static_cast<double>(p.Y()) * p.Y() + static_cast<double>(p.Z()) * p.Z();
}

// A planet of mass 1 on a circular orbit at distance 20 around a sun of 10 000 under the inverse-square law, for
// 100 turns (4432 simulated seconds each, 57 million steps in all). Counters: the relative error of the distance
// and of the total energy after the 100 turns.
void BM_CircularOrbitHundredTurns(benchmark::State& state)
{
    constexpr double Distance = 20.0;
    constexpr double SunMass = 10000.0;
    constexpr double PlanetMass = 1.0;
    for (auto _ : state)
    {
        SandboxWorld sandbox(false);
        const auto sun = sandbox.Add(Point3D(0.0f, 0.0f, 0.0f), static_cast<float>(SunMass));
        const auto planet =
            sandbox.Add(Point3D(static_cast<float>(Distance), 0.0f, 0.0f), static_cast<float>(PlanetMass));
        // v² = a r with a = 60 G (M + m) / (s² × 0.1), s = 500 r: the two bodies' acceleration towards each other.
        const double speed = std::sqrt(SandboxWorld::ForceScale * SandboxWorld::G * (SunMass + PlanetMass) /
                                       (std::pow(500.0 * Distance, 2.0) * SandboxWorld::Factor) * Distance);
        planet->SetSpeed(Point3D(0.0f, static_cast<float>(speed), 0.0f));

        // With a = 60 F / m the potential energy is -60 G M m / (0.1 × 250 000 × r).
        auto energy = [&] {
            const double r = std::sqrt(Squared(planet->Target().GetPosition() - sun->Target().GetPosition()));
            const double kinetic = 0.5 * PlanetMass * Squared(planet->Speed()) + 0.5 * SunMass * Squared(sun->Speed());
            return kinetic - SandboxWorld::ForceScale * SandboxWorld::G * SunMass * PlanetMass /
                                 (SandboxWorld::Factor * 250000.0 * r);
        };
        const double startEnergy = energy();
        const double period = 2.0 * std::numbers::pi * Distance / speed;
        auto steps = static_cast<std::uint64_t>(100.0 * period * Physics::SimulationClock::StepsPerSecond);
        while (steps > 0)
        {
            const auto batch = static_cast<std::uint32_t>(std::min<std::uint64_t>(steps, 1u << 20));
            sandbox.world.RunSteps(batch);
            steps -= batch;
        }
        const double r = std::sqrt(Squared(planet->Target().GetPosition() - sun->Target().GetPosition()));
        state.counters["relative_radius_error"] = std::abs(r - Distance) / Distance;
        state.counters["relative_energy_error"] = std::abs(energy() - startEnergy) / std::abs(startEnergy);
        state.counters["steps"] = static_cast<double>(sandbox.world.GetClock().GetSteps());
    }
}
BENCHMARK(BM_CircularOrbitHundredTurns)->Iterations(1)->Unit(benchmark::kSecond);

// The cost of one leapfrog step of N random bodies (masses 1 to 200 in a 120-unit cube, inverse-square law) on one
// core, as the game runs them: in batches, where each step gathers the forces once (a batch once more at its start).
void BM_OrbitStep(benchmark::State& state)
{
    SandboxWorld sandbox(false);
    std::mt19937 random(42);
    std::uniform_real_distribution<float> coordinate(-60.0f, 60.0f);
    std::uniform_real_distribution<float> massValue(1.0f, 200.0f);
    for (std::int64_t k = 0; k < state.range(0); ++k)
        sandbox.Add(Point3D(coordinate(random), coordinate(random), coordinate(random)), massValue(random));
    constexpr std::uint32_t Batch = 16;
    for (auto _ : state)
        sandbox.world.RunSteps(Batch);
    state.counters["seconds_per_step"] =
        benchmark::Counter(Batch, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_OrbitStep)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
