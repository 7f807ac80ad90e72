#include "GameEngine2D/Video/TriangleBatch.h"

#include "GameEngine2D/Video/Data/FlatIndexedMesh.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/UvSphere.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Surface.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"
#include "Support/OffscreenEngine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <epoxy/gl.h>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>
#include <vector>

namespace
{

using namespace Quarnel;
using Common::Color;
using Common::Point3D;
using GameEngine2D::Video::TriangleBatch;
using GameEngine2D::Video::Data::FlatIndexedMesh;
using GameEngine2D::Video::Data::VertexRecord;

constexpr int Width = 320;
constexpr int Height = 240;
const Point3D Eye(3.0f, -2.0f, 40.0f);

// A texture of eight coloured stripes, so that a wrong texture coordinate shows.
std::shared_ptr<GameEngine2D::Video::Texture> Stripes()
{
    std::vector<GLubyte> texels(16 * 16 * 4, 255);
    for (std::size_t texel = 0; texel < 16 * 16; ++texel)
    {
        texels[4 * texel] = static_cast<GLubyte>(30 * (texel % 8));
        texels[4 * texel + 1] = static_cast<GLubyte>(255 - 20 * (texel / 16));
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 16, 16, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    std::vector<GameEngine2D::Video::Surface> parts;
    parts.emplace_back(GameEngine2D::Video::GlTexture(name), Common::Point2D(16.0f, 16.0f),
                       Common::Point2D(0.0f, 0.0f));
    return std::make_shared<GameEngine2D::Video::Texture>(
        std::make_shared<GameEngine2D::Video::Surfaces>("stripes", std::move(parts), Common::Point2D(16.0f, 16.0f)));
}

struct Placement
{
    Point3D offset;
    Point3D degrees;
    float scale;
};

// Spheres seen from every side, near and far, one mirrored, under a light close enough that where a triangle is lit
// matters.
const std::array<Placement, 6> Placements{{{{-12.0f, 6.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, 4.0f},
                                           {{-2.0f, 7.0f, 5.0f}, {35.0f, 80.0f, 10.0f}, 3.0f},
                                           {{9.0f, 6.0f, -10.0f}, {190.0f, -45.0f, 120.0f}, 5.0f},
                                           {{-9.0f, -6.0f, 10.0f}, {-90.0f, 0.0f, 270.0f}, 1.5f},
                                           {{2.0f, -5.0f, 2.0f}, {12.0f, 250.0f, -30.0f}, 2.5f},
                                           {{11.0f, -6.0f, 0.0f}, {60.0f, 30.0f, 0.0f}, -3.0f}}};

class TriangleBatchTest : public ::testing::Test
{
protected:
    TriangleBatchTest() : offscreen(GameEngine2D::Video::VideoSettings({Width, Height}, 32, false, 1024))
    {
        material.SetColors(std::make_shared<GameEngine2D::Video::Data::LightColors>(
            Color(40, 40, 60, 255), Color(230, 200, 170, 255), Color(255, 255, 255, 255)));
        material.SetShininess(20.0f);
        material.SetTexture(Stripes());
    }

    std::vector<GLubyte> Draw(const TriangleBatch& batch)
    {
        GameEngine2D::Video::Engine& video = offscreen.Video();
        video.InitFrame();
        video.SetView3D(Eye, Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, -1.0f, 0.0f));
        video.SetLight(0,
                       GameEngine2D::Video::Data::LightColors(Color(20, 20, 20, 255), Color(255, 255, 255, 255),
                                                              Color(255, 255, 255, 255)),
                       {0.0f, 0.0f, 8.0f, 1.0f}, 1.0f, 0.0f, 0.0f);
        video.EnableLight(0, true);
        batch.Draw(video, material);
        std::vector<GLubyte> pixels(Width * Height * 4);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    TestSupport::OffscreenEngine offscreen;
    GameEngine2D::Video::Material material{"batch"};
};

// Bodies are gathered as spheres whose triangles share their corners and of which only those facing the eye are
// handed on: the picture must be the one every triangle drawn with corners of its own gives, pixel for pixel.
TEST_F(TriangleBatchTest, SharedCornersAndFacingTrianglesDrawWhatAllTrianglesDraw)
{
    for (const auto [segments, stacks] : {std::array{16, 8}, std::array{10, 5}})
    {
        const auto sphere = GameEngine2D::Video::Data::UvSphere::Build(1.0f, segments, stacks);
        sphere->ComputeFaceNormals();
        const std::vector<VertexRecord> positions = sphere->UnrollPositions();
        const std::vector<VertexRecord> normals = sphere->UnrollNormals();
        const std::vector<VertexRecord> coordinates = sphere->UnrollTextureCoordinates();
        const FlatIndexedMesh shared = FlatIndexedMesh::FromTriangles(positions, normals, coordinates);
        std::vector<std::uint32_t> ownCorners(positions.size());
        std::iota(ownCorners.begin(), ownCorners.end(), 0u);
        EXPECT_LT(shared.positions.size(), positions.size() / 2);

        TriangleBatch unrolled;
        TriangleBatch facing;
        std::vector<std::uint32_t> front;
        std::size_t allIndices = 0;
        for (const Placement& place : Placements)
        {
            const TriangleBatch::Rotation turn = TriangleBatch::RotationOf(place.degrees);
            unrolled.AddIndexed(positions, normals, coordinates, ownCorners, turn, place.scale, place.offset);
            const Point3D away = Eye - place.offset;
            const VertexRecord eye{(turn[0] * away.X() + turn[3] * away.Y() + turn[6] * away.Z()) / place.scale,
                                   (turn[1] * away.X() + turn[4] * away.Y() + turn[7] * away.Z()) / place.scale,
                                   (turn[2] * away.X() + turn[5] * away.Y() + turn[8] * away.Z()) / place.scale};
            if (place.scale > 0.0f)
                shared.SelectFacing(eye, front);
            else
                front = shared.indices;
            allIndices += shared.indices.size();
            facing.AddIndexed(shared.positions, shared.normals, shared.coordinates, front, turn, place.scale,
                              place.offset);
        }
        const std::vector<GLubyte> expected = Draw(unrolled);
        EXPECT_GT(std::count_if(expected.begin(), expected.end(), [](GLubyte value) { return value > 0; }),
                  Width * Height / 4);
        EXPECT_TRUE(Draw(facing) == expected) << segments << " × " << stacks;
        EXPECT_LT(facing.GetIndexCount(), allIndices * 2 / 3);
    }
}

} // namespace
