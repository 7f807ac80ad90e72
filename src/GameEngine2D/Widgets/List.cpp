#include "GameEngine2D/Widgets/List.h"

#include "Common/Color.h"
#include "Common/Helper.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Label.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// Offsets of the page line and the paging buttons from the list's right edge (see the constructor).
constexpr float PageInfoOffset = 44.0f;
constexpr float PreviousOffset = 34.0f;
constexpr float NextOffset = 13.0f;
// The page line is drawn fainter than the other texts.
constexpr Common::Color PageInfoFade(0, 0, 0, 64);
} // namespace

List::List(Frame& owner, const ListDefinition& list) :
    CheckBoxGroup(owner, ChoiceDefinition{list.name, list.rect, list.allowNone, list.multiple, list.onChange}),
    listTitle(list.title)
{
    // The right edge is taken as the rectangle's x plus its width, while the controls stand relative to the
    // list: the page line and the buttons sit rect.x further right than the list's own right edge.
    const float right = GetPosition().X() + GetSize().value_or(Common::Point3D()).X();
    AddLabel(listTitle, Common::Point3D());
    // The page line and the buttons are kept as made rather than looked up by name: a title "<" or "pageInfo"
    // would otherwise be found in their place.
    pageInfo = std::make_shared<Label>(owner, "Seite 0 von 0", Common::Point3D(right - PageInfoOffset, 0.0f, 0.0f),
                                       "pageInfo");
    AddControl(pageInfo);
    // The buttons belong to the list, so their callbacks may call it.
    previousButton =
        std::make_shared<Button>(owner, ButtonDefinition{.name = "<",
                                                         .text = "<",
                                                         .place = Common::Point3D(right - PreviousOffset, 0.0f, 0.0f),
                                                         .onClick = [this] { PreviousPage(); }});
    AddControl(previousButton);
    nextButton =
        std::make_shared<Button>(owner, ButtonDefinition{.name = ">",
                                                         .text = ">",
                                                         .place = Common::Point3D(right - NextOffset, 0.0f, 0.0f),
                                                         .onClick = [this] { NextPage(); }});
    AddControl(nextButton);
    const std::shared_ptr<Scene::TextNode> pageText = pageInfo->GetTextNode();
    pageText->SetLeftToRight(false);
    pageText->SetColor(pageText->GetColor().Subtract(PageInfoFade));
    // An empty list reads "Seite 1 von 1" with both buttons disabled, so no click can leave pages 1..pageCount.
    Layout();
}

List::~List() = default;

CheckBoxGroup& List::AddOption(const CheckboxDefinition& option, std::uint16_t optionValue)
{
    AddItem(AddOptionBox(option, optionValue));
    return *this;
}

CheckBoxGroup& List::AddOption(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue, bool checked)
{
    AddItem(AddOptionBox(std::move(content), optionValue, checked));
    return *this;
}

void List::AddItem(std::shared_ptr<Checkbox> box)
{
    const auto itemValue = static_cast<std::uint16_t>(box->GetValue());
    hoverReports.push_back(box->OnHoverChanged().Subscribe(
        [this, itemValue](Control& /*control*/, bool isHovered) { itemHover.Call(itemValue, isHovered); }));
    items.push_back(std::move(box));
    Layout();
}

std::size_t List::RemoveOptions(const std::vector<std::uint16_t>& values)
{
    const std::size_t removed = CheckBoxGroup::RemoveOptions(values);
    if (removed == 0)
        return 0;
    // The hover reports run parallel to the items; kept are the items still in the group (a removed control has
    // left the node tree).
    std::vector<std::shared_ptr<Checkbox>> keptItems;
    std::vector<Common::Subscription> keptReports;
    for (std::size_t index = 0; index < items.size(); ++index)
    {
        if (!items[index]->GetParent())
            continue;
        keptItems.push_back(std::move(items[index]));
        keptReports.push_back(std::move(hoverReports[index]));
    }
    items = std::move(keptItems);
    hoverReports = std::move(keptReports);
    Layout();
    if (page > pageCount)
    {
        page = pageCount;
        Layout();
    }
    return removed;
}

Common::EventAddHandler<std::uint16_t, bool>& List::OnItemHover()
{
    return itemHover.GetAddHandler();
}

void List::PreviousPage()
{
    if (page <= 1)
        return;
    --page;
    Layout();
}

void List::NextPage()
{
    if (page >= pageCount)
        return;
    ++page;
    Layout();
}

void List::Layout()
{
    const float height = GetSize().value_or(Common::Point3D()).Y();
    const float top = pageInfo->GetSize().value_or(Common::Point3D()).Y() + lineSpacing * 2.0f;
    float y = top;
    int itemPage = 1;
    // By index with a checked access: a handler of an item's events may add items while the walk runs.
    for (std::size_t index = 0; index < items.size(); ++index)
    {
        const std::shared_ptr<Checkbox> item = items.at(index);
        const float itemHeight = item->GetSize().value_or(Common::Point3D()).Y();
        y += itemHeight;
        if (y > height)
        {
            ++itemPage;
            y = top + itemHeight;
        }
        if (itemPage == page)
        {
            item->SetVisible(true);
            item->SetPosition(Common::Point3D(item->GetPosition().X(), y - itemHeight, 0.0f));
        }
        else
        {
            item->SetVisible(false);
        }
        y += lineSpacing;
    }
    pageCount = itemPage;
    previousButton->SetEnabled(page > 1);
    nextButton->SetEnabled(page < pageCount);
    pageInfo->GetTextNode()->SetText("Seite " + Common::Helper::IntToString(page) + " von " +
                                     Common::Helper::IntToString(pageCount));
}

} // namespace Quarnel::GameEngine2D::Widgets
