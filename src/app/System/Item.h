#pragma once

#include "GameEngine2D/Scene/EmptyNode.h"
#include "app/System/Forward.h"

#include <cstdint>
#include <string>

namespace Zandrel::System
{

// One body of the solar system. The node has no size of its own: its position is the body's position, which the
// body's point mass writes every physics step, and its rotation is the body's spin. What is drawn hangs below it.
class Item : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    // `owner` creates and owns the item (it is the item's parent node), so it outlives it.
    Item(std::string itemName, Quarnel::Common::Point3D itemPosition, float massValue, SolarSystem& owner,
         std::uint16_t itemId);

    [[nodiscard]] virtual SolarSystem& GetSystem() const;
    [[nodiscard]] virtual std::uint16_t GetId() const;
    // The mass value given at creation; the body's point mass holds the same value.
    [[nodiscard]] virtual float GetMass() const;

protected:
    // Only the body itself changes its mass, together with its point mass.
    void SetMassValue(float massValue) { mass = massValue; }

private:
    float mass;
    std::uint16_t id;
    SolarSystem& system;
};

} // namespace Zandrel::System
