#pragma once

#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "GameEngine2D/Video/GlBuffer.h"

#include <cstdint>
#include <vector>

namespace Quarnel::GameEngine2D::Video
{

// The vertex buffers of the uploaded meshes. It owns every buffer it made until ReleaseAll (the engine's
// shut-down), so meshes that share buffers only name them. Needs the engine's GL context current.
class VertexBuffers final
{
public:
    VertexBuffers() = default;
    VertexBuffers(const VertexBuffers&) = delete;
    VertexBuffers& operator=(const VertexBuffers&) = delete;
    virtual ~VertexBuffers() = default;

    // Uploads tightly packed float triples (positions, normals or texture coordinates) into a new static vertex
    // buffer and returns its name.
    virtual std::uint32_t Create(const std::vector<Data::VertexRecord>& records);
    // Deletes every buffer made so far.
    virtual void ReleaseAll();

    // Names of the buffers made since the last ReleaseAll, in creation order.
    [[nodiscard]] std::vector<std::uint32_t> GetNames() const;

private:
    std::vector<GlBuffer> buffers;
};

} // namespace Quarnel::GameEngine2D::Video
