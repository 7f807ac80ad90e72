#pragma once

#include "GameEngine2D/Video/Data/Index.h"

#include <vector>

namespace Quarnel::GameEngine2D::Video::Data
{

// A polygon given by its corners. The model reader only makes triangles; drawing and normals use the first three.
struct Face
{
    std::vector<Index> indices;
};

} // namespace Quarnel::GameEngine2D::Video::Data
