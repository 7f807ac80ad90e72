#include "GameEngine2D/Animation/AnimationFade.h"

#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Scene/EmptyNode.h"

#include <cmath>
#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace
{

using namespace Quarnel::GameEngine2D::Animation;
using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Scene::EmptyNode;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

struct FadeFixture : ::testing::Test
{
    AnimationManager manager;
    std::uint32_t ticks = 10000;
    std::shared_ptr<EmptyNode> incoming = std::make_shared<EmptyNode>("in", Point3D(), Point3D());
    std::shared_ptr<EmptyNode> outgoing = std::make_shared<EmptyNode>("out", Point3D(), Point3D());
    std::shared_ptr<AnimationFade> fade = std::make_shared<AnimationFade>();
    int finishes = 0;

    FadeFixture()
    {
        manager.Start();
        manager.Update(ticks);
        incoming->SetVisible(false);
        fade->SetFinished([this] { ++finishes; });
    }
    void Frame(std::uint32_t step) { manager.Update(ticks += step); }
};

TEST_F(FadeFixture, CrossFadesOverFadeSpeedSecondsAndEndsOpaqueAndHidden)
{
    fade->SetNodeIn(incoming);
    fade->SetNodeOut(outgoing);
    fade->SetFadeSpeed(2.0f);
    fade->Start(manager);
    Frame(20);
    // 20 ms of a two-second fade: 2.55 opacity units.
    EXPECT_EQ(incoming->GetAlpha(), 2);
    EXPECT_EQ(outgoing->GetAlpha(), 252);
    for (int step = 2; step < 100; ++step)
        Frame(20);
    EXPECT_TRUE(fade->IsRunning());
    EXPECT_EQ(finishes, 0);
    Frame(20);
    EXPECT_FALSE(fade->IsRunning());
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(incoming->GetAlpha(), 255);
    EXPECT_TRUE(incoming->IsVisible());
    EXPECT_FALSE(outgoing->IsVisible());
}

TEST_F(FadeFixture, LongFirstStepEndsTheFadeAtOnce)
{
    fade->SetNodeIn(incoming);
    fade->Start(manager);
    // The clock's first step has no previous step to compare with, so 5 s count in full.
    Frame(5000);
    EXPECT_FALSE(fade->IsRunning());
    EXPECT_EQ(incoming->GetAlpha(), 255);
    EXPECT_EQ(finishes, 1);
}

TEST_F(FadeFixture, NodesAreLockedOnlyWhileTheFadeRuns)
{
    fade->SetNodeIn(incoming);
    fade->Start(manager);
    fade->SetNodeOut(outgoing);
    Frame(20);
    EXPECT_THAT([&] { fade->SetNodeIn(outgoing); },
                ThrowsMessage<std::runtime_error>(StrEq("Node kann nicht gesetzt, fading ist aktiv")));
    EXPECT_THROW(fade->SetNodeOut(nullptr), std::runtime_error);
    fade->Stop();
    fade->SetNodeOut(nullptr);
    EXPECT_EQ(fade->GetNodeOut(), nullptr);
}

TEST_F(FadeFixture, FadeWithoutNodesStillEndsAndReportsIt)
{
    fade->SetFadeSpeed(0.1f);
    fade->Start(manager);
    for (int step = 0; step < 20; ++step)
        Frame(10);
    EXPECT_FALSE(fade->IsRunning());
    EXPECT_EQ(finishes, 1);
}

TEST(AnimationFade, RefusesAFadeSpeedThatIsNotAboveZero)
{
    AnimationFade fade;
    EXPECT_THAT([&] { fade.SetFadeSpeed(0.0f); },
                ThrowsMessage<std::invalid_argument>(StrEq("Ungültiger Wert: 0.00000 für fadeSpeed")));
    EXPECT_THAT([&] { fade.SetFadeSpeed(-1.5f); },
                ThrowsMessage<std::invalid_argument>(StrEq("Ungültiger Wert: -1.50000 für fadeSpeed")));
    EXPECT_THROW(fade.SetFadeSpeed(std::nanf("")), std::invalid_argument);
    EXPECT_EQ(fade.GetFadeSpeed(), 1.0f);
}

} // namespace
