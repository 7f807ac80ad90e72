#include "app/GameGUIPoint3D.h"

#include "Common/Rect.h"
#include "GameEngine2D/Widgets/Frame.h"
#include "GameEngine2D/Widgets/Group.h"
#include "GameEngine2D/Widgets/NumberEdit.h"

#include <array>
#include <stdexcept>

namespace Zandrel
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Widgets::Group;
using Quarnel::GameEngine2D::Widgets::NumberEdit;

constexpr float RowDistance = 20.0f;

// The field of that name in the group, as a number field. A control of another kind under the name means the
// panel was built wrongly, which is reported like a missing one.
std::shared_ptr<NumberEdit> FindNumberField(const Group& group, const std::string& name)
{
    auto field = std::dynamic_pointer_cast<NumberEdit>(group.GetControl(name));
    if (!field)
        throw std::runtime_error("Angefordertes Control " + name + " ist kein Zahlenfeld");
    return field;
}

} // namespace

GameGUIPoint3D::GameGUIPoint3D(Quarnel::GameEngine2D::Widgets::Frame& frame, float width, float rowHeight,
                               Point3D offset, Point3D position, const std::string& name)
{
    struct Axis
    {
        const char* caption;
        const char* suffix;
    };
    constexpr std::array<Axis, 3> axes{{{"X:", "_x"}, {"Y:", "_y"}, {"Z:", "_z"}}};
    const std::shared_ptr<Group> group = frame.GetMainGroup();
    const Point3D fieldSize(width - offset.X(), rowHeight, 0.0f);
    Point3D row = position;
    for (const Axis& axis : axes)
    {
        row = row + Point3D(0.0f, RowDistance, 0.0f);
        group->AddLabel(axis.caption, row, name + axis.suffix);
        group->AddNumberEdit("te" + name + axis.suffix, Quarnel::Common::Rect(row + offset, fieldSize), "0");
    }
    xField = FindNumberField(*group, "te" + name + "_x");
    yField = FindNumberField(*group, "te" + name + "_y");
    zField = FindNumberField(*group, "te" + name + "_z");
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
