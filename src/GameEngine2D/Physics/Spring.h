#pragma once

#include "GameEngine2D/Physics/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Physics
{

// A damped spring between two masses. Apply adds the elastic force, pulling the masses together when the
// spring is longer than its rest length and pushing them apart when shorter, plus a damping force against
// their relative motion; the second mass gets the opposite of the first one's force.
class Spring final
{
public:
    Spring(std::shared_ptr<Mass> firstMass, std::shared_ptr<Mass> secondMass,
           std::shared_ptr<const SpringData> constants);
    Spring(const Spring&) = delete;
    Spring& operator=(const Spring&) = delete;
    virtual ~Spring() = default;

    // dt is not used: the world turns forces into speed changes per sub-step.
    virtual void Apply(float dt);
    [[nodiscard]] virtual const std::shared_ptr<Mass>& First() const;
    [[nodiscard]] virtual const std::shared_ptr<Mass>& Second() const;

private:
    std::shared_ptr<Mass> first;
    std::shared_ptr<Mass> second;
    std::shared_ptr<const SpringData> data;
};

} // namespace Quarnel::GameEngine2D::Physics
