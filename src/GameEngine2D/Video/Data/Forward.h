#pragma once

// Declares every type of this namespace, for headers that only name them.
namespace Quarnel::GameEngine2D::Video::Data
{

class ColoredVertex;
class ColoredVertices;
class IVertices;
class IndexedVertices;
class LightColors;
class MathW;
class MeshData;
class SingleVertices;
class VboIDs;
class Vertex;
struct Face;
struct FaceGroup;
struct Index;
struct VertexRecord;

} // namespace Quarnel::GameEngine2D::Video::Data
