#include "GameEngine2D/Widgets/Control.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Widgets/Frame.h"

#include <fmt/core.h>
#include <stdexcept>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
constexpr int EnabledAlpha = 255;
constexpr int DisabledAlpha = 100;
} // namespace

Control::Control(const std::string& controlName, Frame& ownerFrame, WidgetType type, const Common::Rect& rect,
                 bool inputWanted, int controlValue) :
    Scene::Node("ctrl_" + controlName, rect.Position(), rect.Size()),
    widgetType(type),
    frame(&ownerFrame),
    value(controlValue),
    handlesInput(inputWanted)
{
    backgroundNode = CreateWidgetNode(WidgetNodeType::Background);
    highlightNode = CreateWidgetNode(WidgetNodeType::Highlight);
    Common::MyLog::Info("Setting Up Sound for Control");
    (void)CreateWidgetNode(WidgetNodeType::Sound);
    Common::MyLog::Info("Setted Up Sound for Control");
    if (highlightNode)
        highlightNode->SetVisible(false);
}

Control::~Control() = default;

void Control::DisposeNode(Scene::IGameEngine& /*gameEngine*/)
{
    // The frame's input manager would otherwise keep calling a control that is gone from the tree.
    inputHandler.Reset();
}

void Control::UpdateNode(Scene::IGameEngine& /*gameEngine*/)
{
    UpdateInputArea();
}

Common::Rect Control::GetScreenRect() const
{
    return {GetAbsolutePosition(), GetSize().value_or(Common::Point3D())};
}

void Control::UpdateInputArea()
{
    if (!handlesInput)
        return;
    const Common::Rect rect = GetScreenRect();
    if (inputHandler)
    {
        inputHandler->SetSpace(rect);
        return;
    }
    inputHandler = frame->AddInputHandler(rect, [this](bool inside, Input::EventType kind, const Input::KeyState& keys,
                                                       Common::Point2D mouse) { OnInput(inside, kind, keys, mouse); });
}

Common::EventAddHandler<Control&, bool>& Control::OnHoverChanged()
{
    return hoverChanged.GetAddHandler();
}

Common::EventAddHandler<>& Control::OnFocusChanged()
{
    return focusChanged.GetAddHandler();
}

void Control::SetInfoText(const std::string& text)
{
    infoText = text;
}

std::shared_ptr<Scene::Node> Control::CreateWidgetNode(WidgetNodeType role)
{
    std::shared_ptr<Scene::Node> node = frame->CreateWidgetNode(widgetType, role, *this);
    if (role == WidgetNodeType::Sound && node)
        throw std::runtime_error(fmt::format(
            "Beim WidgetNodeType.Sound dürfen keine grafischen Nodes erstellt werden! Node: {0}", GetName()));
    if (node)
        AddChild(node);
    return node;
}

void Control::OnInput(bool inside, Input::EventType kind, const Input::KeyState& /*keys*/, Common::Point2D /*mouse*/)
{
    if (!IsVisible())
    {
        if (hovered)
        {
            hoverChanged.Call(*this, false);
            hovered = false;
        }
        return;
    }
    if (highlightNode && enabled)
        highlightNode->SetVisible(inside);
    if (hovered != inside)
    {
        hoverChanged.Call(*this, inside);
        hovered = inside;
    }
    if (kind == Input::EventType::Click)
        SetFocused(inside && enabled);
    // A frame without an info line has nowhere to show the tooltip; resting the pointer on the control must not
    // end the program for that.
    if (inside && !infoText.empty() && frame->HasInfoLine())
        frame->SetInfoText(infoText);
}

bool Control::IsFocused() const
{
    return focused;
}

void Control::SetFocused(bool isFocused)
{
    if (focused == isFocused)
        return;
    focused = isFocused;
    focusChanged.Call();
}

Frame& Control::GetFrame() const
{
    return *frame;
}

int Control::GetValue() const
{
    return value;
}

WidgetType Control::GetWidgetType() const
{
    return widgetType;
}

std::shared_ptr<Scene::Node> Control::GetBackgroundNode() const
{
    return backgroundNode;
}

bool Control::IsEnabled() const
{
    return enabled;
}

void Control::SetEnabled(bool isEnabled)
{
    enabled = isEnabled;
    SetAlpha(isEnabled ? EnabledAlpha : DisabledAlpha);
    if (!isEnabled && highlightNode)
        highlightNode->SetVisible(false);
}

} // namespace Quarnel::GameEngine2D::Widgets
