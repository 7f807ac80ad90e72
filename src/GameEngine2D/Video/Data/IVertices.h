#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Video/Forward.h"

namespace Quarnel::GameEngine2D::Video::Data
{

// A set of vertices a node can draw and measure: single shape points or an indexed mesh.
class IVertices
{
public:
    virtual ~IVertices() = default;
    virtual void Dispose(Engine& engine) = 0;
    virtual void Draw(Engine& engine) = 0;
    [[nodiscard]] virtual Common::Point3D GetSize() const = 0;

protected:
    IVertices() = default;
    IVertices(const IVertices&) = default;
    IVertices& operator=(const IVertices&) = default;
};

} // namespace Quarnel::GameEngine2D::Video::Data
