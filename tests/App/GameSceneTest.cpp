#include "App/GameTestSupport.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "Support/Pixels.h"
#include "app/System/SphereDetail.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <set>
#include <string>
#include <vector>

namespace Zandrel::Tests
{
namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Scene::StaticMeshNode;
using Quarnel::TestSupport::ReadPixel;
using Quarnel::TestSupport::Rgba;

std::shared_ptr<StaticMeshNode> Plane(const Game& scene, const std::string& name)
{
    return std::dynamic_pointer_cast<StaticMeshNode>(scene.GetRoot()->FindChild(name));
}

std::set<std::uint32_t> BufferNames(const Quarnel::GameEngine2D::Video::Data::MeshData& mesh)
{
    const auto buffers = mesh.GetBuffers();
    std::set<std::uint32_t> names{buffers.vertices, buffers.normals, buffers.textureCoordinates};
    names.erase(0);
    return names;
}

TEST_F(GameTest, TheEngineUpdatesTheGameSceneAndThenItsPanelEveryFrame)
{
    ASSERT_EQ(offscreen.Engine().GetSceneCount(), 2);
    ASSERT_TRUE(panel);
    EXPECT_EQ(game->GetName(), "Zandrel");
    EXPECT_EQ(panel->GetName(), "Zandrel_gui");
    EXPECT_TRUE(panel->GetCamera()->IsOrthographic());
    EXPECT_FALSE(game->GetCamera()->IsOrthographic());

    // The engine's own loop: one frame, then the quit event it finds at the start of the next.
    std::vector<std::string> updated;
    for (const auto& scene : {std::static_pointer_cast<Quarnel::GameEngine2D::Scene::Scene>(game), panel})
    {
        scene->SetOnUpdate([&updated, name = scene->GetName()] { updated.push_back(name); });
        scene->EnableOnUpdate();
    }
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    offscreen.Engine().FrameDone().Add(Quarnel::Common::Handler<>([] {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }));
    offscreen.Engine().Run();
    EXPECT_EQ(updated, (std::vector<std::string>{"Zandrel", "Zandrel_gui"}));
}

TEST_F(GameTest, TheThreePlanesShareOneMeshReadOnce)
{
    const auto first = Plane(*game, Game::GroundFile);
    const auto second = Plane(*game, "ground02");
    const auto third = Plane(*game, "ground03");
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ(first->GetMesh(), second->GetMesh());
    EXPECT_EQ(second->GetMesh(), third->GetMesh());
    EXPECT_EQ(first->GetRotation(), Point3D(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(second->GetRotation(), Point3D(90.0f, 0.0f, 0.0f));
    EXPECT_EQ(third->GetRotation(), Point3D(0.0f, 90.0f, 0.0f));
    for (const auto& plane : {first, second, third})
        EXPECT_EQ(plane->GetScale(), Point3D(60.0f, 1.0f, 0.01f));

    // Every vertex buffer the factory made belongs to the sphere model, its coarser levels or to the one grid upload:
    // a second read of the grid would have left buffers of its own.
    std::set<std::uint32_t> expected = BufferNames(*first->GetMesh());
    expected.merge(BufferNames(*Bodies().CreateSphereMesh()));
    for (int level = 1; level < System::SphereDetail::LevelCount; ++level)
    {
        const Quarnel::GameEngine2D::Video::Data::VboIDs buffers = Bodies().GetDetail().GetBuffers(level);
        expected.insert({buffers.vertices, buffers.normals, buffers.textureCoordinates});
    }
    const std::vector<std::uint32_t> made = offscreen.Video().GetVertexBuffers().GetNames();
    EXPECT_EQ(std::set<std::uint32_t>(made.begin(), made.end()), expected);
    EXPECT_EQ(made.size(), expected.size());
}

TEST_F(GameTest, EveryFrameIsClearedToTheGameGrey)
{
    for (int frame = 0; frame < 2; ++frame)
    {
        RunFrames(1);
        // A corner far from the planes and the (absent) bodies.
        EXPECT_EQ(ReadPixel(2, 2), (Rgba{96, 96, 96, 255}));
    }
}

TEST_F(GameTest, ThePlanesAreDrawnAsLinesThroughTheOrigin)
{
    RunFrames(1);
    // The x-y plane faces the camera: its lines cross the picture, so along a row above the middle some pixels differ
    // from the background and most do not.
    int drawn = 0;
    for (int x = 0; x < 1024; ++x)
        drawn += ReadPixel(x, 200) == Rgba{96, 96, 96, 255} ? 0 : 1;
    EXPECT_GT(drawn, 5);
    EXPECT_LT(drawn, 1024 / 2);
}

} // namespace
} // namespace Zandrel::Tests
