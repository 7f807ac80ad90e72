#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Helper
{

class InfoFrame;
class NodeFadeTransparent;

} // namespace Quarnel::GameEngine2D::Helper
