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
#include <cstddef>
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
} // namespace

std::shared_ptr<Group> Group::Create(const std::string& widgetName, Frame& owner, const Common::Rect& rect)
{
    return Make<Group>(widgetName, owner, rect);
}

Group::Group(Key key, const std::string& widgetName, Frame& owner, const Common::Rect& rect) :
    Control(key, widgetName, owner, WidgetType::Group, rect, false, -1)
{
}

Group::~Group() = default;

void Group::SetFocused(bool isFocused)
{
    Control::SetFocused(isFocused);
    // By index with a checked access: a focus handler may add controls while the walk runs.
    for (std::size_t index = 0; index < controls.size(); ++index)
        controls.at(index)->SetFocused(isFocused);
}

void Group::AddControl(const std::shared_ptr<Control>& control)
{
    controls.push_back(control);
    AddChild(control);
}

void Group::ApplyInitialCheck(Checkbox& box, bool checked)
{
    if (checked)
        box.Request(true);
}

Group& Group::AddLabel(const std::string& text, Common::Point3D place, const std::string& widgetName)
{
    AddControl(Label::Create(GetFrame(), text, place, NameOr(widgetName, text)));
    return *this;
}

Group& Group::AddButton(const std::string& text, Common::Point3D place, ClickCallback onClick,
                        const std::string& widgetName)
{
    AddControl(Button::Create(GetFrame(), place, std::move(onClick), NameOr(widgetName, text), "", text, ""));
    return *this;
}

Group& Group::AddPictureButton(const std::string& pictureFile, Common::Point3D place, ClickCallback onClick,
                               const std::string& widgetName, const std::string& tooltip, const std::string& text)
{
    AddControl(Button::Create(GetFrame(), place, std::move(onClick), NameOr(widgetName, pictureFile), pictureFile, text,
                              tooltip));
    return *this;
}

Group& Group::AddSpace(const std::string& widgetName, const Common::Rect& rect, const std::string& tooltip)
{
    AddControl(Space::Create(GetFrame(), widgetName, rect, tooltip));
    return *this;
}

Group& Group::AddNodeButton(std::shared_ptr<Scene::Node> content, ClickCallback onClick)
{
    Common::Helper::CheckNull(content, "content");
    AddControl(Button::Create(GetFrame(), std::move(content), std::move(onClick)));
    return *this;
}

Group& Group::AddTextEdit(const std::string& widgetName, const Common::Rect& rect, const std::string& text)
{
    AddControl(TextEdit::Create(GetFrame(), widgetName, rect, text));
    return *this;
}

Group& Group::AddNumberEdit(const std::string& widgetName, const Common::Rect& rect, const std::string& text)
{
    AddControl(NumberEdit::Create(GetFrame(), widgetName, rect, text));
    return *this;
}

Group& Group::AddCheckbox(const std::string& widgetName, const std::string& text, Common::Point3D place,
                          DecideCallback decide, const std::string& contentPicture, const std::string& checkedPicture,
                          bool checked)
{
    (void)AddCheckbox(widgetName, text, place, std::move(decide), WidgetType::Checkbox, -1, checked, contentPicture,
                      checkedPicture);
    return *this;
}

std::shared_ptr<Checkbox> Group::AddCheckbox(std::shared_ptr<Scene::Node> content, DecideCallback decide,
                                             WidgetType type, int wantedValue, bool checked)
{
    Common::Helper::CheckNull(content, "content");
    auto box = Checkbox::Create(GetFrame(), std::move(content), std::move(decide), type, wantedValue);
    AddControl(box);
    ApplyInitialCheck(*box, checked);
    return box;
}

std::shared_ptr<Checkbox> Group::AddCheckbox(const std::string& widgetName, const std::string& text,
                                             Common::Point3D place, DecideCallback decide, WidgetType type,
                                             int wantedValue, bool checked, const std::string& contentPicture,
                                             const std::string& checkedPicture)
{
    auto box = Checkbox::Create(GetFrame(), widgetName, text, place, std::move(decide), type, wantedValue,
                                contentPicture, checkedPicture);
    AddControl(box);
    ApplyInitialCheck(*box, checked);
    return box;
}

const Group::ControlList& Group::GetControls() const
{
    return controls;
}

void Group::UpdateInputAreas()
{
    for (std::size_t index = 0; index < controls.size(); ++index)
    {
        const std::shared_ptr<Control> control = controls.at(index);
        control->UpdateInputArea();
    }
}

std::shared_ptr<CheckBoxGroup> Group::AddCheckBoxGroup(const std::string& widgetName, const Common::Rect& rect,
                                                       bool allowNone, bool multiple, ChangeCallback onChange)
{
    auto group = CheckBoxGroup::Create(widgetName, GetFrame(), rect, allowNone, multiple, std::move(onChange));
    AddControl(group);
    return group;
}

std::shared_ptr<List> Group::AddList(const std::string& widgetName, const std::string& title, const Common::Rect& rect,
                                     bool allowNone, bool multiple, ChangeCallback onChange)
{
    auto list = List::Create(GetFrame(), widgetName, title, rect, allowNone, multiple, std::move(onChange));
    AddControl(list);
    return list;
}

std::shared_ptr<Control> Group::GetControl(const std::string& widgetName) const
{
    const std::string nodeName = "ctrl_" + widgetName;
    const auto found = std::ranges::find_if(
        controls, [&nodeName](const std::shared_ptr<Control>& control) { return control->GetName() == nodeName; });
    if (found == controls.end())
        throw std::runtime_error("Angefordertes Control " + widgetName + " ist nicht vorhanden");
    return *found;
}

std::shared_ptr<Control> Group::GetControl(int wantedValue) const
{
    Common::MyLog::Info("GetControl, id: " + Common::Helper::IntToString(wantedValue));
    const auto found = std::ranges::find_if(controls, [wantedValue](const std::shared_ptr<Control>& control) {
        return control->GetValue() == wantedValue;
    });
    return found == controls.end() ? nullptr : *found;
}

void Group::DisposeControls()
{
    GameEngine& gameEngine = GetFrame().GetScene().GetGameEngine();
    const ControlList disposed = std::exchange(controls, {});
    for (const std::shared_ptr<Control>& control : disposed)
        control->Dispose(gameEngine);
    // The disposed controls leave the node tree too, so they are not drawn again; the group's own nodes
    // (background, highlight) stay.
    const Scene::Node::NodeList nodes = GetChildren();
    ClearChildren();
    for (const std::shared_ptr<Scene::Node>& child : nodes)
    {
        if (std::ranges::find(disposed, child) == disposed.end())
            AddChild(child);
    }
}

} // namespace Quarnel::GameEngine2D::Widgets
