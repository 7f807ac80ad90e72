#pragma once

#include "Common/Event.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Animation/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// Starts an animation as soon as an event fires, for example when another animation stops. The connector stays
// attached to its trigger for its whole life and leaves it when it goes.
class AnimationConnector final
{
public:
    // Attaches to `trigger` at once; refuses a missing animation with "animation is null".
    AnimationConnector(std::shared_ptr<Animation> started, Common::EventAddHandler<>& trigger);
    AnimationConnector(const AnimationConnector&) = delete;
    AnimationConnector& operator=(const AnimationConnector&) = delete;
    ~AnimationConnector() = default;

    // The manager the animation is started on; until it is set (and once it is gone), a firing trigger raises an
    // error.
    void SetManager(AnimationManager& manager);

private:
    void OnTrigger();

    AnimationManager* animationManager = nullptr;
    std::shared_ptr<Animation> animation;
    Common::Subscription managerGone;
    Common::Subscription triggered;
};

} // namespace Quarnel::GameEngine2D::Animation
