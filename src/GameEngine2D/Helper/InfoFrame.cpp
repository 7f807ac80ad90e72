#include "GameEngine2D/Helper/InfoFrame.h"

#include "Common/Helper.h"
#include "GameEngine2D/Animation/AnimationManager.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/VideoInfo.h"

#include <SDL_timer.h>
#include <string_view>

namespace Quarnel::GameEngine2D::Helper
{

namespace
{
// The child names of the lines, in line order.
constexpr std::array<std::string_view, 7> LineNames = {"fpsInfo",  "nodeInfo",  "textureInfo",         "vertexInfo",
                                                       "animInfo", "inputInfo", "verticesPerFrameInfo"};

[[nodiscard]] std::string Number(long long value)
{
    return std::to_string(value);
}

// The overlay's name, once its font has been checked: a refused overlay logs no "new Node: " line.
std::string OverlayName(const Scene::Scene& scene, const std::shared_ptr<Video::Font>& font)
{
    Common::Helper::CheckNull(font, "font");
    return scene.GetName() + "_infoFrame";
}
} // namespace

InfoFrame::InfoFrame(Scene::Scene& ownerScene, const std::shared_ptr<Video::Font>& font, Common::Point3D place) :
    Scene::EmptyNode(OverlayName(ownerScene, font), place, Common::Point3D()),
    scene(&ownerScene)
{
    Scene::NodeFactory& factory = scene->GetNodeFactory();
    float y = 0.0f;
    for (std::size_t index = 0; index < LineCount; ++index)
    {
        lines.at(index) =
            factory.CreateTextNode(std::string(LineNames.at(index)), Common::Point3D(0.0f, y, 0.0f), font, "");
        AddChild(lines.at(index));
        y += lines.at(index)->GetSize().value_or(Common::Point3D()).Y();
    }
    linesHeight = y;
    Refresh(0);
    frameDone = scene->GetGameEngine().FrameDone().Subscribe([this] { CountFrame(SDL_GetTicks()); });
}

InfoFrame::~InfoFrame() = default;

void InfoFrame::CountFrame(std::uint32_t ticks)
{
    // The first frame only opens the interval.
    if (!counting)
    {
        counting = true;
        intervalStart = ticks;
        return;
    }
    ++frames;
    const std::uint32_t elapsed = ticks - intervalStart;
    if (elapsed < RefreshInterval)
        return;
    Refresh(static_cast<unsigned>(static_cast<std::uint64_t>(frames) * 1000u / elapsed));
    intervalStart = ticks;
    frames = 0;
}

void InfoFrame::Refresh(unsigned framesPerSecond)
{
    const Video::VideoInfo& video = scene->GetGameEngine().GetVideoEngine().GetVideoInfo();
    lines.at(Fps)->SetText("frames per second: " + Number(framesPerSecond));
    lines.at(Nodes)->SetText("Nodes: " + Number(video.GetNodes()) + ", Surfaces: " + Number(video.GetSurfaces()));
    lines.at(Textures)->SetText("Textures: " + Number(video.GetTextures()) +
                                ", Vertices: " + Number(video.GetVertices()));
    lines.at(Vertices)->SetText("VertexObjects: " + Number(video.GetVertexObjects()));
    lines.at(Animations)->SetText("Animations: " + Number(scene->GetAnimationManager().Count()));
    lines.at(InputHandlers)->SetText("InputHandler: " + Number(scene->GetEventManager().GetHandlerCount()));
    lines.at(Triangles)->SetText("Dreiecke (von RAM): " + Number(video.GetTriangles()));
    refreshed.Call();
}

} // namespace Quarnel::GameEngine2D::Helper
