#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Widgets/Control.h"

#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// A text in the frame's font. It takes no input; its rectangle is the rendered text's size at its position.
class Label final : public Control
{
public:
    // The text node is named after the text itself and sits at the label's origin.
    Label(Frame& owner, const std::string& text, Common::Point3D place, const std::string& widgetName);
    ~Label() override;

    [[nodiscard]] virtual std::shared_ptr<Scene::TextNode> GetTextNode() const;

private:
    // The text node is made first, so that its size gives the label's rectangle.
    Label(Frame& owner, const std::string& widgetName, Common::Point3D place, std::shared_ptr<Scene::TextNode> text);

    std::shared_ptr<Scene::TextNode> textNode;
};

} // namespace Quarnel::GameEngine2D::Widgets
