#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/CheckBoxGroup.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/List.h"
#include "WidgetFixture.h"

#include <gmock/gmock.h>

namespace Quarnel::WidgetTests
{

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Selection = std::vector<std::uint16_t>;

// Options are empty nodes of 60 × 20 pixels, so clicks can aim at them whatever the font.
class OptionFixture : public WidgetFixture
{
protected:
    static std::shared_ptr<Scene::Node> Entry(const std::string& name, float y)
    {
        return std::make_shared<Scene::EmptyNode>(name, Point3D(0.0f, y, 0.0f), Point3D(60.0f, 20.0f, 0.0f));
    }

    std::shared_ptr<Widgets::CheckBoxGroup> MakeGroup(bool allowNone, bool multiple)
    {
        auto options = frame->GetMainGroup()->AddCheckBoxGroup(
            {.name = "choice",
             .rect = Rect(Point3D(0.0f, 0.0f, 0.0f), Point3D(100.0f, 200.0f, 0.0f)),
             .allowNone = allowNone,
             .multiple = multiple,
             .onChange = [this](const Selection& selection) { reports.push_back(selection); }});
        options->AddOption(Entry("A", 0.0f), 1).AddOption(Entry("B", 30.0f), 2).AddOption(Entry("C", 60.0f), 3);
        Draw();
        Move(1.0f, 1.0f);
        return options;
    }

    void ClickOption(float y) { Click(FrameX + 10.0f, FrameY + y + 10.0f); }

    [[nodiscard]] std::vector<bool> States(const Widgets::CheckBoxGroup& options) const
    {
        std::vector<bool> states;
        for (const auto& control : options.GetControls())
            states.push_back(std::static_pointer_cast<Widgets::Checkbox>(control)->IsChecked());
        return states;
    }

