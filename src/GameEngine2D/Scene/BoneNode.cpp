#include "GameEngine2D/Scene/BoneNode.h"

#include "GameEngine2D/Scene/DynamicMeshNode.h"
#include "GameEngine2D/Video/Engine.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

BoneNode::BoneNode(std::string nodeName, Common::Point3D nodePosition, DynamicMeshNode* ownerMesh) :
    Node(std::move(nodeName), nodePosition, std::nullopt),
    owner(ownerMesh)
{
}

void BoneNode::DisposeNode(IGameEngine&)
{
    // The bones themselves are child nodes too and are disposed by the node tree.
    bones.clear();
}

void BoneNode::UpdateNode(IGameEngine&) {}

DynamicMeshNode* BoneNode::OwnerMesh()
{
    // The mesh is the root bone of its own skeleton.
    return owner != nullptr ? owner : dynamic_cast<DynamicMeshNode*>(this);
}

std::shared_ptr<BoneNode> BoneNode::AddBone(const std::string& boneName, Common::Point3D bonePosition)
{
    DynamicMeshNode* const mesh = OwnerMesh();
    if (mesh == nullptr)
        throw std::runtime_error("Bone " + GetName() + " belongs to no mesh any more; " + boneName + " not added");
    auto bone = std::make_shared<BoneNode>(boneName, bonePosition, mesh);
    bones.push_back(bone);
    AddChild(bone);
    mesh->RegisterBone(bone);
    return bone;
}

void BoneNode::UpdateBones(IGameEngine& gameEngine)
{
    for (const auto& bone : bones)
        bone->ComputeMatrix(gameEngine);
}

void BoneNode::ComputeMatrix(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    video.PushTransform(GetPosition(), GetRotation(), GetScale());
    try
    {
        matrix = video.GetModelViewMatrix();
        // The child bones compose onto this bone's transform.
        UpdateBones(gameEngine);
    }
    catch (...)
    {
        video.PopTransform();
        throw;
    }
    video.PopTransform();
}

std::array<float, 16> BoneNode::GetMatrix() const
{
    return matrix;
}

} // namespace Quarnel::GameEngine2D::Scene
