#pragma once

#include "Common/Event.h"
#include "Common/Point2D.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Input/EventType.h"
#include "GameEngine2D/Input/InputHandler.h"
#include "GameEngine2D/Input/InputManager.h"
#include "GameEngine2D/Input/Keys.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Widgets/Forward.h"
#include "GameEngine2D/Widgets/WidgetNodeType.h"
#include "GameEngine2D/Widgets/WidgetType.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// A panel of widgets placed in a scene. It owns the main group that holds the widgets, an input manager of its
// own that hands pointer and keyboard events to them, an optional info line (the tooltip) and the application's
// node-creation callback, which gives every widget its look.
//
// The frame registers its rectangle with the scene's event manager the first time it is drawn (and again when
// it is enabled or shown) and unregisters when it is disabled, hidden or disposed. Its input area is the
// rectangle at the time of registration; its controls' areas follow them every frame.
//
// The scene is a plain back reference: the scene owns its node tree and with it the frame.
class Frame final : public Scene::Node
{
public:
    // (kind of the control, role, the control) → the node to show for that role, or null for none.
    using CreateWidgetNodeCallback =
        std::function<std::shared_ptr<Scene::Node>(WidgetType type, WidgetNodeType role, Control& control)>;
    using ClickEvent = Common::Event<Common::Point2D>;

    // A null font is refused with std::invalid_argument "font is null". Without an info font the widgets' font
    // serves the info line too. The frame keeps `name` as given; its main group is name + "_mainGroup", at
    // (0, 0, 0) with the frame's size.
    Frame(const std::string& frameName, const Common::Rect& rect, Scene::Scene& ownerScene,
          std::shared_ptr<Video::Font> widgetFont, CreateWidgetNodeCallback callback = {},
          std::shared_ptr<Video::Font> lineFont = nullptr);
    ~Frame() override;

    // Disposing a frame disables it, which removes its registration.
    void DisposeNode(Scene::IGameEngine& gameEngine) override;
    // Registers the frame's input area the first time it is drawn while enabled.
    void UpdateNode(Scene::IGameEngine& gameEngine) override;
    [[nodiscard]] bool IsVisible() const override;
    // Showing registers the input area (if missing); hiding unregisters it and takes the focus from every
    // control of the main group. Setting the current value does nothing.
    void SetVisible(bool value) override;

    // Moves and resizes the frame and its main group, and its registered input area with them (a window that
    // changed its size lays its panels out again).
    void SetArea(const Common::Rect& rect);
    // Creates the info line at `position` (frame coordinates) or moves it there.
    virtual void ShowInfo(Common::Point3D place);
    // Raised on a click inside the frame with the point relative to the frame's position at its first click.
    [[nodiscard]] virtual Common::EventAddHandler<Common::Point2D>& OnClicked();
    // While disabled the frame takes no input: disabling first makes every widget see the pointer leave, then
    // removes the registration with the scene's event manager.
    virtual void SetEnabled(bool value);
    [[nodiscard]] virtual bool IsEnabled() const;
    [[nodiscard]] virtual std::shared_ptr<Group> GetMainGroup() const;

    // The frame's input callback, registered with the scene's event manager.
    void OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse);
    // Sets the info line's text; std::runtime_error "can't set infoText, infoNode is null" before ShowInfo.
    void SetInfoText(const std::string& text);
    [[nodiscard]] bool HasInfoLine() const { return infoNode != nullptr; }
    [[nodiscard]] std::shared_ptr<Scene::TextNode> GetInfoNode() const { return infoNode; }
    // Asks the application's callback for a node; null without a callback.
    std::shared_ptr<Scene::Node> CreateWidgetNode(WidgetType type, WidgetNodeType role, Control& control) const;
    // Registers a control's input area with the frame's own input manager.
    [[nodiscard]] Input::InputSubscription AddInputHandler(const Common::Rect& space,
                                                           Input::InputHandler::Callback onInput);
    [[nodiscard]] const std::shared_ptr<Video::Font>& GetFont() const { return font; }
    [[nodiscard]] Scene::Scene& GetScene() const { return *scene; }
    // Whether the frame is registered with the scene's event manager.
    [[nodiscard]] bool IsRegistered() const { return static_cast<bool>(inputHandler); }

private:
    // Registers or moves the input area while enabled; otherwise unregisters.
    void RefreshRegistration();
    void Register();
    void Unregister();

    std::shared_ptr<Video::Font> font;
    std::shared_ptr<Video::Font> infoFont;
    Scene::Scene* scene;
    bool pointerInside = false;
    Input::InputManager inputManager;
    Input::InputSubscription inputHandler;
    std::shared_ptr<Group> mainGroup;
    CreateWidgetNodeCallback createWidgetNode;
    ClickEvent clicked;
    bool enabled = true;
    std::optional<Common::Point3D> clickAnchor;
    std::shared_ptr<Scene::TextNode> infoNode;
};

} // namespace Quarnel::GameEngine2D::Widgets
