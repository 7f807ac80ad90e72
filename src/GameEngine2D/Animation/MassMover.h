#pragma once

#include "Common/Point3D.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Animation/Animation.h"
#include "GameEngine2D/Physics/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// Pushes a physics mass with a constant force while it runs. The work happens on the mass's simulation steps,
// not on the clock steps, so the push does not depend on the frame rate.
class MassMover final : public Animation
{
public:
    explicit MassMover(std::shared_ptr<Physics::Mass> pushed = nullptr,
                       Common::Point3D pushForce = Common::Point3D(0.0f, 0.0f, 0.0f));

protected:
    // Attaches the push to the mass's step event; refuses a missing mass with "mass is null".
    void OnStart() override;
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    [[nodiscard]] virtual Common::Point3D GetForce() const;
    virtual void SetForce(Common::Point3D pushForce);
    [[nodiscard]] virtual std::shared_ptr<Physics::Mass> GetMass() const;
    virtual void SetMass(std::shared_ptr<Physics::Mass> pushed);

private:
    std::shared_ptr<Physics::Mass> mass;
    Common::Point3D force;
    // The push on the step event of the mass it was started with (SetMass while running does not move it); a mover
    // that goes leaves the event, so the mass never calls a destroyed mover.
    Common::Subscription push;
};

} // namespace Quarnel::GameEngine2D::Animation
