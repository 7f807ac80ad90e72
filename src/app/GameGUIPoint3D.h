#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Widgets/Forward.h"

#include <memory>
#include <string>

namespace Zandrel
{

// A composite input for a point in space: three rows "X:", "Y:" and "Z:", each a caption and a number field,
// 20 pixels apart, read together as one Point3D. The fields take signed decimals ("-12.5"). The widgets live in the
// frame's main group; the editor keeps the three fields.
class GameGUIPoint3D final
{
public:
    // The first row lies 20 pixels below `position`; each field starts at the row's position plus `offset` and is
    // `width` - offset.x wide and `rowHeight` high, showing "0". Captions are named name + "_x" ("_y", "_z"), the
    // fields "te" + name + "_x" and so on.
    GameGUIPoint3D(Quarnel::GameEngine2D::Widgets::Frame& frame, float width, float rowHeight,
                   Quarnel::Common::Point3D offset, Quarnel::Common::Point3D position, const std::string& name);
    GameGUIPoint3D(const GameGUIPoint3D&) = delete;
    GameGUIPoint3D& operator=(const GameGUIPoint3D&) = delete;
    virtual ~GameGUIPoint3D();

    // The values of the x, y and z fields, read in this order.
    [[nodiscard]] virtual Quarnel::Common::Point3D GetPoint() const;

    [[nodiscard]] Quarnel::GameEngine2D::Widgets::NumberEdit& GetXField() const { return *xField; }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::NumberEdit& GetYField() const { return *yField; }
    [[nodiscard]] Quarnel::GameEngine2D::Widgets::NumberEdit& GetZField() const { return *zField; }

private:
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::NumberEdit> xField;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::NumberEdit> yField;
    std::shared_ptr<Quarnel::GameEngine2D::Widgets::NumberEdit> zField;
};

} // namespace Zandrel
