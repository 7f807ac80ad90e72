#include "GameEngine2D/Physics/SimulationClock.h"

#include <algorithm>
#include <cmath>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

// The account's unit is 1/128000 s: a step of 1/128 s is 1000 units, a real millisecond at ×1 is 128.
constexpr std::uint64_t UnitsPerStep = 1000;
constexpr int UnitsPerMsShiftAtSpeedOne = 7;
// The achieved speed is measured over this much real time.
constexpr std::uint64_t MeasurementMs = 1000;
// A measured speed this close to the asked one is not "falling behind", whatever a single slow frame did.
constexpr double BehindRatio = 0.98;
// Weight of the newest frame in the mean cost of a step.
constexpr double CostWeight = 0.25;

std::uint64_t UnitsPerMs(int speedExponent)
{
    return std::uint64_t{1} << (UnitsPerMsShiftAtSpeedOne + speedExponent);
}

} // namespace

double SimulationClock::GetTime() const
{
    return static_cast<double>(state.steps) * StepSeconds;
}

double SimulationClock::GetSpeed() const
{
    return std::ldexp(1.0, state.speedExponent);
}

void SimulationClock::SetSpeedExponent(int exponent)
{
    const int clamped = std::clamp(exponent, SlowestSpeedExponent, FastestSpeedExponent);
    if (clamped == state.speedExponent)
        return;
    // Time already received keeps its value in simulated seconds: it was earned at the old speed.
    state.speedExponent = clamped;
    ResetMeasurement();
}

bool SimulationClock::Faster()
{
    const int before = state.speedExponent;
    SetSpeedExponent(before + 1);
    return state.speedExponent != before;
}

bool SimulationClock::Slower()
{
    const int before = state.speedExponent;
    SetSpeedExponent(before - 1);
    return state.speedExponent != before;
}

void SimulationClock::SetPaused(bool paused)
{
    if (paused == state.paused)
        return;
    state.paused = paused;
    singleStepRequested = false;
    ResetMeasurement();
}

void SimulationClock::RequestSingleStep()
{
    if (state.paused)
        singleStepRequested = true;
}

std::uint32_t SimulationClock::PlanFrame(std::uint32_t elapsedMs)
{
    std::uint32_t steps = 0;
    bool capped = false;
    if (state.paused)
    {
        // A paused clock takes in no time; only a requested single step runs.
        steps = singleStepRequested ? 1 : 0;
        singleStepRequested = false;
    }
    else
    {
        state.pending += std::uint64_t{elapsedMs} * UnitsPerMs(state.speedExponent);
        const std::uint64_t due = state.pending / UnitsPerStep;
        const std::uint32_t limit = GetStepLimit();
        if (due > limit)
        {
            // The steps beyond the cap are dropped, not owed: simulated time falls behind instead of the
            // window freezing while it tries to catch up.
            capped = true;
            steps = limit;
            state.pending %= UnitsPerStep;
        }
        else
        {
            steps = static_cast<std::uint32_t>(due);
            state.pending -= due * UnitsPerStep;
        }
        Measure(elapsedMs, steps, capped);
    }
    stepsInLastFrame = steps;
    return steps;
}

void SimulationClock::RecordCost(std::uint32_t stepsRun, double realSeconds)
{
    if (stepsRun == 0 || !(realSeconds >= 0.0))
        return;
    const double perStep = realSeconds / stepsRun;
    stepCost = stepCost == 0.0 ? perStep : stepCost + CostWeight * (perStep - stepCost);
}

std::uint32_t SimulationClock::GetStepLimit() const
{
    if (stepCost <= 0.0)
        return UnmeasuredStepLimit;
    // At least one step, so that even a system too large for the budget keeps moving.
    const double fitting = std::floor(StepBudgetSeconds / stepCost);
    return fitting >= 1.0e9 ? 1000000000u : std::max(1u, static_cast<std::uint32_t>(fitting));
}

double SimulationClock::GetAchievedSpeed() const
{
    return achievedKnown ? achievedSpeed : GetSpeed();
}

void SimulationClock::SetState(const State& saved)
{
    state = saved;
    state.speedExponent = std::clamp(state.speedExponent, SlowestSpeedExponent, FastestSpeedExponent);
    state.pending %= UnitsPerStep;
    singleStepRequested = false;
    ResetMeasurement();
}

void SimulationClock::ResetMeasurement()
{
    windowMs = 0;
    windowSteps = 0;
    windowCapped = false;
    fallingBehind = false;
    achievedKnown = false;
}

void SimulationClock::Measure(std::uint32_t elapsedMs, std::uint32_t steps, bool capped)
{
    windowMs += elapsedMs;
    windowSteps += steps;
    windowCapped = windowCapped || capped;
    if (windowMs < MeasurementMs)
        return;
    achievedSpeed = static_cast<double>(windowSteps) * StepSeconds / (static_cast<double>(windowMs) / 1000.0);
    achievedKnown = true;
    fallingBehind = windowCapped && achievedSpeed < BehindRatio * GetSpeed();
    windowMs = 0;
    windowSteps = 0;
    windowCapped = false;
}

} // namespace Quarnel::GameEngine2D::Physics
