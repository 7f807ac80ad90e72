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

MassMover::~MassMover()
{
    Detach();
}

void MassMover::OnStart()
{
    if (!mass)
        throw std::invalid_argument("mass is null");
    Detach();
    mass->OnSimulate().Add<&MassMover::Push>(this);
    pushedMass = mass;
}

void MassMover::Animate(std::uint32_t) {}

void MassMover::OnStop()
{
    Detach();
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

void MassMover::Push(float)
{
    pushedMass->AddForce(force);
}

void MassMover::Detach()
{
    if (!pushedMass)
        return;
    pushedMass->OnSimulate().Remove<&MassMover::Push>(this);
    pushedMass.reset();
}

} // namespace Quarnel::GameEngine2D::Animation
