#pragma once

#include "Common/Event.h"
#include "Common/Rect.h"
#include "Common/Subscription.h"
#include "GameEngine2D/Widgets/CheckBoxGroup.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Quarnel::GameEngine2D::Widgets
{

// What a list shows and how it chooses: a check-box group's choice plus a title.
struct ListDefinition
{
    std::string name{};
    std::string title{};
    Common::Rect rect{};
    bool allowNone = false;
    bool multiple = false;
    Group::ChangeCallback onChange{};
};

// A check-box group with a title, paging buttons "<" and ">" and a page line ("Seite 1 von 2"). It stacks its
// options vertically below the page line, lineSpacing apart, and shows only those of the current page; an
// option that would end below the list's height opens the next page.
class List final : public CheckBoxGroup
{
public:
    using HoverEvent = Common::Event<std::uint16_t, bool>;

    List(Frame& owner, const ListDefinition& list);
    ~List() override;

    // Both add the option, then lay the list out again.
    CheckBoxGroup& AddOption(const CheckboxDefinition& option, std::uint16_t optionValue) override;
    CheckBoxGroup& AddOption(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue,
                             bool checked = false) override;

    // Takes the options out and lays the list out again, staying on the current page while it still exists.
    std::size_t RemoveOptions(const std::vector<std::uint16_t>& values) override;

    // Raised with (option value, hovered) when the pointer enters or leaves an option.
    [[nodiscard]] virtual Common::EventAddHandler<std::uint16_t, bool>& OnItemHover();

    [[nodiscard]] int GetPage() const { return page; }
    [[nodiscard]] int GetPageCount() const { return pageCount; }
    [[nodiscard]] const std::vector<std::shared_ptr<Checkbox>>& GetItems() const { return items; }
    [[nodiscard]] std::shared_ptr<Label> GetPageInfo() const { return pageInfo; }
    [[nodiscard]] std::shared_ptr<Button> GetPreviousButton() const { return previousButton; }
    [[nodiscard]] std::shared_ptr<Button> GetNextButton() const { return nextButton; }
    // Turns to the previous or next page, when there is one.
    void PreviousPage();
    void NextPage();

private:
    void AddItem(std::shared_ptr<Checkbox> box);
    // Places the items of the current page, hides the others and refreshes the page line and the buttons.
    void Layout();

    std::string listTitle;
    std::shared_ptr<Label> pageInfo;
    std::shared_ptr<Button> previousButton;
    std::shared_ptr<Button> nextButton;
    int page = 1;
    int pageCount = 1;
    std::vector<std::shared_ptr<Checkbox>> items;
    float lineSpacing = 4.0f;
    HoverEvent itemHover;
    std::vector<Common::Subscription> hoverReports;
};

} // namespace Quarnel::GameEngine2D::Widgets
