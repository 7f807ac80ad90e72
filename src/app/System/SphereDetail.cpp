#include "app/System/SphereDetail.h"

#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/UvSphere.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Texture.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <span>

namespace Zandrel::System
{

namespace
{

using Quarnel::Common::Point3D;
using Quarnel::GameEngine2D::Video::Material;
using Quarnel::GameEngine2D::Video::Data::IndexedVertices;
using Quarnel::GameEngine2D::Video::Data::LightColors;
using Quarnel::GameEngine2D::Video::Data::VboIDs;
using Quarnel::GameEngine2D::Video::Data::VertexRecord;

VertexRecord Add(VertexRecord a, VertexRecord b, float factor) noexcept
{
    return {a.x + factor * b.x, a.y + factor * b.y, a.z + factor * b.z};
}

float Dot(VertexRecord a, VertexRecord b) noexcept
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// `fallback` for a vector too short to have a direction.
VertexRecord Normalised(VertexRecord v, VertexRecord fallback) noexcept
{
    const float length = std::sqrt(Dot(v, v));
    if (!(length > 1e-20f) || !std::isfinite(length))
        return fallback;
    return {v.x / length, v.y / length, v.z / length};
}

// The texture coordinate of the sphere's point in direction `d` (the body's own frame), laid out as the generated
// spheres lay theirs: u around the y axis from +z towards +x, v from the north pole, stored negated.
VertexRecord SphereCoordinate(VertexRecord d) noexcept
{
    constexpr float Pi = std::numbers::pi_v<float>;
    float u = std::atan2(d.x, d.z) / (2.0f * Pi);
    if (u < 0.0f)
        u += 1.0f;
    const float theta = std::acos(std::clamp(d.y, -1.0f, 1.0f));
    return {u, -(1.0f - theta / Pi), 0.0f};
}

// The body's own frame: the transposed rotation turns a direction of the system's frame back.
VertexRecord TurnBack(const Quarnel::GameEngine2D::Video::TriangleBatch::Rotation& turn, VertexRecord v) noexcept
{
    return {turn[0] * v.x + turn[3] * v.y + turn[6] * v.z, turn[1] * v.x + turn[4] * v.y + turn[7] * v.z,
            turn[2] * v.x + turn[5] * v.y + turn[8] * v.z};
}

const Quarnel::GameEngine2D::Video::Surfaces* ImageOf(const Material& material)
{
    const std::shared_ptr<Quarnel::GameEngine2D::Video::Texture> texture = material.GetTexture();
    return texture ? texture->GetSurfaces().get() : nullptr;
}

} // namespace

int SphereDetail::ChooseLevel(float pixelRadius) noexcept
{
    for (int level = 0; level < LevelCount - 1; ++level)
    {
        // A NaN radius (a broken transform) keeps the model: nothing is lost by drawing it finely.
        if (!(pixelRadius < LevelFrom[static_cast<std::size_t>(level)]))
            return level;
    }
    return LevelCount - 1;
}

SphereDetail::SphereDetail(Quarnel::GameEngine2D::Video::Engine& video, const IndexedVertices& model,
                           VboIDs modelBuffers)
{
    levels[FinestLevel].buffers = modelBuffers;
    discRimFactor = static_cast<float>(
        std::sqrt(2.0 * std::numbers::pi / (DiscSectors * std::sin(2.0 * std::numbers::pi / DiscSectors))));
    for (int edge = 0; edge <= DiscSectors; ++edge)
    {
        const double angle = 2.0 * std::numbers::pi * edge / DiscSectors;
        discEdges[static_cast<std::size_t>(edge)] = {static_cast<float>(std::cos(angle)),
                                                     static_cast<float>(std::sin(angle))};
        if (edge < DiscSectors)
        {
            const double middle = angle + std::numbers::pi / DiscSectors;
            discMiddles[static_cast<std::size_t>(edge)] = {static_cast<float>(std::cos(middle)),
                                                           static_cast<float>(std::sin(middle))};
        }
    }
    for (const auto& position : model.GetPositions())
        modelRadius = std::max(modelRadius, std::hypot(position.x, position.y, position.z));
    for (std::size_t level = 1; level < LevelCount; ++level)
    {
        const auto [segments, stacks] = GeneratedLevels[level - 1];
        const std::shared_ptr<IndexedVertices> sphere =
            Quarnel::GameEngine2D::Video::Data::UvSphere::Build(modelRadius, segments, stacks);
        // Flat normals, as the model is drawn with.
        sphere->ComputeFaceNormals();
        levels[level] = Unroll(*sphere, sphere->CreateBuffers(video.GetVertexBuffers()));
    }
}

SphereDetail::Level SphereDetail::Unroll(const IndexedVertices& mesh, VboIDs buffers)
{
    return Level{buffers, Quarnel::GameEngine2D::Video::Data::FlatIndexedMesh::FromTriangles(
                              mesh.UnrollPositions(), mesh.UnrollNormals(), mesh.UnrollTextureCoordinates())};
}

void SphereDetail::BeginFrame(const Quarnel::GameEngine2D::Video::Engine& video)
{
    modelView = video.GetModelViewMatrix();
    projection = Quarnel::GameEngine2D::Video::TriangleBatch::CurrentProjection();
    frameScale = std::hypot(modelView[0], modelView[1], modelView[2]);
    halfHeight = video.GetScreenSize().Y() / 2.0f;
    // The modelview's turning part is a rotation times frameScale: its inverse is the transpose over frameScale².
    const std::array<float, 16>& m = modelView;
    const float inverseSquare = frameScale > 0.0f ? 1.0f / (frameScale * frameScale) : 0.0f;
    eyeInFrame = {-(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]) * inverseSquare,
                  -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]) * inverseSquare,
                  -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14]) * inverseSquare};
    viewRight = Normalised({m[0], m[4], m[8]}, {1.0f, 0.0f, 0.0f});
    viewUp = Normalised({m[1], m[5], m[9]}, {0.0f, 1.0f, 0.0f});
    // A frame that failed half-way left its batches filled.
    for (Slot& slot : slots)
    {
        slot.batch.Clear();
        slot.used = false;
        slot.material.SetTexture(nullptr);
    }
}

