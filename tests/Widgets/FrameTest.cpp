#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/Label.h"
#include "GameEngine2D/Widgets/Space.h"
#include "GameEngine2D/Widgets/TextEdit.h"
#include "WidgetFixture.h"

#include <gmock/gmock.h>
#include <stdexcept>

namespace Quarnel::WidgetTests
{

using ::testing::ElementsAre;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using Widgets::WidgetNodeType;
using Widgets::WidgetType;

using FrameConstruction = WidgetFixture;

TEST_F(FrameConstruction, RefusesAMissingFontByName)
{
    const Rect rect(Point3D(), Point3D(10.0f, 10.0f, 0.0f));
    EXPECT_THAT([&] { (void)Widgets::Frame("f", rect, *scene, nullptr); },
                ThrowsMessage<std::invalid_argument>(StrEq("font is null")));
}

TEST_F(FrameConstruction, MainGroupSpansTheFrameAndEveryControlAsksForBackgroundHighlightAndSoundInOrder)
{
    auto frame = MakeFrame(RecordingCallback());
    auto group = frame->GetMainGroup();
    EXPECT_EQ(group->GetName(), "ctrl_panel_mainGroup");
    EXPECT_EQ(group->GetSize(), Point3D(200.0f, 300.0f, 0.0f));
    EXPECT_EQ(group->GetParent(), frame.get());
    EXPECT_THAT(requests, ElementsAre(std::pair(WidgetType::Group, WidgetNodeType::Background),
                                      std::pair(WidgetType::Group, WidgetNodeType::Highlight),
                                      std::pair(WidgetType::Group, WidgetNodeType::Sound)));
    // The background stays shown, the highlight starts hidden.
    EXPECT_TRUE(group->GetBackgroundNode()->IsVisible());
    EXPECT_FALSE(group->GetHighlightNode()->IsVisible());
}

TEST_F(FrameConstruction, ANodeForTheSoundRoleIsRefusedWithTheControlsName)
{
    // Building the frame's own main group already asks for a sound node.
    const auto beeping = [](WidgetType, WidgetNodeType role, Widgets::Control&) -> std::shared_ptr<Scene::Node> {
        if (role != WidgetNodeType::Sound)
            return nullptr;
        return std::make_shared<Scene::EmptyNode>("beep", Point3D(), Point3D());
    };
    EXPECT_THAT([&] { (void)std::make_shared<Widgets::Frame>("f", Rect(), *scene, font, beeping); },
                ThrowsMessage<std::runtime_error>(StrEq("Beim WidgetNodeType.Sound dürfen keine grafischen Nodes "
                                                        "erstellt werden! Node: ctrl_f_mainGroup")));
}

// Hover, highlight and info line follow the pointer through the engine's own dispatcher.
class FramePointer : public WidgetFixture
{
protected:
    FramePointer()
    {
        frame->GetMainGroup()->AddButton("Planet", Point3D(10.0f, 20.0f, 0.0f), [this] { ++clicks; });
        button = std::static_pointer_cast<Widgets::Button>(frame->GetMainGroup()->GetControl("Planet"));
        button->OnHoverChanged().Add(Common::Handler<Widgets::Control&, bool>(
            [this](Widgets::Control&, bool hovered) { hoverReports.push_back(hovered); }));
        Draw();
        // Registrations made while drawing take effect with the next event.
        Move(1.0f, 1.0f);
    }

    // A point inside the button, in window pixels.
    [[nodiscard]] Common::Point2D InButton() const
    {
        const Point3D size = button->GetSize().value();
        return {FrameX + 10.0f + size.X() / 2.0f, FrameY + 20.0f + size.Y() / 2.0f};
    }

