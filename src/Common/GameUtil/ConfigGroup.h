#pragma once

#include "Common/GameUtil/ConfigData.h"

#include <deque>
#include <string>

namespace Quarnel::Common::GameUtil
{

// One named group of entries, in the order they were read or added. Duplicate keys are kept; lookups
// return the first. References to entries stay valid while entries are added (a deque never moves them).
class ConfigGroup final
{
public:
    explicit ConfigGroup(std::string groupName);

    [[nodiscard]] const std::deque<ConfigData>& Entries() const { return entries; }
    [[nodiscard]] std::deque<ConfigData>& Entries() { return entries; }
    [[nodiscard]] const std::string& Name() const { return name; }

    // Appends a new entry without looking for an existing key.
    void AddData(const std::string& key, const std::string& value);
    // The first entry with this key (compared byte for byte); when there is none, a new entry with the
    // default is appended and returned, so a later Save writes the default.
    ConfigData& GetData(const std::string& key, const std::string& defaultValue);
    // Appends an existing entry.
    void Add(ConfigData data);

private:
    std::deque<ConfigData> entries;
    std::string name;
};

} // namespace Quarnel::Common::GameUtil
