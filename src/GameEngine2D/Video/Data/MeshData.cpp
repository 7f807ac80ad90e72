#include "GameEngine2D/Video/Data/MeshData.h"

#include "GameEngine2D/Video/Material.h"

namespace Quarnel::GameEngine2D::Video::Data
{

MeshData::MeshData(const MeshData& other) :
    buffers(other.buffers),
    material(other.material ? std::make_shared<Material>(*other.material) : nullptr)
{
}

} // namespace Quarnel::GameEngine2D::Video::Data
