#include "GameEngine2D/Physics/MassGravities.h"

#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/World.h"
#include "Physics/PairWalkReference.h"
#include "Physics/PhysicsTestDoubles.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace
{

using Quarnel::Common::Point3D;
using namespace Quarnel::GameEngine2D::Physics;
using namespace Quarnel::GameEngine2D::Physics::Testing;

constexpr float G = 0.00067f;
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

class Gravitation : public ::testing::Test
{
protected:
    std::shared_ptr<Mass> AddMass(Point3D position, float massValue)
    {
        auto mass = world.CreateMass(*KeptPoint(position), massValue);
        gravities->Add(mass);
        return mass;
    }

    World world{Point3D(0.0f, 0.0f, 0.0f), 0.0f};
    std::shared_ptr<MassGravities> gravities = world.CreateGravities();
};

TEST_F(Gravitation, FewerThanTwoMassesGetNoForce)
{
    gravities->Update(0.1f);
    auto lonely = AddMass(Point3D(1.0f, 2.0f, 3.0f), 5.0f);
    lonely->SetForce(Point3D(-0.0f, 1.0f, 0.0f));
    gravities->Update(0.1f);
    EXPECT_TRUE(std::signbit(lonely->Force().X()));
    EXPECT_TRUE(SamePoint(lonely->Force(), Point3D(0.0f, 1.0f, 0.0f)));
}

TEST_F(Gravitation, InverseSquareLawScalesTheDistanceByFiveHundred)
{
    auto first = AddMass(Point3D(0.0f, 0.0f, 0.0f), 1.0f);
    auto second = AddMass(Point3D(1.0f, 0.0f, 0.0f), 1.0f);

    gravities->Update(0.0f);

    const float pull = 1.0f * (1.0f * G * 1.0f) / (500.0f * 500.0f * 1.0f);
    EXPECT_FLOAT_EQ(pull, 0.00067f / 250000.0f);
    EXPECT_TRUE(SamePoint(first->Force(), Point3D(pull, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(-pull, 0.0f, 0.0f)));
}

TEST_F(Gravitation, FactorDividesTheInverseSquareForce)
{
    auto first = AddMass(Point3D(0.0f, 0.0f, 0.0f), 3.0f);
    auto second = AddMass(Point3D(0.0f, 0.0f, -0.5f), 7.0f);
    gravities->SetFactor(0.1f);

    gravities->Update(0.0f);

    const float s = 0.5f / 2.0f * 1000.0f;
    const float pull = -1.0f * (3.0f * G * 7.0f) / (s * s * 0.1f);
    EXPECT_TRUE(SamePoint(first->Force(), Point3D(0.0f, 0.0f, pull)));
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(0.0f, 0.0f, -pull)));
}

