#pragma once

#include "GameEngine2D/Video/Data/VertexRecord.h"

#include <array>

namespace Quarnel::GameEngine2D::Video::Data
{

// Small matrix helper for dynamic meshes, which move each corner by its bone's matrix.
class MathW final
{
public:
    // The point (with w = 1) multiplied by a column-major 4x4 OpenGL matrix; the fourth row is ignored (no
    // perspective divide), which is exact for the affine matrices bones carry.
    [[nodiscard]] static VertexRecord Transform(const std::array<float, 16>& matrix, const VertexRecord& point) noexcept
    {
        return {matrix[0] * point.x + matrix[4] * point.y + matrix[8] * point.z + matrix[12],
                matrix[1] * point.x + matrix[5] * point.y + matrix[9] * point.z + matrix[13],
                matrix[2] * point.x + matrix[6] * point.y + matrix[10] * point.z + matrix[14]};
    }
};

} // namespace Quarnel::GameEngine2D::Video::Data
