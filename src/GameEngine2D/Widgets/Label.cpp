#include "GameEngine2D/Widgets/Label.h"

#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Frame.h"

#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

Label::Label(Frame& owner, const std::string& text, Common::Point3D place, const std::string& widgetName) :
    Label(owner, widgetName, place,
          owner.GetScene().GetNodeFactory().CreateTextNode(text, Common::Point3D(), owner.GetFont(), text))
{
}

Label::Label(Frame& owner, const std::string& widgetName, Common::Point3D place,
             std::shared_ptr<Scene::TextNode> text) :
    Control(widgetName, owner, WidgetType::Label, Common::Rect(place, text->GetSize().value_or(Common::Point3D())),
            false, -1),
    textNode(std::move(text))
{
    AddChild(textNode);
}

Label::~Label() = default;

std::shared_ptr<Scene::TextNode> Label::GetTextNode() const
{
    return textNode;
}

} // namespace Quarnel::GameEngine2D::Widgets
