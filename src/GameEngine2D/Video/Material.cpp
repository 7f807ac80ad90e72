#include "GameEngine2D/Video/Material.h"

namespace Quarnel::GameEngine2D::Video
{

Material::Material(const Material& other) :
    texture(other.texture),
    colors(other.colors ? std::make_shared<Data::LightColors>(*other.colors) : nullptr),
    shininess(other.shininess),
    name(other.name)
{
}

} // namespace Quarnel::GameEngine2D::Video
