#include "Common/GameUtil/ConfigGroup.h"

#include <utility>

namespace Quarnel::Common::GameUtil
{

ConfigGroup::ConfigGroup(std::string groupName) : name(std::move(groupName)) {}

void ConfigGroup::AddData(const std::string& key, const std::string& value)
{
    entries.emplace_back(key, value);
}

ConfigData& ConfigGroup::GetData(const std::string& key, const std::string& defaultValue)
{
    for (ConfigData& entry : entries)
    {
        if (entry.Key() == key)
            return entry;
    }
    return entries.emplace_back(key, defaultValue);
}

void ConfigGroup::Add(ConfigData data)
{
    entries.push_back(std::move(data));
}

} // namespace Quarnel::Common::GameUtil
