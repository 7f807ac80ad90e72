#pragma once

#include "GameEngine2D/Physics/Forward.h"
#include "GameEngine2D/Scene/Forward.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Zandrel
{

// The panel's two lines about simulated time: the state ("Pause", "Zeit ×8", "Zeit ×1/8", with "(erreicht ×310)"
// while the simulation cannot keep up) and the simulated time so far. Refresh is called every frame; the texts are
// formed again only when what they show has changed, and the running time at most ten times per real second, so
// that a fast clock does not render a new text every frame.
class SimulationStatus final
{
public:
    // `clock` outlives the status; the text nodes are the labels' own.
    SimulationStatus(const Quarnel::GameEngine2D::Physics::SimulationClock& clock,
                     std::shared_ptr<Quarnel::GameEngine2D::Scene::TextNode> stateLine,
                     std::shared_ptr<Quarnel::GameEngine2D::Scene::TextNode> timeLine);

    // Brings both lines up to date; `nowMs` is a millisecond clock of real time (the panel scene's).
    void Refresh(std::uint32_t nowMs);

    // "Pause", or "Zeit ×" + the speed ("1/8" … "1024"), with " (erreicht ×N)" when falling behind.
    [[nodiscard]] static std::string StateText(const Quarnel::GameEngine2D::Physics::SimulationClock& clock);
    // "Simulierte Zeit: " + hours:minutes:seconds.tenths, e.g. "Simulierte Zeit: 1:02:03.4".
    [[nodiscard]] static std::string TimeText(double seconds);

private:
    // What the state line depends on; the line is formed again only when this changes.
    struct StateKey
    {
        bool paused = false;
        int speedExponent = 0;
        bool fallingBehind = false;
        double achievedSpeed = 0.0;
        bool operator==(const StateKey&) const = default;
    };
    [[nodiscard]] static StateKey KeyOf(const Quarnel::GameEngine2D::Physics::SimulationClock& clock);

    const Quarnel::GameEngine2D::Physics::SimulationClock& clock;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::TextNode> stateLine;
    std::shared_ptr<Quarnel::GameEngine2D::Scene::TextNode> timeLine;
    std::uint32_t lastTimeRefresh = 0;
    std::uint64_t shownSteps = 0;
    bool timeShown = false;
    StateKey shownState;
    bool stateShown = false;
};

} // namespace Zandrel
