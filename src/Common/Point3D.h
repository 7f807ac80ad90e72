#pragma once

#include "Common/Point2D.h"

#include <cmath>
#include <string>

namespace Quarnel::Common
{

// A space point: positions, rotations (degrees about x, y, z), scales, sizes, speeds and forces.
// Immutable: every operation returns a new point, so code that moves something replaces its point.
// Everything but ToString is inline and allocation-free because physics runs tight loops on points.
class Point3D final
{
public:
    constexpr Point3D() = default;
    constexpr Point3D(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}
    constexpr explicit Point3D(Point2D point) : x(point.x), y(point.y) {}

    [[nodiscard]] constexpr float X() const { return x; }
    [[nodiscard]] constexpr float Y() const { return y; }
    [[nodiscard]] constexpr float Z() const { return z; }

    [[nodiscard]] constexpr Point3D operator+(const Point3D& other) const
    {
        return {x + other.x, y + other.y, z + other.z};
    }
    // In-place addition would change a point that others share; form the sum with + and assign it.
    Point3D& operator+=(const Point3D& other) = delete;
    [[nodiscard]] constexpr Point3D operator-(const Point3D& other) const
    {
        return {x - other.x, y - other.y, z - other.z};
    }
    [[nodiscard]] constexpr Point3D operator+(Point2D other) const { return {x + other.x, y + other.y, z}; }
    [[nodiscard]] constexpr Point3D operator*(float factor) const { return {x * factor, y * factor, z * factor}; }
    // Component-wise product, used to scale one point by another.
    [[nodiscard]] constexpr Point3D operator*(const Point3D& other) const
    {
        return {x * other.x, y * other.y, z * other.z};
    }
    // Division by zero follows the float rules (infinity or NaN), no error.
    [[nodiscard]] constexpr Point3D operator/(float divisor) const { return {x / divisor, y / divisor, z / divisor}; }

    // "x|y|z", each with five decimals: (1, 2.5, 0) reads 1.00000|2.50000|0.00000.
    [[nodiscard]] std::string ToString() const;

    // Exact float comparison: a NaN component makes points unequal, even to themselves.
    [[nodiscard]] constexpr bool Equals(const Point3D& other) const
    {
        return x == other.x && y == other.y && z == other.z;
    }
    [[nodiscard]] constexpr bool operator==(const Point3D& other) const { return Equals(other); }

    // The squared sum is rounded to float before the root; a zero sum (also -0) gives 0 without a root.
    [[nodiscard]] float Length() const
    {
        const float sum = x * x + y * y + z * z;
        if (sum == 0.0f)
            return 0.0f;
        return std::sqrt(sum);
    }

private:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

} // namespace Quarnel::Common
