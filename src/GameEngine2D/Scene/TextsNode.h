#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Scene
{

// A block of text lines, one child TextNode per line, stacked downwards from the node's origin. The block's size is the
// widest line's width and the sum of the line heights. Borrows the scene's node factory to make its lines.
class TextsNode final : public EmptyNode
{
public:
    TextsNode(std::string nodeName, Common::Point3D nodePosition, std::shared_ptr<Video::Font> textFont,
              const std::string& nodeText, NodeFactory& factory);

    // Splits at line feeds (a carriage return before one is dropped) and rebuilds the line nodes; does nothing but log
    // when the text is the current one.
    virtual void SetText(const std::string& value);
    // Recolours the existing lines and every line made later.
    virtual void SetColor(Common::Color value);

    [[nodiscard]] const std::vector<std::shared_ptr<TextNode>>& GetLines() const { return lines; }

private:
    std::string text;
    std::shared_ptr<Video::Font> font;
    std::vector<std::shared_ptr<TextNode>> lines;
    NodeFactory& nodeFactory;
    Common::Color color{255, 255, 255, 255};
};

} // namespace Quarnel::GameEngine2D::Scene