std::array<float, 3> SphereDetail::ToEye(Point3D position) const noexcept
{
    const std::array<float, 16>& m = modelView;
    const float x = position.X();
    const float y = position.Y();
    const float z = position.Z();
    return {m[0] * x + m[4] * y + m[8] * z + m[12], m[1] * x + m[5] * y + m[9] * z + m[13],
            m[2] * x + m[6] * y + m[10] * z + m[14]};
}

float SphereDetail::PixelRadius(Point3D position, float scale) const noexcept
{
    const std::array<float, 3> eye = ToEye(position);
    const std::array<float, 16>& p = projection;
    const float w = p[3] * eye[0] + p[7] * eye[1] + p[11] * eye[2] + p[15];
    const float radius = modelRadius * std::abs(scale) * frameScale;
    // The near plane cuts the sphere, or it is behind the eye.
    if (w <= radius * std::abs(p[11]) || w <= 0.0f)
        return std::numeric_limits<float>::infinity();
    return radius * std::abs(p[5]) * halfHeight / w;
}

bool SphereDetail::IsOutsideView(Point3D position, float scale) const noexcept
{
    const std::array<float, 3> eye = ToEye(position);
    const std::array<float, 16>& p = projection;
    const float w = p[3] * eye[0] + p[7] * eye[1] + p[11] * eye[2] + p[15];
    const float x = p[0] * eye[0] + p[4] * eye[1] + p[8] * eye[2] + p[12];
    const float y = p[1] * eye[0] + p[5] * eye[1] + p[9] * eye[2] + p[13];
    const float radius = modelRadius * std::abs(scale) * frameScale;
    // The sphere's extent in clip units along x and y; also the slack of w's change over its depth.
    const float slackX = radius * (std::abs(p[0]) + std::abs(p[11]));
    const float slackY = radius * (std::abs(p[5]) + std::abs(p[11]));
    return x - slackX > w || x + slackX < -w || y - slackY > w || y + slackY < -w;
}

VboIDs SphereDetail::GetBuffers(int level) const
{
    return levels.at(static_cast<std::size_t>(level)).buffers;
}

bool SphereDetail::Batch(int level, const Material& material, Point3D position, Point3D rotation, float scale)
{
    if (level <= FinestLevel || level >= LevelCount)
        return false;
    for (Slot& slot : slots)
    {
        if (!slot.used)
            slot.Take(material);
        else if (!slot.Shows(material))
            continue;
        if (level == DiscLevel)
        {
            AddDisc(slot.batch, material.GetTexture() != nullptr, position, rotation, scale);
            return true;
        }
        const Quarnel::GameEngine2D::Video::Data::FlatIndexedMesh& shape =
            levels[static_cast<std::size_t>(level)].shared;
        // Untextured looks leave the coordinates out, as the buffers of a mesh without texture do.
        const std::span<const Quarnel::GameEngine2D::Video::Data::VertexRecord> coordinates =
            material.GetTexture() ? std::span(shape.coordinates)
                                  : std::span<const Quarnel::GameEngine2D::Video::Data::VertexRecord>();
        const Quarnel::GameEngine2D::Video::TriangleBatch::Rotation turn =
            Quarnel::GameEngine2D::Video::TriangleBatch::RotationOf(rotation);
        SelectFront(shape, position, turn, scale);
        slot.batch.AddIndexed(shape.positions, shape.normals, coordinates, frontIndices, turn, scale, position);
        return true;
    }
    return false;
}

