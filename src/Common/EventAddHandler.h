#pragma once

#include "Common/Handler.h"
#include "Common/Subscription.h"

#include <functional>

namespace Quarnel::Common
{

template <typename... Args>
class Event;

// The subscription side of an Event: adding, removing and counting handlers, but never raising.
// Owners keep the Event and hand out this facade (the On... operations return it).
template <typename... Args>
class EventAddHandler final
{
public:
    using HandlerType = Handler<Args...>;

    explicit EventAddHandler(Event<Args...>& frontedEvent) : event(&frontedEvent) {}
    EventAddHandler(const EventAddHandler&) = delete;
    EventAddHandler& operator=(const EventAddHandler&) = delete;

    void Add(HandlerType handler) { event->Add(std::move(handler)); }
    void Remove(const HandlerType& handler) { event->Remove(handler); }
    [[nodiscard]] int Count() const { return event->Count(); }
    [[nodiscard]] Subscription Subscribe(HandlerType handler) { return event->Subscribe(std::move(handler)); }
    [[nodiscard]] Subscription Subscribe(std::function<void(Args...)> callback)
    {
        return event->Subscribe(std::move(callback));
    }

    // Shorthand for Handler::Bind: Subscribe<&Panel::OnClick>(this).
    template <auto Method, typename T>
    [[nodiscard]] Subscription Subscribe(T* target)
    {
        return Subscribe(HandlerType::template Bind<Method>(target));
    }

private:
    Event<Args...>* event;
};

} // namespace Quarnel::Common

// The facade's operations need the whole Event; including it here lets users include either header.
#include "Common/Event.h"
