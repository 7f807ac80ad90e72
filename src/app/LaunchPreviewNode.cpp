#include "app/LaunchPreviewNode.h"

#include "Common/Color.h"
#include "GameEngine2D/Video/BasicShapeType.h"
#include "GameEngine2D/Video/Engine.h"
#include "app/LaunchDrag.h"

#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Color;
using Quarnel::GameEngine2D::Video::BasicShapeType;

constexpr Color DragColor{255, 255, 255, 255};
constexpr Color PathColor{255, 230, 80, 230};

} // namespace

LaunchPreviewNode::LaunchPreviewNode(std::string nodeName, const LaunchDrag& drag) :
    EmptyNode(std::move(nodeName), Quarnel::Common::Point3D(), std::nullopt),
    launch(drag)
{
}

void LaunchPreviewNode::UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    if (!launch.IsDragging())
        return;
    Quarnel::GameEngine2D::Video::Engine& video = gameEngine.GetVideoEngine();
    // Lit lines would take the material's colour instead of their own.
    video.SetLighting(false);
    video.BeginShape(BasicShapeType::Lines);
    video.SetColor(DragColor);
    video.AddVertex(launch.GetStart());
    video.AddVertex(launch.GetEnd());
    video.EndShape();

    const auto path = launch.GetPrediction().GetPath();
    if (path.size() > 1)
    {
        video.BeginShape(BasicShapeType::LineStrip);
        video.SetColor(PathColor);
        for (const Quarnel::Common::Point3D& point : path)
            video.AddVertex(point);
        video.EndShape();
    }
    if (video.GetLightCount() > 0)
        video.SetLighting(true);
}

} // namespace Zandrel