    std::shared_ptr<Widgets::Frame> frame = MakeFrame(RecordingCallback());
    std::shared_ptr<Widgets::Button> button;
    std::vector<bool> hoverReports;
    int clicks = 0;
};

TEST_F(FramePointer, HighlightFollowsThePointerAndLeavesWithItWhenItLeavesTheFrame)
{
    const auto highlight = button->GetHighlightNode();
    Move(InButton().x, InButton().y);
    EXPECT_TRUE(highlight->IsVisible());
    Move(FrameX + 150.0f, FrameY + 200.0f); // in the frame, off the button
    EXPECT_FALSE(highlight->IsVisible());
    Move(InButton().x, InButton().y);
    EXPECT_TRUE(highlight->IsVisible());
    Move(10.0f, 10.0f); // out of the frame: the widgets see one more event
    EXPECT_FALSE(highlight->IsVisible());
    EXPECT_FALSE(button->IsHovered());
    EXPECT_THAT(hoverReports, ElementsAre(true, false, true, false));
    Move(12.0f, 10.0f); // further events outside the frame reach no widget
    EXPECT_EQ(hoverReports.size(), 4u);
}

TEST_F(FramePointer, ClickInsideFocusesAndReportsAndAClickElsewhereInTheFrameUnfocuses)
{
    Click(InButton().x, InButton().y);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button->IsFocused());
    Click(FrameX + 150.0f, FrameY + 200.0f);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->IsFocused());
}

TEST_F(FramePointer, DisabledControlIsTranslucentShowsNoHighlightTakesNoFocusAndDoesNotClick)
{
    button->SetEnabled(false);
    EXPECT_EQ(button->GetAlpha(), 100);
    Move(InButton().x, InButton().y);
    EXPECT_FALSE(button->GetHighlightNode()->IsVisible());
    EXPECT_TRUE(button->IsHovered());
    Click(InButton().x, InButton().y);
    EXPECT_FALSE(button->IsFocused());
    EXPECT_EQ(clicks, 0);

    button->SetEnabled(true);
    EXPECT_EQ(button->GetAlpha(), 255);
    Click(InButton().x, InButton().y);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FramePointer, DisablingHighlightedControlHidesItsHighlight)
{
    Move(InButton().x, InButton().y);
    button->SetEnabled(false);
    EXPECT_FALSE(button->GetHighlightNode()->IsVisible());
}

TEST_F(FramePointer, DisablingTheFrameLetsWidgetsSeeThePointerLeaveAndStopsItsInput)
{
    const int handlers = Input().GetHandlerCount();
    Move(InButton().x, InButton().y);
    frame->SetEnabled(false);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_FALSE(button->GetHighlightNode()->IsVisible());
    Draw();
    Click(InButton().x, InButton().y);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Input().GetHandlerCount(), handlers - 1);

    frame->SetEnabled(true);
    Click(InButton().x, InButton().y);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Input().GetHandlerCount(), handlers);
}

TEST_F(FramePointer, HidingTheFrameUnfocusesEveryControlAndStopsInputUntilShown)
{
    Click(InButton().x, InButton().y);
    ASSERT_TRUE(button->IsFocused());
    frame->SetVisible(false);
    EXPECT_FALSE(button->IsFocused());
    EXPECT_FALSE(frame->IsRegistered());
    Click(InButton().x, InButton().y);
    EXPECT_EQ(clicks, 1);

    frame->SetVisible(true);
    EXPECT_TRUE(frame->IsRegistered());
    Click(InButton().x, InButton().y);
    EXPECT_EQ(clicks, 2);
}

TEST_F(FramePointer, DisposingTheFrameRemovesItsRegistration)
{
    const int handlers = Input().GetHandlerCount();
    frame->Dispose(Engine());
    Click(InButton().x, InButton().y);
    EXPECT_EQ(Input().GetHandlerCount(), handlers - 1);
    EXPECT_EQ(clicks, 0);
}

