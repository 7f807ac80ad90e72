#pragma once

#include "Common/Color.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Video/Data/IVertices.h"
#include "GameEngine2D/Video/Data/Vertex.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Quarnel::GameEngine2D::Video::Data
{

// A fixed number of shape points, drawn one by one in slot order. Slots start empty; an empty slot draws nothing and
// does not count for the size.
class SingleVertices : public IVertices
{
public:
    explicit SingleVertices(std::size_t count) : vertices(count) {}

    void Dispose(Engine& engine) override;
    [[nodiscard]] Common::Point3D GetSize() const override;
    // Index outside the list: std::out_of_range.
    virtual void Set(std::size_t index, Common::Point3D position);
    virtual void Set(std::size_t index, Common::Point3D position, Common::Color color);
    [[nodiscard]] virtual std::shared_ptr<Vertex> Get(std::size_t index) const;
    void Draw(Engine& engine) override;

    [[nodiscard]] std::size_t GetCount() const noexcept { return vertices.size(); }

private:
    std::vector<std::shared_ptr<Vertex>> vertices;
};

} // namespace Quarnel::GameEngine2D::Video::Data
