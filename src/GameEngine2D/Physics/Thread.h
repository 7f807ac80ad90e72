#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Physics/IPhysicsable.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Physics
{

// A chain of springs (a thread in the sense of a string, not of execution). Its first mass, the first mass of
// the first spring, is the anchor: the springs never accelerate it.
class Thread final : public IPhysicsable
{
public:
    Thread() = default;

    virtual void AddSpring(std::shared_ptr<Mass> first, std::shared_ptr<Mass> second,
                           std::shared_ptr<const SpringData> data);
    // Applies every spring in order, then drops all force gathered so far for the anchor in this sub-step.
    void Update(float dt) override;
    // Index from 0; throws std::out_of_range from SpringCount() on.
    [[nodiscard]] virtual std::shared_ptr<Spring> GetSpring(std::int32_t index) const;
    [[nodiscard]] virtual std::int32_t SpringCount() const;
    // A point kept for the chain's owner; the update does not use it.
    [[nodiscard]] virtual Common::Point3D Point() const;
    virtual void SetPoint(Common::Point3D value);

private:
    std::vector<std::shared_ptr<Spring>> springs;
    // Scene units.
    Common::Point3D point{0.0f, 0.0f, 0.0f};
};

} // namespace Quarnel::GameEngine2D::Physics
