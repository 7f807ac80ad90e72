#include "GameEngine2D/Widgets/CheckBoxGroup.h"

#include "Common/MyLog.h"
#include "GameEngine2D/Widgets/Checkbox.h"

#include <algorithm>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// The controls of a group that are options, as check boxes; null for every other control.
Checkbox* AsOption(Control& control)
{
    if (control.GetWidgetType() != WidgetType::Option)
        return nullptr;
    return dynamic_cast<Checkbox*>(&control);
}
} // namespace

CheckBoxGroup::CheckBoxGroup(Frame& owner, const ChoiceDefinition& choice) :
    Group(choice.name, owner, choice.rect),
    onChange(choice.onChange),
    allowNone(choice.allowNone),
    multiple(choice.multiple)
{
}

CheckBoxGroup::~CheckBoxGroup() = default;

CheckBoxGroup& CheckBoxGroup::AddOption(const CheckboxDefinition& option, std::uint16_t optionValue)
{
    (void)AddOptionBox(option, optionValue);
    return *this;
}

CheckBoxGroup& CheckBoxGroup::AddOption(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue, bool checked)
{
    (void)AddOptionBox(std::move(content), optionValue, checked);
    return *this;
}

std::shared_ptr<Checkbox> CheckBoxGroup::AddOptionBox(const CheckboxDefinition& option, std::uint16_t optionValue)
{
    CheckboxDefinition decided = option;
    decided.decide = [this](Checkbox& box, bool requested) { return Decide(box, requested); };
    decided.type = WidgetType::Option;
    decided.value = optionValue;
    auto box = AddCheckbox(decided);
    SubscribeChangeReport(*box);
    return box;
}

std::shared_ptr<Checkbox> CheckBoxGroup::AddOptionBox(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue,
                                                      bool checked)
{
    auto box = AddCheckbox(
        std::move(content), [this](Checkbox& option, bool requested) { return Decide(option, requested); },
        WidgetType::Option, optionValue, checked);
    SubscribeChangeReport(*box);
    return box;
}

void CheckBoxGroup::SubscribeChangeReport(Checkbox& box)
{
    changeReports.push_back(box.OnChecked().Subscribe([this] {
        if (onChange)
            onChange(selection);
    }));
}

bool CheckBoxGroup::IsOtherOptionChecked(const Checkbox& box)
{
    bool found = false;
    ForEachControl([&](Control& control) {
        const Checkbox* option = AsOption(control);
        found = found || (option && option->GetValue() != box.GetValue() && option->IsChecked());
    });
    return found;
}

bool CheckBoxGroup::Decide(Checkbox& box, bool requested)
{
    Common::MyLog::Info("CheckControl: " + box.GetName());
    if (requested && !multiple)
    {
        ForEachControl([&box](Control& control) {
            Checkbox* option = AsOption(control);
            if (option && option->GetValue() != box.GetValue())
                option->SetChecked(false);
        });
    }
    if (!requested && !allowNone && !IsOtherOptionChecked(box))
        return box.IsChecked();

    Selection next;
    if (requested)
        next.push_back(static_cast<std::uint16_t>(box.GetValue()));
    if (multiple)
    {
        ForEachControl([&](Control& control) {
            const Checkbox* option = AsOption(control);
            if (option && option->GetValue() != box.GetValue() && option->IsChecked())
                next.push_back(static_cast<std::uint16_t>(option->GetValue()));
        });
    }
    selection = std::move(next);
    return requested;
}

void CheckBoxGroup::UncheckAll()
{
    ForEachControl([](Control& control) {
        if (Checkbox* option = AsOption(control))
            option->SetChecked(false);
    });
}

std::size_t CheckBoxGroup::RemoveOptions(const std::vector<std::uint16_t>& values)
{
    // Sorted, so that emptying a list of thousands of options stays quick.
    std::vector<std::uint16_t> sorted = values;
    std::ranges::sort(sorted);
    const auto listed = [&sorted](int optionValue) {
        return optionValue >= 0 && std::ranges::binary_search(sorted, static_cast<std::uint16_t>(optionValue));
    };
    ControlList removed;
    for (const std::shared_ptr<Control>& control : GetControls())
    {
        if (AsOption(*control) && listed(control->GetValue()))
            removed.push_back(control);
    }
    std::erase_if(selection, [&listed](std::uint16_t selected) { return listed(selected); });
    RemoveControls(removed);
    return removed.size();
}

const CheckBoxGroup::Selection& CheckBoxGroup::GetSelection() const
{
    return selection;
}

void CheckBoxGroup::ClipOptions()
{
    const float height = GetSize().value_or(Common::Point3D()).Y();
    ForEachControl([height](Control& control) {
        const float bottom = control.GetPosition().Y() + control.GetSize().value_or(Common::Point3D()).Y();
        control.SetVisible(bottom <= height);
    });
}

} // namespace Quarnel::GameEngine2D::Widgets
