#include "GameEngine2D/Physics/Masses.h"

#include "Common/Helper.h"
#include "GameEngine2D/Physics/Mass.h"

#include <utility>

namespace Quarnel::GameEngine2D::Physics
{

void Masses::Add(std::shared_ptr<Mass> mass)
{
    // Every walker of the list dereferences its entries each step: a hole would crash far from its cause.
    Common::Helper::CheckNull(mass, "mass");
    list.Add(std::move(mass));
}

const std::vector<std::shared_ptr<Mass>>& Masses::List() const
{
    return list.Entries();
}

void Masses::ForgetRemoved()
{
    while (list.Remove([](const Mass& mass) { return mass.IsRemoved(); }))
    {
    }
}

} // namespace Quarnel::GameEngine2D::Physics
