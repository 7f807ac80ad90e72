#include "App/GameTestSupport.h"
#include "ControlPanelDriver.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "app/GameGUI.h"
#include "app/GameGUIPoint3D.h"
#include "app/SimulationShortcuts.h"
#include "app/System/CircularOrbit.h"
#include "app/System/Planet.h"
#include "app/System/Sun.h"

#include <SDL_events.h>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace Zandrel::Tests
{
namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Physics::SimulationClock;

// What a body is after a run: position and velocity, compared bit for bit.
struct BodyState
{
    Point3D position;
    Point3D velocity;
    bool operator==(const BodyState&) const = default;
};

// A sun and two planets under the inverse-square law, run on a clock with `fps` frames per second at the speed
// 2^exponent until two simulated seconds have passed.
std::vector<BodyState> RunSystem(int fps, int speedExponent)
{
    Quarnel::TestSupport::OffscreenEngine offscreen;
    const auto game = Game::Create(offscreen.Engine());
    System::SolarSystem& bodies = *game->GetSolarSystem();
    bodies.GetGravities().SetSimpleMode(false);
    bodies.AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 20000.0f, 200.0f);
    bodies.AddPlanet("Planet", Point3D(3.0f, 0.0f, 0.0f), 50.0f, 50.0f)->SetVelocity(Point3D(0.0f, 1.3f, 0.1f));
    bodies.AddPlanet("Planet", Point3D(-4.0f, 1.0f, 0.0f), 80.0f, 50.0f)->SetVelocity(Point3D(0.2f, -1.1f, 0.0f));
    SimulationClock& clock = game->GetWorld().GetClock();
    clock.SetSpeedExponent(speedExponent);
    // Nothing needs to be seen: the state depends on the steps alone, and drawing hundreds of frames would only
    // make the test slow.
    for (const auto& child : game->GetRoot()->GetChildren())
        child->SetVisible(false);

    constexpr std::uint64_t TwoSeconds = 2 * SimulationClock::StepsPerSecond;
    for (std::uint32_t frame = 0; clock.GetSteps() < TwoSeconds; ++frame)
    {
        // Whole milliseconds, as SDL counts them: at 300 frames per second, frames of 3, 3 and 4 ms.
        const std::uint32_t ticks = 1000 + frame * 1000 / static_cast<std::uint32_t>(fps);
        game->Update(ticks);
    }
    EXPECT_EQ(clock.GetSteps(), TwoSeconds) << fps << " fps at 2^" << speedExponent;

    std::vector<BodyState> states;
    for (const auto& item : bodies.GetItems())
    {
        const auto sphere = std::dynamic_pointer_cast<System::Sphere>(item);
        states.push_back({sphere->GetPosition(), sphere->GetVelocity()});
    }
    return states;
}

TEST(SimulatedTime, TheSameSimulatedTimeGivesTheSameStateBitForBitAtAnyFrameRateAndSpeed)
{
    const std::vector<BodyState> reference = RunSystem(60, 0);
    ASSERT_NE(reference.at(1).position, Point3D(3.0f, 0.0f, 0.0f)); // the bodies have moved
    for (const int fps : {20, 60, 300})
    {
        for (const int exponent : {0, 3})
        {
            if (fps != 60 || exponent != 0)
            {
                EXPECT_EQ(RunSystem(fps, exponent), reference) << fps << " fps at 2^" << exponent;
            }
        }
    }
}

class CircularOrbitTest : public GameTest
{
};

TEST_F(CircularOrbitTest, TheOrbitTurnsAboutTheZAxisOrAboutYAboveThePrimaryAndCarriesItsVelocity)
{
    Bodies().GetGravities().SetSimpleMode(false);
    const auto sun = Bodies().AddSun("Sonne", Point3D(0.0f, 0.0f, 0.0f), 10000.0f, 100.0f);
    sun->SetVelocity(Point3D(0.0f, 0.0f, 1.0f));
    // v² = 60 G (M + m) / (s² × 0.1) × r with s = 500 r.
    const double speed = std::sqrt(60.0 * 0.00067 * 10001.0 / (std::pow(500.0 * 20.0, 2.0) * 0.1) * 20.0);
    auto near = [](Point3D actual, Point3D expected) {
        return (actual - expected).Length() < 1.0e-6f * std::max(1.0f, expected.Length());
    };
    const auto s = static_cast<float>(speed);
    EXPECT_TRUE(near(System::CircularOrbit::Velocity(Bodies(), *sun, Point3D(20.0f, 0.0f, 0.0f), 1.0f),
                     Point3D(0.0f, s, 1.0f)));
    EXPECT_TRUE(near(System::CircularOrbit::Velocity(Bodies(), *sun, Point3D(0.0f, 20.0f, 0.0f), 1.0f),
                     Point3D(-s, 0.0f, 1.0f)));
    EXPECT_TRUE(near(System::CircularOrbit::Velocity(Bodies(), *sun, Point3D(0.0f, 0.0f, 20.0f), 1.0f),
                     Point3D(s, 0.0f, 1.0f)));
    // At the primary's own place there is no orbit: the body moves with the primary.
    EXPECT_EQ(System::CircularOrbit::Velocity(Bodies(), *sun, Point3D(0.0f, 0.0f, 0.0f), 1.0f),
              Point3D(0.0f, 0.0f, 1.0f));
}

