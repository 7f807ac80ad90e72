#include "app/System/SphereDetail.h"

#include "GameEngine2D/Video/Data/IndexedVertices.h"
#include "GameEngine2D/Video/Data/LightColors.h"
#include "GameEngine2D/Video/Data/UvSphere.h"
#include "GameEngine2D/Video/Engine.h"
#include "GameEngine2D/Video/Texture.h"

#include <algorithm>
#include <cmath>
#include <limits>
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
    return Level{buffers, mesh.UnrollPositions(), mesh.UnrollNormals(), mesh.UnrollTextureCoordinates()};
}

void SphereDetail::BeginFrame(const Quarnel::GameEngine2D::Video::Engine& video)
{
    modelView = video.GetModelViewMatrix();
    projection = Quarnel::GameEngine2D::Video::TriangleBatch::CurrentProjection();
    frameScale = std::hypot(modelView[0], modelView[1], modelView[2]);
    halfHeight = video.GetScreenSize().Y() / 2.0f;
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
        const Level& shape = levels[static_cast<std::size_t>(level)];
        // Untextured looks leave the coordinates out, as the buffers of a mesh without texture do.
        const std::span<const Quarnel::GameEngine2D::Video::Data::VertexRecord> coordinates =
            material.GetTexture() ? std::span(shape.coordinates)
                                  : std::span<const Quarnel::GameEngine2D::Video::Data::VertexRecord>();
        slot.batch.Add(shape.positions, shape.normals, coordinates,
                       Quarnel::GameEngine2D::Video::TriangleBatch::RotationOf(rotation), scale, position);
        return true;
    }
    return false;
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

std::size_t SphereDetail::GetBatchedVertices() const noexcept
{
    std::size_t count = 0;
    for (const Slot& slot : slots)
        count += slot.batch.GetVertexCount();
    return count;
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
