#pragma once

#include "Common/Subscription.h"
#include "GameEngine2D/Input/InputHandler.h"

#include <memory>
#include <utility>

namespace Quarnel::GameEngine2D::Input
{

// A handler's registration with an input manager, as AddInputHandler returns it; its owner keeps it as a member.
// Destroying or resetting it takes the handler out at once, so the handler is not called again, not even later in
// a dispatch that is running; RemoveInputHandler instead takes it out at the start of the next dispatch.
class InputSubscription final
{
public:
    InputSubscription() = default;
    InputSubscription(std::shared_ptr<InputHandler> registered, Common::Subscription registration) :
        handler(std::move(registered)),
        subscription(std::move(registration))
    {
    }

    // The registered handler, for moving its area (SetSpace).
    [[nodiscard]] InputHandler* operator->() const { return handler.get(); }
    [[nodiscard]] const std::shared_ptr<InputHandler>& Handler() const { return handler; }
    [[nodiscard]] explicit operator bool() const { return handler != nullptr; }

    void Reset()
    {
        subscription.Reset();
        handler.reset();
    }

private:
    std::shared_ptr<InputHandler> handler;
    // Declared after the handler so that it detaches first.
    Common::Subscription subscription;
};

} // namespace Quarnel::GameEngine2D::Input
