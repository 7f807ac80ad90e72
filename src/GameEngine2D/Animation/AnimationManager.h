#pragma once

#include "Common/Event.h"
#include "Common/Subscription.h"

#include <cstdint>

namespace Quarnel::GameEngine2D::Animation
{

// The animation clock of one scene. The scene hands it SDL's millisecond tick count once per frame; the clock
// advances only while the manager runs, starts again from 0 after Start, and turns a single long frame (a
// debugger stop, a window drag) into a short step so that animations do not jump.
//
// Every running animation is a handler of the time event and steps when the clock moves. The manager owns none
// of them: each keeps its registration as a subscription, and may outlive the manager (OnDestroyed tells it).
class AnimationManager final
{
public:
    using TimeEvent = Common::Event<std::uint32_t>;
    using TimeHandler = TimeEvent::HandlerType;

    AnimationManager() = default;
    AnimationManager(const AnimationManager&) = delete;
    AnimationManager& operator=(const AnimationManager&) = delete;
    // Raises OnDestroyed.
    virtual ~AnimationManager();

    // Resets the clock to 0; the next Update only records its tick count.
    virtual void Start();
    // Stops the clock where it is.
    virtual void Pause();
    // Lets the clock run again; the next Update is swallowed.
    virtual void Resume();
    // Advances the clock by one frame and steps every running animation.
    virtual void Update(std::uint32_t ticks);
    // Number of running animations (handlers of the time event).
    [[nodiscard]] virtual int Count() const;
    // The clock in milliseconds.
    [[nodiscard]] virtual std::uint32_t GetTime() const;
    // The step the last Update added to the clock, in milliseconds.
    [[nodiscard]] virtual std::uint32_t GetDelta() const;

    void Add(const TimeHandler& handler);
    void Remove(const TimeHandler& handler);
    // Attaches a time handler until the subscription goes; counts like Add and Remove.
    [[nodiscard]] Common::Subscription Subscribe(TimeHandler handler);
    // Raised once, when the manager is destroyed: what still refers to it lets go.
    [[nodiscard]] Common::EventAddHandler<>& OnDestroyed() { return destroyed.GetAddHandler(); }

private:
    void Step(std::uint32_t ticks);

    // Tick count of the first Update after Start; 0 means none has been seen since Start.
    std::uint32_t firstTicks = 0;
    std::uint32_t lastTicks = 0;
    std::uint32_t time = 0;
    std::uint32_t delta = 0;
    bool running = false;
    TimeEvent timeEvent;
    bool skipNext = false;
    Common::Event<> destroyed;
};

} // namespace Quarnel::GameEngine2D::Animation
