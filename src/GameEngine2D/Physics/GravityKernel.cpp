#include "GameEngine2D/Physics/GravityKernel.h"

#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/GravityArrays.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/PairWalk.h"
#include "GameEngine2D/Physics/ParallelGravity.h"

#include <algorithm>
#include <thread>

namespace Quarnel::GameEngine2D::Physics
{

GravityKernel::GravityKernel() = default;

GravityKernel::~GravityKernel() = default;

void GravityKernel::SetThreadCount(std::size_t threads)
{
    if (threads == 0)
        threads = std::max<std::size_t>(std::thread::hardware_concurrency(), 1);
    if (threads == ThreadCount())
        return;
    parallel = threads > 1 ? std::make_unique<ParallelGravity>(threads) : nullptr;
}

std::size_t GravityKernel::ThreadCount() const
{
    return parallel ? parallel->ThreadCount() : 1;
}

void GravityKernel::Apply(const std::vector<std::shared_ptr<Mass>>& masses, bool simpleMode, float factor)
{
    Load(masses);
    const GravityArrays arrays{count, x.data(), y.data(), z.data(), m.data(), fx.data(), fy.data(), fz.data()};
    const GravityLaw law{simpleMode, factor};
    if (parallel)
        parallel->AddForces(arrays, law);
    else
        AddPairWalkForces(arrays, law);
    Store(masses);
}

void GravityKernel::Load(const std::vector<std::shared_ptr<Mass>>& masses)
{
    count = masses.size();
    for (std::vector<float>* buffer : {&x, &y, &z, &m, &fx, &fy, &fz})
        buffer->resize(count);

    for (std::size_t k = 0; k < count; ++k)
    {
        const Mass& mass = *masses[k];
        const Common::Point3D position = mass.Target().GetPosition();
        x[k] = position.X();
        y[k] = position.Y();
        z[k] = position.Z();
        m[k] = mass.GetMass();
        const Common::Point3D force = mass.Force();
        fx[k] = force.X();
        fy[k] = force.Y();
        fz[k] = force.Z();
    }
}

void GravityKernel::Store(const std::vector<std::shared_ptr<Mass>>& masses) const
{
    for (std::size_t k = 0; k < count; ++k)
        masses[k]->SetForce(Common::Point3D(fx[k], fy[k], fz[k]));
}

} // namespace Quarnel::GameEngine2D::Physics
