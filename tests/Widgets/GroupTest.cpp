#include "GameEngine2D/Scene/PictureNode.h"
#include "GameEngine2D/Scene/TextNode.h"
#include "GameEngine2D/Widgets/Button.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Label.h"
#include "WidgetFixture.h"

#include <gmock/gmock.h>
#include <stdexcept>

namespace Quarnel::WidgetTests
{

using ::testing::StrEq;
using ::testing::ThrowsMessage;

class GroupBuilding : public WidgetFixture
{
protected:
    std::shared_ptr<Widgets::Frame> frame = MakeFrame({}, "F");
    std::shared_ptr<Widgets::Group> group = frame->GetMainGroup();
};

TEST_F(GroupBuilding, UnnamedLabelIsNamedAfterItsTextAndTakesTheTextsSize)
{
    group->AddLabel("Masse:", Point3D(10.0f, 20.0f, 0.0f));
    auto label = std::static_pointer_cast<Widgets::Label>(group->GetControl("Masse:"));
    EXPECT_EQ(label->GetName(), "ctrl_Masse:");
    EXPECT_EQ(label->GetTextNode()->GetName(), "Masse:");
    EXPECT_EQ(label->GetPosition(), Point3D(10.0f, 20.0f, 0.0f));
    EXPECT_EQ(label->GetSize(), label->GetTextNode()->GetSize());
    EXPECT_GT(label->GetSize()->X(), 0.0f);
    EXPECT_EQ(label->GetTextNode()->GetParent(), label.get());
}

TEST_F(GroupBuilding, TextButtonsTextNodeCarriesCaptionAndFrameName)
{
    group->AddButton(
        "Planet", Point3D(6.0f, 206.0f, 0.0f), [] {}, "btnAddPlanet");
    auto button = std::static_pointer_cast<Widgets::Button>(group->GetControl("btnAddPlanet"));
    EXPECT_EQ(button->GetTextNode()->GetName(), "btn_Planet_F");
    EXPECT_EQ(button->GetTextNode()->GetPosition(), Point3D(0.0f, 0.0f, 0.1f));
    EXPECT_EQ(button->GetSize(), button->GetTextNode()->GetSize());
}

TEST_F(GroupBuilding, ButtonWithNeitherTextNorPictureIsRefused)
{
    EXPECT_THAT([&] { group->AddPictureButton({.name = "leer"}); },
                ThrowsMessage<std::invalid_argument>(
                    StrEq("Button leer kann nicht erstellt werden, es ist weder Text noch Bild angegeben.")));
    EXPECT_TRUE(group->GetControls().empty());
}

TEST_F(GroupBuilding, PictureButtonPlacesItsTextBesideThePictureCentredVertically)
{
    group->AddPictureButton({.name = "sun", .text = "Sonne", .pictureFile = "daten//models//sonne01.jpg"});
    auto button = std::static_pointer_cast<Widgets::Button>(group->GetControl("sun"));
    const Point3D picture = button->GetPictureNode()->GetSize().value();
    const Point3D text = button->GetTextNode()->GetSize().value();
    EXPECT_EQ(button->GetTextNode()->GetPosition(), Point3D(picture.X() + 6.0f, (picture.Y() - text.Y()) / 2.0f, 0.1f));
    // The button's rectangle keeps the text's size.
    EXPECT_EQ(button->GetSize(), text);
}

TEST_F(GroupBuilding, NodeButtonTakesTheNodesPlaceAndMovesItToItsOrigin)
{
    auto content = std::make_shared<Scene::EmptyNode>("icon", Point3D(30.0f, 40.0f, 0.0f), Point3D(8.0f, 9.0f, 0.0f));
    group->AddNodeButton(content, {});
    auto button = group->GetControl("icon");
    EXPECT_EQ(button->GetPosition(), Point3D(30.0f, 40.0f, 0.0f));
    EXPECT_EQ(button->GetSize(), Point3D(8.0f, 9.0f, 0.0f));
    EXPECT_EQ(content->GetPosition(), Point3D());
    EXPECT_EQ(content->GetParent(), button.get());
}

TEST_F(GroupBuilding, LookupByAMissingNameFailsAndByValueFindsTheFirstCarrier)
{
    EXPECT_THAT([&] { (void)group->GetControl("neMass"); },
                ThrowsMessage<std::runtime_error>(StrEq("Angefordertes Control neMass ist nicht vorhanden")));
    auto first = group->AddCheckbox(std::make_shared<Scene::EmptyNode>("a", Point3D(), Point3D()), {},
                                    Widgets::WidgetType::Checkbox, 7, false);
    (void)group->AddCheckbox(std::make_shared<Scene::EmptyNode>("b", Point3D(), Point3D()), {},
                             Widgets::WidgetType::Checkbox, 7, false);
    EXPECT_EQ(group->GetControl(7), first);
    EXPECT_EQ(group->GetControl(8), nullptr);
}

TEST_F(GroupBuilding, DisposedControlsLeaveTheGroupAndTheTreeButItsOwnNodesStay)
{
    auto designed = MakeFrame(RecordingCallback(), "designed");
    auto mainGroup = designed->GetMainGroup();
    mainGroup->AddLabel("a", Point3D()).AddButton("b", Point3D(0.0f, 20.0f, 0.0f), {});
    ASSERT_EQ(mainGroup->GetChildCount(), 4);
    mainGroup->DisposeControls();
    EXPECT_TRUE(mainGroup->GetControls().empty());
    ASSERT_EQ(mainGroup->GetChildCount(), 2);
    EXPECT_EQ(mainGroup->GetChild(0), mainGroup->GetBackgroundNode());
    EXPECT_EQ(mainGroup->GetChild(1), mainGroup->GetHighlightNode());
}

TEST_F(GroupBuilding, FocusingAGroupPassesTheFocusToEveryControl)
{
    group->AddButton("x", Point3D(), {}).AddButton("y", Point3D(0.0f, 20.0f, 0.0f), {});
    group->SetFocused(true);
    EXPECT_TRUE(group->GetControl("x")->IsFocused());
    EXPECT_TRUE(group->GetControl("y")->IsFocused());
    group->SetFocused(false);
    EXPECT_FALSE(group->GetControl("x")->IsFocused());
}

} // namespace Quarnel::WidgetTests
