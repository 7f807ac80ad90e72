#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/Forward.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

// Triangles of many small meshes gathered in one frame, each placed by its own rotation, uniform scale and offset, and
// drawn with one material in a single call. The software renderer's cost is mostly per draw call and per state change,
// so a thousand small bodies drawn as one batch cost little more than one.
//
// The arrays keep their capacity from frame to frame: once the largest frame has been seen, gathering and drawing
// allocate nothing.
class TriangleBatch final
{
public:
    // Row-major 3 × 3 rotation.
    using Rotation = std::array<float, 9>;

    // A mesh, `indices` naming three of its corners per triangle (coordinates may be empty), moved to
    // offset + rotation × (scale × position). Normals are turned alike and divided by `scale`, which is what the fixed
    // pipeline does to them under a scaled transform without normalising: the batch is lit as the mesh drawn on its
    // own would be. The batch is drawn with flat shading, so each triangle's last corner must carry its normal
    // (unrolled triangles do; Data::FlatIndexedMesh shares the others).
    void AddIndexed(std::span<const Data::VertexRecord> positions, std::span<const Data::VertexRecord> normals,
                    std::span<const Data::VertexRecord> coordinates, std::span<const std::uint32_t> indices,
                    const Rotation& rotation, float scale, Common::Point3D offset);
    // One triangle whose three corners share `normal` and, when `coordinate` is given, one texture coordinate: a flat
    // facet of a single colour, already in place. A batch mixing this with textured meshes must give coordinates.
    void AddFlat(const std::array<Data::VertexRecord, 3>& corners, Data::VertexRecord normal,
                 const Data::VertexRecord* coordinate);
    // Applies `material`, draws every gathered triangle in the current transform with flat shading (each triangle
    // coloured by its last corner), ends the material.
    void Draw(Engine& engine, const Material& material) const;
    // Forgets the triangles, keeps the memory.
    void Clear() noexcept;

    [[nodiscard]] bool IsEmpty() const noexcept { return indices.empty(); }
    [[nodiscard]] std::size_t GetIndexCount() const noexcept { return indices.size(); }

    // The projection matrix the batch will be drawn with (column-major), to judge sizes on the screen.
    [[nodiscard]] static std::array<float, 16> CurrentProjection();
    // The rotation glRotatef applies for angles (degrees) about x, then y, then z.
    [[nodiscard]] static Rotation RotationOf(Common::Point3D degrees) noexcept;

private:
    std::vector<Data::VertexRecord> positions;
    std::vector<Data::VertexRecord> normals;
    std::vector<Data::VertexRecord> coordinates;
    // Three per triangle, into the arrays above.
    std::vector<std::uint32_t> indices;
};

} // namespace Quarnel::GameEngine2D::Video
