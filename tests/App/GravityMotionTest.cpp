#include "App/GameTestSupport.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "app/System/Planet.h"
#include "app/System/Sun.h"

#include <algorithm>
#include <cmath>
#include <gmock/gmock.h>
#include <string>
#include <vector>

namespace Zandrel::Tests
{
namespace
{

using Quarnel::Common::Point3D;

// Two bodies on the x axis, integrated here in double precision the way the sandbox promises to move them: fixed
// steps of 1/128 simulated second, each a kick-drift-kick leapfrog step with the acceleration 60 × pull / mass.
struct Pair
{
    double sunX;
    double planetX;
    double sunMass;
    double planetMass;
    bool simple;
    double sunSpeed = 0.0;
    double planetSpeed = 0.0;

    // The size of the pull between the two: G m1 m2 / 20 at every distance, or G m1 m2 / (s² × 0.1) with
    // s = 500 × distance, never below 1.
    [[nodiscard]] double Pull() const
    {
        constexpr double G = 0.00067;
        const double distance = std::abs(planetX - sunX);
        if (distance == 0.0)
            return 0.0;
        if (simple)
            return G * sunMass * planetMass / 20.0;
        const double s = std::max(500.0 * distance, 1.0);
        return G * sunMass * planetMass / (s * s * 0.1);
    }

    void Kick(double seconds)
    {
        const double pull = 60.0 * Pull();
        const double towardsPlanet = planetX > sunX ? 1.0 : -1.0;
        if (sunMass != 0.0)
            sunSpeed += towardsPlanet * pull / sunMass * seconds;
        if (planetMass != 0.0)
            planetSpeed -= towardsPlanet * pull / planetMass * seconds;
    }

    void Step()
    {
        constexpr double dt = 1.0 / 128.0;
        Kick(dt / 2.0);
        sunX += sunSpeed * dt;
        planetX += planetSpeed * dt;
        Kick(dt / 2.0);
    }
};

class GravityMotionTest : public GameTest
{
protected:
    // The expected positions after `frames` frames of the fixture's clock: the first frame only starts the clock,
    // every later one lasts FrameMs, and the steps due are the whole 1/128 s in the time passed.
    static Pair Expect(Pair pair, int frames)
    {
        const int steps = (frames - 1) * static_cast<int>(FrameMs) * 128 / 1000;
        for (int step = 0; step < steps; ++step)
            pair.Step();
        return pair;
    }
};

TEST_F(GravityMotionTest, APlanetFallsTowardsASunByTheDistanceIndependentPull)
{
    ASSERT_TRUE(Bodies().GetGravities().IsSimpleMode());
    const auto sun = Bodies().AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 10000.0f, 100.0f);
    const auto planet = Bodies().AddPlanet("Planet", Point3D(10.0f, 0.0f, 0.0f), 5.0f, 50.0f);
    RunFrames(31);

    const Pair expected = Expect({0.0, 10.0, 10000.0, 5.0, true}, 31);
    ASSERT_LT(expected.planetX, 9.0); // the planet has moved a visible stretch
    EXPECT_NEAR(planet->GetPosition().X(), expected.planetX, 1e-4);
    EXPECT_NEAR(sun->GetPosition().X(), expected.sunX, 1e-5);
    EXPECT_EQ(planet->GetPosition().Y(), 0.0f);
    EXPECT_EQ(planet->GetPosition().Z(), 0.0f);
}

TEST_F(GravityMotionTest, WithRealGravityThePullFallsWithTheSquareOfTheDistance)
{
    Bodies().GetGravities().SetSimpleMode(false);
    const auto sun = Bodies().AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 1.0e7f, 100.0f);
    const auto planet = Bodies().AddPlanet("Planet", Point3D(2.0f, 0.0f, 0.0f), 5.0f, 50.0f);
    RunFrames(31);

    const Pair expected = Expect({0.0, 2.0, 1.0e7, 5.0, false}, 31);
    const Pair simple = Expect({0.0, 2.0, 1.0e7, 5.0, true}, 31);
    ASSERT_LT(expected.planetX, 1.9);
    ASSERT_GT(expected.planetX, 0.5);
    ASSERT_GT(std::abs(expected.planetX - simple.planetX), 0.01); // the two laws are told apart
    EXPECT_NEAR(planet->GetPosition().X(), expected.planetX, 1e-4);
    EXPECT_NEAR(sun->GetPosition().X(), expected.sunX, 1e-6);
}

// Each case in a scene of its own: any other heavy body would pull the ones under test.
class LonePairTest : public GravityMotionTest, public ::testing::WithParamInterface<bool>
{
protected:
    LonePairTest() { Bodies().GetGravities().SetSimpleMode(GetParam()); }
};

TEST_P(LonePairTest, ABodyOfMassZeroNeitherPullsNorIsPulled)
{
    const auto sun = Bodies().AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 1.0e7f, 100.0f);
    const auto ghost = Bodies().AddPlanet("Planet", Point3D(2.0f, 0.0f, 0.0f), 0.0f, 50.0f);
    RunFrames(20);
    EXPECT_EQ(ghost->GetPosition(), Point3D(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(sun->GetPosition(), Point3D(0.0f, 0.0f, 0.0f));
}

TEST_P(LonePairTest, TwoBodiesAtOnePlaceExertNothingOnEachOther)
{
    const Point3D place(5.0f, 5.0f, 5.0f);
    const auto sun = Bodies().AddSun("Sonne", place, 1.0e7f, 100.0f);
    const auto planet = Bodies().AddPlanet("Planet", place, 5.0f, 50.0f);
    RunFrames(20);
    EXPECT_EQ(sun->GetPosition(), place);
    EXPECT_EQ(planet->GetPosition(), place);
}

INSTANTIATE_TEST_SUITE_P(BothLaws, LonePairTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& lawInfo) {
                             return lawInfo.param ? std::string("Simple") : std::string("InverseSquare");
                         });

} // namespace
} // namespace Zandrel::Tests