void SphereDetail::SelectFront(const Quarnel::GameEngine2D::Video::Data::FlatIndexedMesh& shape, Point3D position,
                               const Quarnel::GameEngine2D::Video::TriangleBatch::Rotation& turn, float scale)
{
    if (!(scale > 0.0f))
    {
        frontIndices.assign(shape.indices.begin(), shape.indices.end());
        return;
    }
    // The eye in the level's own frame: turned back, and shrunk by the scale.
    const VertexRecord eye = TurnBack(turn, Add(eyeInFrame, {position.X(), position.Y(), position.Z()}, -1.0f));
    const float shrink = 1.0f / scale;
    shape.SelectFacing({shrink * eye.x, shrink * eye.y, shrink * eye.z}, frontIndices);
}

void SphereDetail::AddDisc(Quarnel::GameEngine2D::Video::TriangleBatch& batch, bool textured, Point3D position,
                           Point3D rotation, float scale) const
{
    const VertexRecord centre{position.X(), position.Y(), position.Z()};
    // The disc faces the eye and keeps the view's up direction, so its sectors wind as the sphere's front does.
    const VertexRecord toEye = Normalised(Add(eyeInFrame, centre, -1.0f),
                                          Normalised({modelView[2], modelView[6], modelView[10]}, {0.0f, 0.0f, 1.0f}));
    const VertexRecord right = Normalised(Add(viewRight, toEye, -Dot(viewRight, toEye)), viewRight);
    const VertexRecord upInPlane = Add(viewUp, toEye, -Dot(viewUp, toEye));
    const VertexRecord up = Normalised(Add(upInPlane, right, -Dot(upInPlane, right)), viewUp);
    // The rim reaches a little beyond the sphere's radius so that the polygon covers the circle's area.
    const float radius = modelRadius * std::abs(scale) * discRimFactor;
    // Normals carry the body's scale as the batched spheres' do (lighting runs without normalising).
    const float normalScale = scale != 0.0f ? 1.0f / std::abs(scale) : 0.0f;
    // A sector stands for the part of the visible half-sphere in front of it; over the sector's area the sphere's
    // normal averages 2/3 towards the eye and 2/3 · sinc(π / sectors) outwards.
    constexpr float Half = std::numbers::pi_v<float> / DiscSectors;
    const float outwards = 2.0f / 3.0f * std::sin(Half) / Half;
    constexpr float Forwards = 2.0f / 3.0f;
    const Quarnel::GameEngine2D::Video::TriangleBatch::Rotation turn =
        Quarnel::GameEngine2D::Video::TriangleBatch::RotationOf(rotation);
    const auto rim = [&](const std::array<float, 2>& cosSin) {
        return Add(Add(centre, right, radius * cosSin[0]), up, radius * cosSin[1]);
    };
    for (std::size_t sector = 0; sector < DiscSectors; ++sector)
    {
        const std::array<float, 2>& middle = discMiddles[sector];
        const VertexRecord towards =
            Add(Add(VertexRecord{0.0f, 0.0f, 0.0f}, toEye, Forwards), right, outwards * middle[0]);
        const VertexRecord direction = Normalised(Add(towards, up, outwards * middle[1]), toEye);
        const VertexRecord normal{direction.x * normalScale, direction.y * normalScale, direction.z * normalScale};
        const VertexRecord own = TurnBack(turn, direction);
        const VertexRecord coordinate = SphereCoordinate(own);
        batch.AddFlat({centre, rim(discEdges[sector]), rim(discEdges[sector + 1])}, normal,
                      textured ? &coordinate : nullptr);
    }
}

void SphereDetail::DrawBatches(Quarnel::GameEngine2D::Video::Engine& video)
{
    for (Slot& slot : slots)
    {
        if (!slot.used)
            continue;
        slot.batch.Draw(video, slot.material);
        slot.batch.Clear();
        slot.used = false;
        // The texture goes back to its owner's keeping.
        slot.material.SetTexture(nullptr);
    }
}

SphereDetail::Slot::Slot() : material("sphereBatch"), colors(std::make_shared<LightColors>())
{
    material.SetColors(colors);
}

bool SphereDetail::Slot::Shows(const Material& other) const
{
    const std::shared_ptr<LightColors> otherColors = other.GetColors();
    const LightColors shown = otherColors ? *otherColors : LightColors();
    return shown.ambient == colors->ambient && shown.diffuse == colors->diffuse && shown.specular == colors->specular &&
           other.GetShininess() == material.GetShininess() && ImageOf(other) == ImageOf(material);
}

void SphereDetail::Slot::Take(const Material& other)
{
    const std::shared_ptr<LightColors> otherColors = other.GetColors();
    *colors = otherColors ? *otherColors : LightColors();
    material.SetShininess(other.GetShininess());
    material.SetTexture(other.GetTexture());
    used = true;
}

} // namespace Zandrel::System
