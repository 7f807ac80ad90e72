#pragma once

#include <limits>

namespace Quarnel::GameEngine2D::Physics
{

// The three constants of a damped spring; several springs may share one. Until set they are NaN, which
// makes every force of a spring using them NaN.
class SpringData
{
public:
    SpringData() = default;
    // stiffness: force per unit of extension; restLength: length without elastic force;
    // damping: force per unit of relative speed.
    SpringData(float stiffnessValue, float restLengthValue, float dampingValue);

    [[nodiscard]] float Stiffness() const { return stiffness; }
    void SetStiffness(float value) { stiffness = value; }
    [[nodiscard]] float RestLength() const { return restLength; }
    void SetRestLength(float value) { restLength = value; }
    [[nodiscard]] float Damping() const { return damping; }
    void SetDamping(float value) { damping = value; }

private:
    float stiffness = std::numeric_limits<float>::quiet_NaN();
    float restLength = std::numeric_limits<float>::quiet_NaN();
    float damping = std::numeric_limits<float>::quiet_NaN();
};

} // namespace Quarnel::GameEngine2D::Physics
