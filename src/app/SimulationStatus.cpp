#include "app/SimulationStatus.h"

#include "GameEngine2D/Physics/SimulationClock.h"
#include "GameEngine2D/Scene/TextNode.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <utility>

namespace Zandrel
{

namespace
{

using Quarnel::GameEngine2D::Physics::SimulationClock;

// A running time is shown again at most this often.
constexpr std::uint32_t TimeRefreshMs = 100;

// "8", "1024", "1/8": the speeds are powers of two.
std::string SpeedText(int exponent)
{
    if (exponent >= 0)
        return fmt::format("{}", 1u << exponent);
    return fmt::format("1/{}", 1u << -exponent);
}

// Whole numbers from 10 on, two significant digits below: "310", "3.5", "0.31".
std::string AchievedText(double speed)
{
    if (speed >= 10.0)
        return fmt::format("{:.0f}", speed);
    return fmt::format("{:.2g}", speed);
}

} // namespace

SimulationStatus::SimulationStatus(const SimulationClock& simulationClock,
                                   std::shared_ptr<Quarnel::GameEngine2D::Scene::TextNode> state,
                                   std::shared_ptr<Quarnel::GameEngine2D::Scene::TextNode> time) :
    clock(simulationClock),
    stateLine(std::move(state)),
    timeLine(std::move(time))
{
}

void SimulationStatus::Refresh(std::uint32_t nowMs)
{
    // Forming the text every frame would allocate once it is longer than a short string ("(erreicht ×…)").
    const StateKey state = KeyOf(clock);
    if (!stateShown || state != shownState)
    {
        stateLine->SetText(StateText(clock));
        shownState = state;
        stateShown = true;
    }

    const std::uint64_t steps = clock.GetSteps();
    if (timeShown && steps == shownSteps)
        return;
    // A paused clock moves only by single steps, each of which the user wants to see at once.
    if (timeShown && !clock.IsPaused() && nowMs - lastTimeRefresh < TimeRefreshMs)
        return;
    timeLine->SetText(TimeText(clock.GetTime()));
    timeShown = true;
    shownSteps = steps;
    lastTimeRefresh = nowMs;
}

SimulationStatus::StateKey SimulationStatus::KeyOf(const SimulationClock& clock)
{
    const bool behind = clock.IsFallingBehind();
    return StateKey{clock.IsPaused(), clock.GetSpeedExponent(), behind, behind ? clock.GetAchievedSpeed() : 0.0};
}

std::string SimulationStatus::StateText(const SimulationClock& clock)
{
    if (clock.IsPaused())
        return "Pause";
    std::string text = "Zeit ×" + SpeedText(clock.GetSpeedExponent());
    if (clock.IsFallingBehind())
        text += " (erreicht ×" + AchievedText(clock.GetAchievedSpeed()) + ")";
    return text;
}

std::string SimulationStatus::TimeText(double seconds)
{
    // Whole tenths first, so that no rounding ever shows 60 seconds or 10 tenths.
    const auto tenths = static_cast<std::uint64_t>(std::floor(std::max(seconds, 0.0) * 10.0));
    const std::uint64_t wholeSeconds = tenths / 10;
    return fmt::format("Simulierte Zeit: {}:{:02}:{:02}.{}", wholeSeconds / 3600, wholeSeconds / 60 % 60,
                       wholeSeconds % 60, tenths % 10);
}

} // namespace Zandrel
