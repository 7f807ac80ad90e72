#include "Common/RandomNumber.h"
#include "ControlPanelDriver.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Helper/InfoFrame.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/List.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "Support/LogRecorder.h"
#include "Support/Pixels.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/GameGUIPoint3D.h"
#include "app/System/Item.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/System/Sun.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{

using Quarnel::Common::Color;
using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Widgets::Checkbox;
using Quarnel::GameEngine2D::Widgets::Control;
using Zandrel::Testing::ControlPanelDriver;

constexpr Color Highlighted{255, 255, 255, 255};
constexpr Color PlanetAmbient{0, 0, 0, 255};

class ControlPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Quarnel::Common::RandomNumber::Seed(20261207);
        // Controls take input once they have been drawn.
        panel.Frames(2);
    }

    [[nodiscard]] Zandrel::System::SolarSystem& Bodies() const { return *panel.GetGame().GetSolarSystem(); }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::List& ObjectList() const { return panel.Gui().GetObjectList(); }

    [[nodiscard]] Color AmbientOf(std::uint16_t id) const
    {
        const auto sphere = std::dynamic_pointer_cast<Zandrel::System::Sphere>(Bodies().FindItem(id));
        if (!sphere)
            return {};
        return sphere->GetMeshNode()->GetMesh()->GetMaterial()->GetColors()->ambient;
    }

    // The second line of a list entry: "Objekt <id> | Masse <mass>".
    [[nodiscard]] std::string EntryLine(std::size_t index) const
    {
        const auto entry = ObjectList().GetItems().at(index)->GetContent();
        return std::dynamic_pointer_cast<Quarnel::GameEngine2D::Scene::TextNode>(entry->GetChild(1))->GetText();
    }

    [[nodiscard]] bool IsWhole(float value) const { return std::floor(value) == value; }

    Quarnel::TestSupport::LogRecorder log;
    ControlPanelDriver panel;
};

TEST_F(ControlPanelTest, TypedValuesCreateAPlanetWithItsListEntryAndLogLine)
{
    panel.Click("neMass");
    panel.PressKey(SDLK_BACKSPACE);
    panel.PressKey(SDLK_BACKSPACE);
    panel.TypeDigits("123");
    panel.Click("teposition_x");
    panel.TypeDigits("7");
    EXPECT_EQ(panel.Gui().GetMassField().GetText(), "123");
    EXPECT_EQ(panel.Gui().GetPositionEditor().GetPoint(), Point3D(7.0f, 0.0f, 0.0f));

    panel.Click("btnAddPlanet");

    ASSERT_EQ(Bodies().GetItems().size(), 1u);
    const auto planet = std::dynamic_pointer_cast<Zandrel::System::Sphere>(Bodies().GetItems().front());
    ASSERT_NE(planet, nullptr);
    EXPECT_EQ(planet->GetName(), "Planet");
    EXPECT_EQ(planet->GetId(), 1);
    EXPECT_FLOAT_EQ(planet->GetMass(), 123.0f);
    EXPECT_FLOAT_EQ(planet->GetScaleFactor(), 0.5f);
    // A lone body feels no pull, so it is still where it was made.
    EXPECT_EQ(planet->GetPosition(), Point3D(7.0f, 0.0f, 0.0f));
    ASSERT_EQ(ObjectList().GetItems().size(), 1u);
    EXPECT_EQ(EntryLine(0), "Objekt 1 | Masse 123.00000");
    EXPECT_TRUE(log.Has("Planet created at: 7.00000|0.00000|0.00000 mass: 123.00000 size: 50.00000"));
}

TEST_F(ControlPanelTest, DefaultsCreateABodyOfMassAndSizeFiftyAtTheOrigin)
{
    panel.Click("btnAddSun");

    ASSERT_EQ(Bodies().GetItems().size(), 1u);
    const auto sun = std::dynamic_pointer_cast<Zandrel::System::Sun>(Bodies().GetItems().front());
    ASSERT_NE(sun, nullptr);
    EXPECT_FLOAT_EQ(sun->GetMass(), 50.0f);
    EXPECT_FLOAT_EQ(sun->GetScaleFactor(), 0.5f);
    EXPECT_EQ(sun->GetPosition(), Point3D());
    EXPECT_EQ(EntryLine(0), "Objekt 1 | Masse 50.00000");
    // Suns are not logged.
    for (const std::string& line : log.Texts())
        EXPECT_EQ(line.find("Planet created at: "), std::string::npos) << line;
}

