#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Scene
{

// One line of text in one font: one texture per character, laid out side by side from the node's origin to the right
// (or, right to left, ending at the origin), optionally centred on the origin. The node's size is the line's width and
// height. It holds one cache reference per character and gives them back when the text changes or the node is disposed.
class TextNode final : public Node
{
public:
    // Renders `nodeText` at once. A null font: std::invalid_argument "font is null".
    TextNode(std::string nodeName, Video::Engine& engine, Common::Point3D nodePosition,
             std::shared_ptr<Video::Font> textFont, const std::string& nodeText);

    void DisposeNode(IGameEngine& gameEngine) override;
    void UpdateNode(IGameEngine& gameEngine) override;

    // Does nothing when the text is the current one.
    virtual void SetText(const std::string& value);
    [[nodiscard]] virtual bool IsLeftToRight() const;
    virtual void SetLeftToRight(bool value);
    [[nodiscard]] virtual const std::string& GetText() const;
    [[nodiscard]] virtual Common::Color GetColor() const;
    virtual void SetColor(Common::Color value);
    [[nodiscard]] virtual const std::vector<std::shared_ptr<Video::Texture>>& GetPieces() const;
    virtual void SetCentered(bool value);

private:
    void ChangeText(const std::string& value, bool skipSameText);
    void FreePieces();

    Video::Engine& videoEngine;
    std::vector<std::shared_ptr<Video::Texture>> pieces;
    std::string text;
    std::shared_ptr<Video::Font> font;
    bool leftToRight = true;
    bool centered = false;
    Common::Color color{255, 255, 255, 255};
};

} // namespace Quarnel::GameEngine2D::Scene
