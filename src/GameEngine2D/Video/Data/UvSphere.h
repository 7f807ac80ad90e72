#pragma once

#include "GameEngine2D/Video/Data/IndexedVertices.h"

#include <memory>

namespace Quarnel::GameEngine2D::Video::Data
{

// A sphere about the origin cut into `segments` meridians and `stacks` rings, laid out like the body model the game
// ships: y up, meridian 0 facing +z with the meridians running towards +x, texture u growing to the right seen from
// outside, the north pole on the image's top row, corners counter-clockwise seen from outside. Coarser copies of the
// model drawn with the same texture and light therefore look like the model, only with fewer facets.
//
// One face group without material; no normals (ComputeFaceNormals gives the flat ones the model is drawn with).
class UvSphere final
{
public:
    // At least 3 segments and 2 stacks: std::invalid_argument otherwise.
    [[nodiscard]] static std::shared_ptr<IndexedVertices> Build(float radius, int segments, int stacks);
    // 2 × segments triangles at the poles and 2 per quad between.
    [[nodiscard]] static int TriangleCount(int segments, int stacks) noexcept { return 2 * segments * (stacks - 1); }
};

} // namespace Quarnel::GameEngine2D::Video::Data
