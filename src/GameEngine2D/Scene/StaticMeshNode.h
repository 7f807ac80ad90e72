#pragma once

#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/Data/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Scene
{

// A mesh kept in vertex buffers, drawn with its material in one call per frame. The node borrows the mesh: the buffers
// belong to the video engine's vertex buffers until the engine shuts down.
class StaticMeshNode final : public Node
{
public:
    // A null mesh: std::invalid_argument "mesh is null".
    StaticMeshNode(std::string nodeName, Common::Point3D nodePosition, std::shared_ptr<Video::Data::MeshData> nodeMesh);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    // Back faces are drawn too while set: culling is off during this mesh's own drawing only.
    virtual void SetTwoSided(bool value);
    // Draws the buffers as line strips instead of triangles while set.
    virtual void SetWireframe(bool value);
    [[nodiscard]] virtual std::shared_ptr<Video::Data::MeshData> GetMesh() const;

private:
    std::shared_ptr<Video::Data::MeshData> mesh;
    bool twoSided = false;
    bool wireframe = false;
};

} // namespace Quarnel::GameEngine2D::Scene
