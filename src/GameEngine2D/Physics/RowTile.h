#pragma once

#include <cstddef>

namespace Quarnel::GameEngine2D::Physics
{

// Columns per tile of the pair walks: the pair forces of a row over one tile wait on the stack for their in-order
// sums.
constexpr std::size_t TileColumns = 256;

struct RowTile
{
    float x[TileColumns];
    float y[TileColumns];
    float z[TileColumns];
};

} // namespace Quarnel::GameEngine2D::Physics
