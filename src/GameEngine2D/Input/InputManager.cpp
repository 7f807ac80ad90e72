#include "GameEngine2D/Input/InputManager.h"

#include "Common/MyLog.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Input
{

namespace
{

// Erases the first occurrence of `handler`; returns whether there was one.
bool EraseFirst(std::vector<std::shared_ptr<InputHandler>>& list, const std::shared_ptr<InputHandler>& handler)
{
    const auto found = std::find(list.begin(), list.end(), handler);
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

// Keeps the dispatch depth right when a handler throws.
class DispatchScope
{
public:
    explicit DispatchScope(int& counter) : depth(counter) { ++depth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
    ~DispatchScope() { --depth; }

private:
    int& depth;
};

} // namespace

InputManager::InputManager(std::string registryName) : name(std::move(registryName)) {}

std::shared_ptr<InputHandler> InputManager::AddInputHandler(std::optional<Common::Rect> space,
                                                            InputHandler::Callback onInput)
{
    Common::MyLog::Info("AddInputHandler in " + name + ", space: " + (space ? space->ToString() : "all"));
    if (!onInput)
        throw std::invalid_argument("onInput");
    auto handler = std::make_shared<InputHandler>(std::move(space), std::move(onInput));
    pendingAdditions.push_back(handler);
    return handler;
}

void InputManager::RemoveInputHandler(const std::shared_ptr<InputHandler>& handler)
{
    // A handler removed before it ever became active is simply not activated: queuing the removal would run
    // before the addition at the next Dispatch and leave the handler registered for good.
    if (EraseFirst(pendingAdditions, handler))
        return;
    pendingRemovals.push_back(handler);
}

int InputManager::GetHandlerCount() const
{
    return static_cast<int>(handlers.size());
}

void InputManager::ApplyPendingChanges()
{
    for (const auto& handler : pendingRemovals)
        EraseFirst(handlers, handler);
    pendingRemovals.clear();
    handlers.insert(handlers.end(), pendingAdditions.begin(), pendingAdditions.end());
    pendingAdditions.clear();
}

void InputManager::Dispatch(EventType kind, const KeyState& keys, Common::Point2D mouse)
{
    // A nested Dispatch (a handler feeding an event back in) must not change the list the outer one walks.
    if (dispatching == 0)
        ApplyPendingChanges();
    const DispatchScope scope(dispatching);
    // The list cannot change during the walk, so plain indexes stay valid.
    for (std::size_t index = 0; index < handlers.size(); ++index)
    {
        const InputHandler& handler = *handlers[index];
        handler.Call(handler.IsInside(mouse), kind, keys, mouse);
    }
}

} // namespace Quarnel::GameEngine2D::Input
