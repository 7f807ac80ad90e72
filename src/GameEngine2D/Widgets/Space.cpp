#include "GameEngine2D/Widgets/Space.h"

namespace Quarnel::GameEngine2D::Widgets
{

std::shared_ptr<Space> Space::Create(Frame& owner, const std::string& widgetName, const Common::Rect& rect,
                                     const std::string& tooltip)
{
    auto space = Make<Space>(owner, widgetName, rect);
    if (!tooltip.empty())
        space->SetInfoText(tooltip);
    return space;
}

Space::Space(Key key, Frame& owner, const std::string& widgetName, const Common::Rect& rect) :
    Control(key, widgetName, owner, WidgetType::Space, rect, true, -1)
{
}

Space::~Space() = default;

} // namespace Quarnel::GameEngine2D::Widgets
