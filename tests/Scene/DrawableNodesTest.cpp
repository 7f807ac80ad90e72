#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/BoneNode.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/ColorNode.h"
#include "GameEngine2D/Scene/CustomAnimationNode.h"
#include "GameEngine2D/Scene/DynamicMeshNode.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/LightNode.h"
#include "GameEngine2D/Scene/NodeHelper.h"
#include "GameEngine2D/Scene/PictureNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/SimpleFormNode.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/GlBuffer.h"
#include "GameEngine2D/Video/GlyphRenderer.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/SurfaceManager.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"
#include "Support/OffscreenEngine.h"
#include "Support/Pixels.h"

#include <SDL.h>
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
using GameEngine2D::Video::Texture;
using GameEngine2D::Video::Data::VertexRecord;
using TestSupport::NearlyEqual;
using TestSupport::ReadPixel;
using TestSupport::Rgba;

constexpr Rgba Black{0, 0, 0, 0};
constexpr Rgba Red{255, 0, 0, 255};
constexpr Rgba Green{0, 255, 0, 255};
constexpr Rgba Blue{0, 0, 255, 255};
constexpr Rgba White{255, 255, 255, 255};

struct Block
{
    SDL_Rect area;
    Uint8 r, g, b;
};

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

    // An image of solid blocks on transparent pixels, cut into textures and cached under `id`.
    std::shared_ptr<GameEngine2D::Video::Surfaces> Image(const std::string& id, int width, int height,
                                                         const std::vector<Block>& blocks)
    {
        SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        for (const Block& block : blocks)
            SDL_FillRect(image, &block.area, SDL_MapRGBA(image->format, block.r, block.g, block.b, 255));
        SDL_SetSurfaceBlendMode(image, SDL_BLENDMODE_NONE);
        auto surfaces = video().GetImages().ConvertToSurfaces(*image, id);
        SDL_FreeSurface(image);
        video().GetSurfaceManager().Add(surfaces);
        return surfaces;
    }

    std::shared_ptr<Texture> Solid(const std::string& id, int width, int height, Uint8 r, Uint8 g, Uint8 b)
    {
        return std::make_shared<Texture>(Image(id, width, height, {{{0, 0, width, height}, r, g, b}}));
    }

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

TEST_F(DrawableNodes, APictureAtTheOriginLandsUprightInTheTopLeftCorner)
{
    const auto texture = std::make_shared<Texture>(Image("quadrants", 32, 32,
                                                         {{{0, 0, 16, 16}, 255, 0, 0},
                                                          {{16, 0, 16, 16}, 0, 255, 0},
                                                          {{0, 16, 16, 16}, 0, 0, 255},
                                                          {{16, 16, 16, 16}, 255, 255, 255}}));
    const auto picture =
        std::make_shared<GameEngine2D::Scene::PictureNode>("picture", texture, Point3D(0.0f, 0.0f, 0.0f));
    // The 2D camera at z = 100 looking at z = 0.
    const GameEngine2D::Scene::Camera camera("camera", Point3D(0.0f, 0.0f, 100.0f), Point3D(0.0f, 0.0f, 0.0f), true);
    camera.Apply(video());
    picture->Update(engine());

    EXPECT_EQ(ReadPixel(0, 0), Red);
    EXPECT_EQ(ReadPixel(15, 15), Red);
    EXPECT_EQ(ReadPixel(16, 0), Green);
    EXPECT_EQ(ReadPixel(0, 16), Blue);
    EXPECT_EQ(ReadPixel(31, 31), White);
    EXPECT_EQ(ReadPixel(32, 32), Black);
}

