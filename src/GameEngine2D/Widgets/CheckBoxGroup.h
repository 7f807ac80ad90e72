#pragma once

#include "GameEngine2D/Widgets/Group.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Widgets
{

// A group of check boxes of type Option that behaves as a radio group (one checked at most) or as a multiple
// choice, and reports the values of the checked options each time one becomes checked. Without allowNone the
// last checked option refuses to be unchecked.
class CheckBoxGroup : public Group
{
public:
    using Selection = std::vector<std::uint16_t>;

    [[nodiscard]] static std::shared_ptr<CheckBoxGroup> Create(const std::string& widgetName, Frame& owner,
                                                               const Common::Rect& rect, bool noneAllowed,
                                                               bool multipleAllowed, ChangeCallback changeCallback);

    CheckBoxGroup(Key key, const std::string& widgetName, Frame& owner, const Common::Rect& rect, bool noneAllowed,
                  bool multipleAllowed, ChangeCallback changeCallback);
    ~CheckBoxGroup() override;

    // An option with a text (or a picture), decided by this group.
    virtual CheckBoxGroup& AddOption(const std::string& widgetName, const std::string& text, Common::Point3D place,
                                     std::uint16_t optionValue, bool checked = false,
                                     const std::string& contentPicture = "", const std::string& checkedPicture = "");
    // An option around an existing node.
    virtual CheckBoxGroup& AddOption(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue,
                                     bool checked = false);
    // Unchecks every option without asking the decision.
    virtual void UncheckAll();
    // The values of the checked options as of the last change; empty before the first change.
    [[nodiscard]] virtual const Selection& GetSelection() const;
    // Shows every control whose bottom edge lies within the group's height and hides the others.
    virtual void ClipOptions();

protected:
    // The option-adding steps, returning the new box (the adding operations return the group).
    std::shared_ptr<Checkbox> AddOptionBox(const std::string& widgetName, const std::string& text,
                                           Common::Point3D place, std::uint16_t optionValue, bool checked,
                                           const std::string& contentPicture, const std::string& checkedPicture);
    std::shared_ptr<Checkbox> AddOptionBox(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue,
                                           bool checked);

private:
    // The group's answer to a change requested for one of its options.
    bool Decide(Checkbox& box, bool requested);
    [[nodiscard]] DecideCallback MakeDecision();
    void SubscribeChangeReport(Checkbox& box);
    // Whether an option other than `box` (by value) is checked.
    [[nodiscard]] bool IsOtherOptionChecked(const Checkbox& box) const;

    ChangeCallback onChange;
    bool allowNone;
    bool multiple;
    Selection selection;
};

} // namespace Quarnel::GameEngine2D::Widgets
