#include "Common/Point3D.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/World.h"
#include "common/PointBody.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>

namespace
{

using Quarnel::Common::Point3D;
using namespace Quarnel::GameEngine2D;

using Body = Bench::PointBody;

// The sandbox's world, configured as the solar system does (one sub-step, no friction, no uniform gravity, one
// gravitation object with factor 0.1), with N random bodies in a 120-unit cube.
struct SandboxWorld
{
    SandboxWorld(std::int64_t count, bool simpleMode, std::size_t threads)
    {
        world.SetSubSteps(1);
        world.SetTimeFactor(1.0f);
        gravities->SetFactor(0.1f);
        gravities->SetSimpleMode(simpleMode);
        gravities->SetThreadCount(threads);
        std::mt19937 random(42);
        std::uniform_real_distribution<float> coordinate(-60.0f, 60.0f);
        std::uniform_real_distribution<float> massValue(1.0f, 200.0f);
        for (std::int64_t k = 0; k < count; ++k)
        {
            const Point3D start(coordinate(random), coordinate(random), coordinate(random));
            gravities->Add(world.CreateMass(bodies.emplace_back(start), massValue(random)));
        }
    }

    // A mass only observes its body, so the bodies outlive the world.
    std::deque<Body> bodies;
    Physics::World world{Point3D(0.0f, 0.0f, 0.0f), 0.0f};
    std::shared_ptr<Physics::MassGravities> gravities = world.CreateGravities();
};

void CountPairs(benchmark::State& state)
{
    const auto count = static_cast<double>(state.range(0));
    const double pairsPerUpdate = count * (count - 1.0) / 2.0;
    state.counters["pairs_per_second"] =
        benchmark::Counter(pairsPerUpdate * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// One frame of the sandbox's world on one core. simple: the distance-independent law; real: the inverse-square
// law with its minimum distance.
void BM_WorldUpdate(benchmark::State& state, bool simpleMode)
{
    SandboxWorld sandbox(state.range(0), simpleMode, 1);
    for (auto _ : state)
        sandbox.world.Update(16);
    CountPairs(state);
}

// The same on every core through the parallel kernel; measured in wall-clock time, as the cores work together.
void BM_WorldUpdateParallel(benchmark::State& state, bool simpleMode)
{
    SandboxWorld sandbox(state.range(0), simpleMode, 0);
    for (auto _ : state)
        sandbox.world.Update(16);
    CountPairs(state);
}

BENCHMARK_CAPTURE(BM_WorldUpdate, simple, true)->Arg(100)->Arg(1000)->Arg(2000)->Arg(4000);
BENCHMARK_CAPTURE(BM_WorldUpdate, real, false)->Arg(100)->Arg(1000)->Arg(2000)->Arg(4000);
BENCHMARK_CAPTURE(BM_WorldUpdateParallel, simple, true)->Arg(1000)->Arg(2000)->Arg(10000)->UseRealTime();
BENCHMARK_CAPTURE(BM_WorldUpdateParallel, real, false)->Arg(1000)->Arg(2000)->Arg(10000)->UseRealTime();

} // namespace
