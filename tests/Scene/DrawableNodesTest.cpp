#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/ColorNode.h"
#include "GameEngine2D/Scene/CustomAnimationNode.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/LightNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/GlBuffer.h"
#include "GameEngine2D/Video/Material.h"
#include "Support/OffscreenEngine.h"
#include "Support/Pixels.h"

#include <epoxy/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{

using namespace Quarnel;
using Common::Color;
using Common::Point2D;
using Common::Point3D;
using GameEngine2D::Scene::EmptyNode;
using GameEngine2D::Video::BasicShapeType;
using GameEngine2D::Video::Data::VertexRecord;
using TestSupport::NearlyEqual;
using TestSupport::ReadPixel;
using TestSupport::Rgba;

constexpr Rgba Black{0, 0, 0, 0};
constexpr Rgba Red{255, 0, 0, 255};
constexpr Rgba Green{0, 255, 0, 255};
constexpr Rgba Blue{0, 0, 255, 255};
constexpr Rgba White{255, 255, 255, 255};

// Every test draws one frame over a black background, in the flat screen view unless it sets up another.
class DrawableNodes : public ::testing::Test
{
protected:
    DrawableNodes() : offscreen(GameEngine2D::Video::VideoSettings({320.0f, 240.0f}, 32, false, 1024))
    {
        video().InitFrame();
        // What the 2D camera hands over: eye at z = 100 looking at the origin, up (0, 1, 0).
        video().SetView2D(Point3D(0.0f, 0.0f, 100.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 1.0f, 0.0f));
    }

    GameEngine2D::Video::Engine& video() { return offscreen.Video(); }
    GameEngine2D::GameEngine& engine() { return offscreen.Engine(); }

    // A static mesh of one triangle with the given corners, normals along +z, and a plain coloured material.
    std::shared_ptr<GameEngine2D::Video::Data::MeshData> Triangle(const std::vector<VertexRecord>& corners,
                                                                  Color diffuse)
    {
        const std::vector<VertexRecord> normals(3, VertexRecord{0.0f, 0.0f, 1.0f});
        const GameEngine2D::Video::Data::VboIDs buffers(3, Buffer(corners), Buffer(normals), 0);
        auto material = std::make_shared<GameEngine2D::Video::Material>("triangle");
        material->SetColors(std::make_shared<GameEngine2D::Video::Data::LightColors>(Color(0, 0, 0, 255), diffuse,
                                                                                     Color(0, 0, 0, 255)));
        return std::make_shared<GameEngine2D::Video::Data::MeshData>(buffers, material);
    }

    // A static vertex buffer holding the records, deleted with the fixture.
    GLuint Buffer(const std::vector<VertexRecord>& records)
    {
        GLuint name = 0;
        glGenBuffersARB(1, &name);
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, name);
        glBufferDataARB(GL_ARRAY_BUFFER_ARB, static_cast<GLsizeiptrARB>(records.size() * sizeof(VertexRecord)),
                        records.data(), GL_STATIC_DRAW_ARB);
        vertexBuffers.emplace_back(name);
        return name;
    }

    TestSupport::OffscreenEngine offscreen;
    std::vector<GameEngine2D::Video::GlBuffer> vertexBuffers;
};

TEST_F(DrawableNodes, AColourNodeIsOpaqueWhateverItsAlphaOrItsParents)
{
    const auto parent = std::make_shared<EmptyNode>("parent", Point3D(), Point3D());
    parent->SetAlpha(50);
    const auto colour = std::make_shared<GameEngine2D::Scene::ColorNode>(
        "colour", Common::Rect(Point3D(5.0f, 5.0f, 0.0f), Point3D(10.0f, 4.0f, 0.0f)), Color(255, 0, 0, 10));
    parent->AddChild(colour);
    parent->Update(engine());

    EXPECT_EQ(ReadPixel(5, 5), Red);
    EXPECT_EQ(ReadPixel(14, 8), Red);
    EXPECT_EQ(ReadPixel(15, 5), Black);
    EXPECT_EQ(ReadPixel(5, 9), Black);
}

TEST_F(DrawableNodes, AWireframeMeshDrawsLinesAndATwoSidedMeshIsNotCulled)
{
    // Clockwise on screen: the back face, culled unless two-sided.
    const std::vector<VertexRecord> corners{{10.5f, 10.5f, 0.0f}, {60.5f, 10.5f, 0.0f}, {10.5f, 60.5f, 0.0f}};
    const auto mesh = std::make_shared<GameEngine2D::Scene::StaticMeshNode>("mesh", Point3D(),
                                                                            Triangle(corners, Color(0, 255, 0, 255)));
    mesh->Update(engine());
    EXPECT_EQ(ReadPixel(20, 20), Black) << "culled";

    mesh->SetTwoSided(true);
    mesh->Update(engine());
    EXPECT_EQ(ReadPixel(20, 20), Green);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE)) << "culling is back on after the mesh";

    const auto wire = std::make_shared<GameEngine2D::Scene::StaticMeshNode>("wire", Point3D(100.0f, 0.0f, 0.0f),
                                                                            Triangle(corners, Color(0, 0, 255, 255)));
    wire->SetWireframe(true);
    wire->Update(engine());
    EXPECT_EQ(ReadPixel(130, 10), Blue) << "on the first edge";
    EXPECT_EQ(ReadPixel(120, 20), Black) << "inside: lines only";
}

