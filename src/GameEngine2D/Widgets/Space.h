#pragma once

#include "Common/Rect.h"
#include "GameEngine2D/Widgets/Control.h"

#include <memory>
#include <string>

namespace Quarnel::GameEngine2D::Widgets
{

// An invisible area that only shows its info text while the pointer rests on it.
class Space : public Control
{
public:
    [[nodiscard]] static std::shared_ptr<Space> Create(Frame& owner, const std::string& widgetName,
                                                       const Common::Rect& rect, const std::string& tooltip);

    Space(Key key, Frame& owner, const std::string& widgetName, const Common::Rect& rect);
    ~Space() override;
};

} // namespace Quarnel::GameEngine2D::Widgets
