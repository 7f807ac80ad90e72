#include "GameEngine2D/Physics/SpringData.h"

namespace Quarnel::GameEngine2D::Physics
{

SpringData::SpringData(float stiffnessValue, float restLengthValue, float dampingValue) :
    stiffness(stiffnessValue),
    restLength(restLengthValue),
    damping(dampingValue)
{
}

} // namespace Quarnel::GameEngine2D::Physics
