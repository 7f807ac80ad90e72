#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Scene
{

// An image whose top-left corner is the node's position. Without stretch it is drawn at the texture's own pixel size,
// which is then also the node's size; with stretch it is drawn at the node's size. The node holds one reference to the
// texture's cached image and gives it back when disposed.
class PictureNode final : public Node
{
public:
    // A null texture: std::invalid_argument "texture is null", and no node is made.
    PictureNode(std::string nodeName, std::shared_ptr<Video::Texture> pictureTexture, Common::Point3D nodePosition);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;
    // With stretch the node's size times its scale; without it the texture's size times the scale.
    [[nodiscard]] std::optional<Common::Point3D> GetSize() const override;
    void SetSize(std::optional<Common::Point3D> value) override;

    virtual void SetStretch(bool value);
    [[nodiscard]] virtual std::shared_ptr<Video::Texture> GetTexture() const;
    // The old texture is not given back; a null texture: std::invalid_argument "texture is null".
    virtual void SetTexture(std::shared_ptr<Video::Texture> value);
    virtual void SetTint(Common::Color value);

private:
    std::shared_ptr<Video::Texture> texture;
    Common::Color tint{255, 255, 255, 255};
    bool stretch = false;
};

} // namespace Quarnel::GameEngine2D::Scene
