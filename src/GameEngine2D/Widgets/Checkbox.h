#pragma once

#include "Common/Event.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Widgets/Control.h"

#include <functional>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// A control that toggles on a click and shows a check mark (or swaps its picture) while checked. A decision
// callback, when given, receives each requested change and returns the state actually to apply.
class Checkbox : public Control
{
public:
    using DecideCallback = std::function<bool(Checkbox& box, bool requested)>;

    // Around an existing node: the box takes the node's place and size (named its name + "_checkBox") and the
    // node moves to the box's origin. The check mark comes from the frame's callback (role Check).
    [[nodiscard]] static std::shared_ptr<Checkbox> Create(Frame& owner, std::shared_ptr<Scene::Node> node,
                                                          DecideCallback decision, WidgetType type, int optionValue);
    // With a text (node name + "_text") or, when contentPicture is given, a picture. A checked picture replaces
    // the content while checked; without one the check mark comes from the frame's callback.
    [[nodiscard]] static std::shared_ptr<Checkbox> Create(Frame& owner, const std::string& widgetName,
                                                          const std::string& text, Common::Point3D place,
                                                          DecideCallback decision, WidgetType type, int optionValue,
                                                          const std::string& contentPicture,
                                                          const std::string& checkedPicture);

    Checkbox(Key key, Frame& owner, const std::string& widgetName, const Common::Rect& rect, WidgetType type,
             int optionValue, DecideCallback decision, std::shared_ptr<Scene::Node> contentNode,
             std::string checkedPictureFile);
    ~Checkbox() override;

    // After the control behaviour, a click inside the shown box requests the opposite state. The enabled state
    // is not consulted: a disabled box still toggles.
    void OnInput(bool inside, Input::EventType kind, const Input::KeyState& keys, Common::Point2D mouse) override;

    [[nodiscard]] virtual bool IsChecked() const;
    // Shows the check mark exactly while checked (and the content exactly while not, with a checked picture);
    // raises checkedEvent when the box becomes checked. Setting the current state does nothing.
    virtual void SetChecked(bool isChecked);
    // Raised each time the box becomes checked (not when it becomes unchecked).
    [[nodiscard]] virtual Common::EventAddHandler<>& OnChecked();
    [[nodiscard]] virtual std::shared_ptr<Scene::Node> GetContent() const;
    // Hides the current content (it stays a child) and adds the new one.
    virtual void SetContent(std::shared_ptr<Scene::Node> node);

    // Applies `requested` through the decision when there is one, directly otherwise.
    void Request(bool requested);
    [[nodiscard]] std::shared_ptr<Scene::Node> GetCheckNode() const { return checkNode; }

protected:
    void Build() override;

private:
    DecideCallback decide;
    Common::Event<> checkedEvent;
    bool checked = false;
    bool swapContent = false;
    std::shared_ptr<Scene::Node> checkNode;
    std::shared_ptr<Scene::Node> content;
    std::string checkedPicture;
};

} // namespace Quarnel::GameEngine2D::Widgets