TEST_F(DrawableNodes, ALightChangesTheShadingOfALitMesh)
{
    const std::vector<VertexRecord> corners{{-1.0f, -1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}, {0.0f, 1.0f, 0.0f}};
    const auto mesh = std::make_shared<GameEngine2D::Scene::StaticMeshNode>(
        "mesh", Point3D(), Triangle(corners, Color(255, 255, 255, 255)));
    const auto view3D = [&] {
        video().InitFrame();
        video().SetView3D(Point3D(0.0f, 0.0f, 10.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, -1.0f, 0.0f));
    };
    view3D();
    mesh->Update(engine());
    EXPECT_EQ(ReadPixel(160, 120), White) << "unlit: the diffuse colour";

    view3D();
    const auto light = std::make_shared<GameEngine2D::Scene::LightNode>("light", Point3D(), 0);
    light->SetColors(std::make_shared<GameEngine2D::Video::Data::LightColors>(
        Color(0, 0, 0, 255), Color(255, 0, 0, 255), Color(0, 0, 0, 255)));
    light->Update(engine());
    mesh->Update(engine());
    EXPECT_EQ(video().GetLightCount(), 1);
    EXPECT_TRUE(NearlyEqual(ReadPixel(160, 120), Rgba{255, 0, 0, ReadPixel(160, 120).a}, 2)) << ReadPixel(160, 120);

    view3D();
    light->SetLightPosition({0.0f, 0.0f, -1.0f, 0.0f});
    light->Update(engine());
    mesh->Update(engine());
    EXPECT_TRUE(NearlyEqual(ReadPixel(160, 120), Rgba{0, 0, 0, ReadPixel(160, 120).a}, 2))
        << "lit from behind: " << ReadPixel(160, 120);
}

TEST_F(DrawableNodes, ANewLightIsDirectionalAlongZWithoutAttenuation)
{
    const GameEngine2D::Scene::LightNode light("light", Point3D(), 3);
    EXPECT_EQ(light.GetLightPosition(), (std::array<float, 4>{0.0f, 0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(light.GetSpotCutoff(), 60.0f);
    EXPECT_EQ(light.GetSpotExponent(), 60.0f);
    EXPECT_EQ(light.GetAttenuation(), (std::array<float, 3>{1.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(light.GetSpotDirection().has_value());
}

// Counts its steps; the scene is given as a subclass of the engine's base must give it.
class Stepper : public GameEngine2D::Scene::CustomAnimationNode
{
public:
    explicit Stepper(GameEngine2D::Scene::Scene* ownerScene) : CustomAnimationNode("stepper", Point3D(), std::nullopt)
    {
        if (ownerScene != nullptr)
            SetScene(*ownerScene);
    }

    void Animate(std::uint32_t) override { ++steps; }

    int steps = 0;
};

TEST_F(DrawableNodes, ACustomAnimationNodeStepsWithItsScenesClockFromItsFirstDrawingUntilDisposed)
{
    const auto scene = std::make_shared<GameEngine2D::Scene::Scene>("animated", engine());
    auto& clock = scene->GetAnimationManager();
    const auto stepper = std::make_shared<Stepper>(scene.get());
    clock.Update(1000);
    clock.Update(1016);
    EXPECT_EQ(stepper->steps, 0) << "nothing runs before the node is drawn";

    stepper->Update(engine());
    stepper->Update(engine());
    EXPECT_EQ(clock.Count(), 1) << "one animation, however often the node is drawn";
    clock.Update(1032);
    clock.Update(1048);
    EXPECT_EQ(stepper->steps, 2);

    stepper->Dispose(engine());
    clock.Update(1064);
    EXPECT_EQ(stepper->steps, 2);
    EXPECT_EQ(clock.Count(), 0);
}

TEST_F(DrawableNodes, ACustomAnimationNodeWithoutSceneFailsClearlyAndDisposesQuietly)
{
    const auto orphan = std::make_shared<Stepper>(nullptr);
    EXPECT_NO_THROW(orphan->Dispose(engine()));
    EXPECT_THROW(orphan->Update(engine()), std::runtime_error);
}

} // namespace
