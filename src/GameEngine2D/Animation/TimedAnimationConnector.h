#pragma once

#include "Common/Event.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Animation/Animation.h"
#include "GameEngine2D/Animation/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// Starts an animation a given time after an event fires: the trigger starts the connector itself, which runs the
// starter's script (its start time is the delay) and stops as soon as the animation has been started.
class TimedAnimationConnector final : public Animation
{
public:
    // Attaches to `trigger` at once; refuses a missing starter with "starter is null".
    TimedAnimationConnector(std::shared_ptr<TimedAnimationStarter> entry, Common::EventAddHandler<>& trigger);

protected:
    void OnStart() override;
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    // The manager the connector runs on; until it is set (and once it is gone), a firing trigger raises an error.
    void SetManager(AnimationManager& target);

private:
    void OnTrigger();

    std::shared_ptr<TimedAnimationStarter> starter;
    AnimationManager* animationManager = nullptr;
    Common::Subscription managerGone;
    Common::Subscription triggered;
};

} // namespace Quarnel::GameEngine2D::Animation
