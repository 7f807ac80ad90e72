#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MergeDetector.h"
#include "GameEngine2D/Physics/World.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <vector>

namespace
{

using Quarnel::Common::Point3D;
using namespace Quarnel::GameEngine2D;

// Where a body stands at the start and at the end of a step; `atEnd` says which one it shows.
class SteppedBody : public Quarnel::Common::IMoveable
{
public:
    SteppedBody(Point3D from, Point3D to, const bool& showEnd) : start(from), end(to), atEnd(showEnd) {}
    [[nodiscard]] Point3D GetPosition() const override { return atEnd ? end : start; }
    void SetPosition(Point3D value) override { end = value; }

private:
    Point3D start;
    Point3D end;
    const bool& atEnd;
};

// The search of one step among N bodies in the 120-unit cube of the world benchmarks, each moving up to 1 unit in
// the step (128 units per simulated second) with a reach of 0.1 to 1 unit, as small planets have.
void BM_MergeDetection(benchmark::State& state)
{
    bool atEnd = false;
    std::deque<SteppedBody> bodies;
    Physics::World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    std::mt19937 random(42);
    std::uniform_real_distribution<float> coordinate(-60.0f, 60.0f);
    std::uniform_real_distribution<float> move(-0.6f, 0.6f);
    std::uniform_real_distribution<float> reach(0.1f, 1.0f);
    for (std::int64_t k = 0; k < state.range(0); ++k)
    {
        const Point3D from(coordinate(random), coordinate(random), coordinate(random));
        const Point3D to = from + Point3D(move(random), move(random), move(random));
        world.CreateMass(bodies.emplace_back(from, to, atEnd), 1.0f)->SetRadius(reach(random));
    }
    const std::vector<std::shared_ptr<Physics::Mass>>& masses = world.GetMasses().List();
    Physics::MergeDetector detector;
    std::size_t contacts = 0;
    for (auto _ : state)
    {
        atEnd = false;
        detector.BeginStep(masses);
        atEnd = true;
        contacts = detector.FindContacts(masses).size();
        benchmark::DoNotOptimize(contacts);
    }
    state.counters["contacts"] = static_cast<double>(contacts);
    state.counters["bodies_per_second"] = benchmark::Counter(
        static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_MergeDetection)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
