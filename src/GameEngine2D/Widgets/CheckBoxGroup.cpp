#include "GameEngine2D/Widgets/CheckBoxGroup.h"

#include "Common/Handler.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Widgets/Checkbox.h"

#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// The controls of a group that are options, as check boxes; null for every other control.
Checkbox* AsOption(const std::shared_ptr<Control>& control)
{
    if (control->GetWidgetType() != WidgetType::Option)
        return nullptr;
    return dynamic_cast<Checkbox*>(control.get());
}
} // namespace

std::shared_ptr<CheckBoxGroup> CheckBoxGroup::Create(const std::string& widgetName, Frame& owner,
                                                     const Common::Rect& rect, bool noneAllowed, bool multipleAllowed,
                                                     ChangeCallback changeCallback)
{
    return Make<CheckBoxGroup>(widgetName, owner, rect, noneAllowed, multipleAllowed, std::move(changeCallback));
}

CheckBoxGroup::CheckBoxGroup(Key key, const std::string& widgetName, Frame& owner, const Common::Rect& rect,
                             bool noneAllowed, bool multipleAllowed, ChangeCallback changeCallback) :
    Group(key, widgetName, owner, rect),
    onChange(std::move(changeCallback)),
    allowNone(noneAllowed),
    multiple(multipleAllowed)
{
}

CheckBoxGroup::~CheckBoxGroup() = default;

CheckBoxGroup& CheckBoxGroup::AddOption(const std::string& widgetName, const std::string& text, Common::Point3D place,
                                        std::uint16_t optionValue, bool checked, const std::string& contentPicture,
                                        const std::string& checkedPicture)
{
    (void)AddOptionBox(widgetName, text, place, optionValue, checked, contentPicture, checkedPicture);
    return *this;
}

CheckBoxGroup& CheckBoxGroup::AddOption(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue, bool checked)
{
    (void)AddOptionBox(std::move(content), optionValue, checked);
    return *this;
}

std::shared_ptr<Checkbox> CheckBoxGroup::AddOptionBox(const std::string& widgetName, const std::string& text,
                                                      Common::Point3D place, std::uint16_t optionValue, bool checked,
                                                      const std::string& contentPicture,
                                                      const std::string& checkedPicture)
{
    auto box = AddCheckbox(widgetName, text, place, MakeDecision(), WidgetType::Option, optionValue, checked,
                           contentPicture, checkedPicture);
    SubscribeChangeReport(*box);
    return box;
}

std::shared_ptr<Checkbox> CheckBoxGroup::AddOptionBox(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue,
                                                      bool checked)
{
    auto box = AddCheckbox(std::move(content), MakeDecision(), WidgetType::Option, optionValue, checked);
    SubscribeChangeReport(*box);
    return box;
}

Group::DecideCallback CheckBoxGroup::MakeDecision()
{
    // The boxes hold their group weakly: a box kept alive elsewhere must not call into a destroyed group.
    const std::weak_ptr<CheckBoxGroup> self = WeakSelf<CheckBoxGroup>();
    return [self](Checkbox& box, bool requested) {
        const std::shared_ptr<CheckBoxGroup> group = self.lock();
        return group ? group->Decide(box, requested) : requested;
    };
}

void CheckBoxGroup::SubscribeChangeReport(Checkbox& box)
{
    const std::weak_ptr<CheckBoxGroup> self = WeakSelf<CheckBoxGroup>();
    box.OnChecked().Add(Common::Handler<>([self] {
        const std::shared_ptr<CheckBoxGroup> group = self.lock();
        if (group && group->onChange)
            group->onChange(group->selection);
    }));
}

bool CheckBoxGroup::IsOtherOptionChecked(const Checkbox& box) const
{
    const ControlList& members = GetControls();
    for (std::size_t index = 0; index < members.size(); ++index)
    {
        const Checkbox* option = AsOption(members.at(index));
        if (option && option->GetValue() != box.GetValue() && option->IsChecked())
            return true;
    }
    return false;
}

bool CheckBoxGroup::Decide(Checkbox& box, bool requested)
{
    Common::MyLog::Info("CheckControl: " + box.GetName());
    // The controls are walked by index with a checked access: a handler that adds a control while the walk
    // runs cannot make it read past the end.
    const ControlList& members = GetControls();
    if (requested && !multiple)
    {
        for (std::size_t index = 0; index < members.size(); ++index)
        {
            Checkbox* option = AsOption(members.at(index));
            if (option && option->GetValue() != box.GetValue())
                option->SetChecked(false);
        }
    }
    if (!requested && !allowNone && !IsOtherOptionChecked(box))
        return box.IsChecked();

    Selection next;
    if (requested)
        next.push_back(static_cast<std::uint16_t>(box.GetValue()));
    if (multiple)
    {
        for (std::size_t index = 0; index < members.size(); ++index)
        {
            const Checkbox* option = AsOption(members.at(index));
            if (option && option->GetValue() != box.GetValue() && option->IsChecked())
                next.push_back(static_cast<std::uint16_t>(option->GetValue()));
        }
    }
    selection = std::move(next);
    return requested;
}

void CheckBoxGroup::UncheckAll()
{
    const ControlList& members = GetControls();
    for (std::size_t index = 0; index < members.size(); ++index)
    {
        if (Checkbox* option = AsOption(members.at(index)))
            option->SetChecked(false);
    }
}

const CheckBoxGroup::Selection& CheckBoxGroup::GetSelection() const
{
    return selection;
}

void CheckBoxGroup::ClipOptions()
{
    const float height = GetSize().value_or(Common::Point3D()).Y();
    const ControlList& members = GetControls();
    for (std::size_t index = 0; index < members.size(); ++index)
    {
        const std::shared_ptr<Control>& control = members.at(index);
        const float bottom = control->GetPosition().Y() + control->GetSize().value_or(Common::Point3D()).Y();
        control->SetVisible(bottom <= height);
    }
}

} // namespace Quarnel::GameEngine2D::Widgets
