#pragma once

#include "Common/Point3D.h"

namespace Quarnel::Common
{

// The one side of a node that movers see: physics masses and move animations read and replace the position
// through it and never touch the rest of the node. It lives here, below both the physics and the scene graph.
class IMoveable
{
public:
    IMoveable() = default;
    IMoveable(const IMoveable&) = delete;
    IMoveable& operator=(const IMoveable&) = delete;
    virtual ~IMoveable() = default;

    [[nodiscard]] virtual Point3D GetPosition() const = 0;
    virtual void SetPosition(Point3D position) = 0;
};

} // namespace Quarnel::Common
