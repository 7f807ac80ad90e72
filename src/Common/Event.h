#pragma once

#include "Common/EventAddHandler.h"
#include "Common/Handler.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace Quarnel::Common
{

// Multicast notification for one argument list. Handlers run synchronously in the order they were
// attached. While a call runs, additions wait in pendingAdds until it ends and removals only blank
// their entry, so the list being walked never changes under the walk:
//  - a handler added during a call is first called by the next call, after all earlier ones;
//  - a handler removed during a call before its turn is not called;
//  - a handler that throws ends the call at once; the error reaches the caller, nothing is cleaned up
//    and the event stays "calling", so additions keep waiting until a later call completes.
template <typename... Args>
class Event
{
public:
    using HandlerType = Handler<Args...>;

    Event() : addHandler(*this) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    ~Event() = default;

    [[nodiscard]] EventAddHandler<Args...>& GetAddHandler() { return addHandler; }

    // Count rises on every Add, even when an equal handler is already attached and the list stays as it is.
    void Add(HandlerType handler)
    {
        const std::lock_guard lock(Mutex());
        count = Wrap(static_cast<std::uint32_t>(count) + 1u);
        if (calling)
        {
            pendingAdds.push_back(std::make_shared<const HandlerType>(std::move(handler)));
            return;
        }
        if (FindIndex(handler) < handlers.size())
            return;
        handlers.push_back(std::make_shared<const HandlerType>(std::move(handler)));
    }

    // Blanks the first equal entry; a pending addition of the same handler is not touched. Count falls on
    // every Remove, attached or not, and may become negative.
    void Remove(const HandlerType& handler)
    {
        const std::lock_guard lock(Mutex());
        count = Wrap(static_cast<std::uint32_t>(count) - 1u);
        if (const std::size_t index = FindIndex(handler); index < handlers.size())
            handlers[index].reset();
    }

    template <auto Method, typename T>
    void Add(T* target)
    {
        Add(HandlerType::template Bind<Method>(target));
    }

    template <auto Method, typename T>
    void Remove(T* target)
    {
        Remove(HandlerType::template Bind<Method>(target));
    }

    // The number of Add calls minus the number of Remove calls.
    [[nodiscard]] int Count() const
    {
        const std::lock_guard lock(Mutex());
        return count;
    }

    void Call(Args... args)
    {
        const std::lock_guard lock(Mutex());
        calling = true;
        // The length is read again at every step: a handler that calls this event again may compact the
        // list. Each entry is held by a copy while it runs, so a handler that removes itself stays alive.
        for (std::size_t index = 0; index < handlers.size(); ++index)
        {
            const std::shared_ptr<const HandlerType> entry = handlers[index];
            if (entry)
                (*entry)(args...);
        }
        std::erase(handlers, nullptr);
        calling = false;
        // Pending handlers join without the duplicate test, so a handler that added itself is there twice.
        for (std::shared_ptr<const HandlerType>& pending : pendingAdds)
            handlers.push_back(std::move(pending));
        pendingAdds.clear();
    }

private:
    // One re-entrant lock per argument list, shared by every event of that list: handlers may call, add
    // to or remove from events on the same thread.
    static std::recursive_mutex& Mutex()
    {
        static std::recursive_mutex mutex;
        return mutex;
    }

    [[nodiscard]] static int Wrap(std::uint32_t value) { return static_cast<int>(value); }

    [[nodiscard]] std::size_t FindIndex(const HandlerType& handler) const
    {
        const auto found =
            std::ranges::find_if(handlers, [&](const auto& entry) { return entry && *entry == handler; });
        return static_cast<std::size_t>(found - handlers.begin());
    }

    // A null entry is a removed handler awaiting the clean-up at the end of the next call.
    std::vector<std::shared_ptr<const HandlerType>> handlers;
    std::vector<std::shared_ptr<const HandlerType>> pendingAdds;
    bool calling = false;
    EventAddHandler<Args...> addHandler;
    int count = 0;
};

} // namespace Quarnel::Common
