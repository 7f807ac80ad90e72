#include "app/LaunchDrag.h"

#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Input/Keys.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Camera.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Video/Engine.h"
#include "app/System/SolarSystem.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point2D;
using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Input::EventType;
using Quarnel::GameEngine2D::Input::Keys;

// The 3D view's vertical field of view, as the video engine sets it up.
constexpr double FieldOfViewDegrees = 45.0;

struct Vector
{
    double x, y, z;
};

Vector Minus(Vector a, Vector b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

Vector Cross(Vector a, Vector b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector Normalised(Vector a)
{
    const double length = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return length == 0.0 ? a : Vector{a.x / length, a.y / length, a.z / length};
}

Vector Of(Point3D point)
{
    return {point.X(), point.Y(), point.Z()};
}

} // namespace

LaunchDrag::LaunchDrag(Quarnel::GameEngine2D::Input::EventManager& inputManager,
                       const Quarnel::GameEngine2D::Scene::Camera& sceneCamera,
                       const Quarnel::GameEngine2D::Video::Engine& videoEngine, const System::SolarSystem& system,
                       Actions callbacks) :
    input(inputManager),
    camera(sceneCamera),
    video(videoEngine),
    solarSystem(system),
    actions(std::move(callbacks)),
    lastPointer(std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN())
{
    registration = input.AddInputHandler(std::nullopt, [this](bool /*inside*/, EventType kind,
                                                              const Quarnel::GameEngine2D::Input::KeyState& /*keys*/,
                                                              Point2D mouse) { OnInput(kind, mouse); });
}

LaunchDrag::~LaunchDrag() = default;

Point3D LaunchDrag::GetVelocity() const
{
    return (end - start) * SpeedPerUnit;
}

bool LaunchDrag::ShiftHeld() const
{
    const auto& keys = input.GetKeyState();
    return keys.at(static_cast<std::size_t>(Keys::LShift)) != 0 || keys.at(static_cast<std::size_t>(Keys::RShift)) != 0;
}

bool LaunchDrag::PanBlocked() const
{
    if (!input.IsLeftButtonDown())
        return false;
    // Before this drag's first motion reached the launch, Shift decides; after it, the launch's claim does.
    return leftWasDown ? claimed : ShiftHeld();
}

void LaunchDrag::OnInput(EventType kind, Point2D mouse)
{
    if (kind == EventType::MouseMove)
        OnMove(mouse);
    else if (kind == EventType::Click)
        Release();
    if (kind == EventType::MouseMove || kind == EventType::Click)
    {
        leftWasDown = input.IsLeftButtonDown();
        lastPointer = mouse;
    }
}

void LaunchDrag::OnMove(Point2D mouse)
{
    if (!input.IsLeftButtonDown())
    {
        // The release happened where no notification reported it (outside the window, say): the drag is over.
        Cancel();
        claimed = false;
        return;
    }
    if (!leftWasDown)
    {
        // The first motion of a left drag. The button went down where the pointer last was.
        claimed = ShiftHeld();
        const Point2D pressedAt = std::isnan(lastPointer.x) ? mouse : lastPointer;
        if (!claimed || actions.overPanel(pressedAt))
            return;
        const std::optional<Point3D> ground = Ground(pressedAt);
        if (!ground)
            return;
        dragging = true;
        start = *ground;
        end = *ground;
    }
    if (!dragging)
        return;
    // A pointer above the horizon keeps the last end that lay on the plane.
    if (const std::optional<Point3D> ground = Ground(mouse))
        end = *ground;
    Predict();
}

void LaunchDrag::Release()
{
    claimed = false;
    if (!dragging)
        return;
    dragging = false;
    prediction.Clear();
    actions.launch(start, GetVelocity());
}

void LaunchDrag::Cancel()
{
    dragging = false;
    prediction.Clear();
}

void LaunchDrag::Predict()
{
    prediction.Start(solarSystem, start, GetVelocity(), actions.nextMass());
    predictedAtStep = solarSystem.GetScene().GetWorld().GetClock().GetSteps();
}

void LaunchDrag::Update()
{
    if (!dragging)
        return;
    if (solarSystem.GetScene().GetWorld().GetClock().GetSteps() != predictedAtStep)
        Predict();
    prediction.Advance();
}

std::optional<Point3D> LaunchDrag::Ground(Point2D pointer) const
{
    // The window as it is now: resizing and full screen change it.
    return GroundPoint(camera, video.GetScreenSize(), pointer);
}

std::optional<Point3D> LaunchDrag::GroundPoint(const Quarnel::GameEngine2D::Scene::Camera& camera, Point2D windowSize,
                                               Point2D pointer)
{
    if (windowSize.x <= 0.0f || windowSize.y <= 0.0f || std::isnan(pointer.x) || std::isnan(pointer.y))
        return std::nullopt;
    // The view looks from the eye at the target; the camera keeps y pointing down, the 3D view turns it up.
    const Vector eye = Of(camera.GetPosition());
    const Point3D cameraUp = camera.GetUp();
    const Vector up{cameraUp.X(), -static_cast<double>(cameraUp.Y()), cameraUp.Z()};
    const Vector forward = Normalised(Minus(Of(camera.GetTarget()), eye));
    const Vector side = Normalised(Cross(forward, up));
    const Vector upward = Cross(side, forward);

    // The pixel in normalised device coordinates, y up, scaled to the view's extent one unit in front of the eye.
    const double halfHeight = std::tan(FieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0);
    const double halfWidth = halfHeight * windowSize.x / windowSize.y;
    const double across = (2.0 * pointer.x / windowSize.x - 1.0) * halfWidth;
    const double upwards = (1.0 - 2.0 * pointer.y / windowSize.y) * halfHeight;
    const Vector ray{forward.x + side.x * across + upward.x * upwards, forward.y + side.y * across + upward.y * upwards,
                     forward.z + side.z * across + upward.z * upwards};
    if (ray.z == 0.0)
        return std::nullopt;
    const double distance = -eye.z / ray.z;
    if (!(distance > 0.0) || !std::isfinite(distance))
        return std::nullopt;
    return Point3D(static_cast<float>(eye.x + ray.x * distance), static_cast<float>(eye.y + ray.y * distance), 0.0f);
}

} // namespace Zandrel
