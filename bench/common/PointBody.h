#pragma once

#include "Common/IMoveable.h"
#include "Common/Point3D.h"

namespace Bench
{

// Stands in for a scene node: only its position matters to the physics.
class PointBody final : public Quarnel::Common::IMoveable
{
public:
    explicit PointBody(Quarnel::Common::Point3D start) : position(start) {}
    [[nodiscard]] Quarnel::Common::Point3D GetPosition() const override { return position; }
    void SetPosition(Quarnel::Common::Point3D value) override { position = value; }

private:
    Quarnel::Common::Point3D position;
};

} // namespace Bench
