#pragma once

#include "Common/Point2D.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Input/EventType.h"
#include "GameEngine2D/Input/Forward.h"
#include "GameEngine2D/Input/InputSubscription.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"
#include "app/LaunchPrediction.h"
#include "app/System/Forward.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace Zandrel
{

// Launching a planet by dragging: Shift + left drag in the 3D view puts a new planet where the drag starts, on the
// plane z = 0 as the camera sees it, and the drag gives it its velocity: the drag's vector on that plane, in scene
// units, becomes scene units per simulated second (SpeedPerUnit). While the drag lasts, the predicted path of the
// new body is drawn (LaunchPreviewNode); releasing the button creates the body, Cancel (Escape) drops it.
//
// A left drag without Shift is the camera's pan, as always; a drag that starts with Shift never pans (PanBlocked).
class LaunchDrag final
{
public:
    // Scene units per simulated second for each scene unit of drag.
    static constexpr float SpeedPerUnit = 1.0f;

    struct Actions
    {
        // The mass the new planet will get (the panel's field).
        std::function<float()> nextMass;
        // Creates the planet at `where` with `velocity`.
        std::function<void(Quarnel::Common::Point3D where, Quarnel::Common::Point3D velocity)> launch;
        // Whether the pointer is over the panel, where a drag starts nothing.
        std::function<bool(Quarnel::Common::Point2D pointer)> overPanel;
    };

    // `input`, `camera`, `video` and `system` outlive the drag.
    LaunchDrag(Quarnel::GameEngine2D::Input::EventManager& input, const Quarnel::GameEngine2D::Scene::Camera& camera,
               const Quarnel::GameEngine2D::Video::Engine& video, const System::SolarSystem& system, Actions actions);
    LaunchDrag(const LaunchDrag&) = delete;
    LaunchDrag& operator=(const LaunchDrag&) = delete;
    ~LaunchDrag();

    [[nodiscard]] bool IsDragging() const { return dragging; }
    // Where the planet will appear, and the velocity it will get.
    [[nodiscard]] Quarnel::Common::Point3D GetStart() const { return start; }
    [[nodiscard]] Quarnel::Common::Point3D GetEnd() const { return end; }
    [[nodiscard]] Quarnel::Common::Point3D GetVelocity() const;
    [[nodiscard]] const LaunchPrediction& GetPrediction() const { return prediction; }

    // Ends the drag without a planet.
    void Cancel();
    // Once per frame, after the physics: starts the prediction again when the bodies have moved, and advances it.
    void Update();
    // True while the left button drags for a launch (or is about to: Shift held as the button goes down); the
    // camera does not pan then.
    [[nodiscard]] bool PanBlocked() const;

    // The point of the plane z = 0 under the window pixel `pointer`, seen through the camera's perspective (45°
    // field of view, the window's aspect); none when the pointer's ray runs parallel to the plane or away from it.
    [[nodiscard]] static std::optional<Quarnel::Common::Point3D> GroundPoint(
        const Quarnel::GameEngine2D::Scene::Camera& camera, Quarnel::Common::Point2D windowSize,
        Quarnel::Common::Point2D pointer);

private:
    void OnInput(Quarnel::GameEngine2D::Input::EventType kind, Quarnel::Common::Point2D mouse);
    void OnMove(Quarnel::Common::Point2D mouse);
    void Release();
    void Predict();
    [[nodiscard]] bool ShiftHeld() const;
    [[nodiscard]] std::optional<Quarnel::Common::Point3D> Ground(Quarnel::Common::Point2D pointer) const;

    Quarnel::GameEngine2D::Input::EventManager& input;
    const Quarnel::GameEngine2D::Scene::Camera& camera;
    const Quarnel::GameEngine2D::Video::Engine& video;
    const System::SolarSystem& solarSystem;
    Actions actions;
    // The left button as the last notification found it: a drag begins on the first motion with it down.
    bool leftWasDown = false;
    // The current left drag began with Shift held; it belongs to the launch, not to the camera.
    bool claimed = false;
    bool dragging = false;
    Quarnel::Common::Point2D lastPointer;
    Quarnel::Common::Point3D start;
    Quarnel::Common::Point3D end;
    LaunchPrediction prediction;
    // The physics steps the prediction started from; other bodies moving since make it stale.
    std::uint64_t predictedAtStep = 0;
    Quarnel::GameEngine2D::Input::InputSubscription registration;
};

} // namespace Zandrel
