#pragma once

#include "Common/Point3D.h"
#include "GameEngine2D/Video/Data/FaceGroup.h"
#include "GameEngine2D/Video/Data/IVertices.h"
#include "GameEngine2D/Video/Data/VboIDs.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/Forward.h"

#include <cstddef>
#include <vector>

namespace Quarnel::GameEngine2D::Video::Data
{

// A mesh as read from a model file: shared lists of positions, normals and texture coordinates, and faces whose
// corners index into them, grouped with their materials. Mesh nodes draw it; it does not draw itself.
class IndexedVertices final : public IVertices
{
public:
    IndexedVertices(std::vector<VertexRecord> meshPositions, std::vector<VertexRecord> meshTextureCoordinates,
                    std::vector<VertexRecord> meshNormals, std::vector<FaceGroup> meshFaceGroups) :
        positions(std::move(meshPositions)),
        normals(std::move(meshNormals)),
        textureCoordinates(std::move(meshTextureCoordinates)),
        faceGroups(std::move(meshFaceGroups))
    {
    }

    void Draw(Engine& /*engine*/) override {}
    void Dispose(Engine& /*engine*/) override {}
    [[nodiscard]] Common::Point3D GetSize() const override { return Common::Point3D(0.0f, 0.0f, 0.0f); }

    [[nodiscard]] virtual const std::vector<VertexRecord>& GetPositions() const { return positions; }
    // Index outside the list: std::out_of_range.
    [[nodiscard]] virtual VertexRecord GetPosition(std::size_t index) const;
    virtual void SetPosition(std::size_t index, VertexRecord value);
    [[nodiscard]] virtual const std::vector<FaceGroup>& GetFaceGroups() const { return faceGroups; }
    [[nodiscard]] virtual const std::vector<VertexRecord>& GetTextureCoordinates() const { return textureCoordinates; }
    [[nodiscard]] virtual const std::vector<VertexRecord>& GetNormals() const { return normals; }

    // Every corner's normal index becomes -1.
    virtual void ResetNormals();
    // One flat normal per face from its first three corners; shared corners are not averaged.
    virtual void ComputeFaceNormals();

    // One record per corner, in face-group, face and corner order. A corner whose index is -1 or past the end of the
    // list being unrolled makes the mesh unusable: std::out_of_range naming the index.
    [[nodiscard]] virtual std::vector<VertexRecord> UnrollPositions() const;
    [[nodiscard]] virtual std::vector<VertexRecord> UnrollNormals() const;
    [[nodiscard]] virtual std::vector<VertexRecord> UnrollTextureCoordinates() const;

    // Unrolls the mesh into new vertex buffers; the texture buffer is 0 without texture coordinates.
    [[nodiscard]] virtual VboIDs CreateBuffers(VertexBuffers& buffers) const;

private:
    std::vector<VertexRecord> positions;
    std::vector<VertexRecord> normals;
    std::vector<VertexRecord> textureCoordinates;
    std::vector<FaceGroup> faceGroups;
};

} // namespace Quarnel::GameEngine2D::Video::Data
