// The drawing operations of the video engine: images, rectangles, materials, lights, triangles, faces, vertex buffers
// and single-vertex shapes. They live apart from Engine.cpp (window, frame, views, transforms) because they are a
// subsystem of their own, built on the surfaces, materials and vertex data of the video module.
#include "Common/CheckedIndex.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/Surface.h"
#include "GameEngine2D/Video/Surfaces.h"
#include "GameEngine2D/Video/Texture.h"

#include <epoxy/gl.h>
#include <fmt/format.h>
#include <stdexcept>

namespace Quarnel::GameEngine2D::Video
{

namespace
{

using Op = LayerCache::Op;

// OpenGL takes colour channels as unsigned bytes: the low byte of each channel.
GLubyte Channel(int value)
{
    return static_cast<GLubyte>(value & 0xFF);
}

void Color4(Common::Color color, int alpha)
{
    glColor4ub(Channel(color.r), Channel(color.g), Channel(color.b), Channel(alpha));
}

float ChannelValue(int value)
{
    return static_cast<float>(Channel(value));
}

std::array<GLfloat, 4> ToFloats(Common::Color color)
{
    return color.ToFloatArray();
}

// A corner list of a triangle or line must hold `count` records; an empty optional list is allowed.
void CheckCorners(std::span<const Data::VertexRecord> records, std::size_t count, const char* what)
{
    if (records.size() < count)
        throw std::out_of_range(fmt::format("{} has {} corners, {} needed", what, records.size(), count));
}

// A face corner's index into one of the mesh's lists; an index outside the list is a fault of the data.
const Data::VertexRecord& At(std::span<const Data::VertexRecord> records, int index, const char* what)
{
    return Common::CheckedAt(records, index,
                             [&] { return fmt::format("{} index {} outside 0..{}", what, index, records.size()); });
}

void EnableBlending()
{
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
}

// The OpenGL mode of a shape type; any other number: "BasicShapeType {0} unbekannt".
GLenum ToGlMode(BasicShapeType type)
{
    switch (type)
    {
    case BasicShapeType::Points:
        return GL_POINTS;
    case BasicShapeType::Lines:
        return GL_LINES;
    case BasicShapeType::LineStrip:
        return GL_LINE_STRIP;
    case BasicShapeType::LineLoop:
        return GL_LINE_LOOP;
    case BasicShapeType::Triangles:
        return GL_TRIANGLES;
    case BasicShapeType::TriangleStrip:
        return GL_TRIANGLE_STRIP;
    case BasicShapeType::TriangleFan:
        return GL_TRIANGLE_FAN;
    case BasicShapeType::Quads:
        return GL_QUADS;
    case BasicShapeType::QuadStrip:
        return GL_QUAD_STRIP;
    case BasicShapeType::Polygon:
        return GL_POLYGON;
    }
    throw std::invalid_argument(fmt::format("BasicShapeType {} unbekannt", static_cast<int>(type)));
}

} // namespace

void Engine::DrawTexture(const Texture& texture, Common::Color color)
{
    DrawTexture(texture, color, Common::Point2D(0.0f, 0.0f));
}

void Engine::DrawTexture(const Texture& texture, Common::Color color, Common::Point2D size)
{
    const std::optional<Common::DataTypes::WInteger> alpha = texture.GetAlpha();
    if (alpha)
        PushAlpha(alpha->Value());
    try
    {
        DrawSurfaces(*texture.GetSurfaces(), color, size);
    }
    catch (...)
    {
        // The stack must stay balanced for the nodes around this one, also when a part cannot be drawn.
        if (alpha)
            PopAlpha();
        throw;
    }
    if (alpha)
        PopAlpha();
}

void Engine::DrawSurfaces(const Surfaces& surfaces, Common::Color color)
{
    DrawSurfaces(surfaces, color, Common::Point2D(0.0f, 0.0f));
}

void Engine::DrawSurfaces(const Surfaces& surfaces, Common::Color color, Common::Point2D size)
{
    const std::vector<Surface>& parts = surfaces.GetSurfaces();
    videoInfo.AddSurface(static_cast<unsigned>(parts.size()));
    NoteMatrix();
    Emit(Op::Texturing, 1.0f);
    // The transparency of the nearest translucent node replaces the colour's own alpha.
    EmitColor(color, GetAlphaTop().value_or(color.a));
    Emit(Op::Blending, 1.0f);
    const bool natural = size.x == 0.0f && size.y == 0.0f;
    for (const Surface& part : parts)
    {
        Emit(Op::BindTexture, static_cast<float>(part.GetGlTextureId()));
        const Common::Point2D partSize = part.GetSize();
        const Common::Point2D drawn = natural ? partSize : size;
        const Common::Point2D at = part.GetPosition();
        // Horizontally the texture repeats (or is cut) instead of stretching; vertically it stretches.
        const float u = drawn.x / partSize.x;
        Emit(Op::Begin, static_cast<float>(GL_QUADS));
        Emit(Op::TexCoord, 0.0f, 0.0f);
        Emit(Op::Vertex, at.x, at.y);
        Emit(Op::TexCoord, 0.0f, 1.0f);
        Emit(Op::Vertex, at.x, at.y + drawn.y);
        Emit(Op::TexCoord, u, 1.0f);
        Emit(Op::Vertex, at.x + drawn.x, at.y + drawn.y);
        Emit(Op::TexCoord, u, 0.0f);
        Emit(Op::Vertex, at.x + drawn.x, at.y);
        Emit(Op::End);
    }
    Emit(Op::Blending, 0.0f);
    Emit(Op::Texturing, 0.0f);
}

bool Engine::DrawGlyphLine(std::span<const std::shared_ptr<Texture>> pieces, float start, bool leftToRight,
                           Common::Color color)
{
    // Every piece is checked (and copied into the atlas) before anything is drawn.
    for (const std::shared_ptr<Texture>& piece : pieces)
    {
        const std::vector<Surface>& parts = piece->GetSurfaces()->GetSurfaces();
        if (piece->GetAlpha() || parts.size() != 1 || glyphAtlas.Find(parts.front()) == nullptr)
            return false;
    }
    NoteMatrix();
    Emit(Op::Texturing, 1.0f);
    EmitColor(color, GetAlphaTop().value_or(color.a));
    Emit(Op::Blending, 1.0f);
    Emit(Op::BindTexture, static_cast<float>(glyphAtlas.GetTextureId()));
    Emit(Op::Begin, static_cast<float>(GL_QUADS));
    float offset = start;
    const std::size_t count = pieces.size();
    for (std::size_t i = 0; i < count; ++i)
    {
        const Texture& piece = *pieces[leftToRight ? i : count - 1 - i];
        const float width = piece.GetSize().x;
        if (!leftToRight)
            offset -= width;
        const Surface& part = piece.GetSurfaces()->GetSurfaces().front();
        const GlyphAtlas::Region& region = *glyphAtlas.Find(part);
        // The part's quad at its natural size, as DrawSurfaces draws it, moved by the piece's offset.
        const Common::Point2D size = part.GetSize();
        const float left = offset + part.GetPosition().x;
        const float top = part.GetPosition().y;
        Emit(Op::TexCoord, region.u0, region.v0);
        Emit(Op::Vertex, left, top);
        Emit(Op::TexCoord, region.u0, region.v1);
        Emit(Op::Vertex, left, top + size.y);
        Emit(Op::TexCoord, region.u1, region.v1);
        Emit(Op::Vertex, left + size.x, top + size.y);
        Emit(Op::TexCoord, region.u1, region.v0);
        Emit(Op::Vertex, left + size.x, top);
        if (leftToRight)
            offset += width;
        // Counted as the translation and the image of a piece drawn on its own.
        videoInfo.AddNode();
        videoInfo.AddSurface(1);
    }
    Emit(Op::End);
    Emit(Op::Blending, 0.0f);
    Emit(Op::Texturing, 0.0f);
    return true;
}

void Engine::DrawRectangle(Common::Point2D size, Common::Color color)
{
    NoteMatrix();
    // Always opaque: neither the colour's alpha nor the transparency stack applies.
    EmitColor(color, 255);
    // The corners run clockwise on the flat view's screen (y downwards), so with back faces culled, as they are
    // from start-up on, the rectangle would vanish. A flat rectangle has no back: culling is suspended for it.
    // While a layer is written down only its own commands change culling, and they put it back.
    const bool culling = glIsEnabled(GL_CULL_FACE) == GL_TRUE;
    if (culling)
        Emit(Op::Culling, 0.0f);
    Emit(Op::Begin, static_cast<float>(GL_QUADS));
    Emit(Op::TexCoord, 0.0f, 0.0f);
    Emit(Op::Vertex, 0.0f, 0.0f);
    Emit(Op::TexCoord, 1.0f, 0.0f);
    Emit(Op::Vertex, size.x, 0.0f);
    Emit(Op::TexCoord, 1.0f, 1.0f);
    Emit(Op::Vertex, size.x, size.y);
    Emit(Op::TexCoord, 0.0f, 1.0f);
    Emit(Op::Vertex, 0.0f, size.y);
    Emit(Op::End);
    if (culling)
        Emit(Op::Culling, 1.0f);
}

FontManager& Engine::GetFontManager()
{
    return fontManager;
}

void Engine::ApplyMaterial(const Material& material)
{
    // Not a flat drawing call that a layer can hold.
    layer.Flush();
    // A material without colours draws with the default colours (black, opaque).
    const std::shared_ptr<Data::LightColors> colors = material.GetColors();
    static const Data::LightColors defaultColors;
    const Data::LightColors& lightColors = colors ? *colors : defaultColors;
    const Common::Color diffuse = lightColors.diffuse;
    const std::optional<int> top = GetAlphaTop();
    const std::shared_ptr<Texture> texture = material.GetTexture();
    EnableBlending();
    if (texture)
    {
        glEnable(GL_TEXTURE_2D);
        // Only the first part: a material image larger than maxTextureSize shows its first part.
        glBindTexture(GL_TEXTURE_2D, texture->GetSurfaces()->GetSurfaces().front().GetGlTextureId());
        Color4(Common::Color(255, 255, 255, 255), top.value_or(255));
    }
    else
        Color4(diffuse, top.value_or(diffuse.a));

    if (lightCount > 0)
    {
        const std::array<GLfloat, 4> specular = ToFloats(lightColors.specular);
        const std::array<GLfloat, 4> ambient = ToFloats(lightColors.ambient);
        const std::array<GLfloat, 4> diffuseFloats = ToFloats(diffuse);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular.data());
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient.data());
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuseFloats.data());
        glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, material.GetShininess());
    }
    else
    {
        // Unlit, the diffuse colour tints the mesh, textured or not.
        Color4(diffuse, top.value_or(diffuse.a));
    }
}

