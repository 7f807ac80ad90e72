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

void Subscribe(Button& button, Button::ClickCallback onClick)
{
    if (onClick)
        button.OnClick().Add(Common::Handler<>(std::move(onClick)));
}
} // namespace

std::shared_ptr<Button> Button::Create(Frame& owner, Common::Point3D place, ClickCallback onClick,
                                       const std::string& widgetName, const std::string& pictureFile,
                                       const std::string& text, const std::string& tooltip)
{
    if (pictureFile.empty() && text.empty())
        throw std::invalid_argument("Button " + widgetName +
                                    " kann nicht erstellt werden, es ist weder Text noch Bild angegeben.");
    Scene::NodeFactory& factory = owner.GetScene().GetNodeFactory();
    std::shared_ptr<Scene::Node> picture;
    if (!pictureFile.empty())
        picture = factory.CreatePictureNode(pictureFile, ContentPosition);
    std::shared_ptr<Scene::TextNode> textNode;
    if (!text.empty())
        textNode =
            factory.CreateTextNode("btn_" + text + "_" + owner.GetName(), ContentPosition, owner.GetFont(), text);
    if (picture && textNode)
    {
        const Common::Point3D pictureSize = SizeOf(*picture);
        const Common::Point3D textSize = SizeOf(*textNode);
        textNode->SetPosition(textNode->GetPosition() + Common::Point3D(pictureSize.X() + PictureTextGap,
                                                                        (pictureSize.Y() - textSize.Y()) / 2.0f, 0.0f));
    }
    const Common::Point3D size = textNode ? SizeOf(*textNode) : SizeOf(*picture);
    auto button = Make<Button>(owner, widgetName, Common::Rect(place, size), std::move(textNode), std::move(picture));
    Subscribe(*button, std::move(onClick));
    if (!tooltip.empty())
        button->SetInfoText(tooltip);
    return button;
}

std::shared_ptr<Button> Button::Create(Frame& owner, std::shared_ptr<Scene::Node> content, ClickCallback onClick)
{
    const Common::Rect rect(content->GetPosition(), SizeOf(*content));
    content->SetPosition(Common::Point3D());
    auto button = Make<Button>(owner, content->GetName(), rect, nullptr, std::move(content));
    Subscribe(*button, std::move(onClick));
    return button;
}

Button::Button(Key key, Frame& owner, const std::string& widgetName, const Common::Rect& rect,
               std::shared_ptr<Scene::TextNode> text, std::shared_ptr<Scene::Node> picture) :
    Control(key, widgetName, owner, WidgetType::Button, rect, true, -1),
    textNode(std::move(text)),
    pictureNode(std::move(picture))
{
}

Button::~Button() = default;

void Button::Build()
{
    Control::Build();
    if (textNode)
        AddChild(textNode);
    if (pictureNode)
        AddChild(pictureNode);
}

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
