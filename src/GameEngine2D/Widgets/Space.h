#pragma once

#include "Common/Rect.h"
#include "GameEngine2D/Widgets/Control.h"

#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// An invisible area that only shows its info text while the pointer rests on it.
class Space final : public Control
{
public:
    Space(Frame& owner, const std::string& widgetName, const Common::Rect& rect, const std::string& tooltip);
    ~Space() override;
};

} // namespace Quarnel::GameEngine2D::Widgets
