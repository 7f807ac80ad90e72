#include "Common/RandomNumber.h"
#include "ControlPanelDriver.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/List.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "Support/LogRecorder.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/GameStart.h"
#include "app/System/Item.h"
#include "app/System/SolarSystem.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace
{

using Quarnel::Common::Point2D;
using Zandrel::Testing::ControlPanelDriver;

class ControlPanelSoakTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Quarnel::Common::RandomNumber::Seed(77);
        panel.Frames(2);
    }

    [[nodiscard]] Zandrel::System::SolarSystem& Bodies() const { return *panel.GetGame().GetSolarSystem(); }

    // Every body and every list entry still belong together, one entry per body.
    void ExpectPanelMatchesBodies() const
    {
        EXPECT_EQ(panel.Gui().GetObjectList().GetItems().size(), Bodies().GetItems().size());
    }

    // A quiet log: thousands of bodies would otherwise fill it with creation lines.
    Quarnel::TestSupport::LogRecorder log{false};
    // Random clicks may open the picker; without presets it offers nothing the soak would spend minutes loading.
    static Zandrel::GameStart WithoutPresets()
    {
        Zandrel::GameStart start;
        start.presetFolder = "tests/no-presets";
        start.saveFolder = "tests/no-saves";
        return start;
    }

    ControlPanelDriver panel{WithoutPresets()};
};

TEST_F(ControlPanelSoakTest, SixteenDigitValuesAreTakenAndASeventeenthIsRefused)
{
    panel.Retype("neMass", "99999999999999999");
    panel.Retype("neSize", "1234567890123456");
    EXPECT_EQ(panel.Gui().GetMassField().GetText(), "9999999999999999");
    EXPECT_EQ(panel.Gui().GetSizeField().GetText(), "1234567890123456");

    panel.Click("btnAddPlanet");
    panel.Click("btnAddSun");
    panel.Frames(5);

    ASSERT_EQ(Bodies().GetItems().size(), 2u);
    EXPECT_FLOAT_EQ(Bodies().GetItems().front()->GetMass(), 1e16f);
    ExpectPanelMatchesBodies();
}

TEST_F(ControlPanelSoakTest, BodiesOfSizeOrMassZeroKeepTheSimulationFinite)
{
    panel.Retype("neMass", "0");
    panel.Click("btnAddPlanet");
    panel.Retype("neMass", "50");
    panel.Retype("neSize", "0");
    panel.Click("btnAddPlanet");
    panel.Click("btnAddSun");
    // An empty field reads as 0 as well.
    panel.Retype("neMass", "");
    panel.Click("btnAddPlanet");
    panel.Frames(30);

    ASSERT_EQ(Bodies().GetItems().size(), 4u);
    for (const auto& body : Bodies().GetItems())
    {
        const auto where = body->GetPosition();
        EXPECT_TRUE(std::isfinite(where.X()) && std::isfinite(where.Y()) && std::isfinite(where.Z()))
            << where.ToString();
    }
    ExpectPanelMatchesBodies();
}

TEST_F(ControlPanelSoakTest, ThousandsOfBodiesCreatedInARowAreAllListed)
{
    constexpr int BodyCount = 2000;
    const Point2D button = panel.CenterOf("btnAddRandomPlanet");
    ControlPanelDriver::PushMove(button);
    panel.Frames();
    // All clicks arrive within one frame, as from a very fast hand.
    for (int count = 0; count < BodyCount; ++count)
    {
        ControlPanelDriver::PushButton(button, SDL_BUTTON_LEFT, true);
        ControlPanelDriver::PushButton(button, SDL_BUTTON_LEFT, false);
    }
    panel.Frames(3);

    ASSERT_EQ(Bodies().GetItems().size(), static_cast<std::size_t>(BodyCount));
    EXPECT_EQ(Bodies().GetItems().back()->GetId(), BodyCount);
    ExpectPanelMatchesBodies();
    auto& list = panel.Gui().GetObjectList();
    EXPECT_GT(list.GetPageCount(), 100);
    panel.Click(*list.GetNextButton());
    EXPECT_EQ(list.GetPage(), 2);
}

TEST_F(ControlPanelSoakTest, RandomClicksDragsWheelTurnsAndKeysOverTheWholeWindow)
{
    constexpr int FrameBudget = 900;
    std::mt19937 random(4242);
    std::uniform_real_distribution<float> xs(0.0f, 1023.0f);
    std::uniform_real_distribution<float> ys(0.0f, 767.0f);
    std::uniform_int_distribution<int> actions(0, 9);
    std::uniform_int_distribution<int> notches(-3, 3);
    std::uniform_int_distribution<int> digits(0, 11);
    // Biased towards the panel, where most of the widgets are.
    std::uniform_real_distribution<float> panelXs(824.0f, 1023.0f);

    bool leftDown = false;
    bool rightDown = false;
    for (int frame = 0; frame < FrameBudget; ++frame)
    {
        const Point2D at(actions(random) < 5 ? panelXs(random) : xs(random), ys(random));
        switch (actions(random))
        {
        case 0:
        case 1:
            ControlPanelDriver::PushMove(at);
            break;
        case 2:
            ControlPanelDriver::PushButton(at, SDL_BUTTON_LEFT, !leftDown);
            leftDown = !leftDown;
            break;
        case 3:
            ControlPanelDriver::PushButton(at, SDL_BUTTON_RIGHT, !rightDown);
            rightDown = !rightDown;
            break;
        case 4:
            ControlPanelDriver::PushWheel(at, notches(random));
            break;
        case 5: {
            const int digit = digits(random);
            if (digit == 10)
                ControlPanelDriver::PushKey(SDLK_BACKSPACE, "");
            else if (digit == 11)
                ControlPanelDriver::PushKey(SDLK_F3, "");
            else
                ControlPanelDriver::PushKey(SDLK_0 + digit, std::to_string(digit));
            break;
        }
        default:
            // A whole click.
            ControlPanelDriver::PushMove(at);
            ControlPanelDriver::PushButton(at, SDL_BUTTON_LEFT, true);
            ControlPanelDriver::PushButton(at, SDL_BUTTON_LEFT, false);
            leftDown = false;
            break;
        }
        panel.Frames();
    }
    // Bounded: the run took exactly the frames it was given, so nothing hung.
    EXPECT_EQ(panel.GetFrameCount(), FrameBudget + 2);
    ExpectPanelMatchesBodies();
}

} // namespace
