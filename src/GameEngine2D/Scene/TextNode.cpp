#include "GameEngine2D/Scene/TextNode.h"

#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/Texture.h"

#include <stdexcept>

namespace Quarnel::GameEngine2D::Scene
{

TextNode::TextNode(std::string nodeName, Video::Engine& engine, Common::Point3D nodePosition,
                   std::shared_ptr<Video::Font> textFont, const std::string& nodeText) :
    Node(std::move(nodeName), nodePosition, Common::Point3D(0.0f, 0.0f, 0.0f)),
    videoEngine(engine),
    font(std::move(textFont))
{
    ChangeText(nodeText, false);
}

void TextNode::DisposeNode(IGameEngine&)
{
    FreePieces();
}

void TextNode::UpdateNode(IGameEngine& gameEngine)
{
    Video::Engine& video = gameEngine.GetVideoEngine();
    float offset = 0.0f;
    if (centered)
    {
        const float width = GetSize().value_or(Common::Point3D()).X();
        // Half the width, truncated towards zero to whole pixels: a width of 101 starts at -50.
        offset = static_cast<float>(static_cast<int>(width / -2.0f));
    }
    // Usually the whole line goes through the glyph atlas at once; piece by piece otherwise.
    if (video.DrawGlyphLine(pieces, offset, leftToRight, color))
        return;
    const std::size_t count = pieces.size();
    for (std::size_t i = 0; i < count; ++i)
    {
        const Video::Texture& piece = *pieces[leftToRight ? i : count - 1 - i];
        const float width = piece.GetSize().x;
        if (!leftToRight)
            offset -= width;
        video.PushTransform(Common::Point3D(offset, 0.0f, 0.0f), std::nullopt, std::nullopt);
        try
        {
            video.DrawTexture(piece, color);
        }
        catch (...)
        {
            video.PopTransform();
            throw;
        }
        if (leftToRight)
            offset += width;
        video.PopTransform();
    }
}

void TextNode::SetText(const std::string& value)
{
    ChangeText(value, true);
}

void TextNode::ChangeText(const std::string& value, bool skipSameText)
{
    if (skipSameText && value == text)
        return;
    FreePieces();
    text = value;
    Video::ImageLoader& images = videoEngine.GetImages();
    if (text.empty())
    {
        // An empty line keeps the height of the font, measured on a "1" that is given back at once so that measuring
        // leaves no reference behind in the cache.
        const std::vector<std::shared_ptr<Video::Texture>> probe = images.CreateTextTextures("1", font);
        const float height = probe.empty() ? 0.0f : probe.front()->GetSize().y;
        for (const auto& texture : probe)
            images.FreeTexture(*texture);
        SetSize(Common::Point3D(0.0f, height, 0.0f));
        return;
    }
    pieces = images.CreateTextTextures(text, font);
    float width = 0.0f;
    for (const auto& piece : pieces)
        width += piece->GetSize().x;
    const float height = pieces.empty() ? 0.0f : pieces.back()->GetSize().y;
    SetSize(Common::Point3D(width, height, 0.0f));
}

void TextNode::FreePieces()
{
    Video::ImageLoader& images = videoEngine.GetImages();
    for (const auto& piece : pieces)
        images.FreeTexture(*piece);
    pieces.clear();
}

bool TextNode::IsLeftToRight() const
{
    return leftToRight;
}

void TextNode::SetLeftToRight(bool value)
{
    leftToRight = value;
}

const std::string& TextNode::GetText() const
{
    return text;
}

Common::Color TextNode::GetColor() const
{
    return color;
}

void TextNode::SetColor(Common::Color value)
{
    color = value;
}

const std::vector<std::shared_ptr<Video::Texture>>& TextNode::GetPieces() const
{
    return pieces;
}

void TextNode::SetCentered(bool value)
{
    centered = value;
}

} // namespace Quarnel::GameEngine2D::Scene
