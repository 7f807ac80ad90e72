#include "app/SystemSnapshot.h"

#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Physics/World.h"
#include "GameEngine2D/Scene/Camera.h"
#include "app/Game.h"
#include "app/GameGUI.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"
#include "app/System/Sun.h"

#include <cmath>
#include <memory>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Physics::SimulationClock;
using SystemFile::BodyData;
using SystemFile::BodyKind;
using SystemFile::GravityLaw;
using SystemFile::SystemData;

std::array<float, 3> ToArray(Point3D point)
{
    return {point.X(), point.Y(), point.Z()};
}

Point3D ToPoint(const std::array<float, 3>& values)
{
    return {values[0], values[1], values[2]};
}

// Whole steps below 2^53 s are exact in a double, far beyond any time a session reaches.
constexpr double LargestSteppedTime = 9.0e15 / SimulationClock::StepsPerSecond;

} // namespace

SystemSnapshot::SystemSnapshot(Game& owner) : game(owner) {}

SystemData SystemSnapshot::Capture(bool withCamera) const
{
    SystemData system;
    const System::SolarSystem& bodies = *game.GetSolarSystem();
    const SimulationClock& clock = game.GetWorld().GetClock();
    system.gravity = bodies.GetGravities().IsSimpleMode() ? GravityLaw::Constant : GravityLaw::InverseSquare;
    system.merge = bodies.IsMerging();
    system.time = clock.GetTime() + timeOffset;
    system.speed = clock.GetSpeed();
    system.paused = clock.IsPaused();
    system.bodies.reserve(bodies.GetItems().size());
    for (const auto& item : bodies.GetItems())
    {
        const auto sphere = std::dynamic_pointer_cast<System::Sphere>(item);
        if (!sphere)
            continue;
        system.bodies.push_back(
            BodyData{.id = sphere->GetId(),
                     .kind = std::dynamic_pointer_cast<System::Sun>(sphere) ? BodyKind::Sun : BodyKind::Planet,
                     .name = sphere->GetName(),
                     .mass = sphere->GetMass(),
                     .size = sphere->GetBodySize(),
                     .position = ToArray(sphere->GetPosition()),
                     .velocity = ToArray(sphere->GetVelocity())});
    }
    if (withCamera)
    {
        const auto& camera = *game.GetCamera();
        system.camera = SystemFile::CameraView{.position = ToArray(camera.GetPosition()),
                                               .target = ToArray(camera.GetTarget()),
                                               .rotation = ToArray(camera.GetRotation())};
    }
    return system;
}

void SystemSnapshot::Replace(const SystemData& system)
{
    GameGUI& gui = *game.GetGui();
    System::SolarSystem& bodies = *game.GetSolarSystem();
    gui.ForgetBodies();
    bodies.RemoveAll();

    const bool inverseSquare = system.gravity == GravityLaw::InverseSquare;
    bodies.GetGravities().SetSimpleMode(!inverseSquare);
    gui.ShowLaw(inverseSquare);
    bodies.SetMerging(system.merge);
    gui.ShowMerging(system.merge);

    SimulationClock& clock = game.GetWorld().GetClock();
    SimulationClock::State state;
    if (system.time >= 0.0 && system.time < LargestSteppedTime)
        state.steps = static_cast<std::uint64_t>(std::floor(system.time * SimulationClock::StepsPerSecond));
    // Exact: the whole steps lie within a step below the time.
    timeOffset = system.time - static_cast<double>(state.steps) * SimulationClock::StepSeconds;
    state.speedExponent = std::ilogb(system.speed);
    state.paused = system.paused;
    clock.SetState(state);

    for (const BodyData& body : system.bodies)
    {
        const auto id = static_cast<std::uint16_t>(body.id);
        const std::shared_ptr<System::Sphere> sphere =
            bodies.RestoreBody(body.kind == BodyKind::Sun, body.name, ToPoint(body.position), body.mass, body.size, id);
        sphere->SetVelocity(ToPoint(body.velocity));
        gui.AddListEntry(sphere->GetName(), id, body.mass);
    }

    if (system.camera)
    {
        const auto& camera = game.GetCamera();
        camera->SetPosition(ToPoint(system.camera->position));
        camera->SetTarget(ToPoint(system.camera->target));
        camera->SetRotation(ToPoint(system.camera->rotation));
    }
}

} // namespace Zandrel
