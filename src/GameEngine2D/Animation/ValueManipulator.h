#pragma once

#include "GameEngine2D/Animation/Animation.h"

#include <cstdint>
#include <functional>

namespace Quarnel::GameEngine2D::Animation
{

// Drives any float value towards a target: the step per frame grows with the frame time times the acceleration,
// up to maxStep per frame, and the last step lands exactly on the target, after which the animation stops itself.
class ValueManipulator : public Animation
{
public:
    using Setter = std::function<void(float value)>;
    using Getter = std::function<float()>;

    // acceleration: growth of the step per second of frame time, divided by 100 (0: the full step at once).
    ValueManipulator(bool handDelta, Setter write, Getter read, float targetValue, float stepGrowth, float largestStep);

protected:
    void OnStart() override;
    // value: the frame step in milliseconds when the animation uses the delta, else the elapsed time.
    void Animate(std::uint32_t value) override;
    void OnStop() override;

public:
    // Starts the step again from 0, or from maxStep without acceleration.
    virtual void Reset();
    virtual void SetTarget(float targetValue);
    [[nodiscard]] virtual float GetTarget() const;
    [[nodiscard]] virtual float GetMaxStep() const;
    virtual void SetMaxStep(float largestStep);

private:
    void Finish();

    Setter setter;
    Getter getter;
    float target;
    float acceleration;
    float step = 0.0f;
    float maxStep;
};

} // namespace Quarnel::GameEngine2D::Animation
