#include "GameEngine2D/Animation/TimedAnimationList.h"

#include "GameEngine2D/Animation/AnimationConnector.h"
#include "GameEngine2D/Animation/TimedAnimationConnector.h"
#include "GameEngine2D/Animation/TimedAnimationStarter.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

TimedAnimationList::TimedAnimationList() : Animation(false) {}

// Defined here, where the connector classes are complete.
TimedAnimationList::~TimedAnimationList() = default;

void TimedAnimationList::OnStart()
{
    AnimationManager& own = *GetManager();
    for (const auto& starter : starters)
        starter->Reset();
    for (const auto& connector : timedConnectors)
        connector->SetManager(own);
    for (const auto& connector : connectors)
        connector->SetManager(own);
}

void TimedAnimationList::Animate(std::uint32_t value)
{
    AnimationManager& own = *GetManager();
    // By index with the size read at every step: a handler run by a start or a stop may add entries, which must
    // not invalidate this walk. Entries are never removed, so the raw pointer stays valid for the call.
    int pendingCount = 0;
    for (std::size_t index = 0; index < starters.size(); ++index)
    {
        TimedAnimationStarter* starter = starters[index].get();
        if (!starter->IsPending())
            continue;
        ++pendingCount;
        starter->Check(value, own);
    }
    // Counted before the checks, so the list ends on the step after its last entry finished.
    if (pendingCount == 0)
    {
        Stop();
        finished.Call();
    }
}

void TimedAnimationList::OnStop() {}

void TimedAnimationList::AddAnimation(std::shared_ptr<Animation> animation, std::uint32_t startAfter,
                                      std::uint32_t runFor)
{
    AddStarter(std::make_shared<TimedAnimationStarter>(std::move(animation), startAfter, runFor));
}

void TimedAnimationList::AddStarter(std::shared_ptr<TimedAnimationStarter> starter)
{
    if (!starter)
        throw std::invalid_argument("starter is null");
    starters.push_back(std::move(starter));
}

Animation::NotifyAddHandler& TimedAnimationList::Finished()
{
    return finished.GetAddHandler();
}

void TimedAnimationList::AddTimedConnector(std::shared_ptr<TimedAnimationStarter> starter,
                                           Common::EventAddHandler<>& trigger)
{
    timedConnectors.push_back(std::make_shared<TimedAnimationConnector>(std::move(starter), trigger));
}

void TimedAnimationList::AddConnector(std::shared_ptr<Animation> animation, Common::EventAddHandler<>& trigger)
{
    connectors.push_back(std::make_unique<AnimationConnector>(std::move(animation), trigger));
}

} // namespace Quarnel::GameEngine2D::Animation
