#include "GameEngine2D/Widgets/List.h"

#include "Common/Color.h"
#include "Common/Handler.h"
#include "Common/Helper.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Label.h"

#include <cstddef>
#include <utility>

namespace Quarnel::GameEngine2D::Widgets
{

namespace
{
// Offsets of the page line and the paging buttons from the list's right edge (see Build).
constexpr float PageInfoOffset = 44.0f;
constexpr float PreviousOffset = 34.0f;
constexpr float NextOffset = 13.0f;
// The page line is drawn fainter than the other texts.
constexpr Common::Color PageInfoFade(0, 0, 0, 64);
} // namespace

std::shared_ptr<List> List::Create(Frame& owner, const std::string& widgetName, const std::string& listTitle,
                                   const Common::Rect& rect, bool noneAllowed, bool multipleAllowed,
                                   ChangeCallback changeCallback)
{
    return Make<List>(owner, widgetName, rect, noneAllowed, multipleAllowed, std::move(changeCallback), listTitle);
}

List::List(Key key, Frame& owner, const std::string& widgetName, const Common::Rect& rect, bool noneAllowed,
           bool multipleAllowed, ChangeCallback changeCallback, std::string titleText) :
    CheckBoxGroup(key, widgetName, owner, rect, noneAllowed, multipleAllowed, std::move(changeCallback)),
    listTitle(std::move(titleText))
{
}

List::~List() = default;

void List::Build()
{
    CheckBoxGroup::Build();
    // The right edge is taken as the rectangle's x plus its width, while the controls stand relative to the
    // list: the page line and the buttons sit rect.x further right than the list's own right edge.
    const float right = GetPosition().X() + GetSize().value_or(Common::Point3D()).X();
    const std::weak_ptr<List> self = WeakSelf<List>();
    AddLabel(listTitle, Common::Point3D());
    // The page line and the buttons are kept as made rather than looked up by name: a title "<" or "pageInfo"
    // would otherwise be found in their place.
    pageInfo =
        Label::Create(GetFrame(), "Seite 0 von 0", Common::Point3D(right - PageInfoOffset, 0.0f, 0.0f), "pageInfo");
    AddControl(pageInfo);
    previousButton = Button::Create(
        GetFrame(), Common::Point3D(right - PreviousOffset, 0.0f, 0.0f),
        [self] {
            if (const auto list = self.lock())
                list->PreviousPage();
        },
        "<", "", "<", "");
    AddControl(previousButton);
    nextButton = Button::Create(
        GetFrame(), Common::Point3D(right - NextOffset, 0.0f, 0.0f),
        [self] {
            if (const auto list = self.lock())
                list->NextPage();
        },
        ">", "", ">", "");
    AddControl(nextButton);
    const std::shared_ptr<Scene::TextNode> pageText = pageInfo->GetTextNode();
    pageText->SetLeftToRight(false);
    pageText->SetColor(pageText->GetColor().Subtract(PageInfoFade));
    // An empty list reads "Seite 1 von 1" with both buttons disabled, so no click can leave pages 1..pageCount.
    Layout();
}

CheckBoxGroup& List::AddOption(const std::string& widgetName, const std::string& text, Common::Point3D place,
                               std::uint16_t optionValue, bool checked, const std::string& contentPicture,
                               const std::string& checkedPicture)
{
    AddItem(AddOptionBox(widgetName, text, place, optionValue, checked, contentPicture, checkedPicture));
    return *this;
}

CheckBoxGroup& List::AddOption(std::shared_ptr<Scene::Node> content, std::uint16_t optionValue, bool checked)
{
    AddItem(AddOptionBox(std::move(content), optionValue, checked));
    return *this;
}

void List::AddItem(std::shared_ptr<Checkbox> box)
{
    const std::weak_ptr<List> self = WeakSelf<List>();
    const auto itemValue = static_cast<std::uint16_t>(box->GetValue());
    box->OnHoverChanged().Add(Common::Handler<Control&, bool>([self, itemValue](Control& /*control*/, bool isHovered) {
        if (const auto list = self.lock())
            list->itemHover.Call(itemValue, isHovered);
    }));
    items.push_back(std::move(box));
    Layout();
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
