#include "GameEngine2D/Animation/MassMover.h"

#include "GameEngine2D/Physics/Mass.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

MassMover::MassMover(std::shared_ptr<Physics::Mass> pushed, Common::Point3D pushForce) :
    Animation(false),
    mass(std::move(pushed)),
    force(pushForce)
{
}

void MassMover::OnStart()
{
    if (!mass)
        throw std::invalid_argument("mass is null");
    // The pushed mass is the one calling, so it is alive whenever the push runs.
    push = mass->OnSimulate().Subscribe([this, pushed = mass.get()](float /*dt*/) { pushed->AddForce(force); });
}

void MassMover::Animate(std::uint32_t) {}

void MassMover::OnStop()
{
    push.Reset();
}

Common::Point3D MassMover::GetForce() const
{
    return force;
}

void MassMover::SetForce(Common::Point3D pushForce)
{
    force = pushForce;
}

std::shared_ptr<Physics::Mass> MassMover::GetMass() const
{
    return mass;
}

void MassMover::SetMass(std::shared_ptr<Physics::Mass> pushed)
{
    mass = std::move(pushed);
}

} // namespace Quarnel::GameEngine2D::Animation
