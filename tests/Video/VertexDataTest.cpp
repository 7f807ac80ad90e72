#include "GameEngine2D/Video/Data/IndexedVertices.h"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Quarnel::GameEngine2D::Video::Data
{
namespace
{

Face Triangle(int a, int b, int c)
{
    return Face{{Index{a, -1, -1, -1}, Index{b, -1, -1, -1}, Index{c, -1, -1, -1}}};
}

std::vector<int> NormalIndices(const Face& face)
{
    return {face.indices[0].normal, face.indices[1].normal, face.indices[2].normal};
}

IndexedVertices TwoTrianglesSharingAnEdge()
{
    return IndexedVertices({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}}, {}, {},
                           {FaceGroup{{Triangle(0, 1, 2), Triangle(1, 3, 2)}, nullptr, "g"}});
}

TEST(IndexedVerticesNormals, EachFaceGetsItsOwnFlatNormal)
{
    IndexedVertices mesh = TwoTrianglesSharingAnEdge();
    mesh.ComputeFaceNormals();
    ASSERT_EQ(mesh.GetNormals().size(), 2u);
    const VertexRecord front = mesh.GetNormals()[0];
    EXPECT_EQ((std::vector<float>{front.x, front.y, front.z}), (std::vector<float>{0, 0, 1}));
    const VertexRecord tilted = mesh.GetNormals()[1];
    EXPECT_NEAR(std::sqrt(tilted.x * tilted.x + tilted.y * tilted.y + tilted.z * tilted.z), 1.0f, 1e-6f);

    const auto& faces = mesh.GetFaceGroups()[0].faces;
    // The shared corners (positions 1 and 2) carry a different normal index in each face.
    EXPECT_EQ(NormalIndices(faces[0]), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(NormalIndices(faces[1]), (std::vector<int>{1, 1, 1}));

    mesh.ResetNormals();
    EXPECT_EQ(NormalIndices(faces[1]), (std::vector<int>{-1, -1, -1}));
}

TEST(IndexedVerticesNormals, CornersOnOneLineGiveNaN)
{
    IndexedVertices mesh({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {}, {}, {FaceGroup{{Triangle(0, 1, 2)}, nullptr, ""}});
    mesh.ComputeFaceNormals();
    EXPECT_TRUE(std::isnan(mesh.GetNormals()[0].x));
}

TEST(IndexedVerticesUnroll, GivesOneRecordPerCornerInFaceOrder)
{
    IndexedVertices mesh = TwoTrianglesSharingAnEdge();
    mesh.ComputeFaceNormals();
    const std::vector<VertexRecord> positions = mesh.UnrollPositions();
    ASSERT_EQ(positions.size(), 6u);
    EXPECT_FLOAT_EQ(positions[4].z, 1.0f);
    EXPECT_EQ(mesh.UnrollNormals().size(), 6u);
}

TEST(IndexedVerticesUnroll, RefusesCornersWithoutAValidIndex)
{
    IndexedVertices mesh = TwoTrianglesSharingAnEdge();
    // No normals were computed: every corner's normal is -1.
    EXPECT_THAT([&] { (void)mesh.UnrollNormals(); }, ::testing::ThrowsMessage<std::out_of_range>(::testing::StrEq(
                                                         "Eckpunkt verweist auf Normale -1, vorhanden sind 0")));
    EXPECT_THROW((void)mesh.UnrollTextureCoordinates(), std::out_of_range);

    IndexedVertices pastEnd({{0, 0, 0}}, {}, {}, {FaceGroup{{Triangle(0, 0, 5)}, nullptr, ""}});
    EXPECT_THROW((void)pastEnd.UnrollPositions(), std::out_of_range);
    EXPECT_THROW(pastEnd.ComputeFaceNormals(), std::out_of_range);
    EXPECT_THROW(pastEnd.SetPosition(1, {}), std::out_of_range);
}

} // namespace
} // namespace Quarnel::GameEngine2D::Video::Data
