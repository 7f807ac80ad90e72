#include "GameEngine2D/Helper/NodeFadeTransparent.h"

#include "GameEngine2D/Animation/AnimationManager.h"
#include "WidgetFixture.h"

#include <gmock/gmock.h>

namespace Quarnel::WidgetTests
{

using GameEngine2D::Helper::NodeFadeTransparent;

// Drives the scene's animation clock by hand in 16 ms frames.
class Fading : public WidgetFixture
{
protected:
    Fading()
    {
        Manager().Update(clock); // the first update only records the tick count
        fade->Arrived().Add(Common::Handler<Scene::Node&>([this](Scene::Node& node) {
            EXPECT_EQ(&node, target.get());
            ++arrivals;
        }));
    }

    GameEngine2D::Animation::AnimationManager& Manager() { return scene->GetAnimationManager(); }

    // Steps one frame and returns the node's alpha afterwards.
    int Step()
    {
        clock += 16;
        Manager().Update(clock);
        return target->GetAlpha();
    }

    std::shared_ptr<Scene::Node> target = std::make_shared<Scene::EmptyNode>("cursor", Point3D(), Point3D());
    std::shared_ptr<NodeFadeTransparent> fade = std::make_shared<NodeFadeTransparent>(*scene, target, 0, 22.0f, 22.0f);
    std::uint32_t clock = 5000;
    int arrivals = 0;
};

TEST_F(Fading, FallsWithAGrowingStepOfAtMost22AndLandsOnZeroOnce)
{
    fade->SetTargetAlpha(0);
    std::vector<int> alphas{255};
    while (target->IsVisible() && alphas.size() < 100)
        alphas.push_back(Step());
    ASSERT_EQ(alphas.back(), 0);
    EXPECT_FALSE(target->IsVisible());
    for (std::size_t index = 1; index < alphas.size(); ++index)
    {
        const int fall = alphas[index - 1] - alphas[index];
        EXPECT_GT(fall, 0);
        EXPECT_LE(fall, 23); // 22 per frame, plus one from truncating to whole units
    }
    EXPECT_LT(alphas[0] - alphas[1], alphas[1] - alphas[2]);
    EXPECT_EQ(arrivals, 1);
    Step();
    EXPECT_EQ(arrivals, 1);
}

TEST_F(Fading, RetargetingTurnsTheFadeAtOnceWithItsStepReset)
{
    fade->SetTargetAlpha(0);
    for (int frame = 0; frame < 5; ++frame)
        Step();
    const int turned = target->GetAlpha();
    ASSERT_LT(turned, 255);
    fade->SetTargetAlpha(255);
    const int next = Step();
    EXPECT_GT(next, turned);
    EXPECT_LE(next - turned, 4); // the step starts again from nothing
    while (fade->IsRunning())
        Step();
    EXPECT_EQ(target->GetAlpha(), 255);
    EXPECT_EQ(arrivals, 1);
}

TEST_F(Fading, TargetEqualToTheCurrentValueArrivesOnTheFirstStep)
{
    fade->SetTargetAlpha(255);
    Step();
    EXPECT_FALSE(fade->IsRunning());
    EXPECT_EQ(arrivals, 1);
    EXPECT_EQ(target->GetAlpha(), 255);
}

TEST_F(Fading, RefusesAMissingNode)
{
    EXPECT_THROW((void)NodeFadeTransparent(*scene, nullptr, 0, 22.0f, 22.0f), std::invalid_argument);
}

} // namespace Quarnel::WidgetTests
