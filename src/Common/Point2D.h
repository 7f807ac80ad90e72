#pragma once

#include <string>

namespace Quarnel::Common
{

// A plane point: pointer positions, window and image sizes. A plain value, copied on assignment.
struct Point2D
{
    float x = 0.0f;
    float y = 0.0f;

    constexpr Point2D() = default;
    constexpr Point2D(float xValue, float yValue) : x(xValue), y(yValue) {}

    [[nodiscard]] constexpr float X() const { return x; }
    [[nodiscard]] constexpr float Y() const { return y; }

    [[nodiscard]] constexpr Point2D operator+(Point2D other) const { return {x + other.x, y + other.y}; }
    [[nodiscard]] constexpr Point2D operator-(Point2D other) const { return {x - other.x, y - other.y}; }
    [[nodiscard]] constexpr Point2D operator*(float factor) const { return {x * factor, y * factor}; }

    // Exact float comparison: a NaN component is never equal.
    [[nodiscard]] constexpr bool Equals(Point2D other) const { return x == other.x && y == other.y; }
    [[nodiscard]] constexpr bool operator==(const Point2D& other) const { return Equals(other); }

    // "x|y", each with five decimals.
    [[nodiscard]] std::string ToString() const;
};

} // namespace Quarnel::Common
