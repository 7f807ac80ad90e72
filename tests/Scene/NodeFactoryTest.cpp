#include "GameEngine2D/Scene/NodeFactory.h"

#include "GameEngine2D/GameEngine.h"
#include "GameEngine2D/Scene/ColorNode.h"
#include "GameEngine2D/Scene/DynamicMeshNode.h"
#include "GameEngine2D/Scene/LightNode.h"
#include "GameEngine2D/Scene/NodeHelper.h"
#include "GameEngine2D/Scene/PictureNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/SimpleFormNode.h"
#include "GameEngine2D/Scene/StaticMeshNode.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Scene/TextsNode.h"
#include "GameEngine2D/Video/Data/ColoredVertex.h"
#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Data/SingleVertices.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/FontManager.h"
#include "GameEngine2D/Video/Texture.h"
#include "Support/LogRecorder.h"
#include "Support/OffscreenEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace
{

using namespace Quarnel;
using Common::Color;
using Common::Point2D;
using Common::Point3D;
using GameEngine2D::Scene::NodeFactory;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

class NodeFactoryCreation : public ::testing::Test
{
protected:
    NodeFactoryCreation() :
        offscreen(GameEngine2D::Video::VideoSettings({64.0f, 64.0f}, 32, false, 1024)),
        scene(std::make_shared<GameEngine2D::Scene::Scene>("test", offscreen.Engine()))
    {
    }

    NodeFactory& factory() { return scene->GetNodeFactory(); }
    std::shared_ptr<GameEngine2D::Video::Font> Vera()
    {
        auto& fonts = offscreen.Video().GetFontManager();
        return fonts.Get(fonts.Create("daten/font/vera/Vera.ttf", 12, Color(255, 255, 255, 255)));
    }

    TestSupport::OffscreenEngine offscreen;
    std::shared_ptr<GameEngine2D::Scene::Scene> scene;
};

TEST_F(NodeFactoryCreation, LightsAreNumberedPerScene)
{
    TestSupport::LogRecorder log;
    EXPECT_EQ(factory().CreateLightNode("sun", Point3D())->GetLightIndex(), 0);
    EXPECT_EQ(factory().CreateLightNode("moon", Point3D())->GetLightIndex(), 1);
    EXPECT_EQ(factory().CreateLightNode("lamp", Point3D())->GetLightIndex(), 2);
    EXPECT_TRUE(log.Has("CreateLightNode sun"));

    const auto other = std::make_shared<GameEngine2D::Scene::Scene>("other", offscreen.Engine());
    EXPECT_EQ(other->GetNodeFactory().CreateLightNode("sun", Point3D())->GetLightIndex(), 0);
}

TEST_F(NodeFactoryCreation, EveryKindIsLoggedAndLeftWithoutParent)
{
    TestSupport::LogRecorder log;
    const auto colour = factory().CreateColorNode(
        "box", Common::Rect(Point3D(1.0f, 2.0f, 0.0f), Point3D(3.0f, 4.0f, 0.0f)), Color(1, 2, 3, 4));
    EXPECT_EQ(colour->GetPosition(), Point3D(1.0f, 2.0f, 0.0f));
    EXPECT_EQ(colour->GetSize(), Point3D(3.0f, 4.0f, 0.0f));
    const auto form = factory().CreateSimpleFormNode(
        "form", Point3D(), GameEngine2D::Video::BasicShapeType::Quads,
        GameEngine2D::Scene::NodeHelper::CreateGradientRectangle(Point3D(100.0f, 20.0f, 0.0f), Color(), Color()));
    EXPECT_EQ(form->GetSize(), Point3D(100.0f, 20.0f, 0.0f));
    const auto text = factory().CreateTextNode("label", Point3D(), Vera(), "Hallo");
    EXPECT_EQ(text->GetPieces().size(), 5u);
    const auto empty = factory().CreateEmptyPictureNode("canvas", Point3D(), Point2D(40.0f, 10.0f));
    EXPECT_EQ(empty->GetSize(), Point3D(40.0f, 10.0f, 0.0f));
    const auto named = factory().CreatePictureNode(empty->GetTexture(), Point3D());
    EXPECT_EQ(named->GetName(), "canvas");

    for (const std::shared_ptr<GameEngine2D::Scene::Node>& node :
         std::vector<std::shared_ptr<GameEngine2D::Scene::Node>>{colour, form, text, empty, named})
        EXPECT_EQ(node->GetParent(), nullptr);
    for (const char* line : {"CreateColorNode box", "CreateSimpleFormNode form", "CreateTextNode label",
                             "CreateEmptyPictureNode canvas", "CreatePictureNode canvas"})
        EXPECT_TRUE(log.Has(line)) << line;
}

TEST_F(NodeFactoryCreation, APictureFromAFileIsNamedAfterTheFileAndAMissingFileIsRefused)
{
    const std::string file = "daten//models//sonne01.jpg";
    const auto picture = factory().CreatePictureNode(file, Point3D());
    EXPECT_EQ(picture->GetName(), file);
    EXPECT_GT(picture->GetSize()->X(), 0.0f);

    TestSupport::LogRecorder log;
    EXPECT_THAT([&] { (void)factory().CreatePictureNode("daten/none.png", Point3D()); },
                ThrowsMessage<std::invalid_argument>(StrEq("texture is null")));
    EXPECT_FALSE(log.Warnings().empty());
    EXPECT_THAT([&] { (void)factory().CreatePictureNode(std::shared_ptr<GameEngine2D::Video::Texture>(), Point3D()); },
                ThrowsMessage<std::invalid_argument>(StrEq("texture is null")));
}

TEST_F(NodeFactoryCreation, AStaticMeshFromAModelFileIsLoggedBeforeAndAfter)
{
    TestSupport::LogRecorder log;
    const std::string file = "daten/models/sphere.obj";
    const auto mesh = factory().CreateStaticMeshNode(file, Point3D());
    EXPECT_EQ(mesh->GetName(), file);
    EXPECT_GT(mesh->GetMesh()->GetBuffers().count, 0);
    const int before = log.IndexOf("CreateStaticMeshNode " + file);
    const int after = log.IndexOf("CreatedStaticMeshNode " + file);
    EXPECT_GE(before, 0);
    EXPECT_GT(after, before);

    const auto shared = factory().CreateStaticMeshNode("copy", Point3D(), mesh->GetMesh());
    EXPECT_EQ(shared->GetMesh(), mesh->GetMesh());
    EXPECT_TRUE(log.Has("CreatedStaticMeshNode copy"));
}

TEST_F(NodeFactoryCreation, ADynamicMeshFromAModelFileDrawsEveryTriangleOfIt)
{
    TestSupport::LogRecorder log;
    const std::string file = "daten/models/sphere.obj";
    const auto mesh = factory().CreateDynamicMeshNode(file, Point3D());
    EXPECT_EQ(mesh->GetName(), file);
    const int before = log.IndexOf("CreateDynamicMeshNode " + file);
    EXPECT_GE(before, 0);
    EXPECT_GT(log.IndexOf("CreatedDynamicMeshNode " + file), before);

    auto& video = offscreen.Video();
    video.InitFrame();
    video.SetView3D(Point3D(0.0f, 0.0f, 10.0f), Point3D(0.0f, 0.0f, 0.0f), Point3D(0.0f, -1.0f, 0.0f));
    mesh->Update(offscreen.Engine());
    EXPECT_EQ(video.GetVideoInfo().GetTriangles(), 960u);
}

TEST_F(NodeFactoryCreation, ATextBlockMakesOneLineNodePerLine)
{
    const auto block = factory().CreateTextsNode("block", Point3D(), Vera(), "a\r\nbb\n");
    ASSERT_EQ(block->GetChildCount(), 3);
    EXPECT_EQ(block->GetChild(0)->GetName(), "block_0");
    EXPECT_EQ(block->GetChild(2)->GetName(), "block_2");
    const auto& lines = block->GetLines();
    EXPECT_EQ(lines[0]->GetText(), "a");
    EXPECT_EQ(lines[1]->GetText(), "bb");
    EXPECT_EQ(lines[2]->GetText(), "");
    float height = 0.0f;
    for (const auto& line : lines)
    {
        EXPECT_EQ(line->GetPosition(), Point3D(0.0f, height, 0.0f));
        height += line->GetSize()->Y();
    }
    EXPECT_EQ(block->GetSize()->Y(), height);
    EXPECT_EQ(block->GetSize()->X(), lines[1]->GetSize()->X());

    block->SetColor(Color(255, 0, 0, 255));
    block->SetText("x\ny\nz\nw");
    ASSERT_EQ(block->GetLines().size(), 4u);
    EXPECT_EQ(block->GetLines()[3]->GetColor(), Color(255, 0, 0, 255)) << "lines made later take the colour";

    TestSupport::LogRecorder log;
    block->SetText("x\ny\nz\nw");
    EXPECT_EQ(log.Texts(), (std::vector<std::string>{"TextsNode, ChangeText: x\ny\nz\nw"}));
}

TEST(NodeHelperGradient, TopEdgeTakesTheFirstColourAndBottomEdgeTheSecond)
{
    const Color red(255, 0, 0, 255);
    const Color blue(0, 0, 255, 255);
    const auto vertices = std::dynamic_pointer_cast<GameEngine2D::Video::Data::SingleVertices>(
        GameEngine2D::Scene::NodeHelper::CreateGradientRectangle(Point3D(100.0f, 20.0f, 0.0f), red, blue));
    ASSERT_NE(vertices, nullptr);
    const std::vector<std::pair<Point3D, Color>> expected{{Point3D(0.0f, 0.0f, 0.0f), red},
                                                          {Point3D(0.0f, 20.0f, 0.0f), blue},
                                                          {Point3D(100.0f, 20.0f, 0.0f), blue},
                                                          {Point3D(100.0f, 0.0f, 0.0f), red}};
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        const auto vertex = std::dynamic_pointer_cast<GameEngine2D::Video::Data::ColoredVertex>(vertices->Get(i));
        ASSERT_NE(vertex, nullptr);
        EXPECT_EQ(vertex->GetPosition(), expected[i].first) << i;
        EXPECT_EQ(vertex->GetColor(), expected[i].second) << i;
    }
}

} // namespace
