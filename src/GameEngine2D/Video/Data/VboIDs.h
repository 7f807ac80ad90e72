#pragma once

#include <cstdint>

namespace Quarnel::GameEngine2D::Video::Data
{

// The vertex-buffer names of one uploaded mesh. The engine's vertex buffers own them and delete them at shut-down; this
// record only names them, so copies of a mesh share one set of buffers.
class VboIDs final
{
public:
    VboIDs() = default;
    VboIDs(int vertexCount, std::uint32_t verticesName, std::uint32_t normalsName,
           std::uint32_t textureCoordinatesName) noexcept :
        vertices(verticesName),
        normals(normalsName),
        textureCoordinates(textureCoordinatesName),
        count(vertexCount)
    {
    }

    std::uint32_t vertices = 0;
    std::uint32_t normals = 0;
    // 0 when the mesh has no texture coordinates.
    std::uint32_t textureCoordinates = 0;
    // Number of vertices in each buffer (three per triangle).
    int count = 0;
};

} // namespace Quarnel::GameEngine2D::Video::Data
