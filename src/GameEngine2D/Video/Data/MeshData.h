#pragma once

#include "GameEngine2D/Video/Data/VboIDs.h"
#include "GameEngine2D/Video/Forward.h"

#include <memory>

namespace Quarnel::GameEngine2D::Video::Data
{

// What a static mesh node draws: the vertex buffers of an uploaded model and a material. Copies share the buffers but
// get a material of their own, so every node made from one model can change its own colours and texture.
class MeshData final
{
public:
    MeshData(VboIDs meshBuffers, std::shared_ptr<Material> meshMaterial) noexcept :
        buffers(meshBuffers),
        material(std::move(meshMaterial))
    {
    }
    MeshData(const MeshData& other);
    MeshData& operator=(const MeshData&) = delete;
    virtual ~MeshData() = default;

    [[nodiscard]] virtual VboIDs GetBuffers() const { return buffers; }
    [[nodiscard]] virtual std::shared_ptr<Material> GetMaterial() const { return material; }

private:
    VboIDs buffers;
    std::shared_ptr<Material> material;
};

} // namespace Quarnel::GameEngine2D::Video::Data
