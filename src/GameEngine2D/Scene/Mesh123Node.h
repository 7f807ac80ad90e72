#pragma once

#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/Data/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Scene
{

// A node around a vertex set that draws and cleans up itself; the engine never creates one.
class Mesh123Node final : public Node
{
public:
    // Null vertices: std::invalid_argument "vertices is null".
    Mesh123Node(std::string nodeName, Common::Point3D nodePosition,
                std::shared_ptr<Video::Data::IVertices> meshVertices);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    [[nodiscard]] virtual std::shared_ptr<Video::Data::IVertices> GetVertices() const;

private:
    std::shared_ptr<Video::Data::IVertices> vertices;
};

} // namespace Quarnel::GameEngine2D::Scene
