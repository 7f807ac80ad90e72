#pragma once

namespace Quarnel::GameEngine2D::Physics
{

// The attraction between two masses A and B, with u the unit vector from A towards B and r their distance in
// scene units:
// - distance-independent (simple mode): F = u × G × mA × mB ÷ 20;
// - inverse-square: F = u × (mA × G × mB) / (s × s × factor) with s = r / 2 × 1000, never below 1.
// Masses at the same place exert no force on each other, and a mass that is not a number neither pulls nor is
// pulled. Masses and forces are in any consistent units.
struct GravityLaw
{
    // The gravitational constant of both laws and the divisor of the distance-independent one.
    static constexpr float G = 0.00067f;
    static constexpr float ConstantLawDivisor = 20.0f;

    bool simpleMode = false;
    // Divides the inverse-square force; no unit.
    float factor = 1.0f;
};

} // namespace Quarnel::GameEngine2D::Physics
