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
//
// Many bodies with full trails would hand the renderer more segments than it can draw in a frame (10 000 bodies hold
// 1.6 million points). Beyond a budget of points held in all, every trail is thinned alike: each keeps its newest
// point and every stride-th one before it, so it still spans its ten seconds and fades as before, in coarser steps.
class TrailsNode final : public Quarnel::GameEngine2D::Scene::EmptyNode
{
public:
    static constexpr std::size_t DefaultPointBudget = 65536;

    // `system` outlives the node (both hang in the same scene tree, and the game holds the system).
    TrailsNode(std::string nodeName, const System::SolarSystem& system, std::size_t pointBudget = DefaultPointBudget);

    void UpdateNode(Quarnel::GameEngine2D::Scene::IGameEngine& gameEngine) override;

private:
    void Gather(const System::Sphere& body, Quarnel::Common::Color color, std::size_t stride);

    const System::SolarSystem& solarSystem;
    std::size_t budget;
    // Every trail of a frame, drawn in one call; the arrays keep their capacity from frame to frame.
    std::vector<Quarnel::GameEngine2D::Video::Data::VertexRecord> points;
    std::vector<Quarnel::Common::Color> colors;
    std::vector<std::int32_t> firsts;
    std::vector<std::int32_t> counts;
};

} // namespace Zandrel
