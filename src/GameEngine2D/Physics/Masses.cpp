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
    list.push_back(std::move(mass));
}

const std::vector<std::shared_ptr<Mass>>& Masses::List() const
{
    return list;
}

} // namespace Quarnel::GameEngine2D::Physics