void Engine::EndMaterial(const Material& material)
{
    layer.Flush();
    if (material.GetTexture())
    {
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
    }
}

void Engine::EnableLight(int number, bool on)
{
    layer.Flush();
    const auto light = static_cast<GLenum>(GL_LIGHT0 + number);
    if (on)
    {
        ++lightCount;
        SetLighting(true);
        glEnable(light);
    }
    else
    {
        glDisable(light);
        --lightCount;
    }
}

void Engine::SetLight(int number, const Data::LightColors& colors, const std::array<float, 4>& position,
                      float constantAttenuation, float linearAttenuation, float quadraticAttenuation)
{
    layer.Flush();
    const auto light = static_cast<GLenum>(GL_LIGHT0 + number);
    const std::array<GLfloat, 4> ambient = ToFloats(colors.ambient);
    const std::array<GLfloat, 4> diffuse = ToFloats(colors.diffuse);
    const std::array<GLfloat, 4> specular = ToFloats(colors.specular);
    glLightfv(light, GL_AMBIENT, ambient.data());
    glLightfv(light, GL_DIFFUSE, diffuse.data());
    glLightfv(light, GL_SPECULAR, specular.data());
    glLightfv(light, GL_POSITION, position.data());
    glLightf(light, GL_CONSTANT_ATTENUATION, constantAttenuation);
    glLightf(light, GL_LINEAR_ATTENUATION, linearAttenuation);
    glLightf(light, GL_QUADRATIC_ATTENUATION, quadraticAttenuation);
}

