#pragma once

#include "GameEngine2D/Input/InputHandler.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Input
{

// The registry of input handlers. Every handler hears every event, in registration order; there is no focus
// and no consumption. Additions and removals wait for the start of the next Dispatch, so a handler may add or
// remove handlers (itself included) while it is being called.
class InputManager
{
public:
    explicit InputManager(std::string registryName);
    InputManager(const InputManager&) = delete;
    InputManager& operator=(const InputManager&) = delete;
    virtual ~InputManager() = default;

    // Registers `onInput` for `space` (none: the whole window, `inside` always false). Writes the information
    // line "AddInputHandler in <name>, space: <space>" and throws std::invalid_argument("onInput") for an empty
    // callback. The handler is called from the next Dispatch on; keep it to remove it later.
    virtual std::shared_ptr<InputHandler> AddInputHandler(std::optional<Common::Rect> space,
                                                          InputHandler::Callback onInput);
    // The handler is no longer called from the next Dispatch on. Removing one that was never added does nothing.
    virtual void RemoveInputHandler(const std::shared_ptr<InputHandler>& handler);
    // The active handlers; those waiting for the next Dispatch are not counted.
    [[nodiscard]] virtual int GetHandlerCount() const;
    virtual void Dispatch(EventType kind, const KeyState& keys, Common::Point2D mouse);

private:
    void ApplyPendingChanges();

    std::vector<std::shared_ptr<InputHandler>> handlers;
    std::vector<std::shared_ptr<InputHandler>> pendingRemovals;
    std::vector<std::shared_ptr<InputHandler>> pendingAdditions;
    std::string name;
    // Depth of running Dispatch calls: the handler list is changed only when no dispatch walks it.
    int dispatching = 0;
};

} // namespace Quarnel::GameEngine2D::Input
