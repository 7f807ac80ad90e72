#pragma once

#include "Common/Color.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Video/Data/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Scene
{

// Builders of vertex sets for form nodes.
class NodeHelper final
{
public:
    NodeHelper() = delete;

    // Four coloured corners of a size.x × size.y rectangle, in the order (0, 0), (0, h), (w, h), (w, 0): under the
    // screen projection (y downwards) `first` colours the top edge and `second` the bottom edge. Draw it as Quads.
    [[nodiscard]] static std::shared_ptr<Video::Data::IVertices> CreateGradientRectangle(Common::Point3D size,
                                                                                         Common::Color first,
                                                                                         Common::Color second);
};

} // namespace Quarnel::GameEngine2D::Scene
