#pragma once

#include "Common/Event.h"
#include "Common/Point2D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Input/EventType.h"
#include "GameEngine2D/Input/InputSubscription.h"
#include "GameEngine2D/Input/Keys.h"
#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Widgets/Forward.h"
#include "GameEngine2D/Widgets/WidgetNodeType.h"
#include "GameEngine2D/Widgets/WidgetType.h"

#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// The base of every widget. A control holds its kind, its frame, its hover, focus and enabled state, and
// registers its screen rectangle with the frame's input manager once it has been drawn. It creates no graphics
// of its own: for each visual role it asks the frame's node-creation callback and adds what comes back; the
// constructor asks for the background, the highlight and the sound, and the widget classes' constructors then
// add their own children.
//
// The frame is a plain back reference: the frame owns its main group and, through it, every control. The
// registration with the frame's input manager is the control's own and goes with it.
class Control : public Scene::Node
{
public:
    using HoverEvent = Common::Event<Control&, bool>;

    // The node is named "ctrl_" + name and placed at the rectangle's position with the rectangle's size.
    Control(const std::string& controlName, Frame& ownerFrame, WidgetType type, const Common::Rect& rect,
            bool inputWanted, int controlValue);
    ~Control() override;

    // Does nothing beyond dropping the control's registration with its frame's input manager.
    void DisposeNode(Scene::IGameEngine& gameEngine) override;
    // Refreshes the input rectangle (registering it on the first call) when the control handles input.
    void UpdateNode(Scene::IGameEngine& gameEngine) override;

    // Raised with (control, hovered) when the pointer enters or leaves the control.
    [[nodiscard]] virtual Common::EventAddHandler<Control&, bool>& OnHoverChanged();
    // Raised when the focus changes.
    [[nodiscard]] virtual Common::EventAddHandler<>& OnFocusChanged();
    // The tooltip shown in the frame's info line while the pointer rests on the control.
    virtual void SetInfoText(const std::string& text);
    // Asks the frame's callback for the node of `role` and adds it as a child. The sound role must yield none:
    // a node for it is refused with std::runtime_error.
    virtual std::shared_ptr<Scene::Node> CreateWidgetNode(WidgetNodeType role);
    // The control's input callback; the frame's input manager calls it for every event it distributes, with
    // `inside` telling whether the pointer lies in the control's rectangle.
    virtual void OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse);
    [[nodiscard]] virtual bool IsFocused() const;
    // Raises focusChanged when the value changes.
    virtual void SetFocused(bool isFocused);
    [[nodiscard]] virtual Frame& GetFrame() const;
    // The integer identity within a group (-1 when unused); check-box groups use it as the option's value.
    [[nodiscard]] virtual int GetValue() const;
    [[nodiscard]] virtual WidgetType GetWidgetType() const;
    [[nodiscard]] virtual std::shared_ptr<Scene::Node> GetBackgroundNode() const;
    [[nodiscard]] virtual bool IsEnabled() const;
    // A disabled control is drawn at alpha 100, loses its highlight and cannot take the focus.
    virtual void SetEnabled(bool isEnabled);

    [[nodiscard]] bool IsHovered() const { return hovered; }
    [[nodiscard]] std::shared_ptr<Scene::Node> GetHighlightNode() const { return highlightNode; }
    // The control's rectangle in window pixels: its absolute position and its size.
    [[nodiscard]] Common::Rect GetScreenRect() const;
    // Registers the input rectangle with the frame, or moves the registered one to where the control is now;
    // nothing for a control that takes no input.
    void UpdateInputArea();

private:
    WidgetType widgetType;
    Frame* frame;
    Input::InputSubscription inputHandler;
    std::shared_ptr<Scene::Node> highlightNode;
    std::shared_ptr<Scene::Node> backgroundNode;
    std::string infoText;
    int value;
    bool focused = false;
    bool hovered = false;
    bool handlesInput;
    bool enabled = true;
    Common::Event<> focusChanged;
    HoverEvent hoverChanged;
};

} // namespace Quarnel::GameEngine2D::Widgets
