#include "GameEngine2D/Helper/InfoFrame.h"

#include "GameEngine2D/Scene/TextNode.h"
#include "WidgetFixture.h"

namespace Quarnel::WidgetTests
{

using GameEngine2D::Helper::InfoFrame;

TEST_F(WidgetFixture, InfoFrameShowsOneCaptionedLinePerCounterAndTheFrameRateOfEachInterval)
{
    auto info = std::make_shared<InfoFrame>(*scene, font, Point3D(4.0f, 4.0f, 0.0f));
    EXPECT_EQ(info->GetName(), "gui_infoFrame");
    const auto line = [&](const std::string& name) {
        return std::static_pointer_cast<Scene::TextNode>(info->FindChild(name))->GetText();
    };
    EXPECT_EQ(line("nodeInfo"), "Nodes: 0, Surfaces: 0");
    EXPECT_EQ(line("textureInfo"), "Textures: 0, Vertices: 0");
    EXPECT_EQ(line("vertexInfo"), "VertexObjects: 0");
    EXPECT_EQ(line("animInfo").rfind("Animations: ", 0), 0u);
    EXPECT_EQ(line("inputInfo").rfind("InputHandler: ", 0), 0u);
    EXPECT_EQ(line("verticesPerFrameInfo"), "Dreiecke (von RAM): 0");
    // The lines stand one below the other.
    EXPECT_GT(info->FindChild("nodeInfo")->GetPosition().Y(), info->FindChild("fpsInfo")->GetPosition().Y());

    // 60 frames 1000 / 60 ms apart after the first one, which opens the interval.
    info->CountFrame(10000);
    for (std::uint32_t frame = 1; frame <= 60; ++frame)
        info->CountFrame(10000 + frame * 1000 / 60);
    EXPECT_EQ(line("fpsInfo"), "frames per second: 60");
}

} // namespace Quarnel::WidgetTests
