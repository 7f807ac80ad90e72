#include "GameEngine2D/Video/BasicShapeType.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Surface.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"
#include "Support/OffscreenEngine.h"
#include "Support/Pixels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <epoxy/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace
{

using namespace Quarnel;
using Common::Color;
using Common::Point2D;
using Common::Point3D;
using GameEngine2D::Video::BasicShapeType;
using GameEngine2D::Video::Engine;
using GameEngine2D::Video::Surfaces;
using GameEngine2D::Video::Texture;
using GameEngine2D::Video::Data::VertexRecord;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using TestSupport::NearlyEqual;
using TestSupport::ReadPixel;
using TestSupport::Rgba;

struct Band
{
    int fromX;
    int toX;
    std::array<GLubyte, 4> rgba;
};

// One texture part of `width` × `height` texels (powers of two) at `position` in its image, filled with vertical
// bands given in image columns, uploaded as the factory does: linear filtering, repeat wrapping, modulation.
GameEngine2D::Video::Surface Part(Point2D position, int width, int height, const std::vector<Band>& bands)
{
    std::vector<GLubyte> pixels(static_cast<std::size_t>(width * height * 4), 0);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const int column = x + static_cast<int>(position.x);
            for (const Band& band : bands)
            {
                if (column >= band.fromX && column < band.toX)
                    std::copy(band.rgba.begin(), band.rgba.end(),
                              pixels.begin() + static_cast<std::ptrdiff_t>((y * width + x) * 4));
            }
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return GameEngine2D::Video::Surface(GameEngine2D::Video::GlTexture(name),
                                        Point2D(static_cast<float>(width), static_cast<float>(height)), position);
}

std::shared_ptr<Surfaces> Image(const std::string& id, Point2D size, std::vector<GameEngine2D::Video::Surface> parts)
{
    return std::make_shared<Surfaces>(id, std::move(parts), size);
}

constexpr std::array<GLubyte, 4> RedTexel{255, 0, 0, 255};
constexpr std::array<GLubyte, 4> GreenTexel{0, 255, 0, 255};
constexpr std::array<GLubyte, 4> BlueTexel{0, 0, 255, 255};
constexpr std::array<GLubyte, 4> WhiteTexel{255, 255, 255, 255};

std::shared_ptr<Surfaces> WhiteSquare(const std::string& id)
{
    std::vector<GameEngine2D::Video::Surface> parts;
    parts.push_back(Part(Point2D(0.0f, 0.0f), 8, 8, {{0, 8, WhiteTexel}}));
    return Image(id, Point2D(8.0f, 8.0f), std::move(parts));
}

// Every test draws one frame in the flat screen view over a black background.
class Drawing : public ::testing::Test
{
protected:
    Drawing() : offscreen(GameEngine2D::Video::VideoSettings({320.0f, 240.0f}, 32, false, 1024))
    {
        video().InitFrame();
        video().SetView2D(Point3D(0.0f, 0.0f, 100.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 1.0f, 0.0f));
    }

    Engine& video() { return offscreen.Video(); }

    TestSupport::OffscreenEngine offscreen;
};

TEST_F(Drawing, ATwoPartImageReassemblesSeamlesslyAtItsNaturalSize)
{
    // 24 pixels wide, cut as the factory cuts it with 16-pixel textures: 16 wide at 0, 8 wide at 16.
    const std::vector<Band> bands{{0, 15, RedTexel}, {15, 17, GreenTexel}, {17, 24, BlueTexel}};
    std::vector<GameEngine2D::Video::Surface> parts;
    parts.push_back(Part(Point2D(0.0f, 0.0f), 16, 8, bands));
    parts.push_back(Part(Point2D(16.0f, 0.0f), 8, 8, bands));
    const auto image = Image("bands", Point2D(24.0f, 8.0f), std::move(parts));
    ASSERT_EQ(image->GetSurfaces().size(), 2u);
    video().DrawSurfaces(*image, Color(255, 255, 255, 255));

    EXPECT_EQ(ReadPixel(14, 4), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(15, 4), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(ReadPixel(16, 4), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(ReadPixel(17, 4), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(ReadPixel(23, 4), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(ReadPixel(24, 4).b, 0) << "the transparent margin of the second texture shows nothing";
    EXPECT_EQ(video().GetVideoInfo().GetSurfaces(), 1u);
    EXPECT_EQ(video().GetVideoInfo().GetTextures(), 2u);
}

TEST_F(Drawing, AWiderSizeRepeatsTheTextureInsteadOfStretchingIt)
{
    // A 16 × 8 image in one 16 × 8 texture: left half red, right half blue.
    std::vector<GameEngine2D::Video::Surface> parts;
    parts.push_back(Part(Point2D(0.0f, 0.0f), 16, 8, {{0, 8, RedTexel}, {8, 16, BlueTexel}}));
    const auto image = Image("halves", Point2D(16.0f, 8.0f), std::move(parts));
    video().DrawSurfaces(*image, Color(255, 255, 255, 255), Point2D(32.0f, 16.0f));

    EXPECT_EQ(ReadPixel(4, 12), (Rgba{255, 0, 0, 255})) << "stretched vertically";
    EXPECT_EQ(ReadPixel(12, 4), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(ReadPixel(20, 4), (Rgba{255, 0, 0, 255})) << "the second repetition starts red again";
    EXPECT_EQ(ReadPixel(28, 4), (Rgba{0, 0, 255, 255}));
}

TEST_F(Drawing, TheTransparencyStackReplacesTheAlphaOfImagesAndScalesTheAlphaOfShapeColours)
{
    const auto white = WhiteSquare("white");
    video().PushAlpha(128);
    video().DrawSurfaces(*white, Color(255, 255, 255, 255));
    // White at alpha 200 × 128 / 255 = 100 over black.
    video().PushTransform(Point3D(20.0f, 0.0f, 0.0f), std::nullopt, std::nullopt);
    video().BeginShape(BasicShapeType::Quads);
    video().SetColor(Color(255, 255, 255, 200));
    video().AddVertex(0.0f, 0.0f, 0.0f);
    video().AddVertex(0.0f, 8.0f, 0.0f);
    video().AddVertex(8.0f, 8.0f, 0.0f);
    video().AddVertex(Point3D(8.0f, 0.0f, 0.0f));
    video().EndShape();
    video().PopTransform();
    EXPECT_EQ(video().PopAlpha(), 128);

    EXPECT_TRUE(NearlyEqual(ReadPixel(4, 4), Rgba{128, 128, 128, ReadPixel(4, 4).a}, 1)) << ReadPixel(4, 4);
    EXPECT_TRUE(NearlyEqual(ReadPixel(24, 4), Rgba{100, 100, 100, ReadPixel(24, 4).a}, 1)) << ReadPixel(24, 4);
    EXPECT_EQ(video().GetVideoInfo().GetVertices(), 4u);
    EXPECT_EQ(video().GetVideoInfo().GetVertexObjects(), 1u);
}

TEST_F(Drawing, ATexturesOwnTransparencyIsPushedOnlyWhileItIsDrawn)
{
    const auto image = WhiteSquare("own");
    Texture texture(image);
    texture.SetAlpha(Common::DataTypes::WInteger(64));
    video().DrawTexture(texture, Color(255, 255, 255, 255));
    EXPECT_TRUE(NearlyEqual(ReadPixel(4, 4), Rgba{64, 64, 64, ReadPixel(4, 4).a}, 1)) << ReadPixel(4, 4);
    EXPECT_THROW((void)video().PopAlpha(), std::out_of_range) << "the texture's value was popped again";
}

TEST_F(Drawing, ARectangleIgnoresEveryAlpha)
{
    video().PushAlpha(20);
    video().DrawRectangle(Point2D(10.0f, 10.0f), Color(255, 0, 0, 5));
    video().PopAlpha();
    EXPECT_EQ(ReadPixel(5, 5), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(11, 5), (Rgba{0, 0, 0, 0}));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE)) << "culling is on again for what follows";
}

TEST_F(Drawing, UnknownShapeTypesAreRefusedWithTheirNumberAndChangeNoCounter)
{
    for (const int value : {0, 11})
    {
        const auto type = static_cast<BasicShapeType>(value);
        EXPECT_THAT([&] { video().BeginShape(type); }, ThrowsMessage<std::invalid_argument>(StrEq(
                                                           "BasicShapeType " + std::to_string(value) + " unbekannt")));
        EXPECT_THAT(
            [&] { video().DrawBuffers(type, {}); },
            ThrowsMessage<std::invalid_argument>(StrEq("BasicShapeType " + std::to_string(value) + " unbekannt")));
    }
    EXPECT_EQ(video().GetVideoInfo().GetVertexObjects(), 0u);
}

TEST_F(Drawing, ATriangleNeedsItsCornersAndIsCounted)
{
    EXPECT_THAT([&] { video().DrawTriangle({}, {}, {}); },
                ThrowsMessage<std::invalid_argument>(StrEq("Vertex is null")));
    const std::vector<VertexRecord> two{{0, 0, 0}, {1, 0, 0}};
    EXPECT_THROW(video().DrawTriangle(two, {}, {}), std::out_of_range);
    EXPECT_EQ(video().GetVideoInfo().GetTriangles(), 0u);

    // Counter-clockwise on screen, so it faces the viewer with culling on.
    const std::vector<VertexRecord> corners{{10, 10, 0}, {10, 40, 0}, {40, 10, 0}};
    glColor4ub(0, 255, 0, 255);
    video().DrawTriangle(corners, {}, {});
    EXPECT_EQ(ReadPixel(14, 14), (Rgba{0, 255, 0, 255}));
    EXPECT_EQ(video().GetVideoInfo().GetTriangles(), 1u);
}

TEST_F(Drawing, LightsAreCountedAndLightingStaysOnUntilTheNextFlatView)
{
    video().EnableLight(1, true);
    EXPECT_EQ(video().GetLightCount(), 1);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    video().EnableLight(1, false);
    EXPECT_EQ(video().GetLightCount(), 0);
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    video().SetView2D(Point3D(0.0f, 0.0f, 100.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 1.0f, 0.0f));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(Drawing, AnUnlitMaterialDrawsInItsDiffuseColourUnderTheStacksAlpha)
{
    GameEngine2D::Video::Material material("plain");
    material.SetColors(std::make_shared<GameEngine2D::Video::Data::LightColors>(
        Color(0, 0, 0, 255), Color(0, 0, 255, 255), Color(0, 0, 0, 255)));
    video().PushAlpha(128);
    video().ApplyMaterial(material);
    const std::vector<VertexRecord> corners{{10, 10, 0}, {10, 40, 0}, {40, 10, 0}};
    video().DrawTriangle(corners, {}, {});
    video().EndMaterial(material);
    video().PopAlpha();
    EXPECT_TRUE(NearlyEqual(ReadPixel(14, 14), Rgba{0, 0, 128, ReadPixel(14, 14).a}, 1)) << ReadPixel(14, 14);
}

} // namespace

// Trails draw many strips at once; the picture, the counters and the colour left current must be those of the
// strips drawn vertex by vertex, overlapping strips and the transparency stack included.
TEST_F(Drawing, LineStripsInOneCallLookAsDrawnVertexByVertex)
{
    const std::vector<VertexRecord> points{{10.0f, 10.0f, 0.0f},   {200.0f, 30.0f, 0.0f}, {40.0f, 200.0f, 0.0f},
                                           {300.0f, 220.0f, 0.0f}, {5.0f, 120.0f, 0.0f},  {310.0f, 15.0f, 0.0f},
                                           {150.0f, 230.0f, 0.0f}};
    const std::vector<Color> colors{Color(255, 200, 120, 10), Color(255, 200, 120, 90),  Color(255, 200, 120, 200),
                                    Color(150, 200, 255, 40), Color(150, 200, 255, 120), Color(150, 200, 255, 160),
                                    Color(150, 200, 255, 200)};
    const std::vector<std::int32_t> firsts{0, 3};
    const std::vector<std::int32_t> counts{3, 4};
    const auto frame = [] {
        std::vector<GLubyte> pixels(320 * 240 * 4);
        glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const auto current = [] {
        std::array<GLfloat, 4> color{};
        glGetFloatv(GL_CURRENT_COLOR, color.data());
        return color;
    };

    video().PushAlpha(128);
    for (std::size_t strip = 0; strip < firsts.size(); ++strip)
    {
        video().BeginShape(BasicShapeType::LineStrip);
        for (std::int32_t k = firsts[strip]; k < firsts[strip] + counts[strip]; ++k)
        {
            video().SetColor(colors[static_cast<std::size_t>(k)]);
            video().AddVertex(
                Point3D(points[static_cast<std::size_t>(k)].x, points[static_cast<std::size_t>(k)].y, 0.0f));
        }
        video().EndShape();
    }
    video().PopAlpha();
    const std::vector<GLubyte> byVertex = frame();
    const std::array<GLfloat, 4> colorByVertex = current();

    video().InitFrame();
    video().SetView2D(Point3D(0.0f, 0.0f, 100.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, 1.0f, 0.0f));
    glColor4ub(0, 0, 0, 0);
    video().PushAlpha(128);
    video().DrawLineStrips(points, colors, firsts, counts);
    video().PopAlpha();
    EXPECT_TRUE(frame() == byVertex);
    EXPECT_EQ(current(), colorByVertex);
    EXPECT_EQ(video().GetVideoInfo().GetVertices(), 7u);
    EXPECT_EQ(video().GetVideoInfo().GetVertexObjects(), 2u);

    const std::vector<std::int32_t> beyond{5};
    const std::vector<std::int32_t> three{3};
    EXPECT_THROW(video().DrawLineStrips(points, colors, beyond, three), std::invalid_argument);
    EXPECT_THROW(video().DrawLineStrips(points, std::span(colors).first(6), firsts, counts), std::invalid_argument);
}
