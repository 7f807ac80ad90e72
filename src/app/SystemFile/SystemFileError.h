#pragma once

#include <stdexcept>
#include <string>

namespace Zandrel::SystemFile
{

// A system file that cannot be read or written. The message is the short German reason alone, e.g.
// "Datei nicht vorhanden"; the caller puts the action and the path in front of it.
class SystemFileError final : public std::runtime_error
{
public:
    explicit SystemFileError(const std::string& reason) : std::runtime_error(reason) {}
};

} // namespace Zandrel::SystemFile
