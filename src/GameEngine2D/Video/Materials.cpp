#include "GameEngine2D/Video/Materials.h"

#include "GameEngine2D/Video/Material.h"

namespace Quarnel::GameEngine2D::Video
{

std::shared_ptr<Material> Materials::Create(const std::string& name)
{
    auto material = std::make_shared<Material>(name);
    map.insert_or_assign(name, material);
    return material;
}

std::shared_ptr<Material> Materials::Get(const std::string& name) const
{
    const auto found = map.find(name);
    return found == map.end() ? nullptr : found->second;
}

} // namespace Quarnel::GameEngine2D::Video
