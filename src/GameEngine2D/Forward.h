#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D
{

class GameEngine;
class IAudioEngine;

} // namespace Quarnel::GameEngine2D
