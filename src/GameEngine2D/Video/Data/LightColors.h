#pragma once

#include "Common/Color.h"

namespace Quarnel::GameEngine2D::Video::Data
{

// Ambient, diffuse and specular colour of a material or a light. The diffuse colour is also the plain colour of an
// unlit material. Copying copies the three colours.
class LightColors final
{
public:
    LightColors() = default;
    LightColors(Common::Color ambientColor, Common::Color diffuseColor, Common::Color specularColor) noexcept :
        ambient(ambientColor),
        diffuse(diffuseColor),
        specular(specularColor)
    {
    }

    Common::Color ambient{0, 0, 0, 255};
    Common::Color diffuse{0, 0, 0, 255};
    Common::Color specular{0, 0, 0, 255};
};

} // namespace Quarnel::GameEngine2D::Video::Data
