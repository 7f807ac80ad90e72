#pragma once

#include <cstdint>
#include <memory>
#include <utility>

namespace Quarnel::Common
{

// What a subscription detaches from: the shared state of an event or an input registry.
class SubscriptionSource
{
public:
    SubscriptionSource() = default;
    SubscriptionSource(const SubscriptionSource&) = delete;
    SubscriptionSource& operator=(const SubscriptionSource&) = delete;

    // Takes the entry out at once: it is not called again, not even later in a call that is running now.
    virtual void Detach(std::uint64_t entry) noexcept = 0;

protected:
    ~SubscriptionSource() = default;
};

// One registration (an event handler, an input handler, an animation's clock step) that ends when this object is
// reset or destroyed. Owners keep it as a member, so their callbacks may capture `this`: the registration cannot
// outlive them. Either side may go first: once the event or registry is gone, detaching does nothing.
class Subscription final
{
public:
    Subscription() = default;
    Subscription(std::weak_ptr<SubscriptionSource> list, std::uint64_t entry) noexcept :
        source(std::move(list)),
        id(entry)
    {
    }
    Subscription(Subscription&& other) noexcept : source(std::move(other.source)), id(std::exchange(other.id, 0)) {}
    Subscription& operator=(Subscription&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            source = std::move(other.source);
            id = std::exchange(other.id, 0);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }

    // Detaches now; later calls do nothing.
    void Reset() noexcept
    {
        if (const std::shared_ptr<SubscriptionSource> list = source.lock())
            list->Detach(id);
        source.reset();
        id = 0;
    }

    // Attached to an event or registry that still exists (it may have been removed from it by other means).
    [[nodiscard]] bool IsActive() const noexcept { return !source.expired(); }

private:
    std::weak_ptr<SubscriptionSource> source;
    std::uint64_t id = 0;
};

} // namespace Quarnel::Common
