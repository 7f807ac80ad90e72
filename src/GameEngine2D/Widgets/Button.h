#pragma once

#include "Common/Event.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Widgets/Control.h"

#include <functional>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Scene
{
class TextNode;
} // namespace Quarnel::GameEngine2D::Scene

namespace Quarnel::GameEngine2D::Widgets
{

// Shows a picture and/or a text and reports clicks (left-button releases inside it) while enabled and shown.
class Button : public Control
{
public:
    using ClickCallback = std::function<void()>;

    // A text and/or picture button. Neither a text nor a picture: std::invalid_argument "Button <name> kann nicht
    // erstellt werden, es ist weder Text noch Bild angegeben.". With both, the text stands 6 pixels right of the
    // picture, centred vertically, while the button's rectangle keeps the text's size.
    [[nodiscard]] static std::shared_ptr<Button> Create(Frame& owner, Common::Point3D place, ClickCallback onClick,
                                                        const std::string& widgetName, const std::string& pictureFile,
                                                        const std::string& text, const std::string& tooltip);
    // A button around an existing node: the button takes the node's name, place and size, and the node moves to
    // the button's origin.
    [[nodiscard]] static std::shared_ptr<Button> Create(Frame& owner, std::shared_ptr<Scene::Node> content,
                                                        ClickCallback onClick);

    Button(Key key, Frame& owner, const std::string& widgetName, const Common::Rect& rect,
           std::shared_ptr<Scene::TextNode> text, std::shared_ptr<Scene::Node> picture);
    ~Button() override;

    // After the control behaviour, a click inside the enabled, shown button raises clicked.
    void OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse) override;

    [[nodiscard]] virtual std::shared_ptr<Scene::TextNode> GetTextNode() const;
    [[nodiscard]] virtual std::shared_ptr<Scene::Node> GetPictureNode() const;
    virtual void SetPictureNode(std::shared_ptr<Scene::Node> node);
    [[nodiscard]] virtual Common::EventAddHandler<>& OnClick();

protected:
    void Build() override;

private:
    Common::Event<> clicked;
    std::shared_ptr<Scene::TextNode> textNode;
    std::shared_ptr<Scene::Node> pictureNode;
};

} // namespace Quarnel::GameEngine2D::Widgets