std::string TextOf(const GameGUI& gui, const std::string& labelName)
{
    const auto label = std::dynamic_pointer_cast<Quarnel::GameEngine2D::Widgets::Label>(
        gui.GetFrame().GetMainGroup()->GetControl(labelName));
    return label->GetTextNode()->GetText();
}

TEST(SimulatedTimeByHand, SpacePlusMinusAndDotSteerTimeAndTypedOrOrbitVelocitiesStartTheBodies)
{
    Testing::ControlPanelDriver panel;
    panel.Frames(2);
    GameGUI& gui = panel.Gui();
    SimulationClock& clock = panel.GetGame().GetWorld().GetClock();
    System::SolarSystem& bodies = *panel.GetGame().GetSolarSystem();
    const SimulationShortcuts& shortcuts = *panel.GetGame().GetShortcuts();

    panel.PressKey(SDLK_SPACE);
    panel.Frames();
    EXPECT_TRUE(clock.IsPaused());
    EXPECT_EQ(TextOf(gui, "laSimulationState"), "Pause");
    // Holding Space: the system's repeated presses leave the clock paused.
    SDL_Event held{};
    held.type = SDL_KEYDOWN;
    held.key.state = SDL_PRESSED;
    held.key.repeat = 1;
    held.key.keysym.sym = SDLK_SPACE;
    for (int repeat = 0; repeat < 3; ++repeat)
        SDL_PushEvent(&held);
    panel.Frames();
    EXPECT_TRUE(clock.IsPaused());
    const std::uint64_t pausedAt = clock.GetSteps();
    panel.Frames(5);
    EXPECT_EQ(clock.GetSteps(), pausedAt);

    // A sun of the default mass 50 at rest at the origin.
    panel.Click("btnAddSun");

    // Typing a velocity: one leading minus, one point; a space typed into the field does not resume the clock.
    auto& velocityY = gui.GetVelocityEditor().GetYField();
    panel.Click(velocityY);
    ASSERT_TRUE(shortcuts.IsEditing());
    Testing::ControlPanelDriver::PushKey(SDLK_BACKSPACE, "");
    for (const char* typed : {"-", "1", ".", "5", "-", ".", " "})
        Testing::ControlPanelDriver::PushKey(typed[0], typed);
    panel.Frames();
    EXPECT_EQ(velocityY.GetText(), "-1.5");
    EXPECT_TRUE(clock.IsPaused());
    panel.PressKey(SDLK_ESCAPE);
    EXPECT_FALSE(shortcuts.IsEditing());

    auto& positionX = gui.GetPositionEditor().GetXField();
    panel.Click(positionX);
    Testing::ControlPanelDriver::PushKey(SDLK_BACKSPACE, "");
    panel.TypeDigits("20");
    // A click into the 3D view ends the editing too.
    panel.ClickAt({300.0f, 400.0f});
    EXPECT_FALSE(shortcuts.IsEditing());
    panel.Click("btnAddPlanet");
    const auto typed = std::dynamic_pointer_cast<System::Sphere>(bodies.GetItems().at(1));
    EXPECT_EQ(typed->GetVelocity(), Point3D(0.0f, -1.5f, 0.0f));

    // "Kreisbahn": the next planet circles the heaviest body (the sun, the first of the two of mass 50) at
    // distance 20 under the distance-independent pull: v² = 60 G (50 + 50) / 20 × 20.
    panel.Click(gui.GetCircularOrbitBox());
    ASSERT_TRUE(gui.GetCircularOrbitBox().IsChecked());
    panel.Click("btnAddPlanet");
    const auto circling = std::dynamic_pointer_cast<System::Sphere>(bodies.GetItems().at(2));
    EXPECT_NEAR(circling->GetVelocity().X(), 0.0f, 1e-6f);
    EXPECT_NEAR(circling->GetVelocity().Y(), std::sqrt(60.0 * 0.00067 * 100.0), 1e-5);

    // "." runs exactly one step while paused.
    panel.PressKey(SDLK_PERIOD);
    EXPECT_EQ(clock.GetSteps(), pausedAt + 1);
    panel.Frames(3);
    EXPECT_EQ(clock.GetSteps(), pausedAt + 1);

    // Space resumes; "+" on the main keyboard and on the keypad double, keypad "-" halves: ×2.
    panel.PressKey(SDLK_SPACE);
    Testing::ControlPanelDriver::PushKey(SDLK_PLUS, "+");
    Testing::ControlPanelDriver::PushKey(SDLK_KP_PLUS, "+");
    Testing::ControlPanelDriver::PushKey(SDLK_KP_MINUS, "-");
    panel.Frames();
    EXPECT_FALSE(clock.IsPaused());
    EXPECT_EQ(clock.GetSpeed(), 2.0);
    const std::uint64_t before = clock.GetSteps();
    panel.Frames(8);
    // Eight frames of 16 ms at ×2: 256 ms of simulated time, 32 or 33 steps of 1/128 s.
    EXPECT_NEAR(static_cast<double>(clock.GetSteps() - before), 32.5, 1.0);
    EXPECT_EQ(TextOf(gui, "laSimulationState"), "Zeit ×2");
    EXPECT_NE(TextOf(gui, "laSimulationTime"), "Simulierte Zeit: 0:00:00.0");
    // The bodies move: the typed planet falls and drifts with its velocity.
    EXPECT_NE(typed->GetPosition(), Point3D(20.0f, 0.0f, 0.0f));
}

} // namespace
} // namespace Zandrel::Tests
