#pragma once

#include "Common/Event.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Widgets/Control.h"

#include <functional>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// What a text or picture button shows and does.
struct ButtonDefinition
{
    std::string name{};
    // At least one of text and picture file is given; with both, the text stands 6 pixels right of the picture,
    // centred vertically, while the button's rectangle keeps the text's size.
    std::string text{};
    std::string pictureFile{};
    Common::Point3D place{};
    std::function<void()> onClick{};
    // The info text shown while the pointer rests on the button.
    std::string tooltip{};
};

// Shows a picture and/or a text and reports clicks (left-button releases inside it) while enabled and shown.
class Button final : public Control
{
public:
    using ClickCallback = std::function<void()>;

    // Neither a text nor a picture: std::invalid_argument "Button <name> kann nicht erstellt werden, es ist weder
    // Text noch Bild angegeben.", before any node is made.
    Button(Frame& owner, const ButtonDefinition& button);
    // A button around an existing node: the button takes the node's name, place and size, and the node moves to
    // the button's origin.
    Button(Frame& owner, std::shared_ptr<Scene::Node> content, ClickCallback onClick);
    ~Button() override;

    // After the control behaviour, a click inside the enabled, shown button raises clicked.
    void OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse) override;

    [[nodiscard]] virtual std::shared_ptr<Scene::TextNode> GetTextNode() const;
    [[nodiscard]] virtual std::shared_ptr<Scene::Node> GetPictureNode() const;
    virtual void SetPictureNode(std::shared_ptr<Scene::Node> node);
    [[nodiscard]] virtual Common::EventAddHandler<>& OnClick();

private:
    // The nodes a button shows, made before the button itself, and the rectangle they give it.
    struct Content
    {
        std::shared_ptr<Scene::TextNode> text;
        std::shared_ptr<Scene::Node> picture;
        Common::Rect rect;
    };
    [[nodiscard]] static Content MakeContent(Frame& owner, const ButtonDefinition& button);
    [[nodiscard]] static Content Adopt(const std::shared_ptr<Scene::Node>& node);

    Button(Frame& owner, const std::string& widgetName, Content content, ClickCallback onClick,
           const std::string& tooltip);

    Common::Event<> clicked;
    std::shared_ptr<Scene::TextNode> textNode;
    std::shared_ptr<Scene::Node> pictureNode;
};

} // namespace Quarnel::GameEngine2D::Widgets
