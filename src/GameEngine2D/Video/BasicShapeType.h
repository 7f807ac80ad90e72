#pragma once

namespace Quarnel::GameEngine2D::Video
{

// The primitive kinds a shape or a vertex buffer is drawn as. The numbers are fixed; note that 3 is the line strip
// and 4 the line loop, the reverse of OpenGL's own order.
enum class BasicShapeType
{
    Points = 1,
    Lines = 2,
    LineStrip = 3,
    LineLoop = 4,
    Triangles = 5,
    TriangleStrip = 6,
    TriangleFan = 7,
    Quads = 8,
    QuadStrip = 9,
    Polygon = 10,
};

} // namespace Quarnel::GameEngine2D::Video
