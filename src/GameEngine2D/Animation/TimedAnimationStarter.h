#pragma once

#include "GameEngine2D/Animation/Forward.h"

#include <cstdint>
#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// One entry of a timed script: starts its animation once `startTime` milliseconds have passed since the script
// (list or connector) started, and stops it again once `duration` more have passed (0: lets it run on).
class TimedAnimationStarter final
{
public:
    // Refuses a missing animation with "animation is null".
    TimedAnimationStarter(std::shared_ptr<Animation> scripted, std::uint32_t startAfter, std::uint32_t runFor);
    TimedAnimationStarter(const TimedAnimationStarter&) = delete;
    TimedAnimationStarter& operator=(const TimedAnimationStarter&) = delete;
    virtual ~TimedAnimationStarter() = default;

    // Makes the entry wait for its start again.
    virtual void Reset();
    // One step of the script at `elapsed` milliseconds after its start; starts the animation on `manager`.
    virtual void Check(std::uint32_t elapsed, AnimationManager& manager);
    [[nodiscard]] virtual bool IsStarted() const;
    // The entry still has something to do: start or stop its animation.
    [[nodiscard]] virtual bool IsPending() const;
    [[nodiscard]] virtual std::uint32_t GetStartTime() const;
    virtual void SetStartTime(std::uint32_t startAfter);
    [[nodiscard]] virtual std::uint32_t GetDuration() const;
    virtual void SetDuration(std::uint32_t runFor);

private:
    std::uint32_t startTime;
    std::uint32_t duration;
    bool started = false;
    bool pending = true;
    std::shared_ptr<Animation> animation;
};

} // namespace Quarnel::GameEngine2D::Animation