void Engine::SetSpotLight(int number, Common::Point3D direction, float cutoff, float exponent)
{
    layer.Flush();
    const auto light = static_cast<GLenum>(GL_LIGHT0 + number);
    const std::array<GLfloat, 3> spotDirection{direction.X(), direction.Y(), direction.Z()};
    glLightfv(light, GL_SPOT_DIRECTION, spotDirection.data());
    glLightf(light, GL_SPOT_EXPONENT, exponent);
    glLightf(light, GL_SPOT_CUTOFF, cutoff);
}

void Engine::DrawTriangle(std::span<const Data::VertexRecord> positions,
                          std::span<const Data::VertexRecord> textureCoordinates,
                          std::span<const Data::VertexRecord> normals)
{
    layer.Flush();
    if (positions.empty())
        throw std::invalid_argument("Vertex is null");
    // Every list is checked before anything is drawn, so a short list never leaves a begun primitive behind.
    CheckCorners(positions, 3, "positions");
    if (!textureCoordinates.empty())
        CheckCorners(textureCoordinates, 3, "textureCoordinates");
    if (!normals.empty())
        CheckCorners(normals, 3, "normals");
    glBegin(GL_TRIANGLES);
    for (std::size_t i = 0; i < 3; ++i)
    {
        if (!normals.empty())
            glNormal3f(normals[i].x, normals[i].y, normals[i].z);
        if (!textureCoordinates.empty())
            glTexCoord2f(textureCoordinates[i].x, textureCoordinates[i].y);
        glVertex3f(positions[i].x, positions[i].y, positions[i].z);
    }
    glEnd();
    videoInfo.AddTriangle();
}

