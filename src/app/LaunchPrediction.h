#pragma once

#include "Common/Point3D.h"
#include "app/System/Forward.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace Zandrel
{

// The path a new body would take over the next ten simulated seconds, with every body of the system moving: a copy
// of their state, stepped with the world's own step (kick-drift-kick leapfrog, the same step length, a = 60 F / m
// under the system's current law, the forces from the same pair kernel). The work is spread over frames: each
// Advance runs as many steps as a budget of pair forces allows, so a large system shows its prediction growing
// instead of stalling the window.
//
// The buffers are kept from one prediction to the next and only grow with the number of bodies; the path's room is
// reserved once, so predicting allocates nothing while the system keeps its size.
class LaunchPrediction final
{
public:
    static constexpr std::uint32_t Seconds = 10;
    // Pair forces one frame may compute.
    static constexpr std::size_t PairsPerFrame = 200000;

    LaunchPrediction();

    // A new prediction for a body of `mass` at `position` with `velocity`, among the system's bodies as they are now.
    void Start(const System::SolarSystem& system, Quarnel::Common::Point3D position, Quarnel::Common::Point3D velocity,
               float mass);
    // Runs further steps, up to `pairBudget` pair forces' worth (at least one step), until the path is complete.
    void Advance(std::size_t pairBudget = PairsPerFrame);
    void Clear();

    [[nodiscard]] bool IsComplete() const;
    // The new body's positions so far, one per step, the start first.
    [[nodiscard]] std::span<const Quarnel::Common::Point3D> GetPath() const { return path; }
    [[nodiscard]] static std::uint32_t TotalSteps();

private:
    void AddBody(Quarnel::Common::Point3D position, Quarnel::Common::Point3D velocity, float mass);
    // Forces from the current positions, turned into accelerations.
    void Gather();
    void Step();

    // The bodies' state in double precision, as the world keeps it, and the float copies the kernel reads.
    std::vector<double> px, py, pz, vx, vy, vz, ax, ay, az, perForce;
    std::vector<float> x, y, z, m, fx, fy, fz;
    std::size_t count = 0;
    bool simpleMode = true;
    float factor = 1.0f;
    std::uint32_t stepsDone = 0;
    std::vector<Quarnel::Common::Point3D> path;
};

} // namespace Zandrel
