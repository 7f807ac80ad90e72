#pragma once

#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Scene/Node.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Scene
{

// One joint of a skinned mesh's skeleton. Its matrix, the bone's transform relative to the mesh origin, is recomputed
// every frame by its parent bone; the corners bound to it follow. Bones are ordinary child nodes of their parent bone
// as well, so the node tree owns them; a bone only observes its mesh, which unlinks its bones when it is disposed or
// destroyed.
class BoneNode : public Node
{
public:
    // A null mesh: the bone is the mesh itself (DynamicMeshNode), or belongs to none.
    BoneNode(std::string nodeName, Common::Point3D nodePosition, DynamicMeshNode* ownerMesh);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    // A new bone of the same mesh under this one: a child bone, a child node and the next entry of the mesh's list of
    // all bones. Throws std::runtime_error once the mesh has let go of its bones.
    virtual std::shared_ptr<BoneNode> AddBone(const std::string& boneName, Common::Point3D bonePosition);
    // Computes the matrix of every child bone (and, through them, of the whole sub-skeleton) from the current modelview
    // matrix.
    virtual void UpdateBones(IGameEngine& gameEngine);
    [[nodiscard]] virtual std::array<float, 16> GetMatrix() const;

    // Called by the mesh when it lets go of its bones.
    void LeaveMesh() { owner = nullptr; }

private:
    // The mesh this bone belongs to; for the mesh itself, the mesh.
    [[nodiscard]] DynamicMeshNode* OwnerMesh();
    void ComputeMatrix(IGameEngine& gameEngine);

    std::array<float, 16> matrix{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                                 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    DynamicMeshNode* owner;
    std::vector<std::shared_ptr<BoneNode>> bones;
};

} // namespace Quarnel::GameEngine2D::Scene
