#pragma once

#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "Common/WalkedList.h"
#include "GameEngine2D/Widgets/Control.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Widgets
{

// A control that holds other controls and offers the building operations through which an application fills
// a panel. There is no automatic layout: every widget goes where the caller says, relative to the group, and
// takes its size from its content. Operations that make simple widgets return the group, so calls chain;
// those that make containers or check boxes return the new widget.
//
// A control added while the group walks its controls (focus, input areas, options) joins when the walk ends.
class Group : public Control
{
public:
    using ClickCallback = std::function<void()>;
    // (check box, requested state) → the state actually to apply.
    using DecideCallback = std::function<bool(Checkbox& box, bool requested)>;
    // The values of the checked options.
    using ChangeCallback = std::function<void(const std::vector<std::uint16_t>& selection)>;
    using ControlList = std::vector<std::shared_ptr<Control>>;

    Group(const std::string& widgetName, Frame& owner, const Common::Rect& rect);
    ~Group() override;

    // Stores the focus and passes the same value on to every control of the group.
    void SetFocused(bool isFocused) override;

    // A label; without a name the text names it.
    virtual Group& AddLabel(const std::string& text, Common::Point3D place, const std::string& widgetName = "");
    // A text button; without a name the text names it.
    virtual Group& AddButton(const std::string& text, Common::Point3D place, ClickCallback onClick,
                             const std::string& widgetName = "");
    // A picture button with an optional text and info text; without a name the picture file names it.
    virtual Group& AddPictureButton(const ButtonDefinition& button);
    virtual Group& AddSpace(const std::string& widgetName, const Common::Rect& rect, const std::string& tooltip = "");
    // A button around an existing node, which moves into the button.
    virtual Group& AddNodeButton(std::shared_ptr<Scene::Node> content, ClickCallback onClick);
    virtual Group& AddTextEdit(const std::string& widgetName, const Common::Rect& rect, const std::string& text);
    virtual Group& AddNumberEdit(const std::string& widgetName, const Common::Rect& rect, const std::string& text);
    // A check box showing a text or a picture; a stand-alone one keeps type Checkbox and value -1.
    virtual std::shared_ptr<Checkbox> AddCheckbox(const CheckboxDefinition& box);
    // A check box around an existing node.
    virtual std::shared_ptr<Checkbox> AddCheckbox(std::shared_ptr<Scene::Node> content, DecideCallback decide,
                                                  WidgetType type, int wantedValue, bool checked);
    [[nodiscard]] virtual ControlList GetControls() const;
    // Refreshes every control's input rectangle, as drawing does.
    virtual void UpdateInputAreas();
    virtual std::shared_ptr<CheckBoxGroup> AddCheckBoxGroup(const ChoiceDefinition& choice);
    virtual std::shared_ptr<List> AddList(const ListDefinition& list);
    // The control named "ctrl_" + name; std::runtime_error "Angefordertes Control <name> ist nicht vorhanden"
    // when there is none.
    [[nodiscard]] virtual std::shared_ptr<Control> GetControl(const std::string& widgetName) const;
    // The first control carrying `value`, or null.
    [[nodiscard]] virtual std::shared_ptr<Control> GetControl(int wantedValue) const;
    // Disposes every control and forgets it, as a control and as a child node.
    virtual void DisposeControls();
    // Disposes these controls and forgets them, as controls and as child nodes; the others keep their order.
    // Controls that are not the group's are ignored.
    void RemoveControls(const ControlList& removed);

    // Adds a control to the group's controls and child nodes.
    void AddControl(const std::shared_ptr<Control>& control);

protected:
    // Applies the initial state of a new check box: checked through its decision when there is one.
    static void ApplyInitialCheck(Checkbox& box, bool checked);

    // Visits the controls in order; one added meanwhile joins when the walk ends.
    template <typename Visit>
    void ForEachControl(Visit visit)
    {
        controls.ForEach(visit);
    }

private:
    Common::WalkedList<Control> controls{Common::WhileWalked::DeferAdditions};
};

} // namespace Quarnel::GameEngine2D::Widgets
