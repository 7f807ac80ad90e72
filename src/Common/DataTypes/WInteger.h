#pragma once

#include <cstdint>

namespace Quarnel::Common::DataTypes
{

// A boxed immutable integer for places where an integer is optional: a field of type
// std::optional<WInteger> that holds none means that no value is set (a node's partial transparency).
class WInteger final
{
public:
    constexpr explicit WInteger(std::int32_t initialValue) : value(initialValue) {}

    [[nodiscard]] constexpr std::int32_t Value() const { return value; }

    [[nodiscard]] constexpr bool operator==(const WInteger& other) const = default;

private:
    std::int32_t value;
};

} // namespace Quarnel::Common::DataTypes