    std::shared_ptr<Widgets::Frame> frame = MakeFrame(RecordingCallback());
    std::vector<Selection> reports;
};

TEST_F(OptionFixture, RadioGroupSwitchesTheCheckAndRefusesToUncheckTheLastOption)
{
    auto options = MakeGroup(false, false);
    ClickOption(0.0f);
    ClickOption(30.0f);
    EXPECT_EQ(States(*options), (std::vector<bool>{false, true, false}));
    EXPECT_THAT(reports, ElementsAre(Selection{1}, Selection{2}));
    ClickOption(30.0f);
    EXPECT_EQ(States(*options), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_THAT(options->GetSelection(), ElementsAre(2));
}

TEST_F(OptionFixture, MultipleGroupReportsTheNewValueFirstAndUncheckingReportsNothing)
{
    auto options = MakeGroup(true, true);
    ClickOption(0.0f);
    ClickOption(30.0f);
    EXPECT_THAT(reports, ElementsAre(Selection{1}, Selection{2, 1}));
    ClickOption(0.0f);
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_THAT(options->GetSelection(), ElementsAre(2));
    ClickOption(30.0f);
    EXPECT_THAT(options->GetSelection(), IsEmpty());
    EXPECT_EQ(States(*options), (std::vector<bool>{false, false, false}));
}

TEST_F(OptionFixture, InitialCheckGoesThroughTheGroupsDecisionAndUncheckAllBypassesIt)
{
    auto options = MakeGroup(false, false);
    options->AddOption(Entry("D", 90.0f), 4, true);
    options->AddOption(Entry("E", 120.0f), 5, true);
    EXPECT_EQ(States(*options), (std::vector<bool>{false, false, false, false, true}));
    EXPECT_THAT(options->GetSelection(), ElementsAre(5));
    options->UncheckAll();
    EXPECT_EQ(States(*options), (std::vector<bool>{false, false, false, false, false}));
}

TEST_F(OptionFixture, CheckMarkFollowsTheStateAndCheckedEventFiresOnlyOnChecking)
{
    auto box = frame->GetMainGroup()->AddCheckbox(Entry("gravity", 0.0f), {}, Widgets::WidgetType::Checkbox, -1, false);
    int checkedEvents = 0;
    box->OnChecked().Add(Common::Handler<>([&] { ++checkedEvents; }));
    ASSERT_NE(box->GetCheckNode(), nullptr);
    EXPECT_FALSE(box->GetCheckNode()->IsVisible());
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_TRUE(box->GetCheckNode()->IsVisible());
    box->SetChecked(false);
    EXPECT_FALSE(box->GetCheckNode()->IsVisible());
    EXPECT_EQ(checkedEvents, 1);
}

TEST_F(OptionFixture, DisabledCheckBoxStillTogglesAndDecisionChoosesTheState)
{
    std::vector<bool> requested;
    auto box = frame->GetMainGroup()->AddCheckbox(
        Entry("chGravityMode", 0.0f),
        [&](Widgets::Checkbox&, bool wanted) {
            requested.push_back(wanted);
            return wanted;
        },
        Widgets::WidgetType::Checkbox, -1, false);
    box->SetEnabled(false);
    Draw();
    Move(1.0f, 1.0f);
    ClickOption(0.0f);
    EXPECT_TRUE(box->IsChecked());
    ClickOption(0.0f);
    EXPECT_FALSE(box->IsChecked());
    EXPECT_THAT(requested, ElementsAre(true, false));
}

TEST_F(OptionFixture, ClipOptionsHidesEveryControlEndingBelowTheGroup)
{
    auto options = frame->GetMainGroup()->AddCheckBoxGroup(
        {.name = "clip", .rect = Rect(Point3D(), Point3D(100.0f, 50.0f, 0.0f)), .allowNone = true, .multiple = true});
    options->AddOption(Entry("in", 30.0f), 1).AddOption(Entry("out", 31.0f), 2);
    options->ClipOptions();
    EXPECT_TRUE(options->GetControl(1)->IsVisible());
    EXPECT_FALSE(options->GetControl(2)->IsVisible());
}

// A list whose height leaves room for three 20-pixel options below the page line, as in the panel.
class ListPaging : public OptionFixture
{
protected:
    ListPaging()
    {
        // The page line's height depends on the font: the list is made page line + 84 high.
        pageLine = scene->GetNodeFactory().CreateTextNode("probe", Point3D(), font, "Seite 0 von 0")->GetSize()->Y();
        list = frame->GetMainGroup()->AddList(
            {.name = "liObjects",
             .title = "Objekte",
             .rect = Rect(Point3D(2.0f, 0.0f, 0.0f), Point3D(190.0f, pageLine + 84.0f, 0.0f))});
    }

    [[nodiscard]] std::string PageText() const { return list->GetPageInfo()->GetTextNode()->GetText(); }

    std::shared_ptr<Widgets::List> list;
    float pageLine = 0.0f;
};

TEST_F(ListPaging, EmptyListShowsPageOneOfOneWithBothButtonsDisabled)
{
    EXPECT_EQ(PageText(), "Seite 1 von 1");
    EXPECT_FALSE(list->GetPreviousButton()->IsEnabled());
    EXPECT_FALSE(list->GetNextButton()->IsEnabled());
    list->PreviousPage();
    EXPECT_EQ(list->GetPage(), 1);
}

TEST_F(ListPaging, StacksOptionsBelowThePageLineAndOpensThePageThatDoesNotFit)
{
    for (std::uint16_t id = 1; id <= 4; ++id)
        list->AddOption(Entry("Planet_li" + std::to_string(id), 0.0f), id);
    const float top = pageLine + 8.0f;
    const auto& items = list->GetItems();
    EXPECT_EQ(items[0]->GetPosition(), Point3D(0.0f, top, 0.0f));
    EXPECT_EQ(items[1]->GetPosition(), Point3D(0.0f, top + 24.0f, 0.0f));
    EXPECT_EQ(items[2]->GetPosition(), Point3D(0.0f, top + 48.0f, 0.0f));
    EXPECT_FALSE(items[3]->IsVisible());
    EXPECT_EQ(list->GetPageCount(), 2);
    EXPECT_EQ(PageText(), "Seite 1 von 2");
    EXPECT_FALSE(list->GetPreviousButton()->IsEnabled());
    EXPECT_EQ(list->GetPreviousButton()->GetAlpha(), 100);
    EXPECT_TRUE(list->GetNextButton()->IsEnabled());

    list->NextPage();
    EXPECT_EQ(PageText(), "Seite 2 von 2");
    EXPECT_FALSE(items[0]->IsVisible());
    EXPECT_TRUE(items[3]->IsVisible());
    EXPECT_EQ(items[3]->GetPosition(), Point3D(0.0f, top, 0.0f));
    EXPECT_TRUE(list->GetPreviousButton()->IsEnabled());
    EXPECT_FALSE(list->GetNextButton()->IsEnabled());
    list->NextPage();
    EXPECT_EQ(list->GetPage(), 2);
}

TEST_F(ListPaging, PagingButtonsTurnThePagesWhenClicked)
{
    for (std::uint16_t id = 1; id <= 7; ++id)
        list->AddOption(Entry("Sonne_li" + std::to_string(id), 0.0f), id);
    Draw();
    Move(1.0f, 1.0f);
    const auto next = list->GetNextButton();
    const Point3D at = next->GetAbsolutePosition() + next->GetSize().value() / 2.0f;
    Click(at.X(), at.Y());
    EXPECT_EQ(PageText(), "Seite 2 von 3");
    Click(at.X(), at.Y());
    Click(at.X(), at.Y()); // disabled on the last page
    EXPECT_EQ(PageText(), "Seite 3 von 3");
}

TEST_F(ListPaging, ReportsHoverAndSelectionOfItsEntriesByValue)
{
    std::vector<std::pair<std::uint16_t, bool>> hovers;
    list->OnItemHover().Add(Common::Handler<std::uint16_t, bool>(
        [&](std::uint16_t id, bool hovered) { hovers.emplace_back(id, hovered); }));
    list->AddOption(Entry("Planet_li", 0.0f), 42);
    Draw();
    Move(1.0f, 1.0f);
    const Point3D at = list->GetItems()[0]->GetAbsolutePosition() + Point3D(5.0f, 5.0f, 0.0f);
    Move(at.X(), at.Y());
    Move(1.0f, 1.0f);
    EXPECT_THAT(hovers,
                ElementsAre(std::pair<std::uint16_t, bool>(42, true), std::pair<std::uint16_t, bool>(42, false)));
}

TEST_F(ListPaging, PageLineIsDrawnRightToLeftAndFainter)
{
    const auto text = list->GetPageInfo()->GetTextNode();
    EXPECT_FALSE(text->IsLeftToRight());
    EXPECT_EQ(text->GetColor().a, 255 - 64);
    EXPECT_EQ(list->GetPageInfo()->GetPosition(), Point3D(192.0f - 44.0f, 0.0f, 0.0f));
}

} // namespace Quarnel::WidgetTests
