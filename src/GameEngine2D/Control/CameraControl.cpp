#include "GameEngine2D/Control/CameraControl.h"

#include "Common/Point3D.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/Camera.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Control
{

namespace
{

// One wheel notch moves the camera by speed × 25 along z.
constexpr float WheelStepFactor = 25.0f;
// The camera stays strictly between these distances.
constexpr float NearestZ = 10.0f;
constexpr float FarthestZ = 300.0f;

} // namespace

CameraControl::CameraControl(Input::EventManager* manager, std::shared_ptr<Scene::Camera> controlled,
                             std::optional<Common::Rect> space, float pixelSpeed, float unused) :
    camera(std::move(controlled)),
    eventManager(manager),
    speed(pixelSpeed),
    unusedFactor(unused),
    lastMouse(std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN())
{
    if (!camera)
        throw std::invalid_argument("cam is null");
    if (!eventManager)
        throw std::invalid_argument("eventManager is null");
    inputHandler =
        eventManager->AddInputHandler(space, [this](bool /*inside*/, Input::EventType kind, const auto& /*keys*/,
                                                    Common::Point2D mouse) { OnInput(kind, mouse); });
}

CameraControl::~CameraControl() = default;

void CameraControl::OnInput(Input::EventType kind, Common::Point2D mouse)
{
    switch (kind)
    {
    case Input::EventType::MouseMove:
        Drag(mouse);
        break;
    case Input::EventType::WheelUp:
        Zoom(speed * WheelStepFactor, [](float z) { return z < FarthestZ; });
        break;
    case Input::EventType::WheelDown:
        Zoom(-speed * WheelStepFactor, [](float z) { return z > NearestZ; });
        break;
    default:
        break;
    }
}

void CameraControl::Drag(Common::Point2D mouse)
{
    // The first motion has nothing to compare with: a drag already under way then only records the
    // pointer instead of throwing the camera to a position that is not a number.
    const bool known = !std::isnan(lastMouse.X()) && !std::isnan(lastMouse.Y());
    if (known)
    {
        // Pointer to the right moves the camera to the left: the scene follows the pointer.
        const float dx = (lastMouse.X() - mouse.X()) * speed;
        const float dy = (lastMouse.Y() - mouse.Y()) * speed;
        const Common::Point3D delta(dx, dy, 0.0f);
        if (eventManager->IsLeftButtonDown() && !(panGuard && panGuard()))
            camera->SetPosition(camera->GetPosition() + delta);
        // The projection ignores the scene camera's rotation; turning matters for a camera in a tree.
        if (eventManager->IsRightButtonDown())
            camera->SetRotation(camera->GetRotation() + delta);
    }
    lastMouse = mouse;
}

void CameraControl::Zoom(float step, bool (*allowed)(float z))
{
    const Common::Point3D moved = camera->GetPosition() + Common::Point3D(0.0f, 0.0f, step);
    if (allowed(moved.Z()))
        camera->SetPosition(moved);
}

} // namespace Quarnel::GameEngine2D::Control
