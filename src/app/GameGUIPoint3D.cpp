#include "app/GameGUIPoint3D.h"

#include "Common/Rect.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/NumberEdit.h"

#include <array>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Widgets::Group;
using Quarnel::GameEngine2D::Widgets::NumberEdit;

constexpr float RowDistance = 20.0f;

} // namespace

GameGUIPoint3D::GameGUIPoint3D(Quarnel::GameEngine2D::Widgets::Frame& frame, float width, float rowHeight,
                               Point3D offset, Point3D position, const std::string& name)
{
    struct Axis
    {
        const char* caption;
        const char* suffix;
        std::shared_ptr<NumberEdit> GameGUIPoint3D::*field;
    };
    const std::array<Axis, 3> axes{{{"X:", "_x", &GameGUIPoint3D::xField},
                                    {"Y:", "_y", &GameGUIPoint3D::yField},
                                    {"Z:", "_z", &GameGUIPoint3D::zField}}};
    const std::shared_ptr<Group> group = frame.GetMainGroup();
    const Point3D fieldSize(width - offset.X(), rowHeight, 0.0f);
    Point3D row = position;
    for (const Axis& axis : axes)
    {
        row = row + Point3D(0.0f, RowDistance, 0.0f);
        group->AddLabel(axis.caption, row, name + axis.suffix);
        this->*axis.field = std::make_shared<NumberEdit>(frame, "te" + name + axis.suffix,
                                                         Quarnel::Common::Rect(row + offset, fieldSize), "0");
        // Coordinates and speeds may be negative and fractional.
        (this->*axis.field)->SetSignedDecimal(true);
        group->AddControl(this->*axis.field);
    }
}

GameGUIPoint3D::~GameGUIPoint3D() = default;

Point3D GameGUIPoint3D::GetPoint() const
{
    const float x = xField->GetFloat();
    const float y = yField->GetFloat();
    const float z = zField->GetFloat();
    return {x, y, z};
}

} // namespace Zandrel