TEST_F(DrawableNodes, APictureWithoutStretchKeepsItsTextureSizeAndWithStretchDrawsTheSetSize)
{
    const auto picture = std::make_shared<GameEngine2D::Scene::PictureNode>("picture", Solid("green", 8, 8, 0, 255, 0),
                                                                            Point3D(10.0f, 10.0f, 0.0f));
    picture->SetSize(Point3D(16.0f, 16.0f, 0.0f));
    EXPECT_EQ(picture->GetSize(), Point3D(8.0f, 8.0f, 0.0f));
    picture->SetScale(Point3D(2.0f, 3.0f, 1.0f));
    EXPECT_EQ(picture->GetSize(), Point3D(16.0f, 24.0f, 0.0f));
    picture->SetScale(std::nullopt);
    picture->SetStretch(true);
    EXPECT_EQ(picture->GetSize(), Point3D(16.0f, 16.0f, 0.0f));
    picture->Update(engine());
    EXPECT_EQ(ReadPixel(25, 25), Green);
    EXPECT_EQ(ReadPixel(26, 26), Black);
}

TEST_F(DrawableNodes, APictureNeedsATexture)
{
    EXPECT_THAT([] { GameEngine2D::Scene::PictureNode("p", nullptr, Point3D()); },
                ::testing::ThrowsMessage<std::invalid_argument>(::testing::StrEq("texture is null")));
}

TEST_F(DrawableNodes, ATranslucentNodeSetsTheAlphaOfPicturesAndScalesTheAlphaOfShapeColours)
{
    const auto parent = std::make_shared<EmptyNode>("parent", Point3D(), Point3D());
    parent->SetAlpha(128);
    parent->AddChild(std::make_shared<GameEngine2D::Scene::PictureNode>("white", Solid("white", 8, 8, 255, 255, 255),
                                                                        Point3D(0.0f, 0.0f, 0.0f)));
    const Color faint(255, 255, 255, 200);
    parent->AddChild(std::make_shared<GameEngine2D::Scene::SimpleFormNode>(
        "form", Point3D(20.0f, 0.0f, 0.0f), BasicShapeType::Quads,
        GameEngine2D::Scene::NodeHelper::CreateGradientRectangle(Point3D(8.0f, 8.0f, 0.0f), faint, faint)));
    parent->Update(engine());

    EXPECT_TRUE(NearlyEqual(ReadPixel(4, 4), Rgba{128, 128, 128, ReadPixel(4, 4).a}, 1)) << ReadPixel(4, 4);
    EXPECT_TRUE(NearlyEqual(ReadPixel(24, 4), Rgba{100, 100, 100, ReadPixel(24, 4).a}, 1)) << ReadPixel(24, 4);
}

// Text layout is checked with stand-in glyphs: solid blocks cached under the glyph keys of a, b and c, 10, 20 and 30
// pixels wide, so every piece's place can be read from the pixels exactly.
class TextLayout : public DrawableNodes
{
protected:
    TextLayout()
    {
        for (const auto& [character, width, r, g, b] : std::vector<std::tuple<std::string, int, Uint8, Uint8, Uint8>>{
                 {"a", 10, 255, 0, 0}, {"b", 20, 0, 255, 0}, {"c", 30, 0, 0, 255}, {"1", 5, 255, 255, 255}})
            Image(GameEngine2D::Video::GlyphRenderer::GlyphKey(*font, character), width, 8,
                  {{{0, 0, width, 8}, r, g, b}});
    }

    std::shared_ptr<GameEngine2D::Scene::TextNode> Text(const std::string& content)
    {
        return std::make_shared<GameEngine2D::Scene::TextNode>("text", video(), Point3D(100.0f, 50.0f, 0.0f), font,
                                                               content);
    }

    std::optional<int> References(const std::string& character)
    {
        return video().GetSurfaceManager().GetReferences(
            GameEngine2D::Video::GlyphRenderer::GlyphKey(*font, character));
    }

    // Which block colour covers each x in [from, to) on the text's row.
    void ExpectRow(int from, int to, Rgba colour)
    {
        for (int x = from; x < to; ++x)
            EXPECT_EQ(ReadPixel(x, 54), colour) << "x = " << x;
    }

    std::shared_ptr<GameEngine2D::Video::Font> font = std::make_shared<GameEngine2D::Video::Font>(
        "stand-in", "daten/font/vera/Vera.ttf", 12, Color(255, 255, 255, 255));
};

