#pragma once

#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Video
{

// How a mesh is coloured: an optional texture, optional ambient/diffuse/specular colours and a specular exponent.
// Materials are shared by reference; the copy constructor makes an independent material that still shares the
// texture but has colours of its own.
class Material final
{
public:
    explicit Material(std::string materialName) : name(std::move(materialName)) {}
    Material(const Material& other);
    Material& operator=(const Material&) = delete;
    virtual ~Material() = default;

    virtual void SetTexture(std::shared_ptr<Texture> newTexture) { texture = std::move(newTexture); }
    [[nodiscard]] virtual std::shared_ptr<Texture> GetTexture() const { return texture; }
    [[nodiscard]] virtual std::shared_ptr<Data::LightColors> GetColors() const { return colors; }
    virtual void SetColors(std::shared_ptr<Data::LightColors> newColors) { colors = std::move(newColors); }
    [[nodiscard]] virtual int GetShininess() const { return shininess; }
    virtual void SetShininess(int newShininess) { shininess = newShininess; }
    [[nodiscard]] virtual const std::string& GetName() const { return name; }

private:
    std::shared_ptr<Texture> texture;
    std::shared_ptr<Data::LightColors> colors;
    int shininess = 0;
    std::string name;
};

} // namespace Quarnel::GameEngine2D::Video
