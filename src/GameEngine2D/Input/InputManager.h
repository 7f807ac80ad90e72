#pragma once

#include "Common/Subscription.h"
#include "Common/WalkedList.h"
#include "GameEngine2D/Input/InputHandler.h"
#include "GameEngine2D/Input/InputSubscription.h"

#include <memory>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D::Input
{

// The registry of input handlers. Every handler hears every event, in registration order; there is no focus
// and no consumption. Additions and removals wait for the start of the next Dispatch (WhileWalked::DeferAll), so a
// handler may add or remove handlers (itself included) while it is being called.
class InputManager final
{
public:
    explicit InputManager(std::string registryName);
    InputManager(const InputManager&) = delete;
    InputManager& operator=(const InputManager&) = delete;
    virtual ~InputManager() = default;

    // Registers `onInput` for `space` (none: the whole window, `inside` always false). Writes the information
    // line "AddInputHandler in <name>, space: <space>" and throws std::invalid_argument("onInput") for an empty
    // callback. The handler is called from the next Dispatch on, until its subscription goes.
    [[nodiscard]] virtual InputSubscription AddInputHandler(std::optional<Common::Rect> space,
                                                            InputHandler::Callback onInput);
    // The handler is no longer called from the next Dispatch on. Removing one that was never added does nothing.
    virtual void RemoveInputHandler(const InputSubscription& handler);
    // The active handlers; those waiting for the next Dispatch are not counted.
    [[nodiscard]] virtual int GetHandlerCount() const;
    virtual void Dispatch(EventType kind, const KeyState& keys, Common::Point2D mouse);

private:
    // Shared with the subscriptions (weakly) and with a running dispatch.
    struct Registry final : Common::SubscriptionSource
    {
        Common::WalkedList<InputHandler> handlers{Common::WhileWalked::DeferAll};

        void Detach(std::uint64_t entry) noexcept override { handlers.Detach(entry); }
    };

    std::shared_ptr<Registry> registry = std::make_shared<Registry>();
    std::string name;
};

} // namespace Quarnel::GameEngine2D::Input
