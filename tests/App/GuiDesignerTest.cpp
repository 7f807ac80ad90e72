#include "app/GuiDesigner.h"

#include "Common/Color.h"
#include "Common/Point3D.h"
#include "Common/Rect.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/SimpleFormNode.h"
#include "GameEngine2D/Video/Data/ColoredVertex.h"
#include "GameEngine2D/Video/Data/SingleVertices.h"
#include "GameEngine2D/Video/Font.h"
#include "GameEngine2D/Video/FontManager.h"
#include "GameEngine2D/Widgets/Checkbox.h"
#include "GameEngine2D/Widgets/Control.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/NumberEdit.h"
#include "Support/OffscreenEngine.h"
#include "app/GameGUIPoint3D.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{

using Quarnel::Common::Color;
using Quarnel::Common::Point3D;
using Quarnel::Common::Rect;
using Quarnel::GameEngine2D::Scene::Node;
using Quarnel::GameEngine2D::Scene::SimpleFormNode;
using Quarnel::GameEngine2D::Video::Data::ColoredVertex;
using Quarnel::GameEngine2D::Video::Data::SingleVertices;
using Quarnel::GameEngine2D::Widgets::Control;
using Quarnel::GameEngine2D::Widgets::WidgetNodeType;
using Quarnel::GameEngine2D::Widgets::WidgetType;
using Zandrel::GuiDesigner;

// A panel scene with a frame whose look comes from the designer, as the game builds it.
class GuiDesignerTest : public ::testing::Test
{
protected:
    GuiDesignerTest()
    {
        font = fonts.Get(fonts.Create("daten//font//vera//Vera.ttf", 12, Color(255, 255, 255, 255)));
        scene = std::make_shared<Quarnel::GameEngine2D::Scene::Scene>("panel", offscreen.Engine());
        designer = std::make_shared<GuiDesigner>(*scene, 200.0f);
        auto look = designer;
        frame = std::make_shared<Quarnel::GameEngine2D::Widgets::Frame>(
            "main", Rect(Point3D(824.0f, 0.0f, 0.0f), Point3D(200.0f, 768.0f, 0.0f)), *scene, font,
            [look](WidgetType type, WidgetNodeType role, Control& control) {
                return look->CreateWidgetNode(control, role, type);
            });
        scene->GetRoot()->AddChild(frame);
    }

    ~GuiDesignerTest() override { scene->Dispose(); }

    [[nodiscard]] std::shared_ptr<Control> Add(const std::string& name) const
    {
        return frame->GetMainGroup()->GetControl(name);
    }

    // The corners and colours of a shape node built from four single vertices.
    static const ColoredVertex& Corner(const Node& node, std::size_t index)
    {
        const auto& form = dynamic_cast<const SimpleFormNode&>(node);
        const auto vertices = std::dynamic_pointer_cast<SingleVertices>(form.GetVertices());
        return dynamic_cast<const ColoredVertex&>(*vertices->Get(index));
    }

    Quarnel::TestSupport::OffscreenEngine offscreen;
    Quarnel::GameEngine2D::Video::FontManager fonts;
    std::shared_ptr<Quarnel::GameEngine2D::Video::Font> font;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::Scene> scene;
    std::shared_ptr<GuiDesigner> designer;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::Frame> frame;
};

TEST_F(GuiDesignerTest, LabelsSoundsAndUnknownKindsGetNoNode)
{
    frame->GetMainGroup()
        ->AddLabel("Masse:", Point3D(0.0f, 46.0f, 0.0f))
        .AddButton(
            "Planet", Point3D(), [] {}, "b");
    const auto label = Add("Masse:");
    const auto button = Add("b");
    for (const WidgetNodeType role : {WidgetNodeType::Background, WidgetNodeType::Highlight, WidgetNodeType::Check})
        EXPECT_EQ(designer->CreateWidgetNode(*label, role, WidgetType::Label), nullptr);
    for (const WidgetType kind :
         {WidgetType::Group, WidgetType::Button, WidgetType::Checkbox, WidgetType::Option, WidgetType::TextEdit})
        EXPECT_EQ(designer->CreateWidgetNode(*button, WidgetNodeType::Sound, kind), nullptr);
    for (const auto kind : {WidgetType::Space, static_cast<WidgetType>(0), static_cast<WidgetType>(42)})
        EXPECT_EQ(designer->CreateWidgetNode(*button, WidgetNodeType::Background, kind), nullptr);
    EXPECT_EQ(label->GetBackgroundNode(), nullptr);
}

