#include "GameEngine2D/Scene/Mesh123Node.h"

#include "GameEngine2D/Video/Data/IVertices.h"
#include "GameEngine2D/Video/Engine.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

Mesh123Node::Mesh123Node(std::string nodeName, Common::Point3D nodePosition,
                         std::shared_ptr<Video::Data::IVertices> meshVertices) :
    Node(std::move(nodeName), nodePosition, std::nullopt),
    vertices(std::move(meshVertices))
{
    if (!vertices)
        throw std::invalid_argument("vertices is null");
}

void Mesh123Node::DisposeNode(IGameEngine& gameEngine)
{
    vertices->Dispose(gameEngine.GetVideoEngine());
}

void Mesh123Node::UpdateNode(IGameEngine& gameEngine)
{
    vertices->Draw(gameEngine.GetVideoEngine());
}

std::shared_ptr<Video::Data::IVertices> Mesh123Node::GetVertices() const
{
    return vertices;
}

} // namespace Quarnel::GameEngine2D::Scene
