#include "../Scene/AllocationCounter.h"
#include "App/GameTestSupport.h"
#include "ControlPanelDriver.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/List.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "app/AccuracyMeter.h"
#include "app/CameraFollow.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/LaunchDrag.h"
#include "app/System/Conservation.h"
#include "app/System/Planet.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sun.h"
#include "app/System/Trail.h"
#include "app/TrailsNode.h"

#include <SDL.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace Zandrel::Tests
{
namespace
{

using Quarnel::Common::Point2D;
using Quarnel::Common::Point3D;
using Testing::ControlPanelDriver;

void PushShift(bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = SDLK_LSHIFT;
    SDL_PushEvent(&event);
}

// A left drag from `from` to `to`, a frame after each step, the button still held at the end.
void DragTo(ControlPanelDriver& panel, Point2D from, Point2D to)
{
    ControlPanelDriver::PushMove(from);
    panel.Frames();
    ControlPanelDriver::PushButton(from, SDL_BUTTON_LEFT, true);
    panel.Frames();
    ControlPanelDriver::PushMove(to);
    panel.Frames(2);
}

void ReleaseAt(ControlPanelDriver& panel, Point2D at)
{
    ControlPanelDriver::PushButton(at, SDL_BUTTON_LEFT, false);
    panel.Frames();
}

void ExpectNear(Point3D actual, Point3D expected, float tolerance)
{
    EXPECT_NEAR(actual.X(), expected.X(), tolerance);
    EXPECT_NEAR(actual.Y(), expected.Y(), tolerance);
    EXPECT_NEAR(actual.Z(), expected.Z(), tolerance);
}

TEST(OrbitVisuals, ShiftDragLaunchesAPlanetOnItsPredictedPathAndTheKeysSwitchTrailsAndFollow)
{
    ControlPanelDriver panel;
    panel.Frames(2);
    Game& game = panel.GetGame();
    System::SolarSystem& bodies = *game.GetSolarSystem();
    Quarnel::GameEngine2D::Scene::Camera& camera = *game.GetCamera();
    const LaunchDrag& launch = *game.GetLaunchDrag();
    panel.Click("btnAddSun");
    panel.PressKey(SDLK_SPACE); // paused: the prediction must match what the world does after the release
    const Point3D cameraAtStart = camera.GetPosition();

    // The window's middle lies on the camera's line of sight to the origin; 40 pixels to the right lie further +x.
    const Point2D middle{512.0f, 384.0f};
    const Point2D right{552.0f, 384.0f};
    PushShift(true);
    DragTo(panel, middle, right);
    ASSERT_TRUE(launch.IsDragging());
    EXPECT_EQ(camera.GetPosition(), cameraAtStart) << "a Shift drag does not pan";
    ExpectNear(launch.GetStart(), Point3D(0.0f, 0.0f, 0.0f), 0.01f);
    EXPECT_GT(launch.GetEnd().X(), launch.GetStart().X() + 5.0f);
    EXPECT_TRUE(launch.GetPrediction().IsComplete());

    // Escape drops the launch: the release creates nothing.
    panel.PressKey(SDLK_ESCAPE);
    EXPECT_FALSE(launch.IsDragging());
    ReleaseAt(panel, right);
    EXPECT_EQ(bodies.GetItems().size(), 1u);

    DragTo(panel, middle, right);
    const std::vector<Point3D> predicted(launch.GetPrediction().GetPath().begin(),
                                         launch.GetPrediction().GetPath().end());
    const Point3D start = launch.GetStart();
    const Point3D velocity = launch.GetVelocity();
    ReleaseAt(panel, right);
    PushShift(false);
    ASSERT_EQ(bodies.GetItems().size(), 2u);
    const auto planet = std::dynamic_pointer_cast<System::Planet>(bodies.GetItems().back());
    ASSERT_TRUE(planet);
    EXPECT_EQ(planet->GetPosition(), start);
    EXPECT_EQ(planet->GetVelocity(), velocity);
    EXPECT_EQ(planet->GetPointMass()->GetMass(), panel.Gui().GetMassField().GetFloat());
    EXPECT_EQ(panel.Gui().GetObjectList().GetItems().size(), 2u);
    // The world steps both bodies the way the prediction did: the planet ends where its path ended.
    ASSERT_EQ(predicted.size(), LaunchPrediction::TotalSteps() + 1);
    game.GetWorld().RunSteps(LaunchPrediction::TotalSteps());
    ExpectNear(planet->GetPosition(), predicted.back(), 1e-3f);
    EXPECT_GT(planet->GetTrail().GetCount(), 100u);

    // Without Shift, a left drag pans as it always did: 0.2 units per pixel, against the pointer.
    DragTo(panel, middle, right);
    ReleaseAt(panel, right);
    EXPECT_FALSE(launch.IsDragging());
    EXPECT_EQ(bodies.GetItems().size(), 2u);
    EXPECT_FLOAT_EQ(camera.GetPosition().X(), cameraAtStart.X() - 8.0f);

    // T hides and shows the trails.
    TrailsNode& trails = *game.GetTrails();
    ASSERT_TRUE(trails.IsVisible());
    ControlPanelDriver::PushKey(SDLK_t, "t");
    panel.Frames();
    EXPECT_FALSE(trails.IsVisible());
    ControlPanelDriver::PushKey(SDLK_t, "t");
    panel.Frames();
    EXPECT_TRUE(trails.IsVisible());

    // F follows the selected body, F again lets go; a body that leaves lets go too.
    panel.Click(*panel.Gui().GetObjectList().GetItems().at(1));
    ControlPanelDriver::PushKey(SDLK_f, "f");
    panel.PressKey(SDLK_SPACE);
    panel.Frames(5);
    CameraFollow& follow = *game.GetCameraFollow();
    ASSERT_EQ(follow.GetFollowed(), planet);
    EXPECT_EQ(camera.GetTarget(), planet->GetPosition());
    ControlPanelDriver::PushKey(SDLK_f, "f");
    panel.Frames(3);
    EXPECT_FALSE(follow.IsFollowing());
    EXPECT_NE(camera.GetTarget(), planet->GetPosition());
    ControlPanelDriver::PushKey(SDLK_f, "f");
    panel.Frames();
    ASSERT_TRUE(follow.IsFollowing());
    bodies.RemoveChild(planet, panel.Offscreen().Engine());
    panel.Frames();
    EXPECT_FALSE(follow.IsFollowing());
}

class ConservationTest : public GameTest
{
};

TEST_F(ConservationTest, EnergyIsKineticPlusThePotentialOfTheLawAndStaysPutOnAnOrbit)
{
    constexpr double G = 0.00067f;
    auto& gravities = Bodies().GetGravities();
    const auto sun = Bodies().AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 10000.0f, 100.0f);
    const auto planet = Bodies().AddPlanet("Planet", Point3D(20.0f, 0.0f, 0.0f), 2.0f, 50.0f);
    planet->SetVelocity(Point3D(0.0f, 3.0f, 4.0f));
    const double kinetic = 0.5 * 2.0 * 25.0;

    // Distance-independent pull: U = 60 G M m r / 20.
    gravities.SetSimpleMode(true);
    EXPECT_NEAR(System::Conservation::Measure(Bodies()).energy, kinetic + 60.0 * G * 20000.0 * 20.0 / 20.0, 1e-9);
    // Inverse square with s = 500 r and the factor 0.1: U = -60 G M m / (250000 × 0.1 × r).
    gravities.SetSimpleMode(false);
    const double factor = gravities.GetFactor();
    EXPECT_NEAR(System::Conservation::Measure(Bodies()).energy,
                kinetic - 60.0 * G * 20000.0 / (250000.0 * factor * 20.0), 1e-9);
    const System::Conservation::Totals momentum = System::Conservation::Measure(Bodies());
    EXPECT_DOUBLE_EQ(momentum.momentumY, 6.0);
    EXPECT_DOUBLE_EQ(momentum.momentumZ, 8.0);

    // A potential that did not belong to the forces would show as drift; the leapfrog keeps both totals.
    for (const bool simple : {true, false})
    {
        gravities.SetSimpleMode(simple);
        sun->SetVelocity(Point3D(0.0f, 0.0f, 0.0f));
        planet->SetVelocity(Point3D(0.0f, simple ? 20.0f : 0.03f, 0.0f));
        const System::Conservation::Totals before = System::Conservation::Measure(Bodies());
        game->GetWorld().RunSteps(4 * Quarnel::GameEngine2D::Physics::SimulationClock::StepsPerSecond);
        const System::Conservation::Totals after = System::Conservation::Measure(Bodies());
        EXPECT_LT(std::abs(System::Conservation::RelativeEnergyDrift(before, after)), 1e-4) << simple;
        EXPECT_LT(System::Conservation::RelativeMomentumDrift(before, after), 1e-5) << simple;
    }
    EXPECT_EQ(AccuracyMeter::EnergyText(3.1e-7), "Energie \u2206E/E 3.1e-07");

    // Shared among threads, the pairs add up to the very same totals.
    for (int body = 0; body < 40; ++body)
        Bodies().AddPlanet("Planet", Point3D(static_cast<float>(body % 7) * 3.0f, static_cast<float>(body), -5.0f),
                           1.0f + static_cast<float>(body), 30.0f);
    // A second body where the second of them stands, and one closer to it than the inverse-square law's shortest
    // distance of 1/500.
    Bodies().AddPlanet("Planet", Point3D(3.0f, 1.0f, -5.0f), 2.0f, 30.0f);
    Bodies().AddPlanet("Planet", Point3D(3.0005f, 1.0f, -5.0f), 3.0f, 30.0f);
    const System::Conservation::Totals alone = System::Conservation::Measure(Bodies(), 1);
    for (const unsigned threads : {2u, 3u, 64u})
        EXPECT_EQ(System::Conservation::Measure(Bodies(), threads).energy, alone.energy) << threads;

    // Eight distances at a time (each row ends part-way through a vector) give the portable loop's totals.
    for (const bool simple : {true, false})
    {
        gravities.SetSimpleMode(simple);
        const double portable = System::Conservation::Measure(Bodies(), 1, System::Conservation::Loop::Portable).energy;
        EXPECT_NEAR(System::Conservation::Measure(Bodies(), 1).energy, portable, 1e-13 * std::abs(portable)) << simple;
    }
}

TEST_F(ConservationTest, FullTrailsAllocateNothingAndAreThinnedOverTheirBudget)
{
    Bodies().AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 10000.0f, 100.0f);
    for (int k = 1; k <= 5; ++k)
        Bodies()
            .AddPlanet("Planet", Point3D(10.0f * k, 0.0f, 0.0f), 1.0f, 50.0f)
            ->SetVelocity(Point3D(0.0f, 20.0f, 0.0f));
    Quarnel::GameEngine2D::Physics::World& world = game->GetWorld();
    // Beyond ten seconds every ring has wrapped; after that, recording and drawing must not allocate.
    world.RunSteps(12 * Quarnel::GameEngine2D::Physics::SimulationClock::StepsPerSecond);
    TrailsNode& trails = *game->GetTrails();
    offscreen.Video().InitFrame();
    trails.Update(offscreen.Engine());

    Quarnel::SceneTests::StartCountingAllocations();
    world.RunSteps(64);
    trails.Update(offscreen.Engine());
    EXPECT_EQ(Quarnel::SceneTests::StopCountingAllocations(), 0);
    EXPECT_EQ(std::dynamic_pointer_cast<System::Sphere>(Bodies().GetItems().back())->GetTrail().GetCount(),
              std::dynamic_pointer_cast<System::Sphere>(Bodies().GetItems().back())->GetTrail().GetCapacity());

    // Over their budget, all trails are thinned alike: six full rings of 160 samples into at most 250 points are
    // every fourth sample (the newest among them) and the body, 41 points a trail.
    const std::size_t ring = System::Trail::Seconds * Quarnel::GameEngine2D::Physics::SimulationClock::StepsPerSecond /
                             System::Trail::SampleSteps;
    ASSERT_EQ(ring, 160u);
    for (const auto& [budget, perTrail] : {std::pair<std::size_t, std::size_t>{6 * ring, ring + 1}, {250, 41}})
    {
        TrailsNode thinned("thinned", Bodies(), budget);
        offscreen.Video().InitFrame();
        thinned.Update(offscreen.Engine());
        EXPECT_EQ(offscreen.Video().GetVideoInfo().GetVertices(), 6 * perTrail) << budget;
    }
}

} // namespace
} // namespace Zandrel::Tests