TEST_F(FramePointer, ClickPointsStayRelativeToTheFramesPositionAtItsFirstClick)
{
    std::vector<Common::Point2D> points;
    frame->OnClicked().Add(Common::Handler<Common::Point2D>([&](Common::Point2D point) { points.push_back(point); }));
    Click(FrameX + 5.0f, FrameY + 6.0f);
    frame->SetPosition(Point3D(FrameX + 50.0f, FrameY, 0.0f));
    // The frame's own input area stays where it was registered until it registers anew.
    Click(FrameX + 7.0f, FrameY + 8.0f);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0], Common::Point2D(5.0f, 6.0f));
    EXPECT_EQ(points[1], Common::Point2D(7.0f, 8.0f));

    frame->SetEnabled(false);
    frame->SetEnabled(true);
    Click(FrameX + 7.0f, FrameY + 8.0f); // now outside the moved frame
    EXPECT_EQ(points.size(), 2u);
}

TEST_F(FramePointer, ControlInputAreasFollowTheControlsEveryFrame)
{
    button->SetPosition(Point3D(10.0f, 120.0f, 0.0f));
    Draw();
    Click(InButton().x, InButton().y + 100.0f);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetFixture, AControlNeverDrawnReceivesNoInput)
{
    auto frame = MakeFrame();
    int clicks = 0;
    frame->GetMainGroup()->AddButton("Sonne", Point3D(10.0f, 20.0f, 0.0f), [&] { ++clicks; });
    auto button = frame->GetMainGroup()->GetControl("Sonne");
    button->SetVisible(false);
    Draw();
    button->SetVisible(true);
    Click(FrameX + 12.0f, FrameY + 22.0f);
    EXPECT_EQ(clicks, 0);
    Draw();
    Click(FrameX + 12.0f, FrameY + 22.0f);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetFixture, WithoutACallbackControlsHaveNoNodesButInputWorks)
{
    auto frame = MakeFrame();
    int clicks = 0;
    frame->GetMainGroup()->AddButton("Sonne", Point3D(10.0f, 20.0f, 0.0f), [&] { ++clicks; });
    auto button = frame->GetMainGroup()->GetControl("Sonne");
    EXPECT_EQ(button->GetBackgroundNode(), nullptr);
    EXPECT_EQ(button->GetHighlightNode(), nullptr);
    Draw();
    Click(FrameX + 12.0f, FrameY + 22.0f);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetFixture, InfoLineShowsTheTooltipOfTheControlUnderThePointerAndEmptiesWhenThePointerLeaves)
{
    auto frame = MakeFrame();
    frame->GetMainGroup()->AddSpace("hint", Rect(Point3D(0.0f, 0.0f, 0.0f), Point3D(50.0f, 50.0f, 0.0f)),
                                    "Masse in Sonnenmassen");
    // Without an info line the tooltip has nowhere to go, but resting on the control must not fail.
    Draw();
    EXPECT_NO_THROW(Move(FrameX + 10.0f, FrameY + 10.0f));
    EXPECT_THAT([&] { frame->SetInfoText("x"); },
                ThrowsMessage<std::runtime_error>(StrEq("can't set infoText, infoNode is null")));

    frame->ShowInfo(Point3D(0.0f, 280.0f, 0.0f));
    EXPECT_EQ(frame->GetInfoNode()->GetName(), "panel_info");
    Move(FrameX + 12.0f, FrameY + 10.0f);
    EXPECT_EQ(frame->GetInfoNode()->GetText(), "Masse in Sonnenmassen");
    Move(5.0f, 5.0f);
    EXPECT_EQ(frame->GetInfoNode()->GetText(), "");
}

TEST_F(WidgetFixture, KeyPressesReachAFocusedFieldWhileThePointerIsOutsideTheFrame)
{
    auto frame = MakeFrame();
    frame->GetMainGroup()->AddTextEdit("teName", Rect(Point3D(0.0f, 0.0f, 0.0f), Point3D(100.0f, 20.0f, 0.0f)), "");
    auto field = std::static_pointer_cast<Widgets::TextEdit>(frame->GetMainGroup()->GetControl("teName"));
    Draw();
    Click(FrameX + 10.0f, FrameY + 10.0f);
    ASSERT_TRUE(field->IsFocused());
    Move(900.0f, 700.0f);
    Type("ab");
    EXPECT_EQ(field->GetText(), "ab");
}

} // namespace Quarnel::WidgetTests
