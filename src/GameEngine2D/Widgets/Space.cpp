#include "GameEngine2D/Widgets/Space.h"

namespace Quarnel::GameEngine2D::Widgets
{

Space::Space(Frame& owner, const std::string& widgetName, const Common::Rect& rect, const std::string& tooltip) :
    Control(widgetName, owner, WidgetType::Space, rect, true, -1)
{
    if (!tooltip.empty())
        SetInfoText(tooltip);
}

Space::~Space() = default;

} // namespace Quarnel::GameEngine2D::Widgets
