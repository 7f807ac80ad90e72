#pragma once

#include <cstdint>

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Input
{

class EventManager;
class InputHandler;
class InputManager;
class InputSubscription;
enum class EventType : std::int32_t;
enum class Keys : std::int32_t;

} // namespace Quarnel::GameEngine2D::Input
