#pragma once

#include "Common/Event.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Widgets/Control.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <functional>
#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// What a check box with a text or a picture shows and how it decides.
struct CheckboxDefinition
{
    std::string name{};
    // Shown (as a node named name + "_text") unless a content picture is given.
    std::string text{};
    Common::Point3D place{};
    // Receives each requested change and returns the state actually to apply; none applies the request.
    std::function<bool(Checkbox& box, bool requested)> decide{};
    // Checkbox for a stand-alone box, Option inside a check-box group or a list.
    WidgetType type = WidgetType::Checkbox;
    // The box's identity within its group (-1 when unused); groups report it as the option's value.
    int value = -1;
    // The state the box starts in, applied through its decision.
    bool checked = false;
    std::string contentPicture{};
    // Replaces the content while checked; without one the check mark comes from the frame's callback.
    std::string checkedPicture{};
};

// A control that toggles on a click and shows a check mark (or swaps its picture) while checked. A decision
// callback, when given, receives each requested change and returns the state actually to apply.
class Checkbox final : public Control
{
public:
    using DecideCallback = std::function<bool(Checkbox& box, bool requested)>;

    // With a text or a picture; `checked` is the group's to apply (Group::AddCheckbox).
    Checkbox(Frame& owner, const CheckboxDefinition& box);
    // Around an existing node: the box takes the node's place and size (named its name + "_checkBox") and the
    // node moves to the box's origin. The check mark comes from the frame's callback (role Check).
    Checkbox(Frame& owner, std::shared_ptr<Scene::Node> node, DecideCallback decision, WidgetType type,
             int optionValue);
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

private:
    // The content node, made before the box itself, and the rectangle it gives the box.
    struct Content
    {
        std::shared_ptr<Scene::Node> node;
        Common::Rect rect;
    };
    [[nodiscard]] static Content MakeContent(Frame& owner, const CheckboxDefinition& box);
    [[nodiscard]] static Content Adopt(const std::shared_ptr<Scene::Node>& node);

    Checkbox(Frame& owner, const CheckboxDefinition& box, Content made);

    DecideCallback decide;
    Common::Event<> checkedEvent;
    bool checked = false;
    bool swapContent = false;
    std::shared_ptr<Scene::Node> checkNode;
    std::shared_ptr<Scene::Node> content;
};

} // namespace Quarnel::GameEngine2D::Widgets
