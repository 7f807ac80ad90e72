#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace Quarnel::Common
{

// An RGBA colour with integer channels in 0..255 (alpha 255 = opaque). A plain value, copied.
// Colours are built directly from four numbers without clamping; only Subtract and Brighten clamp.
struct Color
{
    std::int32_t r = 0;
    std::int32_t g = 0;
    std::int32_t b = 0;
    std::int32_t a = 0;

    constexpr Color() = default;
    constexpr Color(std::int32_t red, std::int32_t green, std::int32_t blue, std::int32_t alpha) :
        r(red),
        g(green),
        b(blue),
        a(alpha)
    {
    }

    // The channel divided by 255, the form OpenGL's float colour calls take (255 gives 1.0).
    [[nodiscard]] constexpr float R() const { return ToUnit(r); }
    [[nodiscard]] constexpr float G() const { return ToUnit(g); }
    [[nodiscard]] constexpr float B() const { return ToUnit(b); }
    [[nodiscard]] constexpr float A() const { return ToUnit(a); }

    // (r, g, b, a) / 255 for the material colour calls (ambient, diffuse, specular).
    [[nodiscard]] constexpr std::array<float, 4> ToFloatArray() const { return {R(), G(), B(), A()}; }

    // Each of the four channels, alpha included, minus the other's, clamped to 0..255.
    [[nodiscard]] constexpr Color Subtract(Color other) const
    {
        return {Clamp(static_cast<std::int64_t>(r) - other.r), Clamp(static_cast<std::int64_t>(g) - other.g),
                Clamp(static_cast<std::int64_t>(b) - other.b), Clamp(static_cast<std::int64_t>(a) - other.a)};
    }

    // r, g and b plus amount, clamped; alpha unchanged. A negative amount darkens.
    [[nodiscard]] constexpr Color Brighten(std::int32_t amount) const
    {
        return {Clamp(static_cast<std::int64_t>(r) + amount), Clamp(static_cast<std::int64_t>(g) + amount),
                Clamp(static_cast<std::int64_t>(b) + amount), a};
    }

    // "r_255;g_0;b_10": alpha is not shown.
    [[nodiscard]] std::string ToString() const;

    [[nodiscard]] constexpr bool operator==(const Color& other) const = default;

private:
    [[nodiscard]] static constexpr float ToUnit(std::int32_t channel)
    {
        return static_cast<float>(static_cast<double>(channel) / 255.0);
    }

    // The sum or difference is formed in 64 bits so that extreme channels cannot overflow.
    [[nodiscard]] static constexpr std::int32_t Clamp(std::int64_t value)
    {
        if (value < 0)
            return 0;
        if (value > 255)
            return 255;
        return static_cast<std::int32_t>(value);
    }
};

} // namespace Quarnel::Common