void Engine::DrawLine(std::span<const Data::VertexRecord> positions, std::span<const Data::VertexRecord>,
                      std::span<const Data::VertexRecord>)
{
    layer.Flush();
    if (positions.empty())
        throw std::invalid_argument("Vertex is null");
    CheckCorners(positions, 2, "positions");
    glBegin(GL_LINE_STRIP);
    glVertex3f(positions[0].x, positions[0].y, positions[0].z);
    glVertex3f(positions[1].x, positions[1].y, positions[1].z);
    glEnd();
}

void Engine::DrawFaces(std::span<const Data::VertexRecord> positions, std::span<const Data::Face> faces,
                       std::span<const Data::VertexRecord> textureCoordinates,
                       std::span<const Data::VertexRecord> normals)
{
    layer.Flush();
    for (const Data::Face& face : faces)
    {
        // Indices are checked before the face begins, so bad data never leaves a begun primitive behind.
        for (const Data::Index& index : face.indices)
        {
            (void)At(positions, index.vertex, "vertex");
            if (index.normal >= 0)
                (void)At(normals, index.normal, "normal");
            if (index.texture >= 0)
                (void)At(textureCoordinates, index.texture, "texture");
        }
        glBegin(GL_TRIANGLES);
        for (const Data::Index& index : face.indices)
        {
            Common::MyLog::Info(fmt::format("drawing face.vertex: {}  verts:{}", index.vertex, positions.size()));
            if (index.normal >= 0)
            {
                const Data::VertexRecord& normal = At(normals, index.normal, "normal");
                glNormal3f(normal.x, normal.y, normal.z);
            }
            if (index.texture >= 0)
            {
                const Data::VertexRecord& coordinate = At(textureCoordinates, index.texture, "texture");
                glTexCoord2f(coordinate.x, coordinate.y);
            }
            const Data::VertexRecord& position = At(positions, index.vertex, "vertex");
            glVertex3f(position.x, position.y, position.z);
            videoInfo.AddVertices(1);
        }
        glEnd();
    }
}

void Engine::AddVertex(float x, float y, float z)
{
    videoInfo.AddVertices(1);
    Emit(Op::Vertex, x, y, z);
}

void Engine::AddVertex(Common::Point3D point)
{
    AddVertex(point.X(), point.Y(), point.Z());
}

void Engine::SetColor(Common::Color color)
{
    // The only colour that is scaled by the transparency stack rather than replaced by it.
    const std::optional<int> top = GetAlphaTop();
    const int alpha = top ? static_cast<int>(color.a * (*top / 255.0)) : color.a;
    EmitColor(color, alpha);
}

