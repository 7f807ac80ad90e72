#pragma once

#include <limits>

namespace Quarnel::GameEngine2D::Physics
{

// The three constants of a damped spring; several springs may share one. Until set they are NaN, which
// makes every force of a spring using them NaN.
class SpringData final
{
public:
    SpringData() = default;
    SpringData(float stiffnessValue, float restLengthValue, float dampingValue);

    [[nodiscard]] float Stiffness() const { return stiffness; }
    void SetStiffness(float value) { stiffness = value; }
    [[nodiscard]] float RestLength() const { return restLength; }
    void SetRestLength(float value) { restLength = value; }
    [[nodiscard]] float Damping() const { return damping; }
    void SetDamping(float value) { damping = value; }

private:
    // Force units per scene unit of extension.
    float stiffness = std::numeric_limits<float>::quiet_NaN();
    // Scene units.
    float restLength = std::numeric_limits<float>::quiet_NaN();
    // Force units per scene unit per second of relative speed.
    float damping = std::numeric_limits<float>::quiet_NaN();
};

} // namespace Quarnel::GameEngine2D::Physics
