#include "GameEngine2D/Video/Data/SingleVertices.h"

#include "GameEngine2D/Video/Data/ColoredVertex.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace Quarnel::GameEngine2D::Video::Data
{

namespace
{

void CheckSlot(std::size_t index, std::size_t count)
{
    if (index >= count)
        throw std::out_of_range("vertex slot " + std::to_string(index) + " outside a list of " + std::to_string(count));
}

} // namespace

void SingleVertices::Dispose(Engine& /*engine*/)
{
    vertices.clear();
}

Common::Point3D SingleVertices::GetSize() const
{
    // The running extremes start at 0, so the origin always lies inside the measured box.
    float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f, minZ = 0.0f, maxZ = 0.0f;
    for (const auto& vertex : vertices)
    {
        if (!vertex)
            continue;
        const Common::Point3D position = vertex->GetPosition();
        minX = std::min(minX, position.X());
        maxX = std::max(maxX, position.X());
        minY = std::min(minY, position.Y());
        maxY = std::max(maxY, position.Y());
        minZ = std::min(minZ, position.Z());
        maxZ = std::max(maxZ, position.Z());
    }
    return Common::Point3D(maxX - minX, maxY - minY, maxZ - minZ);
}

void SingleVertices::Set(std::size_t index, Common::Point3D position)
{
    CheckSlot(index, vertices.size());
    vertices[index] = std::make_shared<Vertex>(position);
}

void SingleVertices::Set(std::size_t index, Common::Point3D position, Common::Color color)
{
    CheckSlot(index, vertices.size());
    vertices[index] = std::make_shared<ColoredVertex>(position, color);
}

std::shared_ptr<Vertex> SingleVertices::Get(std::size_t index) const
{
    CheckSlot(index, vertices.size());
    return vertices[index];
}

void SingleVertices::Draw(Engine& engine)
{
    for (const auto& vertex : vertices)
        if (vertex)
            vertex->Draw(engine);
}

} // namespace Quarnel::GameEngine2D::Video::Data
