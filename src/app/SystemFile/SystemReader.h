#pragma once

#include "app/SystemFile/SystemData.h"

#include <filesystem>
#include <string_view>

namespace Zandrel::SystemFile
{

// Reads system files. Required are "format" ("zandrel-system"), "version" (1 or lower), "bodies", and each
// body's "kind", "mass", "size" and "position"; everything else takes the start state's value (law
// "constant", no merging, time 0, speed 1, running; velocity zero, name "Sonne" or "Planet" from the kind,
// and identifiers counting on from the largest one given, so a file without any gets 1, 2, 3, …). Keys the
// program does not know are ignored, so that later versions can add some. Every number of a body must fit a
// 32-bit float; the one nearest to the file's number is kept.
class SystemReader final
{
public:
    SystemReader() = delete;

    // Raises SystemFileError with the reason when the file is missing, not a regular file, over
    // SystemData::MaxFileBytes (checked before it is read), unreadable, or its text is refused by ReadText.
    [[nodiscard]] static SystemData ReadFile(const std::filesystem::path& path);

    // Raises SystemFileError with the reason when the text is not JSON, not a system of a version this
    // program knows, misses a required field, has a field of the wrong type or array length, a number that
    // is not finite or beyond the float range, or breaks a rule of SystemCheck.
    [[nodiscard]] static SystemData ReadText(std::string_view text);
};

} // namespace Zandrel::SystemFile