void Engine::BeginShape(BasicShapeType type)
{
    // The type is checked first, so an unknown one changes no state.
    const GLenum mode = ToGlMode(type);
    videoInfo.AddVertexObject();
    NoteMatrix();
    // The blend function is set here too, so a shape's alpha does not depend on what was drawn before it.
    Emit(Op::Blending, 1.0f);
    Emit(Op::Begin, static_cast<float>(mode));
}

void Engine::EndShape()
{
    Emit(Op::End);
    Emit(Op::Blending, 0.0f);
}

void Engine::Emit(LayerCache::Op op, float a, float b, float c, float d)
{
    layer.Issue({op, {a, b, c, d}});
}

void Engine::EmitColor(Common::Color color, int alpha)
{
    Emit(Op::Color, ChannelValue(color.r), ChannelValue(color.g), ChannelValue(color.b), ChannelValue(alpha));
}

void Engine::NoteMatrix()
{
    if (!layer.IsOpen())
        return;
    std::array<GLfloat, 16> matrix{};
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
    layer.AddMatrix(matrix);
}

void Engine::DrawLineStrips(std::span<const Data::VertexRecord> points, std::span<const Common::Color> colors,
                            std::span<const std::int32_t> firsts, std::span<const std::int32_t> counts)
{
    layer.Flush();
    if (colors.size() != points.size() || firsts.size() != counts.size())
        throw std::invalid_argument(fmt::format("{} points with {} colours, {} strip starts with {} lengths",
                                                points.size(), colors.size(), firsts.size(), counts.size()));
    for (std::size_t strip = 0; strip < firsts.size(); ++strip)
    {
        if (firsts[strip] < 0 || counts[strip] < 0 ||
            static_cast<std::size_t>(firsts[strip]) + static_cast<std::size_t>(counts[strip]) > points.size())
            throw std::invalid_argument(fmt::format("strip {} lies outside the {} points", strip, points.size()));
    }
    if (firsts.empty())
        return;
    const std::optional<int> top = GetAlphaTop();
    lineColors.resize(colors.size());
    for (std::size_t k = 0; k < colors.size(); ++k)
    {
        const Common::Color color = colors[k];
        const int alpha = top ? static_cast<int>(color.a * (*top / 255.0)) : color.a;
        lineColors[k] = {Channel(color.r), Channel(color.g), Channel(color.b), Channel(alpha)};
    }
    for (const std::int32_t count : counts)
    {
        videoInfo.AddVertexObject();
        videoInfo.AddVertices(static_cast<unsigned>(count));
    }
    EnableBlending();
    // Pointers into main memory, not into a buffer: DrawBuffers leaves its last buffer bound.
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, points.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, lineColors.data());
    // One draw of separate segments: the software renderer pays for every strip of a multi-draw as for a call of
    // its own. A strip's segments draw the same pixels in the same colour (the last corner's under flat shading, an
    // interpolation of the same two under smooth) as the strip does.
    lineSegments.clear();
    for (std::size_t strip = 0; strip < firsts.size(); ++strip)
    {
        const auto first = static_cast<std::uint32_t>(firsts[strip]);
        for (std::uint32_t corner = 1; corner < static_cast<std::uint32_t>(counts[strip]); ++corner)
        {
            lineSegments.push_back(first + corner - 1);
            lineSegments.push_back(first + corner);
        }
    }
    glDrawElements(GL_LINES, static_cast<GLsizei>(lineSegments.size()), GL_UNSIGNED_INT, lineSegments.data());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    // Vertex by vertex, the last colour would stay the current one.
    if (!lineColors.empty())
        glColor4ubv(lineColors.back().data());
    glDisable(GL_BLEND);
}

void Engine::DrawBuffers(BasicShapeType type, const Data::VboIDs& buffers)
{
    layer.Flush();
    const GLenum mode = ToGlMode(type);
    const bool textured = buffers.textureCoordinates != 0;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    if (textured)
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffers.vertices);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffers.normals);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    if (textured)
    {
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, buffers.textureCoordinates);
        glTexCoordPointer(3, GL_FLOAT, 0, nullptr);
    }
    glDrawArrays(mode, 0, buffers.count);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    if (textured)
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

} // namespace Quarnel::GameEngine2D::Video
