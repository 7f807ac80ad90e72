#include "GameEngine2D/Physics/Spring.h"

#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/SpringData.h"
#include "GameEngine2D/Physics/Thread.h"
#include "GameEngine2D/Physics/World.h"
#include "Physics/PhysicsTestDoubles.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace
{

using Quarnel::Common::Point3D;
using namespace Quarnel::GameEngine2D::Physics;
using namespace Quarnel::GameEngine2D::Physics::Testing;

class Springs : public ::testing::Test
{
protected:
    std::shared_ptr<Mass> MassAt(Point3D position, float massValue = 1.0f)
    {
        return world.CreateMass(*KeptPoint(position), massValue);
    }

    World world{Point3D(0.0f, 0.0f, 0.0f), 0.0f};
};

TEST_F(Springs, AtRestLengthAndAtRestThereIsNoForce)
{
    auto first = MassAt(Point3D(1.0f, 1.0f, 0.0f));
    auto second = MassAt(Point3D(1.0f, 3.0f, 0.0f));
    Spring spring(first, second, std::make_shared<SpringData>(10.0f, 2.0f, 0.7f));

    spring.Apply(0.1f);

    EXPECT_TRUE(SamePoint(first->Force(), Point3D(0.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(0.0f, 0.0f, 0.0f)));
}

TEST_F(Springs, AStretchedSpringPullsAndACompressedOnePushes)
{
    auto first = MassAt(Point3D(0.0f, 0.0f, 0.0f));
    auto second = MassAt(Point3D(3.0f, 0.0f, 0.0f));
    Spring stretched(first, second, std::make_shared<SpringData>(2.0f, 1.0f, 0.0f));
    stretched.Apply(0.0f);
    EXPECT_TRUE(SamePoint(first->Force(), Point3D(4.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(-4.0f, 0.0f, 0.0f)));

    auto near = MassAt(Point3D(0.0f, 0.0f, 0.0f));
    auto close = MassAt(Point3D(0.0f, 0.0f, 0.5f));
    Spring compressed(near, close, std::make_shared<SpringData>(3.0f, 2.0f, 0.0f));
    compressed.Apply(0.0f);
    // (d / -r) * (r - rest) * stiffness with d = (0, 0, -0.5): the first mass is pushed along -z.
    const float push = 1.0f * (0.5f - 2.0f) * 3.0f;
    EXPECT_TRUE(SamePoint(near->Force(), Point3D(0.0f, 0.0f, push)));
    EXPECT_TRUE(SamePoint(close->Force(), Point3D(0.0f, 0.0f, -push)));
}

TEST_F(Springs, DampingOpposesTheRelativeMotionAlsoWhenTheMassesMeet)
{
    auto first = MassAt(Point3D(0.0f, 0.0f, 0.0f));
    auto second = MassAt(Point3D(2.0f, 0.0f, 0.0f));
    first->SetSpeed(Point3D(-1.0f, 0.0f, 0.0f));
    Spring spring(first, second, std::make_shared<SpringData>(5.0f, 2.0f, 0.5f));
    spring.Apply(0.0f);
    EXPECT_TRUE(SamePoint(first->Force(), Point3D(0.5f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(-0.5f, 0.0f, 0.0f)));

    // Without a distance there is no direction for the elastic force, and no 0 / 0 either.
    auto together = MassAt(Point3D(1.0f, 1.0f, 1.0f));
    auto alsoHere = MassAt(Point3D(1.0f, 1.0f, 1.0f));
    alsoHere->SetSpeed(Point3D(0.0f, 4.0f, 0.0f));
    Spring meeting(together, alsoHere, std::make_shared<SpringData>(5.0f, 2.0f, 0.25f));
    meeting.Apply(0.0f);
    EXPECT_TRUE(SamePoint(together->Force(), Point3D(0.0f, 1.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(alsoHere->Force(), Point3D(-0.0f, -1.0f, -0.0f)));
}

TEST_F(Springs, UnsetConstantsGiveNaNForcesWithoutFailing)
{
    auto first = MassAt(Point3D(0.0f, 0.0f, 0.0f));
    auto second = MassAt(Point3D(1.0f, 0.0f, 0.0f));
    Spring spring(first, second, std::make_shared<SpringData>());
    spring.Apply(0.0f);
    EXPECT_TRUE(std::isnan(first->Force().X()));
    EXPECT_TRUE(std::isnan(second->Force().Y()));
}

TEST_F(Springs, SpringsSharingConstantsSeeTheirChanges)
{
    auto data = std::make_shared<SpringData>(1.0f, 1.0f, 0.0f);
    auto first = MassAt(Point3D(0.0f, 0.0f, 0.0f));
    auto second = MassAt(Point3D(2.0f, 0.0f, 0.0f));
    auto chain = world.CreateChain();
    chain->AddSpring(first, second, data);
    chain->AddSpring(second, MassAt(Point3D(4.0f, 0.0f, 0.0f)), data);
    data->SetStiffness(3.0f);

    chain->Update(0.0f);

    // The second mass is pulled back by the first spring and on by the second: 3 - 3 = 0.
    EXPECT_TRUE(SamePoint(second->Force(), Point3D(-3.0f, 0.0f, 0.0f) + Point3D(3.0f, 0.0f, 0.0f)));
}

TEST(SpringChain, TheAnchorNeverGainsSpeedFromTheSprings)
{
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    auto anchorTarget = KeptPoint(Point3D(0.0f, 0.0f, 0.0f));
    auto anchor = world.CreateMass(*anchorTarget, 1.0f);
    auto middle = world.CreateMass(*KeptPoint(Point3D(0.0f, -2.0f, 0.0f)), 1.0f);
    auto end = world.CreateMass(*KeptPoint(Point3D(1.0f, -4.0f, 0.0f)), 1.0f);
    auto chain = world.CreateChain();
    auto data = std::make_shared<SpringData>(0.5f, 1.0f, 0.1f);
    chain->AddSpring(anchor, middle, data);
    chain->AddSpring(middle, end, data);

    for (int frame = 0; frame < 50; ++frame)
        world.Update(16);

    EXPECT_TRUE(SamePoint(anchor->Speed(), Point3D(0.0f, 0.0f, 0.0f)));
    EXPECT_TRUE(SamePoint(anchorTarget->position, Point3D(0.0f, 0.0f, 0.0f)));
    EXPECT_NE(middle->Target().GetPosition().Y(), -2.0f);
}

TEST(SpringChain, WorldGravityStillMovesTheAnchor)
{
    World world(Point3D(0.0f, -1.0f, 0.0f), 0.0f);
    world.SetSubSteps(1);
    auto anchor = world.CreateMass(*KeptPoint(Point3D(0.0f, 0.0f, 0.0f)), 2.0f);
    auto loose = world.CreateMass(*KeptPoint(Point3D(0.0f, -5.0f, 0.0f)), 2.0f);
    world.CreateChain()->AddSpring(anchor, loose, std::make_shared<SpringData>(1.0f, 1.0f, 0.0f));

    world.Update(100);

    EXPECT_TRUE(SamePoint(anchor->Speed(), Point3D(0.0f, -1.0f, 0.0f)));
    // The loose mass: spring force (0, 4, 0) plus its weight (0, -2, 0), over its mass of 2.
    EXPECT_TRUE(SamePoint(loose->Speed(), Point3D(0.0f, (4.0f + -2.0f) / 2.0f, 0.0f)));
}

TEST(SpringChain, SpringsAreReachedByIndexAndOutsideIndexesThrow)
{
    World world(Point3D(0.0f, 0.0f, 0.0f), 0.0f);
    auto chain = world.CreateChain();
    chain->Update(0.1f);
    EXPECT_EQ(chain->SpringCount(), 0);
    EXPECT_THROW((void)chain->GetSpring(0), std::out_of_range);

    auto a = world.CreateMass(*KeptPoint(Point3D(0.0f, 0.0f, 0.0f)), 1.0f);
    auto b = world.CreateMass(*KeptPoint(Point3D(1.0f, 0.0f, 0.0f)), 1.0f);
    auto data = std::make_shared<SpringData>(1.0f, 1.0f, 0.0f);
    chain->AddSpring(a, b, data);
    chain->AddSpring(b, a, data);

    EXPECT_EQ(chain->SpringCount(), 2);
    EXPECT_EQ(chain->GetSpring(1)->First(), b);
    EXPECT_THROW((void)chain->GetSpring(2), std::out_of_range);
    EXPECT_THROW((void)chain->GetSpring(-1), std::out_of_range);
    EXPECT_THROW(chain->AddSpring(a, nullptr, data), std::invalid_argument);
}

} // namespace
