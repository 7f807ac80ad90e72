#include "GameEngine2D/Video/MeshFileReader.h"

#include <cmath>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace Quarnel::GameEngine2D::Video
{
namespace
{

using ::testing::StrEq;
using ::testing::ThrowsMessage;

std::vector<int> Vertices(const Data::Face& face)
{
    std::vector<int> result;
    for (const Data::Index& index : face.indices)
        result.push_back(index.vertex);
    return result;
}

TEST(MeshFileReaderFace, PolygonsSplitIntoAFanAroundTheFirstCorner)
{
    const auto quad = MeshFileReader::ReadFace("1 2 3 4");
    ASSERT_EQ(quad.size(), 2u);
    EXPECT_EQ(Vertices(quad[0]), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Vertices(quad[1]), (std::vector<int>{0, 2, 3}));

    const auto pentagon = MeshFileReader::ReadFace("5 6 7 8 9");
    ASSERT_EQ(pentagon.size(), 3u);
    EXPECT_EQ(Vertices(pentagon[2]), (std::vector<int>{4, 7, 8}));
}

TEST(MeshFileReaderFace, FewerThanThreeCornersGiveNoTriangle)
{
    EXPECT_TRUE(MeshFileReader::ReadFace("").empty());
    EXPECT_TRUE(MeshFileReader::ReadFace("1 2").empty());
}

TEST(MeshFileReaderFace, EmptyOrMissingCornerPartsStayMinusOne)
{
    const auto normalsOnly = MeshFileReader::ReadFace("1//3 2//3 3//3");
    ASSERT_EQ(normalsOnly.size(), 1u);
    for (const Data::Index& corner : normalsOnly[0].indices)
    {
        EXPECT_EQ(corner.texture, -1);
        EXPECT_EQ(corner.normal, 2);
        EXPECT_EQ(corner.bone, -1);
    }

    const auto full = MeshFileReader::ReadFace("1/4/7 2/5 3");
    const Data::Index& first = full[0].indices[0];
    EXPECT_EQ((std::vector<int>{first.vertex, first.texture, first.normal}), (std::vector<int>{0, 3, 6}));
    const Data::Index& second = full[0].indices[1];
    EXPECT_EQ((std::vector<int>{second.vertex, second.texture, second.normal}), (std::vector<int>{1, 4, -1}));
    EXPECT_EQ(full[0].indices[2].texture, -1);
}

TEST(MeshFileReaderFace, BrokenCornersNameTheLineAndTheReason)
{
    EXPECT_THAT([] { (void)MeshFileReader::ReadFace("1 x 3"); },
                ThrowsMessage<std::runtime_error>(StrEq("Fehler in text: \n1 x 3\nIndex erwartet: \"x\"")));
    // Relative (negative) and zero numbers are not supported: OBJ counts from 1.
    EXPECT_THAT([] { (void)MeshFileReader::ReadFace("1 -1 3"); },
                ThrowsMessage<std::runtime_error>(StrEq("Fehler in text: \n1 -1 3\nIndex muss ab 1 zählen: \"-1\"")));
    EXPECT_THAT([] { (void)MeshFileReader::ReadFace("1 /2 3"); },
                ThrowsMessage<std::runtime_error>(StrEq("Fehler in text: \n1 /2 3\nEckpunkt ohne Position: \"/2\"")));
    EXPECT_THAT([] { (void)MeshFileReader::ReadFace("1/1/1/1 2 3"); },
                ThrowsMessage<std::runtime_error>(
                    StrEq("Fehler in text: \n1/1/1/1 2 3\nzu viele Teile im Eckpunkt \"1/1/1/1\"")));
    EXPECT_THROW((void)MeshFileReader::ReadFace("1 99999999999 3"), std::runtime_error);
}

TEST(MeshFileReaderNumbers, ATripleNeedsThreeReadableNumbers)
{
    const Data::VertexRecord record = MeshFileReader::ReadTriple("0.25 -0.75 +1e2 7");
    EXPECT_FLOAT_EQ(record.x, 0.25f);
    EXPECT_FLOAT_EQ(record.y, -0.75f);
    EXPECT_FLOAT_EQ(record.z, 100.0f);

    EXPECT_THAT([] { (void)MeshFileReader::ReadTriple("0.25 0.75"); },
                ThrowsMessage<std::runtime_error>(StrEq("3 Zahlen erwartet: \"0.25 0.75\"")));
    EXPECT_THAT([] { (void)MeshFileReader::ReadTriple("1 2,5 3"); },
                ThrowsMessage<std::runtime_error>(StrEq("Zahl erwartet: \"2,5\"")));
    EXPECT_THROW((void)MeshFileReader::ReadTriple(""), std::runtime_error);
    EXPECT_THROW((void)MeshFileReader::ReadTriple("+ 1 2"), std::runtime_error);
    // Only finite, plainly written numbers: a model with such positions would draw nothing or garbage.
    for (const char* number : {"+-1", "-+1", "--1", "nan", "-nan", "inf", "-infinity", "1e39", "0x10", "1e5e5", "1-2"})
        EXPECT_THAT([&] { (void)MeshFileReader::ReadNumber(number); },
                    ThrowsMessage<std::runtime_error>(StrEq("Zahl erwartet: \"" + std::string(number) + "\"")))
            << number;
    EXPECT_FLOAT_EQ(MeshFileReader::ReadNumber("-.5"), -0.5f);
    EXPECT_FLOAT_EQ(MeshFileReader::ReadNumber("3."), 3.0f);
}

TEST(MeshFileReaderNumbers, ChannelsAreTruncatedAndKeptInsideTheirRange)
{
    EXPECT_EQ(MeshFileReader::ToChannel(0.5f), 127);
    EXPECT_EQ(MeshFileReader::ToChannel(1.0f), 255);
    EXPECT_EQ(MeshFileReader::ToChannel(0.0f), 0);
    EXPECT_EQ(MeshFileReader::ToChannel(2.0f), 255);
    EXPECT_EQ(MeshFileReader::ToChannel(-0.5f), 0);
    EXPECT_EQ(MeshFileReader::ToChannel(1e30f), 255);
    EXPECT_EQ(MeshFileReader::ToChannel(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(MeshFileReader::ReadColor("1 0.5 0"), Common::Color(255, 127, 0, 255));
}

TEST(MeshFileReaderPaths, FoldersKeepTheirSeparatorAndUseForwardSlashes)
{
    EXPECT_EQ(MeshFileReader::FolderOf("daten//models//ground.obj"), "daten//models//");
    EXPECT_EQ(MeshFileReader::FolderOf("daten\\models\\ground.obj"), "daten/models/");
    EXPECT_EQ(MeshFileReader::FolderOf("ground.obj"), "");
    EXPECT_EQ(MeshFileReader::FileNameOf("daten//models//ground.obj"), "ground.obj");
    EXPECT_EQ(MeshFileReader::FileNameOf("a\\b.obj"), "b.obj");
    EXPECT_EQ(MeshFileReader::FileNameOf("box.obj"), "box.obj");
}

} // namespace
} // namespace Quarnel::GameEngine2D::Video
