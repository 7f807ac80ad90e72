#include "GameEngine2D/Widgets/Frame.h"

#include "Common/Helper.h"
#include "GameEngine2D/Input/EventManager.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Control.h"
#include "GameEngine2D/Widgets/Group.h"

#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// The keyboard state handed with the leave event that disabling sends: no key is down.
constexpr Input::KeyState NoKeys{};

// The frame's name, once its font has been checked: a refused frame logs no "new Node: " line.
const std::string& NameWithFont(const std::string& frameName, const std::shared_ptr<Video::Font>& font)
{
    Common::Helper::CheckNull(font, "font");
    return frameName;
}
} // namespace

Frame::Frame(const std::string& frameName, const Common::Rect& rect, Scene::Scene& ownerScene,
             std::shared_ptr<Video::Font> widgetFont, CreateWidgetNodeCallback callback,
             std::shared_ptr<Video::Font> lineFont) :
    Scene::Node(NameWithFont(frameName, widgetFont), rect.Position(), rect.Size()),
    font(std::move(widgetFont)),
    infoFont(lineFont ? std::move(lineFont) : font),
    scene(&ownerScene),
    inputManager("Frame_" + frameName),
    createWidgetNode(std::move(callback))
{
    mainGroup = std::make_shared<Group>(GetName() + "_mainGroup", *this, Common::Rect(Common::Point3D(), rect.Size()));
    AddChild(mainGroup);
}

Frame::~Frame() = default;

void Frame::DisposeNode(Scene::IGameEngine& /*gameEngine*/)
{
    SetEnabled(false);
}

void Frame::UpdateNode(Scene::IGameEngine& /*gameEngine*/)
{
    if (enabled && !inputHandler)
        Register();
}

bool Frame::IsVisible() const
{
    return Scene::Node::IsVisible();
}

void Frame::SetVisible(bool value)
{
    if (value == IsVisible())
        return;
    Scene::Node::SetVisible(value);
    if (value)
    {
        if (enabled && !inputHandler)
            Register();
        return;
    }
    Unregister();
    if (mainGroup)
        mainGroup->SetFocused(false);
}

void Frame::SetArea(const Common::Rect& rect)
{
    SetPosition(rect.Position());
    SetSize(rect.Size());
    mainGroup->SetSize(rect.Size());
    if (inputHandler)
        RefreshRegistration();
}

void Frame::ShowInfo(Common::Point3D place)
{
    if (infoNode)
    {
        infoNode->SetPosition(place);
        return;
    }
    infoNode = scene->GetNodeFactory().CreateTextNode(GetName() + "_info", place, infoFont, "");
    AddChild(infoNode);
}

Common::EventAddHandler<Common::Point2D>& Frame::OnClicked()
{
    return clicked.GetAddHandler();
}

void Frame::SetEnabled(bool value)
{
    if (enabled == value)
        return;
    enabled = value;
    RefreshRegistration();
}

bool Frame::IsEnabled() const
{
    return enabled;
}

std::shared_ptr<Group> Frame::GetMainGroup() const
{
    return mainGroup;
}

void Frame::RefreshRegistration()
{
    if (!enabled)
    {
        Unregister();
        return;
    }
    if (!inputHandler)
    {
        Register();
        return;
    }
    inputHandler->SetSpace({GetAbsolutePosition(), GetSize().value_or(Common::Point3D())});
}

void Frame::Register()
{
    inputHandler = scene->GetEventManager().AddInputHandler(
        Common::Rect(GetAbsolutePosition(), GetSize().value_or(Common::Point3D())),
        [this](bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse) {
            OnInput(inside, kind, keys, mouse);
        });
}

void Frame::Unregister()
{
    if (!inputHandler)
        return;
    // Every widget sees the pointer leave before the frame stops listening.
    OnInput(false, Input::EventType::MouseMove, NoKeys, Common::Point2D(-1.0f, -1.0f));
    inputHandler.Reset();
}

void Frame::OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse)
{
    if (inside)
    {
        if (kind == Input::EventType::Click)
        {
            // The anchor is the frame's position at its first click and is kept from then on.
            if (!clickAnchor)
                clickAnchor = GetAbsolutePosition();
            clicked.Call(Common::Point2D(mouse.x - clickAnchor->X(), mouse.y - clickAnchor->Y()));
        }
        pointerInside = true;
        inputManager.Dispatch(kind, keys, mouse);
        return;
    }
    if (pointerInside)
    {
        pointerInside = false;
        inputManager.Dispatch(kind, keys, mouse);
        if (infoNode)
            SetInfoText("");
        return;
    }
    // Typing reaches a focused field wherever the pointer is.
    if (kind == Input::EventType::KeyDown)
        inputManager.Dispatch(kind, keys, mouse);
}

void Frame::SetInfoText(const std::string& text)
{
    if (!infoNode)
        throw std::runtime_error("can't set infoText, infoNode is null");
    infoNode->SetText(text);
}

std::shared_ptr<Scene::Node> Frame::CreateWidgetNode(WidgetType type, WidgetNodeType role, Control& control) const
{
    if (!createWidgetNode)
        return nullptr;
    return createWidgetNode(type, role, control);
}

Input::InputSubscription Frame::AddInputHandler(const Common::Rect& space, Input::InputHandler::Callback onInput)
{
    return inputManager.AddInputHandler(space, std::move(onInput));
}

} // namespace Quarnel::GameEngine2D::Widgets
