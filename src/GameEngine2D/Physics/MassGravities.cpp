#include "GameEngine2D/Physics/MassGravities.h"

#include "Common/IMoveable.h"
#include "Common/Point3D.h"
#include "GameEngine2D/Physics/Mass.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Quarnel::GameEngine2D::Physics
{

namespace
{

// A mass that is not a number neither pulls nor is pulled (the world does not accelerate it either).
float PullingMass(const Mass& mass)
{
    const float value = mass.GetMass();
    return std::isnan(value) ? 0.0f : value;
}

} // namespace

void MassGravities::Add(std::shared_ptr<Mass> mass)
{
    if (mass && std::ranges::find(masses.List(), mass) != masses.List().end())
        holdsAMassTwice = true;
    masses.Add(std::move(mass));
}

void MassGravities::Update(float /*dt*/)
{
    masses.ForgetRemoved();
    if (masses.List().size() < 2)
        return;
    // The arrays take the count once per update: a mass added meanwhile (only a target reporting its
    // position could add one) joins at the next update.
    if (holdsAMassTwice)
        UpdatePairByPair();
    else
        kernel.Apply(masses.List(), simpleMode, factor);
}

void MassGravities::SetSimpleMode(bool on)
{
    simpleMode = on;
}

bool MassGravities::IsSimpleMode() const
{
    return simpleMode;
}

void MassGravities::SetFactor(float value)
{
    factor = value;
}

void MassGravities::SetThreadCount(std::size_t count)
{
    kernel.SetThreadCount(count);
}

std::size_t MassGravities::ThreadCount() const
{
    return kernel.ThreadCount();
}

void MassGravities::UpdatePairByPair()
{
    const auto& list = masses.List();
    // The count is read again at every test, as the list may grow while targets report their positions.
    for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t j = i + 1; j < list.size(); ++j)
            Attract(*list[i], *list[j]);
}

void MassGravities::Attract(Mass& a, Mass& b) const
{
    const Common::Point3D d = a.Target().GetPosition() - b.Target().GetPosition();
    const float r = d.Length();
    Common::Point3D force(0.0f, 0.0f, 0.0f);
    if (r != 0.0f)
    {
        const float massA = PullingMass(a);
        const float massB = PullingMass(b);
        const Common::Point3D towardsB = d / -r;
        if (simpleMode)
        {
            force = towardsB * GravityKernel::G * massA * massB / GravityKernel::ConstantLawDivisor;
        }
        else
        {
            const float s = std::max(r / 2.0f * 1000.0f, 1.0f);
            force = towardsB * (massA * GravityKernel::G * massB) / (s * s * factor);
        }
    }
    a.AddForce(force);
    b.AddForce(force * -1.0f);
}

} // namespace Quarnel::GameEngine2D::Physics