TEST_F(ControlPanelTest, RandomButtonsGiveWholeValuesInTheirRanges)
{
    for (int round = 0; round < 6; ++round)
    {
        panel.Click("btnAddRandomPlanet");
        panel.Click("btnAddRandomSun");
    }

    const auto& items = Bodies().GetItems();
    ASSERT_EQ(items.size(), 12u);
    for (std::size_t index = 0; index < items.size(); ++index)
    {
        const auto body = std::dynamic_pointer_cast<Zandrel::System::Sphere>(items[index]);
        const float mass = body->GetMass();
        const float size = body->GetScaleFactor() * 100.0f;
        if (index % 2 == 0)
        {
            EXPECT_EQ(body->GetName(), "Planet");
            EXPECT_TRUE(IsWhole(mass));
            EXPECT_GE(mass, 1.0f);
            EXPECT_LE(mass, 200.0f);
            EXPECT_NEAR(size, mass, 0.001f);
        }
        else
        {
            EXPECT_EQ(body->GetName(), "Sonne");
            EXPECT_TRUE(IsWhole(mass));
            EXPECT_GE(mass, 1000.0f);
            EXPECT_LE(mass, 50000.0f);
            EXPECT_GE(size, 299.99f);
            EXPECT_LE(size, 500.01f);
        }
        EXPECT_EQ(EntryLine(index).rfind("Objekt " + std::to_string(index + 1) + " | Masse ", 0), 0u);
    }
}

TEST_F(ControlPanelTest, RandomPositionsAreWholeCoordinatesBetweenMinusAndPlusForty)
{
    // The log line holds the position the planet was made at, before the bodies pull one another away.
    for (int round = 0; round < 12; ++round)
        panel.Click("btnAddRandomPlanet");
    bool sawNegative = false;
    for (const std::string& line : log.Texts())
    {
        if (line.rfind("Planet created at: ", 0) != 0)
            continue;
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        ASSERT_EQ(std::sscanf(line.c_str(), "Planet created at: %f|%f|%f", &x, &y, &z), 3) << line;
        for (const float coordinate : {x, y, z})
        {
            EXPECT_TRUE(IsWhole(coordinate)) << line;
            EXPECT_GE(coordinate, -40.0f) << line;
            EXPECT_LE(coordinate, 40.0f) << line;
            sawNegative = sawNegative || coordinate < 0.0f;
        }
    }
    EXPECT_TRUE(sawNegative);
}

TEST_F(ControlPanelTest, TickingTheCheckBoxSwitchesToTheInverseSquareLawAndBack)
{
    auto& gravities = Bodies().GetGravities();
    ASSERT_TRUE(gravities.IsSimpleMode());
    const auto box =
        std::dynamic_pointer_cast<Checkbox>(panel.Gui().GetFrame().GetMainGroup()->GetControl("chGravityMode"));
    ASSERT_NE(box, nullptr);

    panel.Click(*box);
    EXPECT_TRUE(box->IsChecked());
    EXPECT_FALSE(gravities.IsSimpleMode());

    panel.Click(*box);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_TRUE(gravities.IsSimpleMode());
}

TEST_F(ControlPanelTest, SelectingAnEntryHighlightsItsBodyAndSelectingAnotherRestoresIt)
{
    panel.Click("btnAddPlanet");
    panel.Click("btnAddSun");
    ASSERT_EQ(ObjectList().GetItems().size(), 2u);
    const auto first = ObjectList().GetItems().at(0);
    const auto second = ObjectList().GetItems().at(1);

    panel.Click(*first);
    EXPECT_EQ(AmbientOf(1), Highlighted);
    EXPECT_EQ(AmbientOf(2), Zandrel::System::Sun::SunAmbient);

    panel.Click(*second);
    // The pointer still rests on the second entry; the first is neither selected nor hovered any more.
    EXPECT_EQ(AmbientOf(1), PlanetAmbient);
    EXPECT_EQ(AmbientOf(2), Highlighted);

    // Leaving the list keeps the selected body lit.
    panel.ClickAt({400.0f, 300.0f});
    EXPECT_EQ(AmbientOf(2), Highlighted);
    EXPECT_EQ(AmbientOf(1), PlanetAmbient);
}

TEST_F(ControlPanelTest, HoveringAnEntryLightsItsBodyUntilThePointerLeaves)
{
    panel.Click("btnAddPlanet");
    const auto entry = ObjectList().GetItems().at(0);

    ControlPanelDriver::PushMove(panel.CenterOf(*entry));
    panel.Frames();
    EXPECT_EQ(AmbientOf(1), Highlighted);

    ControlPanelDriver::PushMove({400.0f, 300.0f});
    panel.Frames();
    EXPECT_EQ(AmbientOf(1), PlanetAmbient);
}

