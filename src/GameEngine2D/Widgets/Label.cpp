#include "GameEngine2D/Widgets/Label.h"

#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Frame.h"

#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

std::shared_ptr<Label> Label::Create(Frame& owner, const std::string& text, Common::Point3D place,
                                     const std::string& widgetName)
{
    auto textNode = owner.GetScene().GetNodeFactory().CreateTextNode(text, Common::Point3D(), owner.GetFont(), text);
    return Make<Label>(owner, widgetName, place, std::move(textNode));
}

Label::Label(Key key, Frame& owner, const std::string& widgetName, Common::Point3D place,
             std::shared_ptr<Scene::TextNode> text) :
    Control(key, widgetName, owner, WidgetType::Label, Common::Rect(place, text->GetSize().value_or(Common::Point3D())),
            false, -1),
    textNode(std::move(text))
{
}

Label::~Label() = default;

void Label::Build()
{
    Control::Build();
    AddChild(textNode);
}

std::shared_ptr<Scene::TextNode> Label::GetTextNode() const
{
    return textNode;
}

} // namespace Quarnel::GameEngine2D::Widgets
