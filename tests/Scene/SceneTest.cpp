#include "GameEngine2D/Scene/Scene.h"

#include "GameEngine2D/Scene/Camera.h"
#include "SceneTestSupport.h"
#include "Support/Pixels.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace Quarnel::SceneTests
{
namespace
{

using GameEngine2D::Scene::Camera;
using GameEngine2D::Scene::Scene;
using ::testing::ElementsAre;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using TestSupport::ReadPixel;
using TestSupport::Rgba;

using SceneTest = EngineTest;

void ExpectPoint(Common::Point3D actual, float x, float y, float z)
{
    EXPECT_FLOAT_EQ(actual.X(), x);
    EXPECT_FLOAT_EQ(actual.Y(), y);
    EXPECT_FLOAT_EQ(actual.Z(), z);
}

SDL_Event Motion(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

TEST_F(SceneTest, NewSceneHasItsNamedRootAndAPerspectiveCameraLookingAtTheOrigin)
{
    LogCapture log;
    const auto scene = std::make_shared<Scene>("Sol", Engine());

    EXPECT_EQ(scene->GetRoot()->GetName(), "Sol_root");
    ExpectPoint(scene->GetRoot()->GetPosition(), 0.0f, 0.0f, 0.0f);
    ExpectPoint(*scene->GetRoot()->GetSize(), 0.0f, 0.0f, 0.0f);
    const std::shared_ptr<Camera> camera = scene->GetCamera();
    EXPECT_EQ(camera->GetName(), "Sol_camera");
    ExpectPoint(camera->GetPosition(), 0.0f, 0.0f, 10.0f);
    ExpectPoint(camera->GetTarget(), 0.0f, 0.0f, 0.0f);
    ExpectPoint(camera->GetUp(), 0.0f, -1.0f, 0.0f);
    EXPECT_FALSE(camera->IsOrthographic());
    EXPECT_FALSE(camera->GetSize().has_value());
    EXPECT_EQ(scene->GetRoot()->GetChildCount(), 0);

    // The root comes from the scene's own factory, before the camera; the scene logs its start and end.
    const int start = log.IndexOf("New Scene Sol");
    const int factory = log.IndexOf("CreateEmptyNode Sol_root");
    const int created = log.IndexOf("CreatedEmptyNode Sol_root");
    const int cameraMade = log.IndexOf("new Node: Sol_camera");
    const int end = log.IndexOf("New Scene Sol end");
    EXPECT_EQ(start, 0);
    EXPECT_LT(start, factory);
    EXPECT_LT(factory, created);
    EXPECT_LT(created, cameraMade);
    EXPECT_LT(cameraMade, end);

    EXPECT_EQ(scene->NextId(), 0);
    EXPECT_EQ(scene->NextId(), 1);
}

TEST_F(SceneTest, ProjectionModeDecidesTheUpDirectionOverAnyEarlierSetUp)
{
    Camera camera("cam", Common::Point3D(0.0f, 0.0f, 10.0f), Common::Point3D(0.0f, 0.0f, 0.0f), true);
    ExpectPoint(camera.GetUp(), 0.0f, 1.0f, 0.0f);
    camera.SetUp(Common::Point3D(1.0f, 0.0f, 0.0f));
    camera.SetOrthographic(false);
    ExpectPoint(camera.GetUp(), 0.0f, -1.0f, 0.0f);
    camera.SetUp(Common::Point3D(1.0f, 0.0f, 0.0f));
    camera.SetOrthographic(true);
    ExpectPoint(camera.GetUp(), 0.0f, 1.0f, 0.0f);
}

TEST_F(SceneTest, OnUpdateRunsAfterTheTreeOnlyOnceEnabled)
{
    Scene scene("gate", Engine());
    std::vector<std::string> calls;
    const auto probe = MakeProbe("probe");
    probe->onDraw = [&](IGameEngine&) { calls.push_back("draw"); };
    scene.GetRoot()->AddChild(probe);
    scene.SetOnUpdate([&] { calls.push_back("onUpdate"); });

    Engine().GetVideoEngine().InitFrame();
    scene.Update(1000);
    scene.Update(1016);
    EXPECT_THAT(calls, ElementsAre("draw", "draw"));

    scene.EnableOnUpdate();
    calls.clear();
    scene.Update(1032);
    EXPECT_THAT(calls, ElementsAre("draw", "onUpdate"));
}

TEST_F(SceneTest, FailingNodeLeavesItsLinesThenTheSceneLineAndTheCaughtMessage)
{
    Scene scene("broken", Engine());
    const auto probe = MakeProbe("probe");
    probe->onDraw = [](IGameEngine&) { throw std::runtime_error("no texture"); };
    scene.GetRoot()->AddChild(probe);

    LogCapture log;
    Engine().GetVideoEngine().InitFrame();
    EXPECT_THAT([&] { scene.Update(1000); },
                ThrowsMessage<std::runtime_error>(StrEq("Node.Update Error in Node broken_root")));
    EXPECT_THAT(log.Texts(), ElementsAre("Fehler in Node.Update", "Error in Node.Update (probe): no texture",
                                         "Fehler in Node.Update",
                                         "Error in Node.Update (broken_root): Node.Update Error in Node probe",
                                         "Fehler in Scene.Update broken"));
    RestoreModelViewStack();
}

TEST_F(SceneTest, DisposeTearsTheTreeDownAndSwallowsNodeFailures)
{
    Scene scene("closing", Engine());
    const auto probe = MakeProbe("probe");
    probe->onDispose = [](IGameEngine&) { throw std::runtime_error("busy"); };
    scene.GetRoot()->AddChild(probe);

    LogCapture log;
    EXPECT_NO_THROW(scene.Dispose());
    EXPECT_THAT(log.Texts(),
                ElementsAre("Dispose closing_root", "Dispose probe", "Error in DisposeNode at Node probe", "busy"));
    EXPECT_EQ(scene.GetRoot()->GetChildCount(), 0);
}

TEST_F(SceneTest, PerspectiveCameraShowsPositiveYUpwards)
{
    Scene scene("persp", Engine());
    const auto marker = MakeProbe("marker");
    marker->onDraw = [](IGameEngine&) { DrawRectangle(-0.5f, 0.5f, 0.5f, 1.5f, 0.0f, 255, 0, 0); };
    scene.GetRoot()->AddChild(marker);
    Engine().GetVideoEngine().SetBackgroundColor(Common::Color(0, 0, 0, 255));
    Engine().GetVideoEngine().InitFrame();

    scene.Update(1000);

    // At distance 10 with a 45° field of view one unit is about 93 of the 768 rows.
    EXPECT_EQ(ReadPixel(512, 290), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(512, 480), (Rgba{0, 0, 0, 255}));
}

TEST_F(SceneTest, OrthographicCameraPutsTheOriginAtTheTopLeftInPixels)
{
    Scene scene("flat", Engine());
    scene.GetCamera()->SetOrthographic(true);
    const auto marker = MakeProbe("marker", Common::Point3D(100.0f, 50.0f, 0.0f));
    marker->onDraw = [](IGameEngine&) { DrawRectangle(0.0f, 0.0f, 20.0f, 10.0f, 0.0f, 0, 0, 255); };
    scene.GetRoot()->AddChild(marker);
    Engine().GetVideoEngine().SetBackgroundColor(Common::Color(0, 0, 0, 255));
    Engine().GetVideoEngine().InitFrame();

    scene.Update(1000);

    EXPECT_EQ(ReadPixel(110, 55), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(ReadPixel(95, 55), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(110, 65), (Rgba{0, 0, 0, 255}));
}

TEST_F(SceneTest, ShowRefusesASceneNoSharedPointerOwns)
{
    Scene scene("loose", Engine());
    EXPECT_THAT([&] { scene.Show(false); },
                ThrowsMessage<std::logic_error>(StrEq("Scene loose can only be shown once a std::shared_ptr owns it")));
}

TEST_F(SceneTest, MouseNodeFollowsThePointerKeepsItsDepthAndStopsAfterDispose)
{
    auto& events = Engine().GetEventManager();
    const int handlersBefore = events.GetHandlerCount();
    Scene scene("pointer", Engine());
    const auto first = MakeProbe("first", Common::Point3D(0.0f, 0.0f, 7.0f));
    const auto second = MakeProbe("second", Common::Point3D(0.0f, 0.0f, 3.0f));

    scene.SetMouseNode(first);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    events.HandleEvent(Motion(40, 30));
    ExpectPoint(first->GetPosition(), 40.0f, 30.0f, 7.0f);

    // A second node takes over the one handler; the first stays in the tree where it was.
    scene.SetMouseNode(second);
    events.HandleEvent(Motion(60, 70));
    ExpectPoint(first->GetPosition(), 40.0f, 30.0f, 7.0f);
    ExpectPoint(second->GetPosition(), 60.0f, 70.0f, 3.0f);
    EXPECT_EQ(events.GetHandlerCount(), handlersBefore + 1);
    EXPECT_EQ(scene.GetRoot()->GetChildCount(), 2);

    scene.Dispose();
    events.HandleEvent(Motion(1, 1));
    EXPECT_EQ(events.GetHandlerCount(), handlersBefore);
    ExpectPoint(second->GetPosition(), 60.0f, 70.0f, 3.0f);
    SDL_ShowCursor(SDL_ENABLE);
}

} // namespace
} // namespace Quarnel::SceneTests
