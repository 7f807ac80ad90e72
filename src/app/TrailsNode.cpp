#include "app/TrailsNode.h"

#include "Common/Color.h"
#include "GameEngine2D/Video/Engine.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/System/Sun.h"
#include "app/System/Trail.h"

#include <algorithm>
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

} // namespace

TrailsNode::TrailsNode(std::string nodeName, const System::SolarSystem& system, std::size_t pointBudget) :
    EmptyNode(std::move(nodeName), Quarnel::Common::Point3D(), std::nullopt),
    solarSystem(system),
    budget(std::max<std::size_t>(pointBudget, 1))
{
}

void TrailsNode::UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine)
{
    Quarnel::GameEngine2D::Video::Engine& video = gameEngine.GetVideoEngine();
    points.clear();
    colors.clear();
    firsts.clear();
    counts.clear();
    // Room for full rings at once, so that the arrays do not grow again and again while the trails lengthen.
    std::size_t room = 0;
    std::size_t held = 0;
    for (const auto& item : solarSystem.GetItems())
    {
        if (const auto* body = dynamic_cast<const System::Sphere*>(item.get()))
        {
            room += body->GetTrail().GetCapacity() + 1;
            held += body->GetTrail().GetCount();
        }
    }
    points.reserve(room);
    colors.reserve(room);
    firsts.reserve(solarSystem.GetItems().size());
    counts.reserve(solarSystem.GetItems().size());
    const std::size_t stride = held > budget ? (held + budget - 1) / budget : 1;
    for (const auto& item : solarSystem.GetItems())
    {
        if (const auto* body = dynamic_cast<const System::Sphere*>(item.get()))
            Gather(*body, dynamic_cast<const System::Sun*>(body) ? SunTrail : PlanetTrail, stride);
    }
    // Lit lines would take the material's colour instead of their own.
    video.SetLighting(false);
    video.DrawLineStrips(points, colors, firsts, counts);
    if (video.GetLightCount() > 0)
        video.SetLighting(true);
}

void TrailsNode::Gather(const System::Sphere& body, Color color, std::size_t stride)
{
    const System::Trail& trail = body.GetTrail();
    const std::size_t count = trail.GetCount();
    if (count == 0)
        return;
    firsts.push_back(static_cast<std::int32_t>(points.size()));
    // The oldest sample is nearly transparent; the strip ends at the body itself, fully bright. Thinned, the newest
    // sample stays and each point keeps the brightness of its place in the whole trail.
    for (std::size_t index = (count - 1) % stride; index < count; index += stride)
    {
        const Quarnel::Common::Point3D sample = trail.GetSample(index);
        points.push_back({sample.X(), sample.Y(), sample.Z()});
        colors.push_back(WithAlpha(color, static_cast<int>(BrightestAlpha * (index + 1) / (count + 1))));
    }
    const Quarnel::Common::Point3D bodyPosition = body.GetPosition();
    points.push_back({bodyPosition.X(), bodyPosition.Y(), bodyPosition.Z()});
    colors.push_back(WithAlpha(color, BrightestAlpha));
    counts.push_back(static_cast<std::int32_t>(points.size()) - firsts.back());
}

} // namespace Zandrel
