#include "GameEngine2D/Video/TriangleBatch.h"

#include "GameEngine2D/Video/Engine.h"

#include <cmath>
#include <epoxy/gl.h>
#include <numbers>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

Data::VertexRecord Turn(const TriangleBatch::Rotation& m, const Data::VertexRecord& v, float scale) noexcept
{
    return {scale * (m[0] * v.x + m[1] * v.y + m[2] * v.z), scale * (m[3] * v.x + m[4] * v.y + m[5] * v.z),
            scale * (m[6] * v.x + m[7] * v.y + m[8] * v.z)};
}

} // namespace

void TriangleBatch::AddIndexed(std::span<const Data::VertexRecord> meshPositions,
                               std::span<const Data::VertexRecord> meshNormals,
                               std::span<const Data::VertexRecord> meshCoordinates,
                               std::span<const std::uint32_t> meshIndices, const Rotation& rotation, float scale,
                               Common::Point3D offset)
{
    const auto base = static_cast<std::uint32_t>(positions.size());
    const float normalScale = scale != 0.0f ? 1.0f / scale : 0.0f;
    for (const Data::VertexRecord& position : meshPositions)
    {
        const Data::VertexRecord turned = Turn(rotation, position, scale);
        positions.push_back({turned.x + offset.X(), turned.y + offset.Y(), turned.z + offset.Z()});
    }
    for (const Data::VertexRecord& normal : meshNormals)
        normals.push_back(Turn(rotation, normal, normalScale));
    coordinates.insert(coordinates.end(), meshCoordinates.begin(), meshCoordinates.end());
    for (const std::uint32_t index : meshIndices)
        indices.push_back(base + index);
}

void TriangleBatch::AddFlat(const std::array<Data::VertexRecord, 3>& corners, Data::VertexRecord normal,
                            const Data::VertexRecord* coordinate)
{
    for (const Data::VertexRecord& corner : corners)
    {
        indices.push_back(static_cast<std::uint32_t>(positions.size()));
        positions.push_back(corner);
        normals.push_back(normal);
        if (coordinate != nullptr)
            coordinates.push_back(*coordinate);
    }
}

void TriangleBatch::Draw(Engine& engine, const Material& material) const
{
    if (indices.empty())
        return;
    engine.ApplyMaterial(material);
    // Every mesh of a batch has coordinates or none does; a mix draws without them.
    const bool textured = coordinates.size() == positions.size();
    // Pointers into main memory, not into a buffer: DrawBuffers leaves its last buffer bound.
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    glNormalPointer(GL_FLOAT, 0, normals.data());
    if (textured)
    {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(3, GL_FLOAT, 0, coordinates.data());
    }
    // Shared corners carry the normal of the triangles they end only: smooth shading would blend in the others.
    GLint shading = GL_FLAT;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    glShadeModel(GL_FLAT);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
    glShadeModel(static_cast<GLenum>(shading));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    if (textured)
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    engine.EndMaterial(material);
}

void TriangleBatch::Clear() noexcept
{
    positions.clear();
    normals.clear();
    coordinates.clear();
    indices.clear();
}

std::array<float, 16> TriangleBatch::CurrentProjection()
{
    std::array<float, 16> matrix{};
    glGetFloatv(GL_PROJECTION_MATRIX, matrix.data());
    return matrix;
}

TriangleBatch::Rotation TriangleBatch::RotationOf(Common::Point3D degrees) noexcept
{
    constexpr float Radians = std::numbers::pi_v<float> / 180.0f;
    const float sx = std::sin(degrees.X() * Radians);
    const float cx = std::cos(degrees.X() * Radians);
    const float sy = std::sin(degrees.Y() * Radians);
    const float cy = std::cos(degrees.Y() * Radians);
    const float sz = std::sin(degrees.Z() * Radians);
    const float cz = std::cos(degrees.Z() * Radians);
    // Rx · Ry · Rz: the vertex is turned about z first, then y, then x.
    return {cy * cz,
            -cy * sz,
            sy,
            sx * sy * cz + cx * sz,
            -sx * sy * sz + cx * cz,
            -sx * cy,
            -cx * sy * cz + sx * sz,
            cx * sy * sz + sx * cz,
            cx * cy};
}

} // namespace Quarnel::GameEngine2D::Video
