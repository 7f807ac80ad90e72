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

Common::Point3D SizeOf(const Scene::Node& node)
{
    return node.GetSize().value_or(Common::Point3D());
}
} // namespace

Checkbox::Content Checkbox::MakeContent(Frame& owner, const CheckboxDefinition& box)
{
    Scene::NodeFactory& factory = owner.GetScene().GetNodeFactory();
    std::shared_ptr<Scene::Node> node;
    if (box.contentPicture.empty())
        node = factory.CreateTextNode(box.name + "_text", ContentPosition, owner.GetFont(), box.text);
    else
        node = factory.CreatePictureNode(box.contentPicture, ContentPosition);
    const Common::Rect rect(box.place, SizeOf(*node));
    return {std::move(node), rect};
}

Checkbox::Content Checkbox::Adopt(const std::shared_ptr<Scene::Node>& node)
{
    Content content{node, Common::Rect(node->GetPosition(), SizeOf(*node))};
    node->SetPosition(Common::Point3D());
    return content;
}

Checkbox::Checkbox(Frame& owner, const CheckboxDefinition& box) : Checkbox(owner, box, MakeContent(owner, box)) {}

Checkbox::Checkbox(Frame& owner, std::shared_ptr<Scene::Node> node, DecideCallback decision, WidgetType type,
                   int optionValue) :
    Checkbox(
        owner,
        CheckboxDefinition{
            .name = node->GetName() + "_checkBox", .decide = std::move(decision), .type = type, .value = optionValue},
        Adopt(node))
{
}

Checkbox::Checkbox(Frame& owner, const CheckboxDefinition& box, Content made) :
    Control(box.name, owner, box.type, made.rect, true, box.value),
    decide(box.decide),
    content(std::move(made.node))
{
    if (box.checkedPicture.empty())
    {
        checkNode = CreateWidgetNode(WidgetNodeType::Check);
    }
    else
    {
        checkNode = owner.GetScene().GetNodeFactory().CreatePictureNode(box.checkedPicture, ContentPosition);
        AddChild(checkNode);
        swapContent = true;
    }
    if (checkNode)
        checkNode->SetVisible(false);
    AddChild(content);
}

Checkbox::~Checkbox() = default;

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
