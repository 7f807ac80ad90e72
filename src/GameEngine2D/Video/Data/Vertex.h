#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Video/Forward.h"

namespace Quarnel::GameEngine2D::Video::Data
{

// One point of a shape drawn between the engine's BeginShape and EndShape.
class Vertex
{
public:
    explicit Vertex(Common::Point3D vertexPosition) noexcept : position(vertexPosition) {}
    virtual ~Vertex() = default;
    Vertex(const Vertex&) = delete;
    Vertex& operator=(const Vertex&) = delete;

    virtual void Draw(Engine& engine);
    virtual void SetPosition(Common::Point3D newPosition) { position = newPosition; }
    [[nodiscard]] virtual Common::Point3D GetPosition() const { return position; }

private:
    Common::Point3D position;
};

} // namespace Quarnel::GameEngine2D::Video::Data
