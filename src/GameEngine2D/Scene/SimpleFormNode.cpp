#include "GameEngine2D/Scene/SimpleFormNode.h"

#include "GameEngine2D/Video/Data/IVertices.h"
#include "GameEngine2D/Video/Engine.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

namespace
{

Common::Point3D SizeOf(const std::shared_ptr<Video::Data::IVertices>& vertices)
{
    if (!vertices)
        throw std::invalid_argument("vertices is null");
    return vertices->GetSize();
}

} // namespace

SimpleFormNode::SimpleFormNode(std::string nodeName, Common::Point3D nodePosition, Video::BasicShapeType formShapeType,
                               std::shared_ptr<Video::Data::IVertices> formVertices) :
    Node(std::move(nodeName), nodePosition, SizeOf(formVertices)),
    vertices(std::move(formVertices)),
    shapeType(formShapeType)
{
}

void SimpleFormNode::DisposeNode(IGameEngine& gameEngine)
{
    vertices->Dispose(gameEngine.GetVideoEngine());
}

void SimpleFormNode::UpdateNode(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    video.BeginShape(shapeType);
    try
    {
        vertices->Draw(video);
    }
    catch (...)
    {
        // Close the begun primitive, so the failure does not leave OpenGL inside glBegin.
        video.EndShape();
        throw;
    }
    video.EndShape();
}

std::shared_ptr<Video::Data::IVertices> SimpleFormNode::GetVertices() const
{
    return vertices;
}

} // namespace Quarnel::GameEngine2D::Scene
