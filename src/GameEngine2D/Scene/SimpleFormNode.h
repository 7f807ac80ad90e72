#pragma once

#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/BasicShapeType.h"
#include "GameEngine2D/Video/Data/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Scene
{

// A shape drawn from a vertex set as one primitive of the given type; its size is the vertex set's extent.
class SimpleFormNode final : public Node
{
public:
    // Null vertices: std::invalid_argument "vertices is null".
    SimpleFormNode(std::string nodeName, Common::Point3D nodePosition, Video::BasicShapeType formShapeType,
                   std::shared_ptr<Video::Data::IVertices> formVertices);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    [[nodiscard]] virtual std::shared_ptr<Video::Data::IVertices> GetVertices() const;

private:
    std::shared_ptr<Video::Data::IVertices> vertices;
    Video::BasicShapeType shapeType;
};

} // namespace Quarnel::GameEngine2D::Scene
