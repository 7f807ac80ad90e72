#pragma once

#include <cstdint>
#include <string>

namespace Quarnel::Common::GameUtil
{

// One entry of a configuration group: a key and its value, both kept as text exactly as given.
class ConfigData final
{
public:
    ConfigData(std::string keyText, std::string valueText);
    // Splits a data line at the first " = ": the key is what stands before it, the value everything after
    // it (which may itself contain " = "). Nothing is trimmed. A line without " = " raises
    // std::invalid_argument.
    explicit ConfigData(const std::string& line);

    [[nodiscard]] const std::string& Key() const { return key; }
    [[nodiscard]] const std::string& Value() const { return value; }
    // key + " = " + value.
    [[nodiscard]] std::string ToLine() const;
    // Logs "char[]-value: " + value; true when the lenient integer reading of the value is not zero, so
    // "1", "+1", " 1" and "0x1" are true and "0", "", "true" and "off" are false.
    [[nodiscard]] bool AsBool() const;
    // Logs the same line; the low 32 bits of the lenient integer reading.
    [[nodiscard]] std::int32_t AsInt() const;

private:
    std::string key;
    std::string value;
};

} // namespace Quarnel::Common::GameUtil
