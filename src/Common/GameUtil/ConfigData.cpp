#include "Common/GameUtil/ConfigData.h"

#include "Common/Helper.h"
#include "Common/MyLog.h"

#include <stdexcept>
#include <string_view>
#include <utility>

namespace Quarnel::Common::GameUtil
{

namespace
{

constexpr std::string_view Separator = " = ";

std::size_t SeparatorPosition(const std::string& line)
{
    const std::size_t position = line.find(Separator);
    if (position == std::string::npos)
        throw std::invalid_argument("Konfigurationszeile ohne \" = \": " + line);
    return position;
}

} // namespace

ConfigData::ConfigData(std::string keyText, std::string valueText) :
    key(std::move(keyText)),
    value(std::move(valueText))
{
}

ConfigData::ConfigData(const std::string& line) :
    key(line.substr(0, SeparatorPosition(line))),
    value(line.substr(SeparatorPosition(line) + Separator.size()))
{
}

std::string ConfigData::ToLine() const
{
    return key + std::string(Separator) + value;
}

bool ConfigData::AsBool() const
{
    return AsInt() != 0;
}

std::int32_t ConfigData::AsInt() const
{
    MyLog::Info("char[]-value: " + value);
    // The reading is modulo 2^64; its low 32 bits are the result.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(Helper::ToInt(value))));
}

} // namespace Quarnel::Common::GameUtil
