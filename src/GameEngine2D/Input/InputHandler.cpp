#include "GameEngine2D/Input/InputHandler.h"

#include <utility>

namespace Quarnel::GameEngine2D::Input
{

InputHandler::InputHandler(std::optional<Common::Rect> area, Callback callback) :
    space(std::move(area)),
    onInput(std::move(callback))
{
}

std::optional<Common::Rect> InputHandler::GetSpace() const
{
    return space;
}

void InputHandler::SetSpace(Common::Rect value)
{
    space = std::move(value);
}

bool InputHandler::IsInside(Common::Point2D mouse) const
{
    if (!space)
        return false;
    const Common::Point3D position = space->Position();
    const Common::Point3D size = space->Size();
    return position.X() < mouse.X() && mouse.X() < position.X() + size.X() && position.Y() < mouse.Y() &&
           mouse.Y() < position.Y() + size.Y();
}

void InputHandler::Call(bool inside, EventType kind, const KeyState& keys, Common::Point2D mouse) const
{
    onInput(inside, kind, keys, mouse);
}

} // namespace Quarnel::GameEngine2D::Input
