#pragma once

#include <cstdint>

namespace Quarnel::GameEngine2D::Video::Data
{

// One corner of a face: zero-based positions in the mesh's position, texture-coordinate and normal lists, and the
// bone that moves the corner. -1 means "none" for each of them.
struct Index
{
    int vertex = -1;
    int texture = -1;
    int normal = -1;
    std::int16_t bone = -1;
};

} // namespace Quarnel::GameEngine2D::Video::Data
