#pragma once

#include "Common/Event.h"
#include "GameEngine2D/Animation/Animation.h"
#include "GameEngine2D/Animation/Forward.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Animation
{

// A small script of animations: each entry starts its animation a given time after the list started and may stop
// it after a given duration. The list stops itself and fires `finished` on the step after its last entry is done.
// Stopping the list leaves the animations it started running. Its connectors get the list's manager on every
// start, so they can only start their animations once the list has been started.
class TimedAnimationList final : public Animation
{
public:
    TimedAnimationList();
    ~TimedAnimationList() override;

protected:
    void OnStart() override;
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    virtual void AddAnimation(std::shared_ptr<Animation> animation, std::uint32_t startAfter, std::uint32_t runFor);
    virtual void AddStarter(std::shared_ptr<TimedAnimationStarter> starter);
    [[nodiscard]] virtual NotifyAddHandler& Finished();
    virtual void AddTimedConnector(std::shared_ptr<TimedAnimationStarter> starter, Common::EventAddHandler<>& trigger);
    virtual void AddConnector(std::shared_ptr<Animation> animation, Common::EventAddHandler<>& trigger);

private:
    std::vector<std::shared_ptr<TimedAnimationStarter>> starters;
    std::vector<std::shared_ptr<TimedAnimationConnector>> timedConnectors;
    std::vector<std::unique_ptr<AnimationConnector>> connectors;
    NotifyEvent finished;
};

} // namespace Quarnel::GameEngine2D::Animation
