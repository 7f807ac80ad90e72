#pragma once

#include <limits>

namespace Quarnel::GameEngine2D::Video::Data
{

// Three floats: a position, a normal or a texture coordinate (which uses x and y and carries z along). Arrays of it
// are uploaded to vertex buffers as they are, so the layout must stay three tightly packed floats.
// (Named VertexRecord because the class Vertex, a drawable point, lives in the same namespace.)
struct VertexRecord
{
    float x = std::numeric_limits<float>::quiet_NaN();
    float y = std::numeric_limits<float>::quiet_NaN();
    float z = std::numeric_limits<float>::quiet_NaN();

    [[nodiscard]] float X() const noexcept { return x; }
    [[nodiscard]] float Y() const noexcept { return y; }
    [[nodiscard]] float Z() const noexcept { return z; }
};

static_assert(sizeof(VertexRecord) == 3 * sizeof(float), "vertex buffers take tightly packed float triples");

} // namespace Quarnel::GameEngine2D::Video::Data
