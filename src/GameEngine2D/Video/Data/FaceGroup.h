#pragma once

#include "GameEngine2D/Video/Data/Face.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Video::Data
{

// The faces of one named object of a model file, with the material they are drawn with (none when the file gives
// no usable material).
struct FaceGroup
{
    std::vector<Face> faces;
    std::shared_ptr<Material> material;
    std::string name;
};

} // namespace Quarnel::GameEngine2D::Video::Data
