#include "app/TrailsNode.h"

#include "Common/Color.h"
#include "GameEngine2D/Video/BasicShapeType.h"
#include "GameEngine2D/Video/Engine.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/System/Sun.h"
#include "app/System/Trail.h"

#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Color;

// Suns leave a warm trail, planets a cool one; the newest point is this bright.
constexpr Color SunTrail{255, 200, 120, 0};
constexpr Color PlanetTrail{150, 200, 255, 0};
constexpr int BrightestAlpha = 200;

Color WithAlpha(Color color, int alpha)
{
    return {color.r, color.g, color.b, alpha};
}

void DrawTrail(Quarnel::GameEngine2D::Video::Engine& video, const System::Sphere& body, Color color)
{
    const System::Trail& trail = body.GetTrail();
    const std::size_t count = trail.GetCount();
    if (count == 0)
        return;
    video.BeginShape(Quarnel::GameEngine2D::Video::BasicShapeType::LineStrip);
    // The oldest sample is nearly transparent; the strip ends at the body itself, fully bright.
    for (std::size_t index = 0; index < count; ++index)
    {
        video.SetColor(WithAlpha(color, static_cast<int>(BrightestAlpha * (index + 1) / (count + 1))));
        video.AddVertex(trail.GetSample(index));
    }
    video.SetColor(WithAlpha(color, BrightestAlpha));
    video.AddVertex(body.GetPosition());
    video.EndShape();
}

} // namespace

TrailsNode::TrailsNode(std::string nodeName, const System::SolarSystem& system) :
    EmptyNode(std::move(nodeName), Quarnel::Common::Point3D(), std::nullopt),
    solarSystem(system)
{
}

void TrailsNode::UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    Quarnel::GameEngine2D::Video::Engine& video = gameEngine.GetVideoEngine();
    // Lit lines would take the material's colour instead of their own.
    video.SetLighting(false);
    for (const auto& item : solarSystem.GetItems())
    {
        if (const auto* body = dynamic_cast<const System::Sphere*>(item.get()))
            DrawTrail(video, *body, dynamic_cast<const System::Sun*>(body) ? SunTrail : PlanetTrail);
    }
    if (video.GetLightCount() > 0)
        video.SetLighting(true);
}

} // namespace Zandrel
