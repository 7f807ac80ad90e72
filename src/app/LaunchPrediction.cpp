#include "app/LaunchPrediction.h"

#include "GameEngine2D/Physics/GravityArrays.h"
#include "GameEngine2D/Physics/GravityLaw.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/MassGravities.h"
#include "GameEngine2D/Physics/PairWalk.h"
#include "GameEngine2D/Physics/SimulationClock.h"
#include "app/System/SolarSystem.h"
#include "app/System/Sphere.h"

#include <algorithm>
#include <cmath>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Physics::SimulationClock;

// Acceleration per force of a body; a mass of 0 or NaN is not accelerated, as in the world.
double PerForce(float mass)
{
    if (mass == 0.0f || std::isnan(mass))
        return 0.0;
    return static_cast<double>(System::SolarSystem::AccelerationPerForce) / static_cast<double>(mass);
}

} // namespace

LaunchPrediction::LaunchPrediction()
{
    path.reserve(TotalSteps() + 1);
}

std::uint32_t LaunchPrediction::TotalSteps()
{
    return Seconds * SimulationClock::StepsPerSecond;
}

void LaunchPrediction::Start(const System::SolarSystem& system, Point3D position, Point3D velocity, float mass)
{
    Clear();
    simpleMode = system.GetGravities().IsSimpleMode();
    factor = system.GetGravities().GetFactor();
    for (const auto& item : system.GetItems())
    {
        const auto* body = dynamic_cast<const System::Sphere*>(item.get());
        if (body != nullptr && !body->GetPointMass()->IsRemoved())
            AddBody(body->GetPosition(), body->GetVelocity(), body->GetPointMass()->GetMass());
    }
    // The new body comes last, as it will in the system.
    AddBody(position, velocity, mass);
    path.push_back(position);
    Gather();
}

void LaunchPrediction::AddBody(Point3D position, Point3D velocity, float mass)
{
    // The vectors keep their room between predictions; they only grow when the system has grown.
    for (auto* buffer : {&px, &py, &pz, &vx, &vy, &vz, &ax, &ay, &az, &perForce})
        buffer->resize(count + 1);
    for (auto* buffer : {&x, &y, &z, &m, &fx, &fy, &fz})
        buffer->resize(count + 1);
    px[count] = position.X();
    py[count] = position.Y();
    pz[count] = position.Z();
    vx[count] = velocity.X();
    vy[count] = velocity.Y();
    vz[count] = velocity.Z();
    x[count] = position.X();
    y[count] = position.Y();
    z[count] = position.Z();
    m[count] = mass;
    perForce[count] = PerForce(mass);
    ++count;
}

void LaunchPrediction::Clear()
{
    count = 0;
    stepsDone = 0;
    path.clear();
}

bool LaunchPrediction::IsComplete() const
{
    return count > 0 && stepsDone >= TotalSteps();
}

void LaunchPrediction::Advance(std::size_t pairBudget)
{
    if (count == 0)
        return;
    const std::size_t pairs = std::max<std::size_t>(count * (count - 1) / 2, 1);
    std::size_t steps = std::max<std::size_t>(pairBudget / pairs, 1);
    for (; steps > 0 && stepsDone < TotalSteps(); --steps)
    {
        Step();
        ++stepsDone;
        const std::size_t last = count - 1;
        path.emplace_back(x[last], y[last], z[last]);
    }
}

void LaunchPrediction::Gather()
{
    std::fill(fx.begin(), fx.begin() + static_cast<std::ptrdiff_t>(count), 0.0f);
    std::fill(fy.begin(), fy.begin() + static_cast<std::ptrdiff_t>(count), 0.0f);
    std::fill(fz.begin(), fz.begin() + static_cast<std::ptrdiff_t>(count), 0.0f);
    const Quarnel::GameEngine2D::Physics::GravityArrays arrays{count,    x.data(),  y.data(),  z.data(),
                                                               m.data(), fx.data(), fy.data(), fz.data()};
    Quarnel::GameEngine2D::Physics::AddPairWalkForces(arrays, {simpleMode, factor});
    for (std::size_t k = 0; k < count; ++k)
    {
        ax[k] = fx[k] * perForce[k];
        ay[k] = fy[k] * perForce[k];
        az[k] = fz[k] * perForce[k];
    }
}

void LaunchPrediction::Step()
{
    const double dt = SimulationClock::StepSeconds;
    const double half = dt / 2.0;
    for (std::size_t k = 0; k < count; ++k)
    {
        vx[k] += ax[k] * half;
        vy[k] += ay[k] * half;
        vz[k] += az[k] * half;
        px[k] += vx[k] * dt;
        py[k] += vy[k] * dt;
        pz[k] += vz[k] * dt;
        // The forces see the positions as the bodies' nodes hold them: in float.
        x[k] = static_cast<float>(px[k]);
        y[k] = static_cast<float>(py[k]);
        z[k] = static_cast<float>(pz[k]);
    }
    Gather();
    for (std::size_t k = 0; k < count; ++k)
    {
        vx[k] += ax[k] * half;
        vy[k] += ay[k] * half;
        vz[k] += az[k] * half;
    }
}

} // namespace Zandrel
