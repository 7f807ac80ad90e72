#include "GameEngine2D/Video/Data/ColoredVertices.h"

#include "GameEngine2D/Video/Engine.h"

namespace Quarnel::GameEngine2D::Video::Data
{

void ColoredVertices::Draw(Engine& engine)
{
    engine.SetColor(color);
    SingleVertices::Draw(engine);
}

} // namespace Quarnel::GameEngine2D::Video::Data
