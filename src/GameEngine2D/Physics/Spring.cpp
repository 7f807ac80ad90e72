#include "GameEngine2D/Physics/Spring.h"

#include "Common/Helper.h"
#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Mass.h"
#include "GameEngine2D/Physics/SpringData.h"

#include <utility>

namespace Quarnel::GameEngine2D::Physics
{

Spring::Spring(std::shared_ptr<Mass> firstMass, std::shared_ptr<Mass> secondMass,
               std::shared_ptr<const SpringData> constants) :
    first(std::move(firstMass)),
    second(std::move(secondMass)),
    data(std::move(constants))
{
    Common::Helper::CheckNull(first, "first");
    Common::Helper::CheckNull(second, "second");
    Common::Helper::CheckNull(data, "data");
}

void Spring::Apply(float /*dt*/)
{
    const Common::Point3D d = first->Target().GetPosition() - second->Target().GetPosition();
    const float r = d.Length();
    Common::Point3D force(0.0f, 0.0f, 0.0f);
    // Without a direction (both masses at one place) there is no elastic force, only damping.
    if (r != 0.0f)
        force = d / -r * (r - data->RestLength()) * data->Stiffness();
    force = force + (first->Speed() - second->Speed()) * -data->Damping();
    first->AddForce(force);
    second->AddForce(force * -1.0f);
}

const std::shared_ptr<Mass>& Spring::First() const
{
    return first;
}

const std::shared_ptr<Mass>& Spring::Second() const
{
    return second;
}

} // namespace Quarnel::GameEngine2D::Physics
