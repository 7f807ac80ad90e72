#include "GameEngine2D/Video/Data/SingleVertices.h"

#include "GameEngine2D/Video/Data/ColoredVertex.h"
#include "GameEngine2D/Video/Data/ColoredVertices.h"
#include "GameEngine2D/Video/Engine.h"
#include "Support/OffscreenEngine.h"
#include "Support/Pixels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Quarnel::GameEngine2D::Video::Data
{
namespace
{

TEST(SingleVerticesSize, MeasuresFromTheOriginAndSkipsEmptySlots)
{
    SingleVertices vertices(4);
    vertices.Set(0, Common::Point3D(10, 0, 0));
    vertices.Set(1, Common::Point3D(20, 5, 0), Common::Color(255, 0, 0, 255));
    vertices.Set(2, Common::Point3D(15, -5, 0));
    EXPECT_EQ(vertices.GetSize(), Common::Point3D(20, 10, 0));
    EXPECT_EQ(vertices.Get(3), nullptr);
    EXPECT_NE(dynamic_cast<ColoredVertex*>(vertices.Get(1).get()), nullptr);
}

TEST(SingleVerticesSlots, AreCheckedAndEmptiedByDispose)
{
    SingleVertices vertices(2);
    EXPECT_THROW(vertices.Set(2, Common::Point3D(1, 1, 1)), std::out_of_range);
    EXPECT_THROW((void)vertices.Get(2), std::out_of_range);
    vertices.Set(1, Common::Point3D(1, 1, 1));
    EXPECT_NO_THROW((void)vertices.Get(1));
}

TEST(SingleVerticesDraw, EmitsEverySetSlotInOrderWithItsColour)
{
    TestSupport::OffscreenEngine offscreen(VideoSettings({64.0f, 64.0f}, 32, false, 1024));
    Engine& video = offscreen.Video();
    video.InitFrame();
    video.SetView2D(Common::Point3D(0, 0, 100), Common::Point3D(0, 0, 0), Common::Point3D(0, 1, 0));

    // A red quad drawn from a list with one empty slot, which is skipped.
    SingleVertices quad(5);
    quad.Set(0, Common::Point3D(0, 0, 0), Common::Color(255, 0, 0, 255));
    quad.Set(1, Common::Point3D(0, 10, 0));
    quad.Set(3, Common::Point3D(10, 10, 0));
    quad.Set(4, Common::Point3D(10, 0, 0));
    video.BeginShape(BasicShapeType::Quads);
    quad.Draw(video);
    video.EndShape();
    EXPECT_EQ(video.GetVideoInfo().GetVertices(), 4u);
    EXPECT_EQ(TestSupport::ReadPixel(5, 5), (TestSupport::Rgba{255, 0, 0, 255}));

    // A whole list in one colour.
    ColoredVertices green(4, Common::Color(0, 255, 0, 255));
    green.Set(0, Common::Point3D(20, 0, 0));
    green.Set(1, Common::Point3D(20, 10, 0));
    green.Set(2, Common::Point3D(30, 10, 0));
    green.Set(3, Common::Point3D(30, 0, 0));
    video.BeginShape(BasicShapeType::Quads);
    green.Draw(video);
    video.EndShape();
    EXPECT_EQ(TestSupport::ReadPixel(25, 5), (TestSupport::Rgba{0, 255, 0, 255}));

    quad.Dispose(video);
    EXPECT_EQ(quad.GetCount(), 0u);
}

} // namespace
} // namespace Quarnel::GameEngine2D::Video::Data
