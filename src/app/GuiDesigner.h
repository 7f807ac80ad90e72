#pragma once

#include "Common/Color.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Scene/Forward.h"
#include "GameEngine2D/Widgets/Forward.h"
#include "GameEngine2D/Widgets/WidgetNodeType.h"
#include "GameEngine2D/Widgets/WidgetType.h"

#include <memory>
#include <optional>
#include <string>

namespace Zandrel
{

// The look of the control panel. The widget frame asks it, for every widget and visual role, for a node to show;
// it answers with translucent coloured panels, frames and boxes built from simple shape nodes of the panel scene.
// Labels and the sound role never get a node. The designer only observes the scene, which outlives the panel.
class GuiDesigner final
{
public:
    GuiDesigner(Quarnel::GameEngine2D::Scene::Scene& panelScene, float width);
    GuiDesigner(const GuiDesigner&) = delete;
    GuiDesigner& operator=(const GuiDesigner&) = delete;
    virtual ~GuiDesigner();

    // The node for `nodeType` of a widget of kind `widgetType`, or null when that widget has none for the role.
    // The caller owns the result (the control adds it to its own subtree).
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> CreateWidgetNode(
        Quarnel::GameEngine2D::Widgets::Control& control, Quarnel::GameEngine2D::Widgets::WidgetNodeType nodeType,
        Quarnel::GameEngine2D::Widgets::WidgetType widgetType);
    // A gradient box around the control (its own size when `size` is absent) in the colour of the role: yellow
    // green under the pointer, pale blue behind, amber when checked; null for any other role.
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> CreateBox(
        std::optional<Quarnel::Common::Point3D> size, Quarnel::GameEngine2D::Widgets::Control& control,
        Quarnel::GameEngine2D::Widgets::WidgetNodeType nodeType);
    // A flat panel 6 pixels larger than `size` in each direction. The outer panel lies 3 pixels up and left of
    // `position` in the colour brightened by 40 and carries the inner panel, in `color`, 1 pixel in from its
    // top-left corner, so a lighter rim shows on the top and left.
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> CreatePanel(
        Quarnel::Common::Point3D position, bool inner, Quarnel::Common::Color color, Quarnel::Common::Point3D size,
        const std::string& name);
    // The background of a group: like a panel at the origin but 12 pixels larger, starting 6 pixels up and
    // left, with a rim brightened by 120.
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> CreateFrame(bool inner,
                                                                                          Quarnel::Common::Color color,
                                                                                          Quarnel::Common::Point3D size,
                                                                                          const std::string& name);
    // Stretches a group background made by CreateFrame for `fromHeight` to fit a group of `toHeight`, rims kept at
    // the group's edges.
    static void StretchFrame(Quarnel::GameEngine2D::Scene::Node& background, float fromHeight, float toHeight);
    // A box from 2 pixels left of the control to 4 pixels right of it and 1 pixel below it, fading from `color`
    // at the top to a darker shade at the bottom.
    [[nodiscard]] virtual std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> CreateGradientBox(
        Quarnel::Common::Point3D position, Quarnel::Common::Color color, Quarnel::Common::Point3D size,
        const std::string& name);

private:
    // One flat quad of `rectangle`'s size in a single colour at `position`; every panel node carries this name.
    [[nodiscard]] std::shared_ptr<Quarnel::GameEngine2D::Scene::Node> CreateFlatQuad(Quarnel::Common::Point3D position,
                                                                                     Quarnel::Common::Point3D rectangle,
                                                                                     Quarnel::Common::Color fill);

    Quarnel::GameEngine2D::Scene::Scene& scene;
    float panelWidth;
};

} // namespace Zandrel
