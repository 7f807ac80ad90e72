#pragma once

namespace Quarnel::GameEngine2D::Video
{

// What the current frame has drawn so far, so that the cost of a scene can be shown. All counters are 0
// after construction and after every Reset, which the video engine calls at the start of each frame.
class VideoInfo final
{
public:
    [[nodiscard]] unsigned GetTextures() const { return textures; }
    [[nodiscard]] unsigned GetSurfaces() const { return surfaces; }
    [[nodiscard]] unsigned GetTriangles() const { return triangles; }
    [[nodiscard]] unsigned GetNodes() const { return nodes; }
    [[nodiscard]] unsigned GetVertices() const { return vertices; }
    [[nodiscard]] unsigned GetVertexObjects() const { return vertexObjects; }

    // One image drawn (DrawSurfaces) made of `parts` textures.
    void AddSurface(unsigned parts)
    {
        ++surfaces;
        textures += parts;
    }
    // One transform pushed: every node that draws pushes exactly one.
    void AddNode() { ++nodes; }
    void AddVertices(unsigned count) { vertices += count; }
    // One shape begun (BeginShape).
    void AddVertexObject() { ++vertexObjects; }
    void AddTriangle() { ++triangles; }

    void Reset() { *this = VideoInfo(); }

private:
    unsigned surfaces = 0;
    unsigned textures = 0;
    unsigned nodes = 0;
    unsigned vertices = 0;
    unsigned vertexObjects = 0;
    unsigned triangles = 0;
};

} // namespace Quarnel::GameEngine2D::Video
