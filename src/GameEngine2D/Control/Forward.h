#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Control
{

class CameraControl;

} // namespace Quarnel::GameEngine2D::Control
