#pragma once

#include "Common/Event.h"

#include <cstdint>
#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// The animation clock of one scene. The scene hands it SDL's millisecond tick count once per frame; the clock
// advances only while the manager runs, starts again from 0 after Start, and turns a single long frame (a
// debugger stop, a window drag) into a short step so that animations do not jump.
//
// Every running animation is a handler of the time event and steps when the clock moves. The manager owns none
// of them; animations keep a link to it (see ManagerLink) that notices when the manager is gone.
class AnimationManager
{
public:
    using TimeEvent = Common::Event<std::uint32_t>;
    using TimeHandler = TimeEvent::HandlerType;

    AnimationManager();
    AnimationManager(const AnimationManager&) = delete;
    AnimationManager& operator=(const AnimationManager&) = delete;
    virtual ~AnimationManager() = default;

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

    // Expires when this manager is destroyed; lets animations that outlive their scene notice it.
    [[nodiscard]] std::weak_ptr<const void> GetLifetime() const { return lifetime; }

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
    std::shared_ptr<const int> lifetime;
};

} // namespace Quarnel::GameEngine2D::Animation
