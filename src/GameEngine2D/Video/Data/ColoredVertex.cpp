#include "GameEngine2D/Video/Data/ColoredVertex.h"

#include "GameEngine2D/Video/Engine.h"

namespace Quarnel::GameEngine2D::Video::Data
{

void ColoredVertex::Draw(Engine& engine)
{
    engine.SetColor(color);
    Vertex::Draw(engine);
}

} // namespace Quarnel::GameEngine2D::Video::Data
