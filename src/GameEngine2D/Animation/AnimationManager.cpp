#include "GameEngine2D/Animation/AnimationManager.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"

#include <exception>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Animation
{

namespace
{

// A frame longer than this many times the previous step is taken for a stall, not for real animation time.
constexpr std::uint32_t SpikeFactor = 20;

} // namespace

AnimationManager::~AnimationManager()
{
    destroyed.Call();
}

void AnimationManager::Start()
{
    running = true;
    firstTicks = 0;
    time = 0;
}

void AnimationManager::Pause()
{
    running = false;
}

void AnimationManager::Resume()
{
    running = true;
    skipNext = true;
}

void AnimationManager::Update(std::uint32_t ticks)
{
    if (!running)
        return;
    Common::Helper::Rethrowing("Fehler in AnimationManager.Update", [this, ticks] { Step(ticks); });
}

void AnimationManager::Step(std::uint32_t ticks)
{
    if (firstTicks == 0)
    {
        // 0 marks "nothing recorded yet", so a first tick count of 0 is recorded as 1.
        const std::uint32_t recorded = ticks == 0 ? 1 : ticks;
        firstTicks = recorded;
        lastTicks = recorded;
        return;
    }
    if (skipNext)
    {
        // lastTicks stays at the last frame before the pause; the spike rule keeps the next step short.
        skipNext = false;
        return;
    }
    // Unsigned arithmetic throughout: the step stays right when SDL's tick count wraps after 49 days.
    const std::uint32_t step = ticks - lastTicks;
    if (delta != 0 && step > SpikeFactor * delta)
    {
        Common::MyLog::Info("--- TIME --- TIME --- TIME --- TIME --- TIME --- TIME --- TIME --- TIME ---");
        delta = 2 * delta;
    }
    else
        delta = step;
    time += delta;
    timeEvent.Call(time);
    lastTicks = ticks;
}

int AnimationManager::Count() const
{
    return timeEvent.Count();
}

std::uint32_t AnimationManager::GetTime() const
{
    return time;
}

std::uint32_t AnimationManager::GetDelta() const
{
    return delta;
}

void AnimationManager::Add(const TimeHandler& handler)
{
    timeEvent.Add(handler);
}

void AnimationManager::Remove(const TimeHandler& handler)
{
    timeEvent.Remove(handler);
}

Common::Subscription AnimationManager::Subscribe(TimeHandler handler)
{
    return timeEvent.Subscribe(std::move(handler));
}

} // namespace Quarnel::GameEngine2D::Animation
