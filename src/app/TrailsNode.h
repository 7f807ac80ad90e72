#pragma once

#include "Common/Color.h"
#include "GameEngine2D/Scene/EmptyNode.h"
#include "GameEngine2D/Video/Data/VertexRecord.h"
#include "app/System/Forward.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Zandrel
{

// Draws the trail of every body of the solar system as a line strip that fades from transparent at its oldest
// point to bright at the body. The trails belong to the bodies: this node only reads them, so a body that goes
// takes its trail with it. Hidden (SetVisible(false)), it draws nothing; the bodies keep recording all the same,
// so switching the trails on again shows the last ten seconds at once.
class TrailsNode final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    // `system` outlives the node (both hang in the same scene tree, and the game holds the system).
    TrailsNode(std::string nodeName, const System::SolarSystem& system);

    void UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

private:
    void Gather(const System::Sphere& body, Quarnel::Common::Color color);

    const System::SolarSystem& solarSystem;
    // Every trail of a frame, drawn in one call; the arrays keep their capacity from frame to frame.
    std::vector<Quarnel::GameEngine2D::Video::Data::VertexRecord> points;
    std::vector<Quarnel::Common::Color> colors;
    std::vector<std::int32_t> firsts;
    std::vector<std::int32_t> counts;
};

} // namespace Zandrel
