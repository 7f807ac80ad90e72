#pragma once

#include "GameEngine2D/Scene/BoneNode.h"
#include "GameEngine2D/Video/Data/Forward.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Scene
{

// A skinned mesh and the root bone of its skeleton. It is drawn triangle by triangle after its children, each corner
// bound to a bone moved by that bone's matrix. A corner's bone index counts the bones in creation order.
class DynamicMeshNode final : public BoneNode
{
public:
    // A null mesh: std::invalid_argument "mesh is null".
    DynamicMeshNode(std::string nodeName, Common::Point3D nodePosition,
                    std::shared_ptr<Video::Data::IndexedVertices> nodeMesh);
    ~DynamicMeshNode() override;

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;
    // Draws the mesh inside the node's transform, after the children, then pops what Update pushed.
    void EndUpdate(IGameEngine& gameEngine) override;

    [[nodiscard]] virtual std::shared_ptr<Video::Data::IndexedVertices> GetMesh() const;

    // Every bone of the skeleton in creation order.
    [[nodiscard]] const std::vector<std::shared_ptr<BoneNode>>& GetAllBones() const { return allBones; }
    // Called by AddBone of any bone of this skeleton.
    void RegisterBone(std::shared_ptr<BoneNode> bone);

private:
    void DrawMesh(Video::Engine& video);
    // Unlinks and forgets every bone: a bone that outlives this mesh must not reach it.
    void ReleaseBones();

    std::shared_ptr<Video::Data::IndexedVertices> mesh;
    std::vector<std::shared_ptr<BoneNode>> allBones;
};

} // namespace Quarnel::GameEngine2D::Scene
