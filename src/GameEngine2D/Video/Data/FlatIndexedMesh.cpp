#include "GameEngine2D/Video/Data/FlatIndexedMesh.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

namespace Quarnel::GameEngine2D::Video::Data
{

namespace
{

// A corner's place and texture coordinate, bit for bit: corners are shared only where they are exactly equal.
using CornerKey = std::array<std::uint32_t, 6>;

CornerKey KeyOf(const VertexRecord& position, const VertexRecord* coordinate)
{
    const VertexRecord none{0.0f, 0.0f, 0.0f};
    const VertexRecord& texture = coordinate != nullptr ? *coordinate : none;
    return {std::bit_cast<std::uint32_t>(position.x), std::bit_cast<std::uint32_t>(position.y),
            std::bit_cast<std::uint32_t>(position.z), std::bit_cast<std::uint32_t>(texture.x),
            std::bit_cast<std::uint32_t>(texture.y),  std::bit_cast<std::uint32_t>(texture.z)};
}

bool SameBits(const VertexRecord& a, const VertexRecord& b)
{
    return std::bit_cast<std::array<std::uint32_t, 3>>(a) == std::bit_cast<std::array<std::uint32_t, 3>>(b);
}

class Builder
{
public:
    Builder(std::span<const VertexRecord> cornerPositions, std::span<const VertexRecord> cornerNormals,
            std::span<const VertexRecord> cornerCoordinates) :
        positions(cornerPositions),
        normals(cornerNormals),
        coordinates(cornerCoordinates)
    {
    }

    FlatIndexedMesh Build()
    {
        mesh.indices.reserve(positions.size());
        for (std::size_t first = 0; first < positions.size(); first += 3)
        {
            const VertexRecord& normal = normals[first + 2];
            mesh.indices.push_back(Shared(first, normal));
            mesh.indices.push_back(Shared(first + 1, normal));
            mesh.indices.push_back(Provoking(first + 2, normal));
            AddPlane(first, normal);
        }
        return std::move(mesh);
    }

private:
    const VertexRecord* CoordinateAt(std::size_t corner) const
    {
        return coordinates.empty() ? nullptr : &coordinates[corner];
    }

    void AddPlane(std::size_t first, const VertexRecord& normal)
    {
        const float length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
        const VertexRecord unit = length > 0.0f ? VertexRecord{normal.x / length, normal.y / length, normal.z / length}
                                                : VertexRecord{0.0f, 0.0f, 0.0f};
        const VertexRecord& corner = positions[first];
        mesh.planes.push_back({unit.x, unit.y, unit.z, unit.x * corner.x + unit.y * corner.y + unit.z * corner.z});
        mesh.extent = std::max({mesh.extent, std::abs(corner.x), std::abs(corner.y), std::abs(corner.z)});
    }

    std::uint32_t Append(std::size_t corner, const VertexRecord& normal)
    {
        const auto index = static_cast<std::uint32_t>(mesh.positions.size());
        mesh.positions.push_back(positions[corner]);
        mesh.normals.push_back(normal);
        if (!coordinates.empty())
            mesh.coordinates.push_back(coordinates[corner]);
        lastOfTriangle.push_back(false);
        return index;
    }

    // Any vertex at the corner's place and coordinate will do: its normal is not used by this triangle.
    std::uint32_t Shared(std::size_t corner, const VertexRecord& normal)
    {
        const auto [found, added] = firstAt.try_emplace(KeyOf(positions[corner], CoordinateAt(corner)), 0u);
        if (added)
            found->second = Append(corner, normal);
        return found->second;
    }

    // The last corner colours the triangle: a vertex that no other triangle has claimed (its normal becomes this
    // one), one that ends triangles of this very normal, or else a new vertex.
    std::uint32_t Provoking(std::size_t corner, const VertexRecord& normal)
    {
        const std::uint32_t shared = Shared(corner, normal);
        if (!lastOfTriangle[shared])
        {
            lastOfTriangle[shared] = true;
            mesh.normals[shared] = normal;
            return shared;
        }
        if (SameBits(mesh.normals[shared], normal))
            return shared;
        const std::uint32_t own = Append(corner, normal);
        lastOfTriangle[own] = true;
        return own;
    }

    std::span<const VertexRecord> positions;
    std::span<const VertexRecord> normals;
    std::span<const VertexRecord> coordinates;
    FlatIndexedMesh mesh;
    std::map<CornerKey, std::uint32_t> firstAt;
    std::vector<bool> lastOfTriangle;
};

} // namespace

FlatIndexedMesh FlatIndexedMesh::FromTriangles(std::span<const VertexRecord> positions,
                                               std::span<const VertexRecord> normals,
                                               std::span<const VertexRecord> coordinates)
{
    if (positions.size() % 3 != 0 || normals.size() != positions.size() ||
        (!coordinates.empty() && coordinates.size() != positions.size()))
        throw std::invalid_argument("Dreiecke mit " + std::to_string(positions.size()) + " Ecken, " +
                                    std::to_string(normals.size()) + " Normalen und " +
                                    std::to_string(coordinates.size()) + " Texturkoordinaten");
    return Builder(positions, normals, coordinates).Build();
}

void FlatIndexedMesh::SelectFacing(const VertexRecord& eye, std::vector<std::uint32_t>& facing) const
{
    facing.clear();
    const float margin = 1e-3f * (std::abs(eye.x) + std::abs(eye.y) + std::abs(eye.z) + extent);
    for (std::size_t triangle = 0; triangle < planes.size(); ++triangle)
    {
        const std::array<float, 4>& plane = planes[triangle];
        // An eye at NaN keeps every triangle.
        if (plane[0] * eye.x + plane[1] * eye.y + plane[2] * eye.z - plane[3] < -margin)
            continue;
        const auto first = indices.begin() + static_cast<std::ptrdiff_t>(3 * triangle);
        facing.insert(facing.end(), first, first + 3);
    }
}

} // namespace Quarnel::GameEngine2D::Video::Data