TEST_F(TextLayout, LeftToRightRunsFromTheOrigin)
{
    const auto text = Text("abc");
    EXPECT_EQ(text->GetSize(), Point3D(60.0f, 8.0f, 0.0f));
    text->Update(engine());
    ExpectRow(99, 100, Black);
    ExpectRow(100, 110, Red);
    ExpectRow(110, 130, Green);
    ExpectRow(130, 160, Blue);
    ExpectRow(160, 161, Black);
}

TEST_F(TextLayout, RightToLeftEndsAtTheOrigin)
{
    const auto text = Text("abc");
    text->SetLeftToRight(false);
    text->Update(engine());
    ExpectRow(39, 40, Black);
    ExpectRow(40, 50, Red);
    ExpectRow(50, 70, Green);
    ExpectRow(70, 100, Blue);
    ExpectRow(100, 101, Black);
}

TEST_F(TextLayout, CentredShiftsByHalfTheWidthTruncated)
{
    const auto text = Text("abc1");
    text->SetCentered(true);
    // 65 wide: the line starts 32 pixels left of the origin.
    text->Update(engine());
    ExpectRow(67, 68, Black);
    ExpectRow(68, 78, Red);
    ExpectRow(128, 133, Rgba{255, 255, 255, 255});
    ExpectRow(133, 134, Black);
}

TEST_F(TextLayout, TextChangesGiveTheirGlyphReferencesBackAndAnEmptyLineKeepsTheFontHeight)
{
    const auto text = Text("aab");
    EXPECT_EQ(References("a"), 3) << "the cache's own and two pieces";
    text->SetText("aab");
    EXPECT_EQ(References("a"), 3) << "the same text changes nothing";
    text->SetText("");
    EXPECT_EQ(References("a"), 1);
    EXPECT_EQ(References("1"), 1) << "measuring the empty line keeps no reference";
    EXPECT_EQ(text->GetSize(), Point3D(0.0f, 8.0f, 0.0f));
    EXPECT_TRUE(text->GetPieces().empty());
    text->SetText("c");
    text->Dispose(engine());
    EXPECT_EQ(References("c"), 1);
}

TEST_F(DrawableNodes, BoneMatricesComposeAlongTheSkeletonAndMoveTheirCorners)
{
    using namespace GameEngine2D::Video::Data;
    // One triangle whose corners are all bound to the third bone, which sits 100 pixels to the right.
    Face face;
    for (int corner = 0; corner < 3; ++corner)
        face.indices.push_back(Index{corner, -1, -1, 2});
    FaceGroup group;
    group.faces.push_back(face);
    const std::vector<VertexRecord> positions{{10.5f, 10.5f, 0.0f}, {10.5f, 40.5f, 0.0f}, {40.5f, 10.5f, 0.0f}};
    auto vertices = std::make_shared<IndexedVertices>(positions, std::vector<VertexRecord>{},
                                                      std::vector<VertexRecord>{}, std::vector<FaceGroup>{group});
    const auto mesh = std::make_shared<GameEngine2D::Scene::DynamicMeshNode>("mesh", Point3D(), vertices);
    const auto first = mesh->AddBone("first", Point3D(40.0f, 0.0f, 0.0f));
    (void)mesh->AddBone("second", Point3D(0.0f, 0.0f, 0.0f));
    const auto third = first->AddBone("third", Point3D(60.0f, 0.0f, 0.0f));
    ASSERT_EQ(mesh->GetAllBones().size(), 3u);
    EXPECT_EQ(mesh->GetAllBones()[2], third);
    EXPECT_EQ(third->GetParent(), first.get());

    glColor4ub(255, 255, 255, 255);
    mesh->Update(engine());
    EXPECT_EQ(third->GetMatrix()[12], 100.0f) << "relative to the mesh origin, composed onto its parent bone";
    EXPECT_EQ(ReadPixel(15, 15), Black);
    EXPECT_EQ(ReadPixel(115, 15), White);
    EXPECT_EQ(video().GetVideoInfo().GetTriangles(), 1u);
}

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
