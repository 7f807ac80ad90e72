#include "GameEngine2D/Video/Data/IndexedVertices.h"

#include "Common/CheckedIndex.h"
#include "Common/MyLog.h"
#include "GameEngine2D/Video/VertexBuffers.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace Quarnel::GameEngine2D::Video::Data
{

namespace
{

// A corner's reference into one of the mesh lists; -1 and indices past the end are faults of the data.
const VertexRecord& Referenced(const std::vector<VertexRecord>& list, int index, const char* listName)
{
    return Common::CheckedAt(list, index, [&] {
        return std::string("Eckpunkt verweist auf ") + listName + " " + std::to_string(index) + ", vorhanden sind " +
               std::to_string(list.size());
    });
}

template <typename Member>
std::vector<VertexRecord> Unroll(const std::vector<FaceGroup>& faceGroups, const std::vector<VertexRecord>& list,
                                 Member corner, const char* listName)
{
    std::size_t cornerCount = 0;
    for (const FaceGroup& group : faceGroups)
        for (const Face& face : group.faces)
            cornerCount += face.indices.size();

    std::vector<VertexRecord> unrolled;
    unrolled.reserve(cornerCount);
    for (const FaceGroup& group : faceGroups)
        for (const Face& face : group.faces)
            for (const Index& index : face.indices)
                unrolled.push_back(Referenced(list, index.*corner, listName));
    return unrolled;
}

VertexRecord Minus(const VertexRecord& a, const VertexRecord& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

} // namespace

VertexRecord IndexedVertices::GetPosition(std::size_t index) const
{
    return positions.at(index);
}

void IndexedVertices::SetPosition(std::size_t index, VertexRecord value)
{
    positions.at(index) = value;
}

void IndexedVertices::ResetNormals()
{
    for (FaceGroup& group : faceGroups)
        for (Face& face : group.faces)
            for (Index& index : face.indices)
                index.normal = -1;
}

void IndexedVertices::ComputeFaceNormals()
{
    ResetNormals();
    std::vector<VertexRecord> faceNormals;
    int next = 0;
    for (FaceGroup& group : faceGroups)
    {
        for (Face& face : group.faces)
        {
            if (face.indices.size() < 3)
                throw std::out_of_range("Fläche mit " + std::to_string(face.indices.size()) +
                                        " Eckpunkten hat keine Normale");
            const VertexRecord& p0 = Referenced(positions, face.indices[0].vertex, "Position");
            const VertexRecord& p1 = Referenced(positions, face.indices[1].vertex, "Position");
            const VertexRecord& p2 = Referenced(positions, face.indices[2].vertex, "Position");
            // Counter-clockwise corners seen from the front give a normal that points at the viewer. Three corners
            // on one line have no normal: the division by a length of 0 leaves NaN components.
            const VertexRecord a = Minus(p0, p1);
            const VertexRecord b = Minus(p1, p2);
            const VertexRecord cross{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
            const float length = std::sqrt(cross.x * cross.x + cross.y * cross.y + cross.z * cross.z);
            faceNormals.push_back({cross.x / length, cross.y / length, cross.z / length});
            for (std::size_t corner = 0; corner < 3; ++corner)
                face.indices[corner].normal = next;
            ++next;
        }
    }
    normals = std::move(faceNormals);
}

std::vector<VertexRecord> IndexedVertices::UnrollPositions() const
{
    return Unroll(faceGroups, positions, &Index::vertex, "Position");
}

std::vector<VertexRecord> IndexedVertices::UnrollNormals() const
{
    return Unroll(faceGroups, normals, &Index::normal, "Normale");
}

std::vector<VertexRecord> IndexedVertices::UnrollTextureCoordinates() const
{
    return Unroll(faceGroups, textureCoordinates, &Index::texture, "Texturkoordinate");
}

VboIDs IndexedVertices::CreateBuffers(VertexBuffers& buffers) const
{
    // Everything is unrolled before the first upload, so a broken corner stops the mesh before any buffer exists.
    const std::vector<VertexRecord> unrolledPositions = UnrollPositions();
    const std::vector<VertexRecord> unrolledNormals = UnrollNormals();
    std::vector<VertexRecord> unrolledCoordinates;
    if (!textureCoordinates.empty())
        unrolledCoordinates = UnrollTextureCoordinates();

    Common::MyLog::Info("Created vbo Vertices, count: " + std::to_string(unrolledPositions.size()));
    const std::uint32_t positionBuffer = buffers.Create(unrolledPositions);
    Common::MyLog::Info("Created vbo Normals, count: " + std::to_string(unrolledNormals.size()));
    const std::uint32_t normalBuffer = buffers.Create(unrolledNormals);
    std::uint32_t textureBuffer = 0;
    if (!textureCoordinates.empty())
    {
        Common::MyLog::Info("Created vbo Textures, count: " + std::to_string(unrolledCoordinates.size()));
        textureBuffer = buffers.Create(unrolledCoordinates);
    }
    return VboIDs(static_cast<int>(unrolledPositions.size()), positionBuffer, normalBuffer, textureBuffer);
}

} // namespace Quarnel::GameEngine2D::Video::Data
