#include "app/CameraFollow.h"

#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Scene/Camera.h"
#include "app/System/Sphere.h"

namespace Zandrel
{

namespace
{

// A body that no node tree holds, or whose mass has left the physics, is gone.
bool IsGone(const System::Sphere& body)
{
    return body.GetParent() == nullptr || body.GetPointMass()->IsRemoved();
}

} // namespace

CameraFollow::CameraFollow(Quarnel::GameEngine2D::Scene::Camera& sceneCamera) : camera(sceneCamera) {}

void CameraFollow::Follow(const std::shared_ptr<System::Sphere>& body)
{
    if (!body || IsGone(*body))
        return;
    followed = body;
    MoveWith(body->GetPosition());
}

void CameraFollow::Release()
{
    followed.reset();
}

bool CameraFollow::IsFollowing() const
{
    return GetFollowed() != nullptr;
}

std::shared_ptr<System::Sphere> CameraFollow::GetFollowed() const
{
    return followed.lock();
}

void CameraFollow::Update()
{
    const std::shared_ptr<System::Sphere> body = followed.lock();
    if (!body)
        return;
    if (IsGone(*body))
    {
        Release();
        return;
    }
    MoveWith(body->GetPosition());
}

void CameraFollow::MoveWith(Quarnel::Common::Point3D bodyPosition)
{
    const Quarnel::Common::Point3D way = bodyPosition - camera.GetTarget();
    camera.SetPosition(camera.GetPosition() + way);
    camera.SetTarget(bodyPosition);
}

} // namespace Zandrel