TEST_F(ControlPanelTest, ButtonHighlightsFollowThePointer)
{
    const auto group = panel.Gui().GetFrame().GetMainGroup();
    const auto planetButton = group->GetControl("btnAddPlanet");
    const auto sunButton = group->GetControl("btnAddSun");
    ASSERT_NE(planetButton->GetHighlightNode(), nullptr);
    EXPECT_FALSE(planetButton->GetHighlightNode()->IsVisible());

    ControlPanelDriver::PushMove(panel.CenterOf(*planetButton));
    panel.Frames();
    EXPECT_TRUE(planetButton->GetHighlightNode()->IsVisible());
    EXPECT_FALSE(sunButton->GetHighlightNode()->IsVisible());

    ControlPanelDriver::PushMove(panel.CenterOf(*sunButton));
    panel.Frames();
    EXPECT_FALSE(planetButton->GetHighlightNode()->IsVisible());
    EXPECT_TRUE(sunButton->GetHighlightNode()->IsVisible());

    // Out of the panel: every highlight goes.
    ControlPanelDriver::PushMove({300.0f, 300.0f});
    panel.Frames();
    EXPECT_FALSE(sunButton->GetHighlightNode()->IsVisible());
}

TEST_F(ControlPanelTest, MoreBodiesThanOnePageOpenPageTwoAndTheArrowsTurnPages)
{
    auto& list = ObjectList();
    while (list.GetPageCount() < 2)
    {
        ASSERT_LT(list.GetItems().size(), 40u) << "the list never opened a second page";
        panel.Click("btnAddPlanet");
    }
    const std::size_t onFirstPage = list.GetItems().size() - 1;
    EXPECT_EQ(list.GetPage(), 1);
    EXPECT_FALSE(list.GetPreviousButton()->IsEnabled());
    EXPECT_TRUE(list.GetNextButton()->IsEnabled());
    EXPECT_TRUE(list.GetItems().front()->IsVisible());
    EXPECT_FALSE(list.GetItems().back()->IsVisible());

    panel.Click(*list.GetNextButton());
    EXPECT_EQ(list.GetPage(), 2);
    EXPECT_FALSE(list.GetItems().at(onFirstPage - 1)->IsVisible());
    EXPECT_TRUE(list.GetItems().back()->IsVisible());
    EXPECT_FALSE(list.GetNextButton()->IsEnabled());

    panel.Click(*list.GetPreviousButton());
    EXPECT_EQ(list.GetPage(), 1);
    EXPECT_TRUE(list.GetItems().front()->IsVisible());
}

TEST_F(ControlPanelTest, F3ShowsAndHidesTheStatistics)
{
    auto& info = panel.Gui().GetInfoFrame();
    EXPECT_FALSE(info.IsVisible());
    panel.PressKey(SDLK_F3);
    EXPECT_TRUE(info.IsVisible());
    // Other keys leave it alone.
    panel.TypeDigits("3");
    EXPECT_TRUE(info.IsVisible());
    panel.PressKey(SDLK_F3);
    EXPECT_FALSE(info.IsVisible());
}

TEST_F(ControlPanelTest, InTheMainLoopTheStatisticsShowTheCountersAndTheFrameRateOnceASecond)
{
    auto& info = panel.Gui().GetInfoFrame();
    const auto line = [&info](const char* name) {
        return std::dynamic_pointer_cast<Quarnel::GameEngine2D::Scene::TextNode>(info.FindChild(name))->GetText();
    };
    auto& engine = panel.Offscreen().Engine();
    ControlPanelDriver::PushKey(SDLK_F3, "");
    // The real loop for at least a second and a half, then the window is closed. On a busy machine the first
    // statistics second may end later, so the loop goes on (20 s at most) until the statistics have been written.
    const Uint32 start = SDL_GetTicks();
    const auto quitSent = std::make_shared<bool>(false);
    engine.FrameDone().Add(Quarnel::Common::Handler<>([start, quitSent, &line] {
        const Uint32 elapsed = SDL_GetTicks() - start;
        const bool written = line("fpsInfo") != "frames per second: 0";
        if (*quitSent || elapsed < 1500 || (!written && elapsed < 20000))
            return;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        *quitSent = true;
    }));
    engine.Run();

    EXPECT_TRUE(info.IsVisible());
    const std::string fps = line("fpsInfo");
    ASSERT_EQ(fps.rfind("frames per second: ", 0), 0u) << fps;
    EXPECT_NE(fps, "frames per second: 0");
    EXPECT_EQ(line("nodeInfo").rfind("Nodes: ", 0), 0u) << line("nodeInfo");
    EXPECT_NE(line("nodeInfo").find(", Surfaces: "), std::string::npos);
    EXPECT_NE(line("nodeInfo"), "Nodes: 0, Surfaces: 0");
    EXPECT_NE(line("textureInfo").find(", Vertices: "), std::string::npos);
    EXPECT_EQ(line("vertexInfo").rfind("VertexObjects: ", 0), 0u);
    EXPECT_EQ(line("animInfo").rfind("Animations: ", 0), 0u);
    EXPECT_EQ(line("inputInfo").rfind("InputHandler: ", 0), 0u);
    EXPECT_EQ(line("verticesPerFrameInfo").rfind("Dreiecke (von RAM): ", 0), 0u);
}

} // namespace

