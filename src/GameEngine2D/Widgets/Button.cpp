#include "GameEngine2D/Widgets/Button.h"

#include "Common/Handler.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/PictureNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Frame.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// The 0.1 depth lifts a button's content above its background.
constexpr Common::Point3D ContentPosition(0.0f, 0.0f, 0.1f);
// The gap between a picture and the text beside it.
constexpr float PictureTextGap = 6.0f;

Common::Point3D SizeOf(const Scene::Node& node)
{
    return node.GetSize().value_or(Common::Point3D());
}
} // namespace

Button::Content Button::MakeContent(Frame& owner, const ButtonDefinition& button)
{
    if (button.pictureFile.empty() && button.text.empty())
        throw std::invalid_argument("Button " + button.name +
                                    " kann nicht erstellt werden, es ist weder Text noch Bild angegeben.");
    Scene::NodeFactory& factory = owner.GetScene().GetNodeFactory();
    Content content;
    if (!button.pictureFile.empty())
        content.picture = factory.CreatePictureNode(button.pictureFile, ContentPosition);
    if (!button.text.empty())
        content.text = factory.CreateTextNode("btn_" + button.text + "_" + owner.GetName(), ContentPosition,
                                              owner.GetFont(), button.text);
    if (content.picture && content.text)
    {
        const Common::Point3D pictureSize = SizeOf(*content.picture);
        const Common::Point3D textSize = SizeOf(*content.text);
        content.text->SetPosition(content.text->GetPosition() + Common::Point3D(pictureSize.X() + PictureTextGap,
                                                                                (pictureSize.Y() - textSize.Y()) / 2.0f,
                                                                                0.0f));
    }
    content.rect = Common::Rect(button.place, content.text ? SizeOf(*content.text) : SizeOf(*content.picture));
    return content;
}

Button::Content Button::Adopt(const std::shared_ptr<Scene::Node>& node)
{
    Content content{nullptr, node, Common::Rect(node->GetPosition(), SizeOf(*node))};
    node->SetPosition(Common::Point3D());
    return content;
}

Button::Button(Frame& owner, const ButtonDefinition& button) :
    Button(owner, button.name, MakeContent(owner, button), button.onClick, button.tooltip)
{
}

Button::Button(Frame& owner, std::shared_ptr<Scene::Node> content, ClickCallback onClick) :
    Button(owner, content->GetName(), Adopt(content), std::move(onClick), "")
{
}

Button::Button(Frame& owner, const std::string& widgetName, Content content, ClickCallback onClick,
               const std::string& tooltip) :
    Control(widgetName, owner, WidgetType::Button, content.rect, true, -1),
    textNode(std::move(content.text)),
    pictureNode(std::move(content.picture))
{
    if (textNode)
        AddChild(textNode);
    if (pictureNode)
        AddChild(pictureNode);
    // The button owns its click event, so the callback goes with it.
    if (onClick)
        clicked.Add(Common::Handler<>(std::move(onClick)));
    if (!tooltip.empty())
        SetInfoText(tooltip);
}

Button::~Button() = default;

void Button::OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse)
{
    Control::OnInput(inside, kind, keys, mouse);
    // A hidden button keeps its registration; it must not answer clicks on the empty place where it was.
    if (IsEnabled() && IsVisible() && inside && kind == Input::EventType::Click)
        clicked.Call();
}

std::shared_ptr<Scene::TextNode> Button::GetTextNode() const
{
    return textNode;
}

std::shared_ptr<Scene::Node> Button::GetPictureNode() const
{
    return pictureNode;
}

void Button::SetPictureNode(std::shared_ptr<Scene::Node> node)
{
    pictureNode = std::move(node);
}

Common::EventAddHandler<>& Button::OnClick()
{
    return clicked.GetAddHandler();
}

} // namespace Quarnel::GameEngine2D::Widgets
