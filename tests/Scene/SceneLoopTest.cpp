#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Control/CameraControl.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/Scene.h"
#include "SceneTestSupport.h"
#include "Support/Pixels.h"

#include <SDL.h>
#include <algorithm>
#include <fmt/format.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

// These tests run the engine's real main loop, so each owns its engine: the loop ends for good with the quit
// event, and disposing an engine shuts SDL down.
namespace Quarnel::SceneTests
{
namespace
{

using GameEngine2D::Scene::Scene;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using TestSupport::ReadPixel;
using TestSupport::Rgba;

void Push(SDL_Event event)
{
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void PushWheelUp()
{
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = 1;
    Push(event);
}

void PushQuit()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    Push(event);
}

// Keeps one entry per step even where a step repeats (the physics world runs three sub-steps).
class Trace
{
public:
    void Note(const std::string& entry)
    {
        if (entries.empty() || entries.back() != entry)
            entries.push_back(entry);
    }

    std::vector<std::string> entries;
};

// How the current frame's projection looks from inside a node: the flat view has no perspective divide.
std::string DescribeView()
{
    std::array<float, 16> projection{};
    std::array<float, 16> modelView{};
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    if (projection[11] == 0.0f)
        return "flat";
    return fmt::format("perspective from z {}", -modelView[14]);
}

// Hooks every per-frame step of a scene into the trace: the animation clock's tick, the step of a mass in
// its world, the drawing of a node (with the view the camera set up) and onUpdate.
void Instrument(Scene& scene, Trace& trace)
{
    const std::string name = scene.GetName();
    scene.GetAnimationManager().Add(GameEngine2D::Animation::AnimationManager::TimeHandler(
        [&trace, name](std::uint32_t) { trace.Note(name + " animation"); }));

    const auto body = MakeProbe(name + "_body");
    scene.GetRoot()->AddChild(body);
    const auto mass = scene.GetWorld().CreateMass(*body, 1.0f);
    mass->OnSimulate().Add(Common::Handler<float>([&trace, name](float) { trace.Note(name + " physics"); }));

    const auto probe = MakeProbe(name + "_probe");
    probe->onDraw = [&trace, name](IGameEngine&) { trace.Note(name + " draw " + DescribeView()); };
    scene.GetRoot()->AddChild(probe);

    scene.SetOnUpdate([&trace, name] { trace.Note(name + " onUpdate"); });
    scene.EnableOnUpdate();
}

TEST(SceneLoop, EachFrameRunsInputThenEveryScenesClockPhysicsCameraAndTreeInListOrder)
{
    TestSupport::OffscreenEngine offscreen;
    GameEngine& engine = offscreen.Engine();
    Trace trace;

    const auto space = std::make_shared<Scene>("A", engine);
    const auto panel = std::make_shared<Scene>("B", engine);
    panel->GetCamera()->SetOrthographic(true);
    Instrument(*space, trace);
    Instrument(*panel, trace);
    const GameEngine2D::Control::CameraControl control(&engine.GetEventManager(), space->GetCamera(), std::nullopt,
                                                       0.2f, 0.0f);
    const auto listener = engine.GetEventManager().AddInputHandler(
        std::nullopt,
        [&trace](bool, GameEngine2D::Input::EventType, const auto&, Common::Point2D) { trace.Note("input"); });
    space->Show(false);
    engine.AddScene(panel);

    int frames = 0;
    engine.FrameDone().Add(Common::Handler<>([&] {
        trace.Note("frame");
        ++frames;
        if (frames == 1)
            PushWheelUp();
        else
            PushQuit();
    }));
    PushWheelUp();
    engine.Run();

    // The first clock update only records the tick count, so animations step from the second frame on.
    EXPECT_THAT(trace.entries, ElementsAre("input", "A physics", "A draw perspective from z 15", "A onUpdate",
                                           "B physics", "B draw flat", "B onUpdate", "frame", "input", "A animation",
                                           "A physics", "A draw perspective from z 20", "A onUpdate", "B animation",
                                           "B physics", "B draw flat", "B onUpdate", "frame"));
}

TEST(SceneLoop, ExceptionInANodeEndsRunWithTheNodeAndSceneLinesAndDisposeStillRunsCompletely)
{
    TestSupport::OffscreenEngine offscreen;
    GameEngine& engine = offscreen.Engine();
    const auto first = std::make_shared<Scene>("A", engine);
    const auto second = std::make_shared<Scene>("B", engine);
    int draws = 0;
    const auto fragile = MakeProbe("fragile");
    fragile->onDraw = [&](IGameEngine&) {
        if (++draws == 2)
            throw std::runtime_error("boom");
    };
    second->GetRoot()->AddChild(fragile);
    engine.AddScene(first);
    engine.AddScene(second);
    int frames = 0;
    engine.FrameDone().Add(Common::Handler<>([&] { ++frames; }));

    LogCapture log;
    engine.Run();
    EXPECT_EQ(frames, 1);
    offscreen.Dispose();

    const std::vector<std::string> texts = log.Texts();
    const auto from = std::ranges::find(texts, "Error in Node.Update (fragile): boom");
    ASSERT_NE(from, texts.end());
    EXPECT_THAT(std::vector<std::string>(from - 1, from + 5),
                ElementsAre("Fehler in Node.Update", "Error in Node.Update (fragile): boom", "Fehler in Node.Update",
                            "Error in Node.Update (B_root): Node.Update Error in Node fragile",
                            "Fehler in Scene.Update B", ::testing::_));
    EXPECT_THAT(*(from + 4), HasSubstr("Node.Update Error in Node B_root"));
    const int closing = log.IndexOf("Closing GameEngine");
    EXPECT_LT(from - texts.begin(), closing);
    EXPECT_LT(closing, log.IndexOf("Dispose A_root"));
    EXPECT_LT(log.IndexOf("Dispose A_root"), log.IndexOf("Dispose B_root"));
    EXPECT_LT(log.IndexOf("Dispose B_root"), log.IndexOf("Dispose fragile"));
    EXPECT_LT(log.IndexOf("Dispose fragile"), log.IndexOf("Disposing ok"));
}

TEST(SceneShow, BackgroundReachesTheEngineOnlyWhenShown)
{
    TestSupport::OffscreenEngine offscreen;
    GameEngine& engine = offscreen.Engine();
    const auto scene = std::make_shared<Scene>("shown", engine);
    scene->SetBackgroundColor(Common::Color(200, 0, 0, 255));
    scene->Show(false);
    EXPECT_EQ(engine.GetSceneCount(), 1);
    offscreen.Video().InitFrame();
    EXPECT_EQ(ReadPixel(5, 5), (Rgba{200, 0, 0, 255}));

    scene->SetBackgroundColor(Common::Color(0, 200, 0, 255));
    offscreen.Video().InitFrame();
    EXPECT_EQ(ReadPixel(5, 5), (Rgba{200, 0, 0, 255}));

    // With disposeOthers the new scene replaces the whole list.
    const auto other = std::make_shared<Scene>("other", engine);
    other->SetBackgroundColor(Common::Color(0, 0, 90, 255));
    other->Show(true);
    EXPECT_EQ(engine.GetSceneCount(), 1);
    offscreen.Video().InitFrame();
    EXPECT_EQ(ReadPixel(5, 5), (Rgba{0, 0, 90, 255}));
}

} // namespace
} // namespace Quarnel::SceneTests