namespace
{

// The colour channels only: blending leaves the frame buffer's alpha at values that mean nothing on screen.
bool LooksLike(Quarnel::TestSupport::Rgba actual, Quarnel::TestSupport::Rgba expected)
{
    actual.a = expected.a;
    return Quarnel::TestSupport::NearlyEqual(actual, expected, 3);
}

TEST_F(ControlPanelTest, ThePanelIsDrawnDownTheRightEdgeInItsPurpleFrameWithTheFooterBottomLeft)
{
    using Quarnel::TestSupport::ReadPixel;
    using Quarnel::TestSupport::Rgba;
    panel.Frames();
    // Row 300 crosses no widget and, left of the panel, no grid line.
    EXPECT_TRUE(LooksLike(ReadPixel(817, 300), Rgba{96, 96, 96, 255})) << ReadPixel(817, 300);
    // The frame's light rim, then its translucent purple over the grey picture.
    EXPECT_TRUE(LooksLike(ReadPixel(818, 300), Rgba{158, 149, 165, 255})) << ReadPixel(818, 300);
    for (const int x : {819, 900, 1023})
        EXPECT_TRUE(LooksLike(ReadPixel(x, 300), Rgba{106, 94, 114, 255})) << x << ": " << ReadPixel(x, 300);

    const auto footer =
        std::dynamic_pointer_cast<Quarnel::GameEngine2D::Scene::TextNode>(panel.Gui().FindChild("testInfo"));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->GetText(), "Alpha Version, siehe info.txt");
    EXPECT_EQ(footer->GetPosition(), Point3D(2.0f, 752.0f, 2.0f));
    EXPECT_EQ(footer->GetColor(), Color(255, 255, 255, 200));
}

// Between changes the panel is shown from a picture of it kept from an earlier frame. A change must show in the very
// next frame, and the kept picture must look like the panel drawn afresh.
TEST_F(ControlPanelTest, TheKeptPanelPictureShowsAChangeInTheNextFrameAndLooksLikeThePanelDrawnAfresh)
{
    using Quarnel::TestSupport::ReadPixel;
    using Quarnel::TestSupport::ReadPixels;
    Quarnel::GameEngine2D::Video::Engine& video = panel.Offscreen().Video();
    const std::uint64_t refreshes = video.GetLayerRefreshCount();
    panel.Frames(3);
    EXPECT_EQ(video.GetLayerRefreshCount(), refreshes) << "an unchanged panel is not drawn again";

    // The box's green mark, 12 pixels right of its caption, appears in the frame after the click.
    const auto box =
        std::dynamic_pointer_cast<Checkbox>(panel.Gui().GetFrame().GetMainGroup()->GetControl("chCircularOrbit"));
    ASSERT_NE(box, nullptr);
    const Quarnel::Common::Rect area = box->GetScreenRect();
    const int markX = static_cast<int>(area.Position().X() + area.Size().X()) + 17;
    const int markY = static_cast<int>(area.Position().Y() + area.Size().Y() / 2.0f);
    const auto green = [](Quarnel::TestSupport::Rgba pixel) { return pixel.g > pixel.r + 40; };
    EXPECT_FALSE(green(ReadPixel(markX, markY))) << ReadPixel(markX, markY);
    panel.Click(*box);
    ASSERT_TRUE(box->IsChecked());
    EXPECT_TRUE(green(ReadPixel(markX, markY))) << ReadPixel(markX, markY);

    // Once highlights have faded, the kept picture against the panel drawn directly: one step of rounding per
    // translucent layer at most, anywhere on the panel.
    ControlPanelDriver::PushMove({300.0f, 300.0f});
    panel.Frames(30);
    constexpr int Left = 816;
    constexpr int Width = 1024 - Left;
    const auto kept = ReadPixels(Left, 0, Width, 768);
    panel.PanelScene().SetCachedLayer(false);
    panel.Frames();
    const auto direct = ReadPixels(Left, 0, Width, 768);
    int largest = 0;
    for (std::size_t index = 0; index < kept.size(); ++index)
        largest = std::max({largest, std::abs(kept[index].r - direct[index].r),
                            std::abs(kept[index].g - direct[index].g), std::abs(kept[index].b - direct[index].b)});
    EXPECT_LE(largest, 2);
}

} // namespace
