#include "GameEngine2D/Physics/GravityArrays.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/PairWalk.h"
#include "GameEngine2D/Physics/ParallelGravity.h"
#include "GameEngine2D/Physics/WorkerPool.h"
#include "GameEngine2D/Physics/World.h"
#include "Physics/PairWalkReference.h"
#include "Physics/PhysicsTestDoubles.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace
{

using Quarnel::Common::Point3D;
using namespace Quarnel::GameEngine2D::Physics;
using namespace Quarnel::GameEngine2D::Physics::Testing;

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

// Random bodies with the cases that matter mixed in: pairs at one place, pairs closer than the minimum distance,
// masses of 0 and NaN, and forces already gathered, one of them −0.
std::vector<Body> MixedBodies(std::size_t count, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> coordinate(-60.0f, 60.0f);
    std::uniform_real_distribution<float> massValue(0.5f, 50000.0f);
    std::vector<Body> bodies;
    for (std::size_t k = 0; k < count; ++k)
    {
        Body body{coordinate(random),         coordinate(random),        coordinate(random), massValue(random), -0.0f,
                  coordinate(random) * 1e-6f, coordinate(random) * 1e-6f};
        if (k % 7 == 3)
            body = Body{bodies[k - 1].x, bodies[k - 1].y, bodies[k - 1].z, body.m, 0.0f, 0.0f, -0.0f};
        if (k % 11 == 5)
            body.x = bodies[k - 1].x + 0.0004f;
        if (k % 13 == 6)
            body.m = 0.0f;
        if (k % 17 == 9)
            body.m = NaN;
        bodies.push_back(body);
    }
    return bodies;
}

// The bodies as the kernels take them, with the forces in a buffer of their own.
struct BodyArrays
{
    explicit BodyArrays(const std::vector<Body>& bodies)
    {
        for (const Body& body : bodies)
        {
            x.push_back(body.x);
            y.push_back(body.y);
            z.push_back(body.z);
            m.push_back(body.m);
            fx.push_back(body.fx);
            fy.push_back(body.fy);
            fz.push_back(body.fz);
        }
    }

    [[nodiscard]] GravityArrays Arrays()
    {
        return {x.size(), x.data(), y.data(), z.data(), m.data(), fx.data(), fy.data(), fz.data()};
    }

    std::vector<float> x, y, z, m, fx, fy, fz;
};

std::vector<Body> ReferenceForces(std::vector<Body> bodies, bool simple, float factor)
{
    std::vector<std::size_t> order(bodies.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    ReferencePairWalk(bodies, order, simple, factor);
    return bodies;
}

// Per body, in double precision: the sum of the sizes of the forces the others exert on it, and the exact sum of
// those forces added to the force gathered before.
struct ExactForces
{
    std::vector<double> sizes, x, y, z;
};

ExactForces ExactSums(const std::vector<Body>& bodies, bool simple, float factor)
{
    ExactForces exact;
    for (const Body& body : bodies)
    {
        exact.sizes.push_back(0.0);
        exact.x.push_back(body.fx);
        exact.y.push_back(body.fy);
        exact.z.push_back(body.fz);
    }
    const auto massOf = [](const Body& body) { return std::isnan(body.m) ? 0.0 : static_cast<double>(body.m); };
    for (std::size_t i = 0; i < bodies.size(); ++i)
    {
        for (std::size_t j = i + 1; j < bodies.size(); ++j)
        {
            const double dx = static_cast<double>(bodies[j].x) - bodies[i].x;
            const double dy = static_cast<double>(bodies[j].y) - bodies[i].y;
            const double dz = static_cast<double>(bodies[j].z) - bodies[i].z;
            const double r = std::hypot(dx, dy, dz);
            if (r == 0.0)
                continue;
            const double s = std::max(r * 500.0, 1.0);
            const double size = 0.00067 * massOf(bodies[i]) * massOf(bodies[j]) / (simple ? 20.0 : s * s * factor);
            exact.sizes[i] += size;
            exact.sizes[j] += size;
            for (auto [forces, d] : {std::pair{&exact.x, dx}, std::pair{&exact.y, dy}, std::pair{&exact.z, dz}})
            {
                (*forces)[i] += d / r * size;
                (*forces)[j] -= d / r * size;
            }
        }
    }
    return exact;
}

// Sizes around the sixteen-lane blocks and the four-row blocks, odd ones among them.
const std::vector<std::size_t> Sizes{1, 2, 3, 15, 16, 17, 31, 33, 47, 70};

TEST(PairWalkKernels, BothPathsGiveExactlyThePairWalksForcesInBothLaws)
{
    for (const std::size_t count : Sizes)
    {
        for (const bool simple : {false, true})
        {
            const std::vector<Body> bodies = MixedBodies(count, static_cast<std::uint32_t>(count));
            const std::vector<Body> expected = ReferenceForces(bodies, simple, 0.1f);
            BodyArrays widest(bodies);
            BodyArrays portable(bodies);
            AddPairWalkForces(widest.Arrays(), GravityLaw{simple, 0.1f});
            AddPairWalkForcesPortable(portable.Arrays(), GravityLaw{simple, 0.1f});
            for (std::size_t k = 0; k < count; ++k)
            {
                for (const BodyArrays* result : {&widest, &portable})
                {
                    ASSERT_EQ(Bits(result->fx[k]), Bits(expected[k].fx)) << count << " bodies, mass " << k;
                    ASSERT_EQ(Bits(result->fy[k]), Bits(expected[k].fy)) << count << " bodies, mass " << k;
                    ASSERT_EQ(Bits(result->fz[k]), Bits(expected[k].fz)) << count << " bodies, mass " << k;
                }
            }
        }
    }
}

// Every thread count gives the same bits, run after run, and each body's force lies within 1e-6 of the sum of
// the force sizes on it from the pair walk's; inert and isolated bodies keep their force exactly.
TEST(ParallelGravityKernel, SameForcesForEveryThreadCountAndCloseToThePairWalk)
{
    ParallelGravity one(1);
    ParallelGravity two(2);
    ParallelGravity three(3);
    for (const std::size_t count : {1u, 2u, 3u, 17u, 40u, 200u})
    {
        for (const bool simple : {false, true})
        {
            const std::vector<Body> bodies = MixedBodies(count, static_cast<std::uint32_t>(count) + 100);
            const std::vector<Body> expected = ReferenceForces(bodies, simple, 0.1f);
            const std::vector<double> bound = ExactSums(bodies, simple, 0.1f).sizes;
            const GravityLaw law{simple, 0.1f};
            for (const bool portable : {false, true})
            {
                std::vector<BodyArrays> results;
                for (ParallelGravity* kernel : {&one, &two, &three, &three})
                {
                    BodyArrays& result = results.emplace_back(bodies);
                    if (portable)
                        kernel->AddForcesPortable(result.Arrays(), law);
                    else
                        kernel->AddForces(result.Arrays(), law);
                }
                for (std::size_t k = 0; k < count; ++k)
                {
                    for (const BodyArrays& other : results)
                    {
                        ASSERT_EQ(Bits(other.fx[k]), Bits(results[0].fx[k])) << count << " bodies, mass " << k;
                        ASSERT_EQ(Bits(other.fy[k]), Bits(results[0].fy[k])) << count << " bodies, mass " << k;
                        ASSERT_EQ(Bits(other.fz[k]), Bits(results[0].fz[k])) << count << " bodies, mass " << k;
                    }
                    const double error = std::hypot(static_cast<double>(results[0].fx[k]) - expected[k].fx,
                                                    static_cast<double>(results[0].fy[k]) - expected[k].fy,
                                                    static_cast<double>(results[0].fz[k]) - expected[k].fz);
                    ASSERT_LE(error, 1e-6 * bound[k])
                        << count << " bodies, mass " << k << " simple " << simple << " portable " << portable;
                }
            }
        }
    }
}

// With thousands of bodies the pair walk's float sums drift from the exact ones by about 1e-6 of the force sizes;
// the parallel sums stay well within that.
TEST(ParallelGravityKernel, StaysWithinAMillionthOfTheExactSumsForThousandsOfBodies)
{
    ParallelGravity kernel(2);
    const std::vector<Body> bodies = MixedBodies(2000, 11);
    for (const bool simple : {false, true})
    {
        const ExactForces exact = ExactSums(bodies, simple, 0.1f);
        BodyArrays result(bodies);
        kernel.AddForces(result.Arrays(), GravityLaw{simple, 0.1f});
        for (std::size_t k = 0; k < bodies.size(); ++k)
        {
            const double error =
                std::hypot(result.fx[k] - exact.x[k], result.fy[k] - exact.y[k], result.fz[k] - exact.z[k]);
            ASSERT_LE(error, 1e-6 * exact.sizes[k]) << "mass " << k << " simple " << simple;
        }
    }
}

TEST(WorkerPoolJobs, EveryTaskRunsOnceAndTheFirstFailureReachesTheCaller)
{
    for (const std::size_t threads : {1u, 3u})
    {
        WorkerPool pool(threads);
        std::vector<std::atomic<int>> runs(100);
        pool.Run(runs.size(), [&](std::size_t index) { ++runs[index]; });
        pool.Run(0, [&](std::size_t) { ADD_FAILURE() << "no task to run"; });
        EXPECT_TRUE(std::ranges::all_of(runs, [](const std::atomic<int>& count) { return count == 1; }));

        const auto failing = [](std::size_t index) {
            if (index == 3)
                throw std::runtime_error("task failed");
        };
        EXPECT_THAT([&] { pool.Run(50, failing); },
                    ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("task failed")));
        EXPECT_THROW(pool.Run(4, [&](std::size_t) { pool.Run(1, [](std::size_t) {}); }), std::logic_error);

        // The pool is whole again after a failure.
        std::atomic<int> total = 0;
        pool.Run(10, [&](std::size_t index) { total += static_cast<int>(index); });
        EXPECT_EQ(total, 45);
    }
}

// The sandbox's path: a world whose gravitation shares the pairs between threads moves its bodies as the pair
// walk does, for 0 and 1 bodies too, and an update that fails while the positions are read leaves it usable.
TEST(ParallelWorld, MovesTheBodiesLikeThePairWalkAndSurvivesAFailedUpdate)
{
    struct Sandbox
    {
        explicit Sandbox(std::size_t threads)
        {
            world.SetSubSteps(1);
            gravities->SetFactor(0.1f);
            gravities->SetThreadCount(threads);
        }
        // A mass only observes its point, so the points outlive the world.
        std::vector<std::shared_ptr<MovingPoint>> points;
        World world{Point3D(0.0f, 0.0f, 0.0f), 0.0f};
        std::shared_ptr<MassGravities> gravities = world.CreateGravities();
    };
    Sandbox serial(1);
    Sandbox parallel(0);
    EXPECT_EQ(serial.gravities->ThreadCount(), 1u);
    EXPECT_GE(parallel.gravities->ThreadCount(), 1u);
    parallel.gravities->SetThreadCount(3);
    EXPECT_EQ(parallel.gravities->ThreadCount(), 3u);

    const std::vector<Body> bodies = MixedBodies(60, 7);
    for (std::size_t k = 0; k < bodies.size(); ++k)
    {
        for (Sandbox* sandbox : {&serial, &parallel})
        {
            auto point = std::make_shared<MovingPoint>(Point3D(bodies[k].x, bodies[k].y, bodies[k].z));
            sandbox->gravities->Add(sandbox->world.CreateMass(*point, std::max(bodies[k].m, 1.0f)));
            sandbox->points.push_back(point);
        }
        // Worlds of one body and then of two go through the kernels too.
        if (k < 2)
        {
            serial.world.Update(16);
            parallel.world.Update(16);
        }
    }

    parallel.points[5]->onRead = [] { throw std::runtime_error("position unreadable"); };
    EXPECT_THROW(parallel.world.Update(16), std::runtime_error);
    parallel.points[5]->onRead = nullptr;
    // The failed update stepped no mass; the serial world skips it too.
    for (int frame = 0; frame < 5; ++frame)
    {
        serial.world.Update(16);
        parallel.world.Update(16);
    }
    for (std::size_t k = 0; k < bodies.size(); ++k)
    {
        const Point3D expected = serial.points[k]->position;
        const Point3D actual = parallel.points[k]->position;
        const float tolerance = 1e-5f * (1.0f + std::abs(expected.X()) + std::abs(expected.Y()));
        EXPECT_NEAR(actual.X(), expected.X(), tolerance) << k;
        EXPECT_NEAR(actual.Y(), expected.Y(), tolerance) << k;
        EXPECT_NEAR(actual.Z(), expected.Z(), tolerance) << k;
    }
}

} // namespace
