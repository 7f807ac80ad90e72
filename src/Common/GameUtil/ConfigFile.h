#pragma once

#include "Common/GameUtil/ConfigGroup.h"

#include <cstdint>
#include <deque>
#include <string>

namespace Quarnel::Common::GameUtil
{

// The settings file: named groups of "key = value" lines.
//
//   [Game]
//   showLog = 1
//
// Lines of two characters or fewer are ignored; a line starting with "[" starts a group named by the
// line without its first and last character; every other line is an entry of the group above it.
// Nothing is trimmed, there are no comments, and duplicate groups and keys are kept (lookups return the
// first). References to groups stay valid while groups are added.
class ConfigFile final
{
public:
    // Files larger than this are not settings files; reading them stops before loading anything. Real ones
    // hold a few lines. The limit bounds what a wrong file costs at start-up: every line becomes a string of
    // its own, so a file of empty lines takes some 64 times its size (16 MiB of them took 1 GB and 12 s).
    static constexpr std::uintmax_t MaximumFileSize = 1024u * 1024u;

    ConfigFile() = default;
    // Reads the file. Never lets an error escape: a missing file, data above the first group header or a
    // data line without " = " end the reading with the information line "Error in ConfigFile constructor",
    // keeping what was read before the failing line. A name that is no usable file (a folder, a pipe, a
    // device, an unreadable or oversized file) ends it the same way after one warning line naming the file.
    explicit ConfigFile(const std::string& fileName);

    // The first group of that name, or null.
    [[nodiscard]] ConfigGroup* FindGroup(const std::string& name);
    // The first group of that name; when there is none, a new empty group is appended and returned.
    ConfigGroup& GetGroup(const std::string& name);
    // Writes "[name]", then "key = value" per entry, then an empty line, for every group; each line ends
    // with CR LF. File-system failures raise std::runtime_error.
    void Save(const std::string& fileName) const;
    // Appends a new empty group without looking for an existing one.
    ConfigGroup& AddGroup(const std::string& name);

    [[nodiscard]] const std::deque<ConfigGroup>& Groups() const { return groups; }
    [[nodiscard]] std::deque<ConfigGroup>& Groups() { return groups; }

private:
    void Read(const std::string& fileName);

    std::deque<ConfigGroup> groups;
};

} // namespace Quarnel::Common::GameUtil