TEST_F(Gravitation, SimpleLawPullsEquallyAtEveryDistance)
{
    gravities->SetSimpleMode(true);
    auto first = AddMass(Point3D(0.0f, 0.0f, 0.0f), 1.0f);
    auto second = AddMass(Point3D(1.0f, 0.0f, 0.0f), 1.0f);
    auto far = AddMass(Point3D(1001.0f, 0.0f, 0.0f), 1.0f);

    gravities->Update(0.0f);

    // The middle mass is pulled back by the first as hard as on by the far one, 1000 units away.
    const float pull = 1.0f * G * 1.0f * 1.0f / 20.0f;
    EXPECT_FLOAT_EQ(pull, 0.0000335f);
    EXPECT_TRUE(SamePoint(first->Force(), Point3D(pull + pull, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(0.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(far->Force(), Point3D(-pull - pull, 0.0f, 0.0f)));
}

TEST_F(Gravitation, ClosePairsUseTheMinimumDistance)
{
    auto first = AddMass(Point3D(0.0f, 0.0f, 0.0f), 1.0f);
    auto second = AddMass(Point3D(0.001f, 0.0f, 0.0f), 1.0f);

    gravities->Update(0.0f);

    // 0.001 / 2 * 1000 = 0.5 is below the minimum distance of 1.
    const float pull = 1.0f * (1.0f * G * 1.0f) / (1.0f * 1.0f * 1.0f);
    EXPECT_TRUE(SamePoint(first->Force(), Point3D(pull, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(-pull, 0.0f, 0.0f)));
}

TEST_F(Gravitation, MassesAtOnePlaceOrWithoutAMassFeelNoForceInEitherLaw)
{
    auto first = AddMass(Point3D(2.0f, 2.0f, 2.0f), 1.0f);
    auto same = AddMass(Point3D(2.0f, 2.0f, 2.0f), 4.0f);
    auto zero = AddMass(Point3D(9.0f, 9.0f, 9.0f), 0.0f);
    for (bool simple : {false, true})
    {
        gravities->SetSimpleMode(simple);
        gravities->Update(0.0f);
        for (const auto& mass : {first, same, zero})
            EXPECT_TRUE(SamePoint(mass->Force(), Point3D(0.0f, 0.0f, 0.0f))) << "simple " << simple;
    }
}

// A mass that is not a number is inert in the world's step; here it neither pulls nor is pulled,
// instead of turning every partner's force, speed and position into NaN.
TEST_F(Gravitation, ANaNMassLeavesItsPartnersAlone)
{
    auto first = AddMass(Point3D(0.0f, 0.0f, 0.0f), 1.0f);
    auto broken = AddMass(Point3D(0.0f, 1.0f, 0.0f), NaN);
    auto second = AddMass(Point3D(1.0f, 0.0f, 0.0f), 1.0f);

    world.SetSubSteps(1);
    world.Update(16);

    const float pull = 1.0f * (1.0f * G * 1.0f) / (500.0f * 500.0f * 1.0f);
    EXPECT_TRUE(SamePoint(first->Speed(), Point3D(pull / 1.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(second->Speed(), Point3D(-pull / 1.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(broken->Target().GetPosition(), Point3D(0.0f, 1.0f, 0.0f)));
}

// Many bodies of very different masses and distances, some together, some closer than the minimum
// distance, with forces already gathered: each ends with bit for bit the force of the pair walk.
TEST_F(Gravitation, ManyBodiesGetExactlyThePairWalksForcesInBothLaws)
{
    for (const std::size_t count : {2u, 3u, 8u, 37u, 130u})
    {
        for (bool simple : {false, true})
        {
            std::mt19937 random(static_cast<std::uint32_t>(count * 2 + (simple ? 1 : 0)));
            std::uniform_real_distribution<float> coordinate(-60.0f, 60.0f);
            std::uniform_real_distribution<float> massValue(0.5f, 50000.0f);
            std::vector<Body> bodies;
            for (std::size_t k = 0; k < count; ++k)
            {
                Body body{coordinate(random),
                          coordinate(random),
                          coordinate(random),
                          massValue(random),
                          coordinate(random) * 1e-6f,
                          coordinate(random) * 1e-6f,
                          0.0f};
                if (k % 7 == 3)
                    body = Body{bodies[k - 1].x, bodies[k - 1].y, bodies[k - 1].z, body.m, 0.0f, 0.0f, -0.0f};
                if (k % 11 == 5)
                    body.x = bodies[k - 1].x + 0.0004f;
                bodies.push_back(body);
            }

            World bodiesWorld(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
            auto pairs = bodiesWorld.CreateGravities();
            pairs->SetSimpleMode(simple);
            pairs->SetFactor(0.1f);
            std::vector<std::shared_ptr<Mass>> masses;
            std::vector<std::size_t> order;
            for (std::size_t k = 0; k < count; ++k)
            {
                const Body& body = bodies[k];
                auto mass = bodiesWorld.CreateMass(*KeptPoint(Point3D(body.x, body.y, body.z)), body.m);
                mass->SetForce(Point3D(body.fx, body.fy, body.fz));
                pairs->Add(mass);
                masses.push_back(mass);
                order.push_back(k);
            }

            pairs->Update(0.01f);
            ReferencePairWalk(bodies, order, simple, 0.1f);

            for (std::size_t k = 0; k < count; ++k)
            {
                const Point3D force = masses[k]->Force();
                ASSERT_EQ(Bits(force.X()), Bits(bodies[k].fx))
                    << count << " bodies, mass " << k << " simple " << simple;
                ASSERT_EQ(Bits(force.Y()), Bits(bodies[k].fy))
                    << count << " bodies, mass " << k << " simple " << simple;
                ASSERT_EQ(Bits(force.Z()), Bits(bodies[k].fz))
                    << count << " bodies, mass " << k << " simple " << simple;
            }
        }
    }
}

// A mass registered twice meets itself (no force) and every partner twice, in the walk's order.
TEST_F(Gravitation, AMassRegisteredTwiceCollectsBothShares)
{
    std::vector<Body> bodies{{0.0f, 0.0f, 0.0f, 2.0f, 0.0f, 0.0f, 0.0f},
                             {0.3f, -0.7f, 0.0f, 5.0f, 0.0f, 0.0f, 0.0f},
                             {4.0f, 1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f}};
    std::vector<std::shared_ptr<Mass>> masses;
    for (const Body& body : bodies)
        masses.push_back(world.CreateMass(*KeptPoint(Point3D(body.x, body.y, body.z)), body.m));
    const std::vector<std::size_t> order{0, 1, 0, 2};
    for (std::size_t index : order)
        gravities->Add(masses[index]);

    gravities->Update(0.0f);
    ReferencePairWalk(bodies, order, false, 1.0f);

    for (std::size_t k = 0; k < bodies.size(); ++k)
        EXPECT_TRUE(SamePoint(masses[k]->Force(), Point3D(bodies[k].fx, bodies[k].fy, bodies[k].fz))) << k;
}

TEST_F(Gravitation, TheWorldAppliesItOnEverySubStepAndThePairClosesIn)
{
    gravities->SetSimpleMode(true);
    auto left = AddMass(Point3D(-1.0f, 0.0f, 0.0f), 100.0f);
    auto right = AddMass(Point3D(1.0f, 0.0f, 0.0f), 100.0f);

    world.Update(20);

    // Three sub-steps, each adding the same pull divided by the mass to the speed.
    const float pull = 1.0f * G * 100.0f * 100.0f / 20.0f;
    float speed = 0.0f;
    float x = -1.0f;
    for (int step = 0; step < 3; ++step)
    {
        speed = speed + pull / 100.0f;
        x = x + speed * (0.02f / 3.0f);
    }
    EXPECT_TRUE(SamePoint(left->Target().GetPosition(), Point3D(x, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(right->Target().GetPosition(), Point3D(-x, 0.0f, 0.0f)));
}

} // namespace
