#include "GameEngine2D/Input/InputManager.h"

#include "Common/MyLog.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Input
{

InputManager::InputManager(std::string registryName) : name(std::move(registryName)) {}

InputSubscription InputManager::AddInputHandler(std::optional<Common::Rect> space, InputHandler::Callback onInput)
{
    Common::MyLog::Info("AddInputHandler in " + name + ", space: " + (space ? space->ToString() : "all"));
    if (!onInput)
        throw std::invalid_argument("onInput");
    auto handler = std::make_shared<InputHandler>(std::move(space), std::move(onInput));
    const std::uint64_t id = registry->handlers.Add(handler);
    return {std::move(handler), Common::Subscription(registry, id)};
}

void InputManager::RemoveInputHandler(const InputSubscription& handler)
{
    const InputHandler* removed = handler.Handler().get();
    registry->handlers.Remove([removed](const InputHandler& entry) { return &entry == removed; });
}

int InputManager::GetHandlerCount() const
{
    return static_cast<int>(registry->handlers.Size());
}

void InputManager::Dispatch(EventType kind, const KeyState& keys, Common::Point2D mouse)
{
    // Held for the whole dispatch: a handler may destroy the manager that is calling it.
    const std::shared_ptr<Registry> dispatching = registry;
    dispatching->handlers.ForEach(
        [&](const InputHandler& handler) { handler.Call(handler.IsInside(mouse), kind, keys, mouse); });
}

} // namespace Quarnel::GameEngine2D::Input
