#include "GameEngine2D/Scene/DynamicMeshNode.h"

#include "Common/CheckedIndex.h"
#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/MathW.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"

#include <array>
#include <span>
#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

namespace
{

// The record a corner index selects; an index beyond the list is a fault of the mesh data.
const Video::Data::VertexRecord& At(const std::vector<Video::Data::VertexRecord>& records, int index)
{
    return Common::CheckedAt(records, index, [index] {
        return "DynamicMeshNode: corner index " + std::to_string(index) + " outside the mesh";
    });
}

} // namespace

DynamicMeshNode::DynamicMeshNode(std::string nodeName, Common::Point3D nodePosition,
                                 std::shared_ptr<Video::Data::IndexedVertices> nodeMesh) :
    BoneNode(std::move(nodeName), nodePosition, nullptr),
    mesh(std::move(nodeMesh))
{
    if (!mesh)
        throw std::invalid_argument("mesh is null");
}

DynamicMeshNode::~DynamicMeshNode()
{
    ReleaseBones();
}

void DynamicMeshNode::ReleaseBones()
{
    for (const auto& bone : allBones)
        bone->LeaveMesh();
    allBones.clear();
}

void DynamicMeshNode::DisposeNode(IGameEngine& gameEngine)
{
    ReleaseBones();
    mesh->Dispose(gameEngine.GetVideoEngine());
}

void DynamicMeshNode::UpdateNode(IGameEngine&) {}

void DynamicMeshNode::EndUpdate(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    // From the identity, every bone's matrix comes out relative to the mesh origin.
    video.PushIdentity();
    try
    {
        UpdateBones(gameEngine);
    }
    catch (...)
    {
        video.PopMatrix();
        throw;
    }
    video.PopMatrix();
    DrawMesh(video);
    Node::EndUpdate(gameEngine);
}

void DynamicMeshNode::DrawMesh(Video::Engine& video)
{
    const auto& positions = mesh->GetPositions();
    const auto& normals = mesh->GetNormals();
    const auto& textureCoordinates = mesh->GetTextureCoordinates();
    std::array<Video::Data::VertexRecord, 3> cornerPositions;
    std::array<Video::Data::VertexRecord, 3> cornerNormals;
    std::array<Video::Data::VertexRecord, 3> cornerCoordinates;
    for (const Video::Data::FaceGroup& group : mesh->GetFaceGroups())
    {
        if (group.material)
            video.ApplyMaterial(*group.material);
        // A corner without normals (or coordinates) switches them off for the rest of its group.
        bool hasNormals = true;
        bool hasCoordinates = true;
        for (const Video::Data::Face& face : group.faces)
        {
            if (face.indices.size() < 3)
                throw std::out_of_range("DynamicMeshNode: a face needs three corners");
            for (std::size_t corner = 0; corner < 3; ++corner)
            {
                const Video::Data::Index& index = face.indices[corner];
                cornerPositions[corner] = At(positions, index.vertex);
                if (index.normal == -1)
                {
                    cornerNormals[corner] = {};
                    hasNormals = false;
                }
                else
                    cornerNormals[corner] = At(normals, index.normal);
                if (index.texture == -1)
                {
                    cornerCoordinates[corner] = {};
                    hasCoordinates = false;
                }
                else
                    cornerCoordinates[corner] = At(textureCoordinates, index.texture);
                if (index.bone > -1)
                {
                    const BoneNode& bone = *Common::CheckedAt(allBones, index.bone, [&index] {
                        return "DynamicMeshNode: bone index " + std::to_string(index.bone) + " outside the skeleton";
                    });
                    cornerPositions[corner] = Video::Data::MathW::Transform(bone.GetMatrix(), cornerPositions[corner]);
                }
            }
            video.DrawTriangle(cornerPositions,
                               hasCoordinates ? std::span<const Video::Data::VertexRecord>(cornerCoordinates)
                                              : std::span<const Video::Data::VertexRecord>(),
                               hasNormals ? std::span<const Video::Data::VertexRecord>(cornerNormals)
                                          : std::span<const Video::Data::VertexRecord>());
        }
        if (group.material)
            video.EndMaterial(*group.material);
    }
}

std::shared_ptr<Video::Data::IndexedVertices> DynamicMeshNode::GetMesh() const
{
    return mesh;
}

void DynamicMeshNode::RegisterBone(std::shared_ptr<BoneNode> bone)
{
    allBones.push_back(std::move(bone));
}

} // namespace Quarnel::GameEngine2D::Scene
