#pragma once

#include "Common/Event.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Animation/AnimationManager.h"

#include <cstdint>
#include <memory>

namespace Quarnel::GameEngine2D::Animation
{

// Base of everything that changes over the animation clock. Start registers the animation's tick handler with a
// manager; from then on every clock step hands Animate either the time elapsed since the start or the frame step,
// and fires `updated`. Stop unregisters it and fires `stopped`. Both are idempotent, an animation may stop itself
// from inside Animate, and it may be started again later, counting from its new start.
//
// Animations are normally held in std::shared_ptr: a step or a stop then keeps the animation alive even when a
// handler of its own events drops the last owner.
class Animation : public std::enable_shared_from_this<Animation>
{
public:
    using NotifyEvent = Common::Event<>;
    using NotifyAddHandler = Common::EventAddHandler<>;

    explicit Animation(bool handDelta);
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;
    // A running animation leaves its manager's time event with its subscription, so the manager never calls a
    // destroyed animation.
    virtual ~Animation() = default;

    virtual void Start(AnimationManager& manager);
    virtual void Stop();

protected:
    virtual void OnStart() = 0;
    // value: milliseconds elapsed since the start, or the frame step when the animation uses the delta.
    virtual void Animate(std::uint32_t value) = 0;
    virtual void OnStop() = 0;

public:
    [[nodiscard]] virtual bool IsRunning() const;
    // The manager it was last started on; null before the first start or once that manager is gone.
    [[nodiscard]] virtual AnimationManager* GetManager() const;
    [[nodiscard]] virtual std::uint32_t GetStartTime() const;
    [[nodiscard]] virtual NotifyAddHandler& Stopped();
    [[nodiscard]] virtual NotifyAddHandler& Updated();

private:
    void Tick(std::uint32_t time);

    std::uint32_t startTime = 0;
    bool running = false;
    // Null once the manager has been destroyed (its OnDestroyed event says so).
    AnimationManager* manager = nullptr;
    Common::Subscription managerGone;
    Common::Subscription tick;
    NotifyEvent stopped;
    NotifyEvent updated;
    bool useDelta;
    std::uint32_t elapsed = 0;
};

} // namespace Quarnel::GameEngine2D::Animation
