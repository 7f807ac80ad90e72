#include "Common/RandomNumber.h"
#include "ControlPanelDriver.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/List.h"
#include "app/CameraFollow.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/GameStart.h"
#include "app/LaunchDrag.h"
#include "app/System/Planet.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/SystemEditor.h"
#include "app/TrailsNode.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace
{

using Quarnel::Common::Point2D;
using Quarnel::Common::Point3D;
using Zandrel::System::Sphere;
using Zandrel::Testing::ControlPanelDriver;

class RunningSystemEditsTest : public ::testing::Test
{
protected:
    RunningSystemEditsTest() :
        saves(std::filesystem::temp_directory_path() / ("zandrel_merge_" + std::to_string(std::random_device()()))),
        panel(Zandrel::GameStart{.dataPrefix = {},
                                 .screenshotFolder = "screenshots",
                                 .saveFolder = saves,
                                 .presetFolder = "presets",
                                 .startFile = {}})
    {
    }
    ~RunningSystemEditsTest() override
    {
        std::error_code error;
        std::filesystem::remove_all(saves, error);
    }

    void SetUp() override
    {
        Quarnel::Common::RandomNumber::Seed(20261208);
        panel.Frames(2);
    }

    [[nodiscard]] Zandrel::System::SolarSystem& Bodies() const { return *panel.GetGame().GetSolarSystem(); }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::List& ObjectList() const { return panel.Gui().GetObjectList(); }
    [[nodiscard]] std::shared_ptr<Sphere> Body(std::size_t index) const
    {
        return std::dynamic_pointer_cast<Sphere>(Bodies().GetItems().at(index));
    }
    // A planet from the panel's fields, moving along x.
    void AddPlanet(const std::string& mass, const std::string& size, const std::string& x, const std::string& speed)
    {
        panel.Retype("neMass", mass);
        panel.Retype("neSize", size);
        panel.Retype("teposition_x", x);
        panel.Retype("tevelocity_x", speed);
        panel.PressKey(SDLK_ESCAPE);
        panel.Click("btnAddPlanet");
    }
    void Chord(SDL_Keycode key)
    {
        ControlPanelDriver::PushKeyEdge(SDLK_LCTRL, true);
        ControlPanelDriver::PushKey(key, "");
        ControlPanelDriver::PushKeyEdge(SDLK_LCTRL, false);
        panel.Frames();
    }
    // Every body has its list entry and its live mass, and nothing else has.
    void ExpectBodiesListAndMassesAgree() const
    {
        const auto& masses = panel.GetGame().GetWorld().GetMasses().List();
        const auto live = std::ranges::count_if(masses, [](const auto& mass) { return !mass->IsRemoved(); });
        EXPECT_EQ(ObjectList().GetItems().size(), Bodies().GetItems().size());
        EXPECT_EQ(static_cast<std::size_t>(live), Bodies().GetItems().size());
    }

    std::filesystem::path saves;
    ControlPanelDriver panel;
};

TEST_F(RunningSystemEditsTest, BodiesThatPassThroughEachOtherInOneStepMergeOnlyWhileVerschmelzenIsTicked)
{
    panel.PressKey(SDLK_SPACE);
    // 7.8 and 11.7 units a step towards each other from 10 apart: after one step they have passed each other.
    AddPlanet("30", "40", "-5", "1000");
    AddPlanet("10", "30", "5", "-1500");
    ASSERT_EQ(Bodies().GetItems().size(), 2u);
    // Apart at both ends of the step: only a swept test sees them touch.
    ASSERT_LT(Body(0)->GetPointMass()->GetRadius() + Body(1)->GetPointMass()->GetRadius(), 9.0f);
    const auto start = panel.GetGame().GetEditor()->Save();
    ASSERT_TRUE(start);
    EXPECT_FALSE(panel.Gui().GetMergeBox().IsChecked());

    // Off, as at the start: they pass through.
    panel.PressKey(SDLK_PERIOD);
    ASSERT_EQ(Bodies().GetItems().size(), 2u);
    EXPECT_GT(Body(0)->GetPosition().X(), Body(1)->GetPosition().X());

    ASSERT_TRUE(panel.GetGame().GetEditor()->Load(*start));
    panel.Click("chMerge");
    EXPECT_TRUE(Bodies().IsMerging());
    // The lighter body is selected: the selection passes to the body that takes it in.
    panel.Click(*ObjectList().GetItems().at(1));
    panel.PressKey(SDLK_PERIOD);
    ASSERT_EQ(Bodies().GetItems().size(), 1u);
    ASSERT_EQ(ObjectList().GetItems().size(), 1u);
    const auto merged = Body(0);
    EXPECT_EQ(merged->GetId(), 1u);
    EXPECT_EQ(panel.Gui().GetSelectedBody(), std::optional<std::uint16_t>(1));
    EXPECT_EQ(merged->GetMass(), 40.0f);
    EXPECT_FLOAT_EQ(merged->GetBodySize(), std::cbrt(40.0f * 40.0f * 40.0f + 30.0f * 30.0f * 30.0f));
    const auto entry = ObjectList().GetItems().front()->GetContent()->GetChild(1);
    EXPECT_EQ(std::dynamic_pointer_cast<Quarnel::GameEngine2D::Scene::TextNode>(entry)->GetText(),
              "Objekt 1 | Masse 40.00000");
    const Point3D place = merged->GetPosition();
    const Point3D velocity = merged->GetVelocity();

    // Ctrl+Z brings both back as they were when they touched: the merged body held their mass centre and momentum.
    Chord(SDLK_z);
    ASSERT_EQ(Bodies().GetItems().size(), 2u);
    EXPECT_EQ(ObjectList().GetItems().size(), 2u);
    const auto a = Body(0);
    const auto b = Body(1);
    EXPECT_NEAR(place.X(), (30.0f * a->GetPosition().X() + 10.0f * b->GetPosition().X()) / 40.0f, 1e-4f);
    EXPECT_NEAR(velocity.X(), (30.0f * a->GetVelocity().X() + 10.0f * b->GetVelocity().X()) / 40.0f, 1e-2f);
    EXPECT_NEAR(velocity.Y(), (30.0f * a->GetVelocity().Y() + 10.0f * b->GetVelocity().Y()) / 40.0f, 1e-2f);
    ExpectBodiesListAndMassesAgree();

    // Switching the box is an edit too; a file keeps it.
    Chord(SDLK_z);
    EXPECT_FALSE(Bodies().IsMerging());
    EXPECT_FALSE(panel.Gui().GetMergeBox().IsChecked());
    Chord(SDLK_y);
    EXPECT_TRUE(panel.Gui().GetMergeBox().IsChecked());
    const auto kept = panel.GetGame().GetEditor()->Save();
    ASSERT_TRUE(kept);
    panel.Click("chMerge");
    ASSERT_FALSE(Bodies().IsMerging());
    ASSERT_TRUE(panel.GetGame().GetEditor()->Load(*kept));
    EXPECT_TRUE(Bodies().IsMerging());
    EXPECT_TRUE(panel.Gui().GetMergeBox().IsChecked());

    // A body placed on another merges at the first running step; taking that back shows them paused, or the next
    // step would merge them again at once.
    ASSERT_TRUE(panel.GetGame().GetEditor()->Load(*start));
    panel.Click("chMerge");
    AddPlanet("5", "20", "-5", "0");
    ASSERT_EQ(Bodies().GetItems().size(), 3u);
    auto& clock = panel.GetGame().GetWorld().GetClock();
    panel.PressKey(SDLK_SPACE);
    ASSERT_FALSE(clock.IsPaused());
    panel.Frames(2);
    ASSERT_LT(Bodies().GetItems().size(), 3u);
    Chord(SDLK_z);
    EXPECT_TRUE(clock.IsPaused());
    panel.Frames(3);
    EXPECT_EQ(Bodies().GetItems().size(), 3u);
    ExpectBodiesListAndMassesAgree();
}

// The sanitizers watch for anything that still reaches a deleted body: the trails, the camera's follow, the launch
// drag's prediction, the list and merges.
TEST_F(RunningSystemEditsTest, DeletingBodiesWhileTheyRunWithTrailsFollowAndADragLeavesNothingBehind)
{
    panel.Click("btnAddRandomSun");
    for (int count = 0; count < 4; ++count)
        panel.Click("btnAddRandomPlanet");
    panel.Click("chMerge");
    // Trails are on from the start ("T" switches them).
    ASSERT_TRUE(panel.GetGame().GetTrails()->IsVisible());
    panel.Click(*ObjectList().GetItems().at(1));
    panel.PressKey(SDLK_f);
    ASSERT_TRUE(panel.GetGame().GetCameraFollow()->IsFollowing());
    panel.Frames(10);

    // A Shift drag from the middle of the 3D view, held while bodies go.
    const Point2D middle{400.0f, 384.0f};
    ControlPanelDriver::PushKeyEdge(SDLK_LSHIFT, true);
    ControlPanelDriver::PushMove(middle);
    panel.Frames();
    ControlPanelDriver::PushButton(middle, SDL_BUTTON_LEFT, true);
    panel.Frames();
    ControlPanelDriver::PushMove(Point2D{440.0f, 384.0f});
    panel.Frames(2);
    ASSERT_TRUE(panel.GetGame().GetLaunchDrag()->IsDragging());

    panel.PressKey(SDLK_DELETE);
    panel.Frames(5);
    EXPECT_FALSE(panel.GetGame().GetCameraFollow()->IsFollowing());
    ExpectBodiesListAndMassesAgree();
    ASSERT_TRUE(panel.GetGame().GetLaunchDrag()->IsDragging());

    ControlPanelDriver::PushButton(Point2D{440.0f, 384.0f}, SDL_BUTTON_LEFT, false);
    ControlPanelDriver::PushKeyEdge(SDLK_LSHIFT, false);
    panel.Frames(10);
    ExpectBodiesListAndMassesAgree();
    for (const auto& body : Bodies().GetItems())
        EXPECT_TRUE(std::isfinite(body->GetPosition().X()));

    // The rest go one by one, each followed when it goes.
    while (!ObjectList().GetItems().empty())
    {
        panel.Click(*ObjectList().GetItems().front());
        panel.PressKey(SDLK_f);
        panel.PressKey(SDLK_DELETE);
        panel.Frames(3);
    }
    EXPECT_TRUE(Bodies().GetItems().empty());
    ExpectBodiesListAndMassesAgree();
}

} // namespace
