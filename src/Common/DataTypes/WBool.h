#pragma once

namespace Quarnel::Common::DataTypes
{

// The boolean twin of WInteger. It only ever holds false: it has no constructor taking a value.
class WBool final
{
public:
    constexpr WBool() = default;

    [[nodiscard]] constexpr bool Value() const { return value; }

private:
    bool value = false;
};

} // namespace Quarnel::Common::DataTypes
