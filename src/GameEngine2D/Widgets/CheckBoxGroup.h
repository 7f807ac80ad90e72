#pragma once

#include "Common/Rect.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Widgets/Group.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Widgets
{

// How a check-box group chooses.
struct ChoiceDefinition
{
    std::string name{};
    Common::Rect rect{};
    // Without it the last checked option refuses to be unchecked.
    bool allowNone = false;
    // Several options may be checked; otherwise the group behaves as a radio group.
    bool multiple = false;
    // Receives the values of the checked options each time one becomes checked.
    Group::ChangeCallback onChange{};
};

// A group of check boxes of type Option that behaves as a radio group (one checked at most) or as a multiple
// choice, and reports the values of the checked options each time one becomes checked. Without allowNone the
// last checked option refuses to be unchecked. The options belong to the group: their decisions and reports
// call it.
class CheckBoxGroup : public Group
{
public:
    using Selection = std::vector<std::uint16_t>;

    CheckBoxGroup(Frame& owner, const ChoiceDefinition& choice);
    ~CheckBoxGroup() override;

    // An option with a text (or a picture), decided by this group; the definition's decision, type and value are
    // the group's.
    virtual CheckBoxGroup& AddOption(const CheckboxDefinition& option, std::uint16_t optionValue);
    // An option around an existing node.
    virtual CheckBoxGroup& AddOption(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue,
                                     bool checked = false);
    // Unchecks every option without asking the decision.
    virtual void UncheckAll();
    // Takes out the options carrying these values (disposed, no longer drawn, reported or selected); returns how
    // many went.
    virtual std::size_t RemoveOptions(const std::vector<std::uint16_t>& values);
    // The values of the checked options as of the last change; empty before the first change.
    [[nodiscard]] virtual const Selection& GetSelection() const;
    // Shows every control whose bottom edge lies within the group's height and hides the others.
    virtual void ClipOptions();

protected:
    // The option-adding steps, returning the new box (the adding operations return the group).
    std::shared_ptr<Checkbox> AddOptionBox(const CheckboxDefinition& option, std::uint16_t optionValue);
    std::shared_ptr<Checkbox> AddOptionBox(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue,
                                           bool checked);

private:
    // The group's answer to a change requested for one of its options.
    bool Decide(Checkbox& box, bool requested);
    void SubscribeChangeReport(Checkbox& box);
    // Whether an option other than `box` (by value) is checked.
    [[nodiscard]] bool IsOtherOptionChecked(const Checkbox& box);

    ChangeCallback onChange;
    bool allowNone;
    bool multiple;
    Selection selection;
    std::vector<Common::Subscription> changeReports;
};

} // namespace Quarnel::GameEngine2D::Widgets
