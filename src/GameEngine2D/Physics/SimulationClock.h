#pragma once

#include <cstdint>

namespace Quarnel::GameEngine2D::Physics
{

// The simulated time of a world that advances in fixed steps. Each frame hands in the real time it took; the
// clock adds that time × the speed to an integer account and says how many whole steps are due. Integers only, so
// the same real time gives the same steps whatever it is cut into: 20, 60 or 300 frames per second, ×1 or ×8,
// reach the same simulated time after the same number of identical steps.
//
// The account counts 1/128000 s: a millisecond of real time is 2^(7 + e) of them at the speed 2^e (e from -3 to
// 10), and a step of 1/128 s is 1000. A frame runs no more steps than its budget of real time allows (measured
// from what the steps cost): when that cap bites, the steps not run are dropped, simulated time falls behind,
// and the speed actually achieved is known.
class SimulationClock final
{
public:
    static constexpr std::uint32_t StepsPerSecond = 128;
    // Simulated seconds per step; exact in binary.
    static constexpr double StepSeconds = 1.0 / StepsPerSecond;
    // Speeds are 2^exponent: from ×1/8 to ×1024.
    static constexpr int SlowestSpeedExponent = -3;
    static constexpr int FastestSpeedExponent = 10;
    // Real seconds the steps of one frame may take, so that the window keeps about 20 frames per second.
    static constexpr double StepBudgetSeconds = 0.040;
    // Steps a frame may run before the cost of a step has been measured: two simulated seconds.
    static constexpr std::uint32_t UnmeasuredStepLimit = 2 * StepsPerSecond;

    // Everything that decides the clock's future: enough to put it back where it was.
    struct State
    {
        std::uint64_t steps = 0;
        // Simulated time received but not yet stepped, in 1/128000 s; less than one step.
        std::uint64_t pending = 0;
        int speedExponent = 0;
        bool paused = false;
    };

    // Simulated seconds since the start: the steps run × StepSeconds.
    [[nodiscard]] double GetTime() const;
    [[nodiscard]] std::uint64_t GetSteps() const { return state.steps; }

    // 2^exponent simulated seconds per real second.
    [[nodiscard]] double GetSpeed() const;
    [[nodiscard]] int GetSpeedExponent() const { return state.speedExponent; }
    // Clamped to the slowest and fastest speed.
    void SetSpeedExponent(int exponent);
    // Double and halve the speed within its range; false when it is already at the end.
    bool Faster();
    bool Slower();

    [[nodiscard]] bool IsPaused() const { return state.paused; }
    void SetPaused(bool paused);
    void TogglePause() { SetPaused(!state.paused); }
    // While paused, the next frame runs exactly one step; running, it does nothing.
    void RequestSingleStep();

    // The steps due in a frame that took `elapsedMs` of real time, cap applied. The caller runs them (and counts
    // them with CountSteps), then reports their cost with RecordCost.
    [[nodiscard]] std::uint32_t PlanFrame(std::uint32_t elapsedMs);
    void CountSteps(std::uint64_t count) { state.steps += count; }
    // The real time the steps of the last frame took; their mean cost sets the cap of later frames.
    void RecordCost(std::uint32_t stepsRun, double realSeconds);

    [[nodiscard]] std::uint32_t GetStepsInLastFrame() const { return stepsInLastFrame; }
    // The most steps a frame runs now.
    [[nodiscard]] std::uint32_t GetStepLimit() const;
    // Whether the cap made the simulation slower than asked over the last second of real time.
    [[nodiscard]] bool IsFallingBehind() const { return fallingBehind; }
    // Simulated seconds per real second over the last full second of real time while running; the asked speed
    // before such a second has passed.
    [[nodiscard]] double GetAchievedSpeed() const;

    [[nodiscard]] const State& GetState() const { return state; }
    // Puts the clock back; the measurement of the achieved speed starts again.
    void SetState(const State& saved);

private:
    // A new speed or a pause starts a new measurement of the achieved speed.
    void ResetMeasurement();
    void Measure(std::uint32_t elapsedMs, std::uint32_t steps, bool capped);

    State state;
    bool singleStepRequested = false;
    std::uint32_t stepsInLastFrame = 0;
    // Mean real seconds per step, 0 until measured.
    double stepCost = 0.0;
    // The running measurement of the achieved speed, and its last result.
    std::uint64_t windowMs = 0;
    std::uint64_t windowSteps = 0;
    bool windowCapped = false;
    bool fallingBehind = false;
    double achievedSpeed = 0.0;
    bool achievedKnown = false;
};

} // namespace Quarnel::GameEngine2D::Physics
