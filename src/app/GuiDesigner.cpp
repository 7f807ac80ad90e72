#include "app/GuiDesigner.h"

#include "GameEngine2D/Scene/Node.h"
#include "GameEngine2D/Scene/NodeFactory.h"
#include "GameEngine2D/Scene/NodeHelper.h"
#include "GameEngine2D/Scene/Scene.h"
#include "GameEngine2D/Scene/SimpleFormNode.h"
#include "GameEngine2D/Video/BasicShapeType.h"
#include "GameEngine2D/Video/Data/SingleVertices.h"
#include "GameEngine2D/Widgets/Control.h"

namespace Zandrel
{

namespace
{

using Quarnel::Common::Color;
using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Scene::Node;
using Quarnel::GameEngine2D::Video::BasicShapeType;
using Quarnel::GameEngine2D::Widgets::Control;
using Quarnel::GameEngine2D::Widgets::WidgetNodeType;
using Quarnel::GameEngine2D::Widgets::WidgetType;

// Every panel, frame and inner layer carries this name; only boxes are named after their control.
constexpr const char* PanelNodeName = "gameDisplay_bg";

constexpr Color GroupColor{75, 60, 85, 160};
constexpr Color ButtonColor{158, 146, 166, 128};
constexpr Color ButtonHighlightColor{199, 185, 208, 128};
constexpr Color CheckMarkColor{64, 185, 64, 128};
constexpr Color BoxHighlightColor{200, 220, 64, 128};
constexpr Color BoxBackgroundColor{138, 200, 238, 32};
constexpr Color BoxCheckedColor{220, 200, 64, 200};
// What a gradient box loses from top to bottom: a darker, slightly more transparent shade.
constexpr Color GradientShade{84, 84, 84, 8};

constexpr int PanelRimBrightening = 40;
constexpr int FrameRimBrightening = 120;
// A group's background reaches this many pixels beyond the group on every side.
constexpr float FrameRim = 6.0f;

Point3D SizeOf(const Control& control)
{
    return control.GetSize().value_or(Point3D());
}

// Buttons and stand-alone check boxes share their background and highlight panels.
std::shared_ptr<Node> ButtonPanel(GuiDesigner& designer, const Control& control, WidgetNodeType nodeType)
{
    switch (nodeType)
    {
    case WidgetNodeType::Background:
        return designer.CreatePanel(Point3D(), false, ButtonColor, SizeOf(control), control.GetName() + "_bg");
    case WidgetNodeType::Highlight:
        return designer.CreatePanel(Point3D(), false, ButtonHighlightColor, SizeOf(control),
                                    control.GetName() + "_bgHighlight");
    default:
        return nullptr;
    }
}

} // namespace

GuiDesigner::GuiDesigner(Quarnel::GameEngine2D::Scene::Scene& panelScene, float width) :
    scene(panelScene),
    panelWidth(width)
{
}

GuiDesigner::~GuiDesigner() = default;

std::shared_ptr<Node> GuiDesigner::CreateWidgetNode(Control& control, WidgetNodeType nodeType, WidgetType widgetType)
{
    // The sound role is for sounds only; a node for it would be refused by the control.
    if (nodeType == WidgetNodeType::Sound)
        return nullptr;
    switch (widgetType)
    {
    case WidgetType::Group:
        if (nodeType == WidgetNodeType::Background)
            return CreateFrame(false, GroupColor, SizeOf(control), control.GetName() + "_bg");
        return nullptr;
    case WidgetType::Button:
        return ButtonPanel(*this, control, nodeType);
    case WidgetType::Checkbox:
        if (nodeType == WidgetNodeType::Check)
        {
            // A green mark 12 pixels right of the box's caption.
            return CreatePanel(Point3D(SizeOf(control).X() + 12.0f, 0.0f, 0.0f), false, CheckMarkColor,
                               Point3D(10.0f, 15.0f, 0.0f), control.GetName() + "_bgHighlight");
        }
        return ButtonPanel(*this, control, nodeType);
    case WidgetType::Option:
        return CreateBox(std::nullopt, control, nodeType);
    case WidgetType::TextEdit:
        return CreateBox(SizeOf(control) + Point3D(3.0f, 0.0f, 0.0f), control, nodeType);
    default:
        // Labels, spaces and unknown kinds show only their own content.
        return nullptr;
    }
}

std::shared_ptr<Node> GuiDesigner::CreateBox(std::optional<Point3D> size, Control& control, WidgetNodeType nodeType)
{
    const Point3D boxSize = size.value_or(SizeOf(control));
    switch (nodeType)
    {
    case WidgetNodeType::Highlight:
        return CreateGradientBox(Point3D(), BoxHighlightColor, boxSize, control.GetName() + "_mouseOver");
    case WidgetNodeType::Background:
        return CreateGradientBox(Point3D(), BoxBackgroundColor, boxSize, control.GetName() + "_bg");
    case WidgetNodeType::Check:
        return CreateGradientBox(Point3D(), BoxCheckedColor, boxSize, control.GetName() + "_checked_bg");
    default:
        return nullptr;
    }
}

std::shared_ptr<Node> GuiDesigner::CreatePanel(Point3D position, bool inner, Color color, Point3D size,
                                               const std::string& name)
{
    const Point3D offset = inner ? Point3D(1.0f, 1.0f, 0.0f) : Point3D(-3.0f, -3.0f, 0.0f);
    const Color fill = inner ? color : color.Brighten(PanelRimBrightening);
    auto panel = CreateFlatQuad(position + offset, size + Point3D(6.0f, 6.0f, 0.0f), fill);
    if (!inner)
        panel->AddChild(CreatePanel(Point3D(), true, color, size, name));
    return panel;
}

std::shared_ptr<Node> GuiDesigner::CreateFrame(bool inner, Color color, Point3D size, const std::string& name)
{
    const Point3D offset = inner ? Point3D(1.0f, 1.0f, 0.0f) : Point3D(-FrameRim, -FrameRim, 0.0f);
    const Color fill = inner ? color : color.Brighten(FrameRimBrightening);
    auto frame = CreateFlatQuad(offset, size + Point3D(2.0f * FrameRim, 2.0f * FrameRim, 0.0f), fill);
    if (!inner)
        frame->AddChild(CreateFrame(true, color, size, name));
    return frame;
}

void GuiDesigner::StretchFrame(Node& background, float fromHeight, float toHeight)
{
    // The outer quad spans the group's height plus the two rims of FrameRim; scaled about its own corner, which
    // sits FrameRim above the group, it reaches FrameRim below the new height.
    background.SetScale(Point3D(1.0f, (toHeight + 2.0f * FrameRim) / (fromHeight + 2.0f * FrameRim), 1.0f));
}

std::shared_ptr<Node> GuiDesigner::CreateGradientBox(Point3D position, Color color, Point3D size,
                                                     const std::string& name)
{
    const Color darker = color.Subtract(GradientShade);
    auto vertices = std::make_shared<Quarnel::GameEngine2D::Video::Data::SingleVertices>(4);
    vertices->Set(0, Point3D(size.X() + 4.0f, size.Y() + 1.0f, 0.0f), darker);
    vertices->Set(1, Point3D(size.X() + 4.0f, 0.0f, 0.0f), color);
    vertices->Set(2, Point3D(-2.0f, 0.0f, 0.0f), color);
    vertices->Set(3, Point3D(-2.0f, size.Y() + 1.0f, 0.0f), darker);
    return scene.GetNodeFactory().CreateSimpleFormNode(name, position, BasicShapeType::Quads, vertices);
}

std::shared_ptr<Node> GuiDesigner::CreateFlatQuad(Point3D position, Point3D rectangle, Color fill)
{
    return scene.GetNodeFactory().CreateSimpleFormNode(
        PanelNodeName, position, BasicShapeType::Quads,
        Quarnel::GameEngine2D::Scene::NodeHelper::CreateGradientRectangle(rectangle, fill, fill));
}

} // namespace Zandrel
