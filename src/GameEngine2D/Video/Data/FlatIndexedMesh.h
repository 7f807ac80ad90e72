#pragma once

#include "GameEngine2D/Video/Data/VertexRecord.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace Quarnel::GameEngine2D::Video::Data
{

// A flat-shaded triangle mesh whose triangles share their corners. Under flat shading a triangle takes its colour
// from its last corner alone, so only that corner must carry the triangle's normal: the others may be any vertex at
// the same place with the same texture coordinate. Each triangle keeps its corners in their order, and its last
// corner is a vertex of its own unless an earlier triangle with the same normal already ended there. A sphere of T
// triangles then needs about T vertices instead of 3T, and the renderer lights a third as many, while every triangle
// is drawn exactly as its unrolled corners draw it.
struct FlatIndexedMesh
{
    std::vector<VertexRecord> positions;
    std::vector<VertexRecord> normals;
    // Empty when the triangles had none.
    std::vector<VertexRecord> coordinates;
    // Three per triangle.
    std::vector<std::uint32_t> indices;
    // Each triangle's plane: its unit normal n (from the last corner) and n · its first corner.
    std::vector<std::array<float, 4>> planes;
    // The largest coordinate of any corner: how far the triangles reach from the origin.
    float extent = 0.0f;

    // From unrolled triangles (three corners each; the normal of a triangle is the one at its last corner).
    // Coordinates may be empty; std::invalid_argument when the lists do not match or are not whole triangles.
    [[nodiscard]] static FlatIndexedMesh FromTriangles(std::span<const VertexRecord> positions,
                                                       std::span<const VertexRecord> normals,
                                                       std::span<const VertexRecord> coordinates);

    // The indices of the triangles whose front may face an eye at `eye` (the mesh's own frame) into `facing`.
    // Half of a closed mesh faces away; the renderer would light their corners only to cull them. Left out are only
    // triangles clearly behind their plane: those seen nearly edge-on, where rounding could decide either way, stay
    // for the renderer's culling, so the picture is the one all triangles give.
    void SelectFacing(const VertexRecord& eye, std::vector<std::uint32_t>& facing) const;
};

} // namespace Quarnel::GameEngine2D::Video::Data
