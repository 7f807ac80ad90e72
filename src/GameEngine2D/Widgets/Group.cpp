#include "GameEngine2D/Widgets/Group.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/CheckBoxGroup.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/List.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "GameEngine2D/Widgets/Space.h"
#include "GameEngine2D/Widgets/TextEdit.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
[[nodiscard]] const std::string& NameOr(const std::string& widgetName, const std::string& fallback)
{
    return widgetName.empty() ? fallback : widgetName;
}

// Disposes the controls and takes their nodes out of the group's node tree, so they are not drawn again; the
// group's own nodes (background, highlight) stay. Children are found by name, and controls may share one: the
// children are built again without the disposed ones, in one pass however many go.
void DisposeAndDetach(Scene::Node& group, const Group::ControlList& disposed, Scene::IGameEngine& gameEngine)
{
    for (const std::shared_ptr<Control>& control : disposed)
        control->Dispose(gameEngine);
    const Scene::Node::NodeList nodes = group.GetChildren();
    group.ClearChildren();
    for (const std::shared_ptr<Scene::Node>& child : nodes)
    {
        if (std::ranges::find(disposed, child) == disposed.end())
            group.AddChild(child);
    }
}
} // namespace

Group::Group(const std::string& widgetName, Frame& owner, const Common::Rect& rect) :
    Control(widgetName, owner, WidgetType::Group, rect, false, -1)
{
}

Group::~Group() = default;

void Group::SetFocused(bool isFocused)
{
    Control::SetFocused(isFocused);
    ForEachControl([isFocused](Control& control) { control.SetFocused(isFocused); });
}

void Group::AddControl(const std::shared_ptr<Control>& control)
{
    controls.Add(control);
    AddChild(control);
}

void Group::ApplyInitialCheck(Checkbox& box, bool checked)
{
    if (checked)
        box.Request(true);
}

Group& Group::AddLabel(const std::string& text, Common::Point3D place, const std::string& widgetName)
{
    AddControl(std::make_shared<Label>(GetFrame(), text, place, NameOr(widgetName, text)));
    return *this;
}

Group& Group::AddButton(const std::string& text, Common::Point3D place, ClickCallback onClick,
                        const std::string& widgetName)
{
    AddControl(std::make_shared<Button>(GetFrame(), ButtonDefinition{.name = NameOr(widgetName, text),
                                                                     .text = text,
                                                                     .place = place,
                                                                     .onClick = std::move(onClick)}));
    return *this;
}

Group& Group::AddPictureButton(const ButtonDefinition& button)
{
    ButtonDefinition named = button;
    named.name = NameOr(button.name, button.pictureFile);
    AddControl(std::make_shared<Button>(GetFrame(), named));
    return *this;
}

Group& Group::AddSpace(const std::string& widgetName, const Common::Rect& rect, const std::string& tooltip)
{
    AddControl(std::make_shared<Space>(GetFrame(), widgetName, rect, tooltip));
    return *this;
}

Group& Group::AddNodeButton(std::shared_ptr<Scene::Node> content, ClickCallback onClick)
{
    Common::Helper::CheckNull(content, "content");
    AddControl(std::make_shared<Button>(GetFrame(), std::move(content), std::move(onClick)));
    return *this;
}

Group& Group::AddTextEdit(const std::string& widgetName, const Common::Rect& rect, const std::string& text)
{
    AddControl(std::make_shared<TextEdit>(GetFrame(), widgetName, rect, text));
    return *this;
}

Group& Group::AddNumberEdit(const std::string& widgetName, const Common::Rect& rect, const std::string& text)
{
    AddControl(std::make_shared<NumberEdit>(GetFrame(), widgetName, rect, text));
    return *this;
}

std::shared_ptr<Checkbox> Group::AddCheckbox(const CheckboxDefinition& box)
{
    auto checkbox = std::make_shared<Checkbox>(GetFrame(), box);
    AddControl(checkbox);
    ApplyInitialCheck(*checkbox, box.checked);
    return checkbox;
}

std::shared_ptr<Checkbox> Group::AddCheckbox(std::shared_ptr<Scene::Node> content, DecideCallback decide,
                                             WidgetType type, int wantedValue, bool checked)
{
    Common::Helper::CheckNull(content, "content");
    auto box = std::make_shared<Checkbox>(GetFrame(), std::move(content), std::move(decide), type, wantedValue);
    AddControl(box);
    ApplyInitialCheck(*box, checked);
    return box;
}

Group::ControlList Group::GetControls() const
{
    return controls.Items();
}

void Group::UpdateInputAreas()
{
    ForEachControl([](Control& control) { control.UpdateInputArea(); });
}

std::shared_ptr<CheckBoxGroup> Group::AddCheckBoxGroup(const ChoiceDefinition& choice)
{
    auto group = std::make_shared<CheckBoxGroup>(GetFrame(), choice);
    AddControl(group);
    return group;
}

std::shared_ptr<List> Group::AddList(const ListDefinition& list)
{
    auto added = std::make_shared<List>(GetFrame(), list);
    AddControl(added);
    return added;
}

std::shared_ptr<Control> Group::GetControl(const std::string& widgetName) const
{
    const std::string nodeName = "ctrl_" + widgetName;
    std::shared_ptr<Control> found =
        controls.Find([&nodeName](const Control& control) { return control.GetName() == nodeName; });
    if (!found)
        throw std::runtime_error("Angefordertes Control " + widgetName + " ist nicht vorhanden");
    return found;
}

std::shared_ptr<Control> Group::GetControl(int wantedValue) const
{
    Common::MyLog::Info("GetControl, id: " + Common::Helper::IntToString(wantedValue));
    return controls.Find([wantedValue](const Control& control) { return control.GetValue() == wantedValue; });
}

void Group::DisposeControls()
{
    Scene::IGameEngine& gameEngine = GetFrame().GetScene().GetGameEngine();
    const ControlList disposed = controls.Items();
    controls.Clear();
    DisposeAndDetach(*this, disposed, gameEngine);
}

void Group::RemoveControls(const ControlList& removed)
{
    Scene::IGameEngine& gameEngine = GetFrame().GetScene().GetGameEngine();
    ControlList disposed;
    for (const std::shared_ptr<Control>& control : removed)
    {
        if (control && controls.Remove([&control](const Control& entry) { return &entry == control.get(); }))
            disposed.push_back(control);
    }
    DisposeAndDetach(*this, disposed, gameEngine);
}

} // namespace Quarnel::GameEngine2D::Widgets
