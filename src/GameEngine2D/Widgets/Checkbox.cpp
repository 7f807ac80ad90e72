#include "GameEngine2D/Widgets/Checkbox.h"

#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/PictureNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Frame.h"

#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// The 0.1 depth lifts the content above the box's background.
constexpr Common::Point3D ContentPosition(0.0f, 0.0f, 0.1f);
} // namespace

std::shared_ptr<Checkbox> Checkbox::Create(Frame& owner, std::shared_ptr<Scene::Node> node, DecideCallback decision,
                                           WidgetType type, int optionValue)
{
    const Common::Rect rect(node->GetPosition(), node->GetSize().value_or(Common::Point3D()));
    node->SetPosition(Common::Point3D());
    const std::string widgetName = node->GetName() + "_checkBox";
    return Make<Checkbox>(owner, widgetName, rect, type, optionValue, std::move(decision), std::move(node),
                          std::string());
}

std::shared_ptr<Checkbox> Checkbox::Create(Frame& owner, const std::string& widgetName, const std::string& text,
                                           Common::Point3D place, DecideCallback decision, WidgetType type,
                                           int optionValue, const std::string& contentPicture,
                                           const std::string& checkedPicture)
{
    Scene::NodeFactory& factory = owner.GetScene().GetNodeFactory();
    std::shared_ptr<Scene::Node> node;
    if (contentPicture.empty())
        node = factory.CreateTextNode(widgetName + "_text", ContentPosition, owner.GetFont(), text);
    else
        node = factory.CreatePictureNode(contentPicture, ContentPosition);
    const Common::Rect rect(place, node->GetSize().value_or(Common::Point3D()));
    return Make<Checkbox>(owner, widgetName, rect, type, optionValue, std::move(decision), std::move(node),
                          checkedPicture);
}

Checkbox::Checkbox(Key key, Frame& owner, const std::string& widgetName, const Common::Rect& rect, WidgetType type,
                   int optionValue, DecideCallback decision, std::shared_ptr<Scene::Node> contentNode,
                   std::string checkedPictureFile) :
    Control(key, widgetName, owner, type, rect, true, optionValue),
    decide(std::move(decision)),
    content(std::move(contentNode)),
    checkedPicture(std::move(checkedPictureFile))
{
}

Checkbox::~Checkbox() = default;

void Checkbox::Build()
{
    Control::Build();
    if (checkedPicture.empty())
    {
        checkNode = CreateWidgetNode(WidgetNodeType::Check);
    }
    else
    {
        checkNode = GetFrame().GetScene().GetNodeFactory().CreatePictureNode(checkedPicture, ContentPosition);
        AddChild(checkNode);
        swapContent = true;
    }
    if (checkNode)
        checkNode->SetVisible(false);
    AddChild(content);
}

void Checkbox::OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse)
{
    Control::OnInput(inside, kind, keys, mouse);
    if (IsVisible() && inside && kind == Input::EventType::Click)
        Request(!IsChecked());
}

void Checkbox::Request(bool requested)
{
    SetChecked(decide ? decide(*this, requested) : requested);
}

bool Checkbox::IsChecked() const
{
    return checked;
}

void Checkbox::SetChecked(bool isChecked)
{
    if (checked == isChecked)
        return;
    checked = isChecked;
    if (checkNode)
        checkNode->SetVisible(checked);
    if (swapContent)
        content->SetVisible(!checked);
    if (checked)
        checkedEvent.Call();
}

Common::EventAddHandler<>& Checkbox::OnChecked()
{
    return checkedEvent.GetAddHandler();
}

std::shared_ptr<Scene::Node> Checkbox::GetContent() const
{
    return content;
}

void Checkbox::SetContent(std::shared_ptr<Scene::Node> node)
{
    content->SetVisible(false);
    content = std::move(node);
    AddChild(content);
}

} // namespace Quarnel::GameEngine2D::Widgets
