#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MergeDetector.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "PhysicsTestDoubles.h"

#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{
namespace
{

using Common::Point3D;
using Testing::KeptPoint;

// One step's way for a speed in scene units per simulated second.
constexpr float PerStep = SimulationClock::StepsPerSecond;

std::shared_ptr<Mass> AddMass(World& world, Point3D at, Point3D speed, float mass, float radius)
{
    auto created = world.CreateMass(*KeptPoint(at), mass);
    created->SetSpeed(speed);
    created->SetRadius(radius);
    return created;
}

// Without forces every mass moves on a straight line, so the touches of a step are known exactly.
TEST(MergeDetection, FindsPairsThatPassThroughEachOtherWithinAStepInTheOrderTheyTouchedAndMergesThem)
{
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    world.UseFixedSteps(1.0f);
    // Head-on, 10 units a step each: they cross between two steps, the ends of the step are 10 apart.
    const auto heavy = AddMass(world, Point3D(-5.0f, 0.0f, 0.0f), Point3D(10.0f * PerStep, 0.0f, 0.0f), 3.0f, 0.5f);
    const auto light = AddMass(world, Point3D(5.0f, 0.0f, 0.0f), Point3D(-10.0f * PerStep, 0.0f, 0.0f), 1.0f, 0.5f);
    // Passing 3 units apart, farther than their reaches together: no touch.
    (void)AddMass(world, Point3D(100.0f, 0.0f, 0.0f), Point3D(), 1.0f, 1.0f);
    (void)AddMass(world, Point3D(95.0f, 3.0f, 0.0f), Point3D(10.0f * PerStep, 0.0f, 0.0f), 1.0f, 1.0f);
    // Touching from the start; one of them a point.
    const auto big = AddMass(world, Point3D(200.0f, 0.0f, 0.0f), Point3D(), 1.0f, 2.0f);
    const auto point = AddMass(world, Point3D(201.0f, 0.0f, 0.0f), Point3D(), 1.0f, 0.0f);
    // Lost at no place, and removed: neither takes part nor upsets the order; a reach beyond the floats is no fault.
    (void)AddMass(world, Point3D(std::numeric_limits<float>::quiet_NaN(), 0.0f, 0.0f), Point3D(), 1.0f, 5.0f);
    (void)AddMass(world, Point3D(0.0f, -3.0e38f, 0.0f), Point3D(), 1.0f, 1.0e38f);
    AddMass(world, Point3D(-5.0f, 0.0f, 0.0f), Point3D(), 1.0f, 50.0f)->Remove();

    std::vector<Contact> seen;
    world.SetContactHandler([&seen](const std::vector<Contact>& contacts) {
        seen.insert(seen.end(), contacts.begin(), contacts.end());
        for (const Contact& contact : contacts)
            contact.first->Absorb(*contact.second);
    });
    world.RunSteps(1);

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].first, big.get());
    EXPECT_EQ(seen[0].second, point.get());
    EXPECT_EQ(seen[0].time, 0.0);
    EXPECT_EQ(seen[1].first, heavy.get());
    EXPECT_EQ(seen[1].second, light.get());
    // The gap of 10 closes at 20 a step down to the reach of 1.
    EXPECT_NEAR(seen[1].time, 0.45, 1e-6);

    // Masses add, momentum (3 × 10 − 1 × 10 per step) is kept, the body sits at the centre of mass of (5, −5).
    EXPECT_TRUE(light->IsRemoved());
    EXPECT_EQ(heavy->GetMass(), 4.0f);
    EXPECT_FLOAT_EQ(heavy->Speed().X(), 5.0f * PerStep);
    EXPECT_FLOAT_EQ(heavy->Target().GetPosition().X(), 2.5f);
    world.RunSteps(1);
    EXPECT_FLOAT_EQ(heavy->Target().GetPosition().X(), 7.5f);

    // Without a handler, nothing is looked for.
    world.SetContactHandler({});
    seen.clear();
    (void)AddMass(world, Point3D(7.5f, 0.0f, 0.0f), Point3D(), 1.0f, 1.0f);
    world.RunSteps(1);
    EXPECT_TRUE(seen.empty());
}

} // namespace
} // namespace Quarnel::GameEngine2D::Physics
