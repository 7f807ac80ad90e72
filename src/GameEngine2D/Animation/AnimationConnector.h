#pragma once

#include "Common/Event.h"
#include "GameEngine2D/Animation/ManagerLink.h"

#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

class Animation;

// Starts an animation as soon as an event fires, for example when another animation stops. The connector stays
// attached to its trigger for its whole life; once the connector is gone, the trigger's handler does nothing.
class AnimationConnector
{
public:
    // Attaches to `trigger` at once; refuses a missing animation with "animation is null".
    AnimationConnector(std::shared_ptr<Animation> started, Common::EventAddHandler<>& trigger);
    AnimationConnector(const AnimationConnector&) = delete;
    AnimationConnector& operator=(const AnimationConnector&) = delete;
    virtual ~AnimationConnector() = default;

    // The manager the animation is started on; until it is set, a firing trigger raises an error.
    virtual void SetManager(AnimationManager& manager);

private:
    void OnTrigger();

    ManagerLink animationManager;
    std::shared_ptr<Animation> animation;
    // Expires with the connector, so a trigger that outlives it no longer reaches it.
    std::shared_ptr<const int> lifetime = std::make_shared<const int>(0);
};

} // namespace Quarnel::GameEngine2D::Animation