TEST_F(GuiDesignerTest, AButtonPanelFramesTheButtonWithAnInnerPanelOfTheSameSize)
{
    frame->GetMainGroup()->AddButton(
        "Planet", Point3D(6.0f, 206.0f, 0.0f), [] {}, "btnAddPlanet");
    const auto button = Add("btnAddPlanet");
    const Point3D size = *button->GetSize();
    const auto outer = button->GetBackgroundNode();
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->GetName(), "gameDisplay_bg");
    EXPECT_EQ(outer->GetPosition(), Point3D(-3.0f, -3.0f, 0.0f));
    EXPECT_EQ(*outer->GetSize(), size + Point3D(6.0f, 6.0f, 0.0f));
    // A rim brightened by 40 around the button's own colour.
    EXPECT_EQ(Corner(*outer, 0).GetColor(), Color(198, 186, 206, 128));

    ASSERT_EQ(outer->GetChildCount(), 1);
    const auto inner = outer->GetChild(0);
    EXPECT_EQ(inner->GetName(), "gameDisplay_bg");
    EXPECT_EQ(inner->GetPosition(), Point3D(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(*inner->GetSize(), *outer->GetSize());
    EXPECT_EQ(Corner(*inner, 2).GetColor(), Color(158, 146, 166, 128));

    const auto highlight = button->GetHighlightNode();
    ASSERT_NE(highlight, nullptr);
    EXPECT_EQ(Corner(*highlight->GetChild(0), 0).GetColor(), Color(199, 185, 208, 128));
    EXPECT_FALSE(highlight->IsVisible());
}

TEST_F(GuiDesignerTest, AGroupGetsAFrameTwelvePixelsLargerWithABrightRim)
{
    const auto group = frame->GetMainGroup();
    const auto outer = group->GetBackgroundNode();
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->GetPosition(), Point3D(-6.0f, -6.0f, 0.0f));
    EXPECT_EQ(*outer->GetSize(), Point3D(212.0f, 780.0f, 0.0f));
    EXPECT_EQ(Corner(*outer, 1).GetColor(), Color(195, 180, 205, 160));
    const auto inner = outer->GetChild(0);
    EXPECT_EQ(inner->GetPosition(), Point3D(1.0f, 1.0f, 0.0f));
    EXPECT_EQ(Corner(*inner, 1).GetColor(), Color(75, 60, 85, 160));
    // Groups show nothing under the pointer.
    EXPECT_EQ(group->GetHighlightNode(), nullptr);
}

TEST_F(GuiDesignerTest, ACheckBoxShowsAGreenMarkRightOfItsCaption)
{
    (void)frame->GetMainGroup()->AddCheckbox(
        {.name = "chGravityMode", .text = "'echte' Gravitation an/aus", .place = Point3D(6.0f, 452.0f, 0.0f)});
    const auto box = std::dynamic_pointer_cast<Quarnel::GameEngine2D::Widgets::Checkbox>(Add("chGravityMode"));
    const auto mark = box->GetCheckNode();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->GetPosition(), Point3D(box->GetSize()->X() + 12.0f - 3.0f, -3.0f, 0.0f));
    EXPECT_EQ(*mark->GetSize(), Point3D(16.0f, 21.0f, 0.0f));
    EXPECT_EQ(Corner(*mark->GetChild(0), 0).GetColor(), Color(64, 185, 64, 128));
    EXPECT_FALSE(mark->IsVisible());
}

TEST_F(GuiDesignerTest, AFieldBoxReachesPastTheFieldAndFadesDownwards)
{
    frame->GetMainGroup()->AddNumberEdit("neMass", Rect(Point3D(60.0f, 46.0f, 0.0f), Point3D(140.0f, 15.0f, 0.0f)),
                                         "50");
    const auto field = Add("neMass");
    const auto box = field->GetBackgroundNode();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetName(), "ctrl_neMass_bg");
    EXPECT_EQ(box->GetPosition(), Point3D());
    // The field is widened by 3, then the box reaches 2 further left and 4 further right, and 1 below.
    EXPECT_EQ(Corner(*box, 0).GetPosition(), Point3D(147.0f, 16.0f, 0.0f));
    EXPECT_EQ(Corner(*box, 1).GetPosition(), Point3D(147.0f, 0.0f, 0.0f));
    EXPECT_EQ(Corner(*box, 2).GetPosition(), Point3D(-2.0f, 0.0f, 0.0f));
    EXPECT_EQ(Corner(*box, 3).GetPosition(), Point3D(-2.0f, 16.0f, 0.0f));
    EXPECT_EQ(Corner(*box, 1).GetColor(), Color(138, 200, 238, 32));
    EXPECT_EQ(Corner(*box, 0).GetColor(), Color(54, 116, 154, 24));
    EXPECT_EQ(field->GetHighlightNode()->GetName(), "ctrl_neMass_mouseOver");
}

TEST_F(GuiDesignerTest, ABoxWithoutASizeTakesTheControlsAndCheckedIsAmber)
{
    // Without a size the box takes the control's own: the main group is 200 × 768.
    const auto option = designer->CreateBox(std::nullopt, *frame->GetMainGroup(), WidgetNodeType::Check);
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->GetName(), "ctrl_main_mainGroup_checked_bg");
    EXPECT_EQ(Corner(*option, 1).GetColor(), Color(220, 200, 64, 200));
    EXPECT_EQ(Corner(*option, 0).GetPosition(), Point3D(204.0f, 769.0f, 0.0f));
    EXPECT_EQ(designer->CreateBox(std::nullopt, *frame->GetMainGroup(), WidgetNodeType::Sound), nullptr);
}

TEST_F(GuiDesignerTest, ThePointEditorReadsItsThreeFieldsTogether)
{
    const Zandrel::GameGUIPoint3D editor(*frame, 200.0f, 15.0f, Point3D(60.0f, 0.0f, 0.0f), Point3D(0.0f, 106.0f, 0.0f),
                                         "position");
    EXPECT_EQ(editor.GetPoint(), Point3D());
    EXPECT_EQ(Add("teposition_y")->GetPosition(), Point3D(60.0f, 146.0f, 0.0f));
    EXPECT_EQ(*Add("teposition_z")->GetSize(), Point3D(140.0f, 15.0f, 0.0f));
    EXPECT_EQ(Add("position_z")->GetPosition(), Point3D(0.0f, 166.0f, 0.0f));
    editor.GetXField().SetText("1");
    editor.GetYField().SetText("2");
    editor.GetZField().SetText("3");
    EXPECT_EQ(editor.GetPoint(), Point3D(1.0f, 2.0f, 0.0f) + Point3D(0.0f, 0.0f, 3.0f));
}

} // namespace
