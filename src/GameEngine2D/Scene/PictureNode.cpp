#include "GameEngine2D/Scene/PictureNode.h"

#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Texture.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

namespace
{

// Checked before the node is constructed, so that a refused picture logs no "new Node: " line.
Common::Point3D TextureSize(const std::shared_ptr<Video::Texture>& texture)
{
    if (!texture)
        throw std::invalid_argument("texture is null");
    const Common::Point2D size = texture->GetSize();
    return {size.x, size.y, 0.0f};
}

} // namespace

PictureNode::PictureNode(std::string nodeName, std::shared_ptr<Video::Texture> pictureTexture,
                         Common::Point3D nodePosition) :
    Node(std::move(nodeName), nodePosition, TextureSize(pictureTexture)),
    texture(std::move(pictureTexture))
{
}

void PictureNode::DisposeNode(IGameEngine& gameEngine)
{
    gameEngine.GetVideoEngine().GetImages().FreeTexture(*texture);
}

void PictureNode::UpdateNode(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    if (stretch)
    {
        const Common::Point3D extent = GetSize().value_or(Common::Point3D());
        video.DrawTexture(*texture, tint, Common::Point2D(extent.X(), extent.Y()));
    }
    else
        video.DrawTexture(*texture, tint);
}

std::optional<Common::Point3D> PictureNode::GetSize() const
{
    if (stretch)
        return Node::GetSize();
    const Common::Point3D textureSize = TextureSize(texture);
    const std::optional<Common::Point3D> factors = GetScale();
    return factors ? textureSize * *factors : textureSize;
}

void PictureNode::SetSize(std::optional<Common::Point3D> value)
{
    Node::SetSize(value);
}

void PictureNode::SetStretch(bool value)
{
    stretch = value;
}

std::shared_ptr<Video::Texture> PictureNode::GetTexture() const
{
    return texture;
}

void PictureNode::SetTexture(std::shared_ptr<Video::Texture> value)
{
    if (!value)
        throw std::invalid_argument("texture is null");
    texture = std::move(value);
}

void PictureNode::SetTint(Common::Color value)
{
    tint = value;
}

} // namespace Quarnel::GameEngine2D::Scene
