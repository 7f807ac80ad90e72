#pragma once

#include <ctime>
#include <filesystem>

namespace Zandrel::SystemFile
{

// Names for saved systems: "zandrel-YYYYMMDD-HHMMSS.json" in the local time of the save, with "-2", "-3", …
// before ".json" when a file of that name exists already (a second save in the same second).
class SavePath final
{
public:
    SavePath() = delete;

    // The path of a new save in `folder`, which is made (with its parents) when missing. Raises
    // SystemFileError when the folder cannot be made or every suffix up to 999 is taken.
    [[nodiscard]] static std::filesystem::path Next(const std::filesystem::path& folder, std::time_t now);
};

} // namespace Zandrel::SystemFile
