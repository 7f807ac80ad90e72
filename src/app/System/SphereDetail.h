#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Video/Data/FlatIndexedMesh.h"
#include "GameEngine2D/Video/Data/Forward.h"
#include "GameEngine2D/Video/Data/VboIDs.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/Forward.h"
#include "GameEngine2D/Video/Material.h"
#include "GameEngine2D/Video/TriangleBatch.h"

#include <array>
#include <memory>
#include <vector>

namespace Zandrel::System
{

// How finely each body's sphere is drawn, chosen every frame from its radius on the screen. The shipped model is the
// finest level and draws every body that shows at least FinestFrom pixels of radius, exactly as it always has; the
// coarser levels are spheres generated once at start-up and shared by every body, except the coarsest: a body only a
// few pixels across is drawn as a lit disc facing the eye, a fan of flat sectors shaded and textured as the parts of
// the sphere they stand for, which costs the renderer a quarter of the triangles. Bodies drawn at a coarser level are
// gathered into one batch per look (material) and drawn together after the last body, and bodies wholly outside the
// view are not drawn at all. Only drawing changes: positions, masses and materials stay the bodies' own.
//
// A frame: BeginFrame when the system starts drawing (it reads the system's transform and the projection), then each
// body asks for its pixel radius and level and either joins a batch or draws itself with the model, then DrawBatches.
class SphereDetail final
{
public:
    static constexpr int LevelCount = 4;
    static constexpr int FinestLevel = 0;
    // Smallest pixel radius drawn with levels 0, 1 and 2; anything smaller gets the coarsest level.
    static constexpr std::array<float, LevelCount - 1> LevelFrom{24.0f, 10.0f, 6.0f};
    // Meridians and rings of the generated levels 1 to 3.
    static constexpr std::array<std::array<int, 2>, LevelCount - 1> GeneratedLevels{{{16, 8}, {10, 5}, {6, 3}}};
    // The coarsest level, drawn as a disc of this many sectors.
    static constexpr int DiscLevel = LevelCount - 1;
    static constexpr int DiscSectors = 6;
    // Different looks gathered in one frame (planet, sun, each highlighted); a further look draws body by body.
    static constexpr int BatchSlots = 4;

    // The level for a sphere showing `pixelRadius` pixels of radius.
    [[nodiscard]] static int ChooseLevel(float pixelRadius) noexcept;

    // The model as read (with its flat normals) and its uploaded buffers; generates and uploads the coarser levels.
    SphereDetail(Quarnel::GameEngine2D::Video::Engine& video,
                 const Quarnel::GameEngine2D::Video::Data::IndexedVertices& model,
                 Quarnel::GameEngine2D::Video::Data::VboIDs modelBuffers);

    // Reads the current modelview (the system's frame) and projection matrices and the window height.
    void BeginFrame(const Quarnel::GameEngine2D::Video::Engine& video);
    // Radius in pixels of the sphere drawn at `position` (system frame) with `scale`; infinite when it touches or
    // lies behind the eye, where only the finest level is right.
    [[nodiscard]] float PixelRadius(Quarnel::Common::Point3D position, float scale) const noexcept;
    // Whether that sphere lies wholly outside the view's sides.
    [[nodiscard]] bool IsOutsideView(Quarnel::Common::Point3D position, float scale) const noexcept;
    // The uploaded buffers of a level (level 0: the model's).
    [[nodiscard]] Quarnel::GameEngine2D::Video::Data::VboIDs GetBuffers(int level) const;

    // Gathers the sphere of `level` placed like a body (position, rotation in degrees, uniform scale) into the batch
    // of `material`'s look; false when every batch has another look.
    bool Batch(int level, const Quarnel::GameEngine2D::Video::Material& material, Quarnel::Common::Point3D position,
               Quarnel::Common::Point3D rotation, float scale);
    // Draws every batch in the current transform and empties them.
    void DrawBatches(Quarnel::GameEngine2D::Video::Engine& video);

    // The model's radius at scale 1: the farthest of its vertices from its centre.
    [[nodiscard]] float GetModelRadius() const noexcept { return modelRadius; }

private:
    struct Level
    {
        Quarnel::GameEngine2D::Video::Data::VboIDs buffers;
        // The triangles with shared corners, as batches gather them.
        Quarnel::GameEngine2D::Video::Data::FlatIndexedMesh shared;
    };
    struct Slot
    {
        Slot();
        // What ApplyMaterial reads of a material.
        [[nodiscard]] bool Shows(const Quarnel::GameEngine2D::Video::Material& material) const;
        void Take(const Quarnel::GameEngine2D::Video::Material& material);

        Quarnel::GameEngine2D::Video::Material material;
        std::shared_ptr<Quarnel::GameEngine2D::Video::Data::LightColors> colors;
        Quarnel::GameEngine2D::Video::TriangleBatch batch;
        bool used = false;
    };

    static Level Unroll(const Quarnel::GameEngine2D::Video::Data::IndexedVertices& mesh,
                        Quarnel::GameEngine2D::Video::Data::VboIDs buffers);
    // The system-frame position in eye coordinates, and its clip w.
    [[nodiscard]] std::array<float, 3> ToEye(Quarnel::Common::Point3D position) const noexcept;
    // The level's triangles that may face the eye from a body placed so, into `frontIndices`; all of them for a
    // mirrored body (negative size), whose turned winding makes the renderer cull the other half.
    void SelectFront(const Quarnel::GameEngine2D::Video::Data::FlatIndexedMesh& shape,
                     Quarnel::Common::Point3D position,
                     const Quarnel::GameEngine2D::Video::TriangleBatch::Rotation& turn, float scale);
    void AddDisc(Quarnel::GameEngine2D::Video::TriangleBatch& batch, bool textured, Quarnel::Common::Point3D position,
                 Quarnel::Common::Point3D rotation, float scale) const;

    std::array<Level, LevelCount> levels;
    float modelRadius = 0.0f;
    std::array<float, 16> modelView{};
    std::array<float, 16> projection{};
    // Length of the modelview's first column: how the system's frame scales lengths.
    float frameScale = 1.0f;
    float halfHeight = 0.0f;
    // The eye and the view's right and up directions in the system's frame.
    Quarnel::GameEngine2D::Video::Data::VertexRecord eyeInFrame{0.0f, 0.0f, 0.0f};
    Quarnel::GameEngine2D::Video::Data::VertexRecord viewRight{1.0f, 0.0f, 0.0f};
    Quarnel::GameEngine2D::Video::Data::VertexRecord viewUp{0.0f, 1.0f, 0.0f};
    // Cosine and sine of each sector's edges (DiscSectors + 1, the last the first again) and middles.
    std::array<std::array<float, 2>, DiscSectors + 1> discEdges{};
    std::array<std::array<float, 2>, DiscSectors> discMiddles{};
    float discRimFactor = 1.0f;
    std::array<Slot, BatchSlots> slots;
    // SelectFront's answer, kept from body to body.
    std::vector<std::uint32_t> frontIndices;
};

} // namespace Zandrel::System
