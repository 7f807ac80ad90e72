#include "GameEngine2D/Video/Data/Vertex.h"

#include "GameEngine2D/Video/Engine.h"

namespace Quarnel::GameEngine2D::Video::Data
{

void Vertex::Draw(Engine& engine)
{
    engine.AddVertex(position);
}

} // namespace Quarnel::GameEngine2D::Video::Data
