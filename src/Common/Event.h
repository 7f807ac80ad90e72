#pragma once

#include "Common/EventAddHandler.h"
#include "Common/Handler.h"
#include "Common/Subscription.h"
#include "Common/WalkedList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace Quarnel::Common
{

// Multicast notification for one argument list. Handlers run synchronously in the order they were attached.
// While a call runs, additions wait until it ends and removals only blank their entry (WhileWalked::DeferAdditions):
//  - a handler added during a call is first called by the next call, after all earlier ones;
//  - a handler removed during a call before its turn is not called;
//  - a handler that throws ends the call at once; the error reaches the caller, nothing is cleaned up and the event
//    stays "calling", so additions keep waiting until a later call completes.
// A handler attached through Subscribe stays until its subscription goes; the event may go first, and a handler may
// even destroy the event that is calling it.
template <typename... Args>
class Event final
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
        State& current = Current();
        current.count = Wrap(static_cast<std::uint32_t>(current.count) + 1u);
        if (!current.handlers.IsWalked() && current.handlers.Find(Equal(handler)))
            return;
        current.handlers.Add(std::make_shared<const HandlerType>(std::move(handler)));
    }

    // Blanks the first equal entry; a pending addition of the same handler is not touched. Count falls on
    // every Remove, attached or not, and may become negative.
    void Remove(const HandlerType& handler)
    {
        const std::lock_guard lock(Mutex());
        State& current = Current();
        current.count = Wrap(static_cast<std::uint32_t>(current.count) - 1u);
        current.handlers.Remove(Equal(handler));
    }

    // Attaches the handler (never merged with an equal one) until the returned subscription goes; counts as an Add,
    // and detaching it as a Remove.
    [[nodiscard]] Subscription Subscribe(HandlerType handler)
    {
        const std::lock_guard lock(Mutex());
        State& current = Current();
        current.count = Wrap(static_cast<std::uint32_t>(current.count) + 1u);
        const std::uint64_t id = current.handlers.Add(std::make_shared<const HandlerType>(std::move(handler)));
        return Subscription(state, id);
    }

    [[nodiscard]] Subscription Subscribe(std::function<void(Args...)> callback)
    {
        return Subscribe(HandlerType(std::move(callback)));
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
        return state ? state->count : 0;
    }

    void Call(Args... args)
    {
        const std::lock_guard lock(Mutex());
        // Held for the whole call: a handler may destroy this event, and each entry is held while it runs, so a
        // handler that removes itself stays alive until it returns.
        const std::shared_ptr<State> calling = state;
        if (calling)
            calling->handlers.ForEach([&](const HandlerType& handler) { handler(args...); });
    }

private:
    // Shared with the subscriptions (weakly) and with a running call.
    struct State final : SubscriptionSource
    {
        WalkedList<const HandlerType> handlers{WhileWalked::DeferAdditions};
        int count = 0;

        void Detach(std::uint64_t entry) noexcept override
        {
            const std::lock_guard lock(Mutex());
            if (handlers.Detach(entry))
                count = Wrap(static_cast<std::uint32_t>(count) - 1u);
        }
    };

    // One re-entrant lock per argument list, shared by every event of that list: handlers may call, add to or remove
    // from events on the same thread.
    static std::recursive_mutex& Mutex()
    {
        static std::recursive_mutex mutex;
        return mutex;
    }

    [[nodiscard]] static int Wrap(std::uint32_t value) { return static_cast<int>(value); }

    [[nodiscard]] static auto Equal(const HandlerType& handler)
    {
        return [&handler](const HandlerType& entry) { return entry == handler; };
    }

    // Made on first use: most events (every node has one) never get a handler.
    State& Current()
    {
        if (!state)
            state = std::make_shared<State>();
        return *state;
    }

    std::shared_ptr<State> state;
    EventAddHandler<Args...> addHandler;
};

} // namespace Quarnel::Common
