#include "GameEngine2D/Scene/Camera.h"

#include "GameEngine2D/Video/Engine.h"

#include <utility>

namespace Quarnel::GameEngine2D::Scene
{

Camera::Camera(std::string cameraName, Common::Point3D eye, Common::Point3D lookAt, bool orthographicMode) :
    Node(std::move(cameraName), eye, std::nullopt),
    target(lookAt),
    up(UpFor(orthographicMode)),
    orthographic(orthographicMode)
{
}

void Camera::DisposeNode(IGameEngine& /*gameEngine*/) {}

void Camera::UpdateNode(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    if (orthographic)
        video.SetLighting(false);
    Apply(video);
}

Common::Point3D Camera::GetTarget() const
{
    return target;
}

void Camera::SetTarget(Common::Point3D value)
{
    target = value;
}

Common::Point3D Camera::GetUp() const
{
    return up;
}

void Camera::SetUp(Common::Point3D value)
{
    up = value;
}

bool Camera::IsOrthographic() const
{
    return orthographic;
}

void Camera::SetOrthographic(bool value)
{
    orthographic = value;
    up = UpFor(value);
}

void Camera::Apply(Video::Engine& video) const
{
    if (orthographic)
        video.SetView2D(GetPosition(), target, up);
    else
        video.SetView3D(GetPosition(), target, up);
}

Common::Point3D Camera::UpFor(bool orthographicMode)
{
    return orthographicMode ? Common::Point3D(0.0f, 1.0f, 0.0f) : Common::Point3D(0.0f, -1.0f, 0.0f);
}

} // namespace Quarnel::GameEngine2D::Scene
