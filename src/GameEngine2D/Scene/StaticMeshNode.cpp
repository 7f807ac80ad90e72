#include "GameEngine2D/Scene/StaticMeshNode.h"

#include "GameEngine2D/Video/Data/MeshData.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

StaticMeshNode::StaticMeshNode(std::string nodeName, Common::Point3D nodePosition,
                               std::shared_ptr<Video::Data::MeshData> nodeMesh) :
    Node(std::move(nodeName), nodePosition, std::nullopt),
    mesh(std::move(nodeMesh))
{
    if (!mesh)
        throw std::invalid_argument("mesh is null");
}

void StaticMeshNode::DisposeNode(IGameEngine&) {}

void StaticMeshNode::UpdateNode(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    const std::shared_ptr<Video::Material> material = mesh->GetMaterial();
    if (twoSided)
        video.SetCullFace(false);
    if (material)
        video.ApplyMaterial(*material);
    video.DrawBuffers(wireframe ? Video::BasicShapeType::LineStrip : Video::BasicShapeType::Triangles,
                      mesh->GetBuffers());
    if (material)
        video.EndMaterial(*material);
    if (twoSided)
        video.SetCullFace(true);
}

void StaticMeshNode::SetTwoSided(bool value)
{
    twoSided = value;
}

void StaticMeshNode::SetWireframe(bool value)
{
    wireframe = value;
}

std::shared_ptr<Video::Data::MeshData> StaticMeshNode::GetMesh() const
{
    return mesh;
}

} // namespace Quarnel::GameEngine2D::Scene
