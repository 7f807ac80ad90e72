#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Scene/Forward.h"
#include "app/System/Forward.h"

#include <memory>

namespace Zandrel
{

// Keeps a body in the middle of the 3D view: while it follows a body, the camera looks at the body and moves with
// it, so the user's pans and turns stay relative to the body. Following starts by looking at the body from where
// the camera stands, shifted by the way from the old target to the body, so the view keeps its direction.
//
// The body is only observed: when it leaves the system, the camera is released and stays where it was.
class CameraFollow final
{
public:
    // `camera` outlives the follow.
    explicit CameraFollow(Quarnel::GameEngine2D::Scene::Camera& camera);

    void Follow(const std::shared_ptr<System::Sphere>& body);
    void Release();
    [[nodiscard]] bool IsFollowing() const;
    // The followed body, or null.
    [[nodiscard]] std::shared_ptr<System::Sphere> GetFollowed() const;

    // Once per frame, after the physics: moves the camera with the body, or lets go of a body that is gone.
    void Update();

private:
    // Moves eye and target by the body's way since the last time.
    void MoveWith(Quarnel::Common::Point3D bodyPosition);

    Quarnel::GameEngine2D::Scene::Camera& camera;
    std::weak_ptr<System::Sphere> followed;
};

} // namespace Zandrel
